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
// A web page in the desktop's browser; nothing waits for it. False when no browser
// could be started, which an error box on sayFailureTo tells (see openOrSay).
bool openWebPage(const QString &address, QWidget *sayFailureTo = nullptr);
// The help file of the program folder shown in a box titled "说明" that fits the
// screen and scrolls; a missing or unreadable file is reported in an error box.
void showHelpText(QWidget *parent);
// The help file of the program folder opened in the desktop's text editor; false
// (and nothing done, nothing said) when there is no such file. False too when the
// editor could not be started, which an error box on sayFailureTo tells.
bool openHelpFile(QWidget *sayFailureTo = nullptr);

} // namespace tavrik::gui
