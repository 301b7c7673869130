#pragma once

#include "shared/core/recordfile.h"

#include <QStringList>
#include <QWidget>

class QListWidget;

namespace vexo {

class xpcmdbutton;

// The record list window "计时" of the older program, kept above the main window.
// Its close box only hides it, like "隐藏": a user's records are never thrown away
// by closing a window; they go with the program.
class fList : public QWidget {
    Q_OBJECT
public:
    explicit fList(QWidget *mainWindow);
    ~fList() override;

    // Directly above the main window (same left and width), shown without taking the
    // keyboard from it.
    void showAbove(QWidget *mainWindow);
    void append(const QString &record);
    QStringList entries() const;

    void Clear_Click();    // 清空
    void Command2_Click(); // 编辑/保存
    void Command3_Click(); // 隐藏

    // The program ends: the exported file goes too, unless the user changed it.
    void closeForGood();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QListWidget *List1 = nullptr;
    xpcmdbutton *Clear = nullptr;
    xpcmdbutton *Command2 = nullptr;
    xpcmdbutton *Command3 = nullptr;
    tavrik::core::RecordFile recordFile_;
};

} // namespace vexo
