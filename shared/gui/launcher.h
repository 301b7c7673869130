#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

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

} // namespace tavrik::gui
