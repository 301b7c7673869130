#include "shared/gui/about.h"

#include "shared/core/about.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/gui/services.h"

#include <QFileInfo>
#include <QUrl>

namespace tavrik::gui {

void showAbout(QWidget *parent, const QString &version)
{
    services().dialogs->message(parent, core::aboutText(version), core::kAboutTitle, MsgIcon::Information);
}

void showFeedback(QWidget *parent)
{
    services().dialogs->message(parent, core::feedbackText(), core::kFeedbackTitle, MsgIcon::Information);
    openWebPage(core::kFeedbackPage);
}

bool openWebPage(const QString &address, QWidget *sayFailureTo) { return openOrSay(QUrl(address), sayFailureTo); }

void showHelpText(QWidget *parent)
{
    QString text;
    QString error;
    if (!core::readHelpText(AppDir() + core::kHelpFileName, &text, &error)) {
        services().dialogs->message(parent, error, QStringLiteral("错误"), MsgIcon::Critical);
        return;
    }
    services().dialogs->longMessage(parent, text, QStringLiteral("说明"), MsgIcon::Information);
}

bool openHelpFile(QWidget *sayFailureTo)
{
    const QString path = AppDir() + core::kHelpFileName;
    if (!QFileInfo(path).isFile())
        return false;
    return openOrSay(QUrl::fromLocalFile(path), sayFailureTo);
}

} // namespace tavrik::gui
