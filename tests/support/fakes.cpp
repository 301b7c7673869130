#include "tests/support/fakes.h"

#include <QDir>
#include <cmath>

namespace testing {

void FakeClock::advance(double seconds)
{
    double abs = now_.absolute() + seconds;
    const double day = std::floor(abs / 86400.0);
    now_.day = qint32(day);
    now_.seconds = float(abs - day * 86400.0);
}

namespace {
QString sectionId(const QString &app, const QString &section) { return (app + u'/' + section).toLower(); }
} // namespace

QString MemoryStore::read(const QString &app, const QString &section, const QString &key,
                          const QString &defaultValue)
{
    for (const Entry &e : sections_.value(sectionId(app, section)))
        if (e.key.compare(key, Qt::CaseInsensitive) == 0)
            return e.value;
    return defaultValue;
}

bool MemoryStore::save(const QString &app, const QString &section, const QString &key,
                       const QString &value)
{
    return saveAll(app, section, {{key, value}});
}

bool MemoryStore::saveAll(const QString &app, const QString &section, const platform::KeyValues &values)
{
    ++saveCalls;
    if (failSaves)
        return false;
    QList<Entry> &entries = sections_[sectionId(app, section)];
    for (const auto &kv : values) {
        bool found = false;
        for (Entry &e : entries)
            if (e.key.compare(kv.first, Qt::CaseInsensitive) == 0) {
                e.value = kv.second;
                found = true;
            }
        if (!found)
            entries.append({kv.first, kv.second});
    }
    return true;
}

std::optional<QString> MemoryStore::value(const QString &section, const QString &key) const
{
    for (const Entry &e : sections_.value(sectionId(platform::kSettingsApp, section)))
        if (e.key.compare(key, Qt::CaseInsensitive) == 0)
            return e.value;
    return std::nullopt;
}

QStringList MemoryStore::keys(const QString &section) const
{
    QStringList out;
    for (const Entry &e : sections_.value(sectionId(platform::kSettingsApp, section)))
        out.append(e.key);
    return out;
}

TestEnv::TestEnv()
{
    QDir(dir_.path()).mkpath(QStringLiteral("app"));
    QDir(dir_.path()).mkpath(QStringLiteral("tmp"));
    // Nothing a test does may reach the real user's folders.
    qputenv("temp", QFile::encodeName(tempDir()));
    platform::Services s;
    s.clock = &clock;
    s.store = &store;
    s.dialogs = &dialogs;
    s.launcher = &launcher;
    s.appDir = appDir();
    scope_ = std::make_unique<platform::ScopedServices>(s);
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
