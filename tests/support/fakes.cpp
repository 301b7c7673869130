#include "tests/support/fakes.h"

#include <QDir>

namespace testing {

TestEnv::TestEnv()
{
    QDir(dir_.path()).mkpath(QStringLiteral("app"));
    QDir(dir_.path()).mkpath(QStringLiteral("tmp"));
    // Nothing a test does may reach the real user's folders.
    qputenv("temp", QFile::encodeName(tempDir()));
    tavrik::gui::Services s;
    s.clock = &clock;
    s.store = &store;
    s.dialogs = &dialogs;
    s.launcher = &launcher;
    s.appDir = appDir();
    scope_ = std::make_unique<tavrik::gui::ScopedServices>(s);
}

TestEnv::~TestEnv() { scope_.reset(); }

void TestEnv::reset()
{
    clock = FakeClock();
    dialogs = FakeDialogs();
    launcher = FakeLauncher();
    store = MemoryStore();
    for (const QString &dir : {appDir(), tempDir()}) {
        QDir d(dir);
        d.removeRecursively();
        d.mkpath(QStringLiteral("."));
    }
    qputenv("temp", QFile::encodeName(tempDir()));
}

QString TestEnv::appDir() const { return dir_.path() + QStringLiteral("/app/"); }
QString TestEnv::tempDir() const { return dir_.path() + QStringLiteral("/tmp"); }

} // namespace testing
