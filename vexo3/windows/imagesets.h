#pragma once

#include <QString>

class QWidget;

// The digit image sets listed in Vexo.ini (section "SegFont": "Count", "1"…, "Selected";
// each entry a display name, a comma, then the image file relative to the program
// folder).
namespace vexo3 {

class Seg;
// Vexo.ini as it is read now: the program folder's, or the user's copy of it.
QString vexoIniPath();
// Writes one key of Vexo.ini where it belongs (see tavrik::core::ProfileLocation).
bool writeVexoIni(const QString &section, const QString &key, const QString &value, QString *error = nullptr);

// The file name of entry `key`, relative to the program folder; empty when the entry
// names none. Backslashes count as folder separators: lists written for Windows use them.
QString segImageName(const QString &key, const QString &ini);

// The full path of the selected set's file, or empty when it names none.
QString selectedSegImage(const QString &ini);

// Loads a digit image file into a display; a file that gives no picture is reported
// in a box over `window`, and the display keeps its digits.
bool loadSegImage(QWidget *window, Seg *seg, const QString &file);

} // namespace vexo3
