#include "vexo3/main/flist.h"

#include "controls/cmdbox/cmdbox.h"

namespace vexo3 {

fList *newRecordList(QWidget *mainWindow)
{
    tavrik::gui::RecordList::Design d;
    d.sizeTwips = QSize(4530, 3405);
    d.listTwips = QRect(120, 120, 4215, 2340);
    d.buttonsTwips = {QRect(240, 2760, 975, 495), QRect(1440, 2760, 1575, 495), QRect(3240, 2760, 975, 495)};
    d.buttonNames = {QStringLiteral("cmdBox1"), QStringLiteral("cmdBox2"), QStringLiteral("cmdBox3")};
    return tavrik::gui::makeRecordList<cmdBox>(mainWindow, d);
}

} // namespace vexo3
