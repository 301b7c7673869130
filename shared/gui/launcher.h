#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace tavrik::gui {

// Starting other programs: the browser, the text editor, the older program. Nothing
// here goes through a shell, and nothing waits for what it started.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual bool openUrl(const QUrl &url) = 0;
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
};

class DesktopLauncher final : public Launcher {
public:
    bool openUrl(const QUrl &url) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;
};

// Opens a web address in the browser or a file in the text editor through the
// services' launcher. When nothing could be started and sayFailureTo is given, an
// error box on that window says which program and what it was to open; without it
// the failure goes unsaid.
bool openOrSay(const QUrl &url, QWidget *sayFailureTo);

} // namespace tavrik::gui
