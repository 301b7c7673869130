#include "vexo3/main/flist.h"

#include "controls/cmdbox/cmdbox.h"

namespace vexo3 {

fList *newRecordList(QWidget *mainWindow)
{
    const tavrik::gui::RecordList::Design design{
        QSize(4530, 3405), QRect(120, 120, 4215, 2340),
        {QRect(240, 2760, 975, 495), QRect(1440, 2760, 1575, 495), QRect(3240, 2760, 975, 495)},
        {QStringLiteral("cmdBox1"), QStringLiteral("cmdBox2"), QStringLiteral("cmdBox3")}};
    return tavrik::gui::makeRecordList<cmdBox>(mainWindow, design);
}

} // namespace vexo3
