#include "tests/support/corefakes.h"

#include <cmath>

namespace testing {

void FakeClock::advance(double seconds)
{
    double abs = now_.absolute() + seconds;
    const double day = std::floor(abs / 86400.0);
    now_.day = qint32(day);
    now_.seconds = float(abs - day * 86400.0);
    absolute_ += seconds;
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
                       const QString &value, QString *error)
{
    return saveAll(app, section, {{key, value}}, error);
}

bool MemoryStore::saveAll(const QString &app, const QString &section, const tavrik::core::KeyValues &values,
                          QString *error)
{
    ++saveCalls;
    if (failSaves) {
        if (error)
            *error = QStringLiteral("磁盘已满");
        return false;
    }
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
    for (const Entry &e : sections_.value(sectionId(tavrik::core::kSettingsApp, section)))
        if (e.key.compare(key, Qt::CaseInsensitive) == 0)
            return e.value;
    return std::nullopt;
}

QStringList MemoryStore::keys(const QString &section) const
{
    QStringList out;
    for (const Entry &e : sections_.value(sectionId(tavrik::core::kSettingsApp, section)))
        out.append(e.key);
    return out;
}

} // namespace testing
