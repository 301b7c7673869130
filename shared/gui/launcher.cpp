#include "shared/gui/launcher.h"

#include "shared/gui/dialogs.h"
#include "shared/gui/services.h"

#include <QDir>

#include <QDesktopServices>
#include <QProcess>

namespace tavrik::gui {

bool DesktopLauncher::openUrl(const QUrl &url) { return QDesktopServices::openUrl(url); }

bool DesktopLauncher::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool openOrSay(const QUrl &url, QWidget *sayFailureTo)
{
    if (services().launcher->openUrl(url))
        return true;
    if (sayFailureTo) {
        const QString text = url.isLocalFile()
                                 ? QStringLiteral("无法启动文本编辑器打开文件：\n%1").arg(QDir::toNativeSeparators(url.toLocalFile()))
                                 : QStringLiteral("无法启动网页浏览器打开网址：\n%1").arg(url.toString());
        services().dialogs->message(sayFailureTo, text, QStringLiteral("错误"), MsgIcon::Critical);
    }
    return false;
}

} // namespace tavrik::gui
