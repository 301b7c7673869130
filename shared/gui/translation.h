#pragma once

#include <QString>

class QCoreApplication;

namespace tavrik::gui {

// Qt's own texts (the buttons of message and input boxes, the text fields' menus) in
// Simplified Chinese, from Qt's translations folder ("qtbase_zh_CN.qm", package
// qt6-translations-l10n), or from `folder` when one is given. Every caption of the
// programs is Chinese whatever the user's locale, so Qt's are too. False, with
// Qt's English texts left as they are, when the file is not there.
bool loadQtTranslation(QCoreApplication &app, const QString &folder = QString());

} // namespace tavrik::gui
