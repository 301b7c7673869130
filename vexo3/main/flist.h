#pragma once

#include "shared/gui/recordlist.h"

namespace vexo3 {

// The record list window "计时": the one both programs share, in this program's design
// and with its cmdBox buttons ("cmdBox1" to "cmdBox3").
using fList = tavrik::gui::RecordList;
fList *newRecordList(QWidget *mainWindow);

} // namespace vexo3
