#include "shared/gui/launcher.h"

#include <QDesktopServices>
#include <QProcess>

namespace tavrik::gui {

bool DesktopLauncher::openUrl(const QUrl &url) { return QDesktopServices::openUrl(url); }

bool DesktopLauncher::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace tavrik::gui
