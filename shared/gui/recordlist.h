#pragma once

#include "shared/core/recordfile.h"

#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

#include <array>

class QListWidget;

namespace tavrik::gui {

// The record list window "计时" of both programs: one per program, directly above the
// main window (same left and width), shown without taking the keyboard from it. "清空"
// empties it; "编辑/保存" writes the records to the record file in the temporary folder
// and opens that in the desktop's text editor (a file that cannot be written, or an
// editor that cannot start, is said in a box, and the records stay); "隐藏" and the
// close box only hide it, so no record is lost by closing a window. The file goes when
// the program ends, unless the user has changed it.
//
// The programs differ only in the design: sizes and places in twips, the button type
// (made by makeRecordList<Button>), the buttons' names.
class RecordList : public QWidget {
    Q_OBJECT
public:
    enum Part { Clear, Export, Hide };
    static constexpr int kParts = 3;

    struct Design {
        QSize sizeTwips;
        QRect listTwips;
        std::array<QRect, kParts> buttonsTwips;
        std::array<QString, kParts> buttonNames;
        // The main window's font and colours, and the list's own point size (0: the
        // window's).
        bool followsMainWindow = false;
        double listPointSize = 0;
    };

    void showAbove(QWidget *mainWindow);
    void append(const QString &record);
    QStringList entries() const;
    // The program ends.
    void closeForGood();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    template <class Button>
    friend RecordList *makeRecordList(QWidget *mainWindow, const Design &design);
    RecordList(QWidget *mainWindow, const Design &design);
    void addButton(QWidget *button, const QRect &twips);
    void clicked(Part part);
    static QString caption(Part part);

    QListWidget *List1 = nullptr;
    core::RecordFile recordFile_;
};

// The window above, its buttons of the program's own type: any control with
// setCaption(QString) and a Click() signal.
template <class Button>
RecordList *makeRecordList(QWidget *mainWindow, const RecordList::Design &design)
{
    auto *list = new RecordList(mainWindow, design);
    for (int i = 0; i < RecordList::kParts; ++i) {
        const auto part = RecordList::Part(i);
        auto *b = new Button(list);
        b->setObjectName(design.buttonNames[size_t(i)]);
        b->setCaption(RecordList::caption(part));
        QObject::connect(b, &Button::Click, list, [list, part] { list->clicked(part); });
        list->addButton(b, design.buttonsTwips[size_t(i)]);
    }
    return list;
}

} // namespace tavrik::gui
