#pragma once

// Fakes that need nothing but Qt Core: usable by the engines' tests, which link no
// widgets.

#include "shared/core/clock.h"
#include "shared/core/settingsstore.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QStringList>
#include <optional>

namespace testing {

// A clock the test sets. now() gives the seconds in single precision, as the real
// clock does; absoluteSeconds() keeps what the test set and advanced in double.
class FakeClock final : public tavrik::core::Clock {
public:
    tavrik::core::Now now() const override { return now_; }
    double absoluteSeconds() const override { return absolute_; }
    void set(qint32 day, double seconds)
    {
        now_ = {day, float(seconds)};
        absolute_ = double(day) * 86400.0 + seconds;
    }
    void set(const QDate &date, double seconds) { set(tavrik::core::dayNumber(date), seconds); }
    // Moves on by the given seconds, rolling over midnight.
    void advance(double seconds);
    tavrik::core::Now now_{45000, 36000.0f};

private:
    double absolute_ = 45000 * 86400.0 + 36000.0;
};

// An in-memory store, matching sections and keys without regard to case.
class MemoryStore final : public tavrik::core::SettingsStore {
public:
    QString read(const QString &app, const QString &section, const QString &key,
                 const QString &defaultValue) override;
    bool save(const QString &app, const QString &section, const QString &key,
              const QString &value, QString *error = nullptr) override;
    bool saveAll(const QString &app, const QString &section, const tavrik::core::KeyValues &values,
                 QString *error = nullptr) override;
    QString problem(const QString &) override { return problemText; }
    bool pending() override { return pendingSaves; }
    bool flush(int) override
    {
        ++flushCalls;
        return true;
    }
    // The value stored, or nothing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    // Keys of a section in the order they were first written.
    QStringList keys(const QString &section) const;
    int saveCalls = 0;
    int flushCalls = 0;
    bool failSaves = false; // every save fails and changes nothing
    QString problemText;    // what problem() says
    bool pendingSaves = false; // what pending() says: saves wait for a lock

private:
    struct Entry {
        QString key;
        QString value;
    };
    QMap<QString, QList<Entry>> sections_; // by lower-case "app/section"
};

} // namespace testing
