#include "vexo/main/flist.h"

#include "controls/xp/xpcmdbutton.h"

namespace vexo {

fList *newRecordList(QWidget *mainWindow)
{
    tavrik::gui::RecordList::Design d;
    d.sizeTwips = QSize(4680, 3615);
    d.listTwips = QRect(120, 120, 4215, 2760);
    d.buttonsTwips = {QRect(120, 3000, 975, 375), QRect(1200, 3000, 1095, 375), QRect(3240, 3000, 975, 375)};
    d.buttonNames = {QStringLiteral("清空"), QStringLiteral("Command2"), QStringLiteral("Command3")};
    d.followsMainWindow = true;
    d.listPointSize = 10.5;
    return tavrik::gui::makeRecordList<xpcmdbutton>(mainWindow, d);
}

} // namespace vexo
