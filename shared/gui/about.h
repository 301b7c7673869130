#pragma once

#include <QString>

class QWidget;

// The about, feedback, help and web menu items of both programs, through the dialog
// and launcher seams.
namespace tavrik::gui {

// The about box for a version as the program writes it ("3.2.74").
void showAbout(QWidget *parent, const QString &version);
// The feedback box, then the feedback page in the web browser.
void showFeedback(QWidget *parent);
// A web page in the desktop's browser; nothing waits for it.
void openWebPage(const QString &address);
// The help file of the program folder shown in a box titled "说明" that fits the
// screen and scrolls; a missing or unreadable file is reported in an error box.
void showHelpText(QWidget *parent);
// The help file of the program folder opened in the desktop's text editor; false
// (and nothing done) when there is no such file.
bool openHelpFile();

} // namespace tavrik::gui
