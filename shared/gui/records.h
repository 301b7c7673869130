#pragma once

#include <QStringList>

class QWidget;

namespace tavrik::core {
class RecordFile;
}

namespace tavrik::gui {

// The "编辑/保存" button of both record lists: writes the records to the record file in
// the temporary folder and opens it in the desktop's text editor. A file that cannot
// be written is reported in an error box, and the records stay in the list. An
// editor that cannot be started is reported too when sayEditorFailure is set.
// True when the file was written.
bool exportRecords(QWidget *parent, core::RecordFile &file, const QStringList &records, bool sayEditorFailure = false);

} // namespace tavrik::gui
