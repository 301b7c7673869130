#include "tests/support/fakes.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QWidget>

namespace testing {

WindowIcons windowIcons(const QImage &expected)
{
    WindowIcons out;
    const QImage want = expected.convertToFormat(QImage::Format_ARGB32);
    for (QWidget *t : QApplication::topLevelWidgets()) {
        if (t->parentWidget() || !t->isVisible())
            continue;
        ++out.windows;
        if (t->windowIcon().pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32) != want)
            out.wrong << (t->objectName().isEmpty() ? QString::fromLatin1(t->metaObject()->className()) : t->objectName());
    }
    return out;
}

TestEnv::TestEnv()
{
    QDir(dir_.path()).mkpath(QStringLiteral("app"));
    QDir(dir_.path()).mkpath(QStringLiteral("tmp"));
    QDir(dir_.path()).mkpath(QStringLiteral("user"));
    // Nothing a test does may reach the real user's folders.
    qputenv("temp", QFile::encodeName(tempDir()));
    tavrik::gui::Services s;
    s.clock = &clock;
    s.store = &store;
    s.dialogs = &dialogs;
    s.launcher = &launcher;
    s.sound = &sound;
    s.appDir = appDir();
    s.userDir = userDir();
    scope_ = std::make_unique<tavrik::gui::ScopedServices>(s);
}

TestEnv::~TestEnv() { scope_.reset(); }

void TestEnv::reset()
{
    clock = FakeClock();
    dialogs = FakeDialogs();
    launcher = FakeLauncher();
    sound = FakeSound();
    store = MemoryStore();
    setAppDirReadOnly(false);
    for (const QString &dir : {appDir(), tempDir(), userDir()}) {
        QDir d(dir);
        d.removeRecursively();
        d.mkpath(QStringLiteral("."));
    }
    qputenv("temp", QFile::encodeName(tempDir()));
}

QString TestEnv::appDir() const { return dir_.path() + QStringLiteral("/app/"); }
QString TestEnv::tempDir() const { return dir_.path() + QStringLiteral("/tmp"); }
QString TestEnv::userDir() const { return dir_.path() + QStringLiteral("/user"); }

void TestEnv::setAppDirReadOnly(bool readOnly)
{
    using Access = tavrik::core::ProfileLocation::FolderAccess;
    tavrik::gui::services().appDirAccess = readOnly ? Access::ReadOnly : Access::Probe;
}

} // namespace testing
