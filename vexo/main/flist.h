#pragma once

#include "shared/gui/recordlist.h"

namespace vexo {

// The record list window "计时": the one both programs share, in this program's design
// and with its XP buttons ("清空", "Command2", "Command3").
using fList = tavrik::gui::RecordList;
fList *newRecordList(QWidget *mainWindow);

} // namespace vexo
