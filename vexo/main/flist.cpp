#include "vexo/main/flist.h"

#include "controls/xp/xpcmdbutton.h"

namespace vexo {

fList *newRecordList(QWidget *mainWindow)
{
    // Within its own look: the main window's font and colours, a 10.5 pt list.
    const tavrik::gui::RecordList::Design design{
        QSize(4680, 3615), QRect(120, 120, 4215, 2760),
        {QRect(120, 3000, 975, 375), QRect(1200, 3000, 1095, 375), QRect(3240, 3000, 975, 375)},
        {QStringLiteral("清空"), QStringLiteral("Command2"), QStringLiteral("Command3")}, true, 10.5};
    return tavrik::gui::makeRecordList<xpcmdbutton>(mainWindow, design);
}

} // namespace vexo
