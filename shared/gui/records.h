#pragma once

#include <QStringList>

class QWidget;

namespace tavrik::core {
class RecordFile;
}

namespace tavrik::gui {

// The "编辑/保存" button of both record lists: writes the records to the record file in
// the temporary folder and opens it in the desktop's text editor. A file that cannot
// be written is reported in an error box, and the records stay in the list.
bool exportRecords(QWidget *parent, core::RecordFile &file, const QStringList &records);

} // namespace tavrik::gui
