#pragma once

#include "shared/core/recordfile.h"

#include <QStringList>
#include <QWidget>

class QListWidget;

namespace vexo3 {

class cmdBox;
// The record list window "计时": one per program, above the main window. Closing it
// only hides it, so no entry is ever lost.
class fList : public QWidget {
    Q_OBJECT
public:
    explicit fList(QWidget *mainWindow);

    // Places the window directly above the main window (same left and width) and
    // shows it without taking the focus from the main window.
    void showAbove(QWidget *mainWindow);
    void append(const QString &entry);
    QStringList entries() const;

    void cmdBox1_Click(); // 清空
    void cmdBox2_Click(); // 编辑/保存
    void cmdBox3_Click(); // 隐藏

    void removeRecordFileIfUnchanged() { recordFile_.removeIfUnchanged(); }

    QListWidget *List1 = nullptr;
    cmdBox *cmdBox1 = nullptr;
    cmdBox *cmdBox2 = nullptr;
    cmdBox *cmdBox3 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    tavrik::core::RecordFile recordFile_;
};

} // namespace vexo3
