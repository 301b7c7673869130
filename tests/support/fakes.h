#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/services.h"
#include "platform/settingsstore.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>
#include <optional>

namespace testing {

// A clock the test sets.
class FakeClock final : public platform::Clock {
public:
    platform::Now now() const override { return now_; }
    void set(qint32 day, float seconds) { now_ = {day, seconds}; }
    void set(const QDate &date, float seconds) { set(platform::dayNumber(date), seconds); }
    // Moves on by the given seconds, rolling over midnight.
    void advance(double seconds);
    platform::Now now_{45000, 36000.0f};
};

// Records every box; answers input boxes from a queue (empty queue: Cancel).
class FakeDialogs final : public platform::Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        platform::MsgIcon icon;
    };
    void message(QWidget *, const QString &text, const QString &title, platform::MsgIcon icon) override
    {
        boxes.append({text, title, icon});
    }
    std::optional<QString> input(QWidget *, const QString &prompt, const QString &title,
                                 const QString &defaultText) override
    {
        prompts.append({prompt, title, platform::MsgIcon::None});
        defaults.append(defaultText);
        if (answers.isEmpty())
            return std::nullopt;
        return answers.takeFirst();
    }
    QList<Box> boxes;
    QList<Box> prompts;
    QStringList defaults;
    QList<std::optional<QString>> answers;
};

class FakeLauncher final : public platform::Launcher {
public:
    bool openUrl(const QUrl &url) override
    {
        urls.append(url);
        return openResult;
    }
    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        started.append(program);
        startedArgs.append(arguments);
        return startResult;
    }
    QList<QUrl> urls;
    QStringList started;
    QList<QStringList> startedArgs;
    bool openResult = true;
    bool startResult = true;
};

// An in-memory store, matching sections and keys without regard to case.
class MemoryStore final : public platform::SettingsStore {
public:
    QString read(const QString &app, const QString &section, const QString &key,
                 const QString &defaultValue) override;
    bool save(const QString &app, const QString &section, const QString &key,
              const QString &value) override;
    bool saveAll(const QString &app, const QString &section, const platform::KeyValues &values) override;
    // The value stored, or nothing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    // Keys of a section in the order they were first written.
    QStringList keys(const QString &section) const;
    int saveCalls = 0;
    bool failSaves = false; // every save fails and changes nothing

private:
    struct Entry {
        QString key;
        QString value;
    };
    QMap<QString, QList<Entry>> sections_; // by lower-case "app/section"
};

// Fakes for every service, a temporary program folder and config folder; installed
// for the lifetime of the object.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    QString appDir() const; // with trailing "/"
    QString tempDir() const;
    // Back to a first run: fakes emptied, folders emptied.
    void reset();

    FakeClock clock;
    FakeDialogs dialogs;
    FakeLauncher launcher;
    MemoryStore store;

private:
    QTemporaryDir dir_;
    std::unique_ptr<platform::ScopedServices> scope_;
};

} // namespace testing
