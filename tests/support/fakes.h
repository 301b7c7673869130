#pragma once

#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/gui/services.h"
#include "tests/support/corefakes.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>
#include <optional>

namespace testing {

// Records every box; answers input boxes from a queue (empty queue: Cancel).
class FakeDialogs final : public tavrik::gui::Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        tavrik::gui::MsgIcon icon;
    };
    void message(QWidget *, const QString &text, const QString &title, tavrik::gui::MsgIcon icon) override
    {
        boxes.append({text, title, icon});
    }
    std::optional<QString> input(QWidget *, const QString &prompt, const QString &title,
                                 const QString &defaultText) override
    {
        prompts.append({prompt, title, tavrik::gui::MsgIcon::None});
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

class FakeLauncher final : public tavrik::gui::Launcher {
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

// Fakes for every service, a temporary program folder, temporary folder and user
// folder; installed for the lifetime of the object.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    QString appDir() const; // with trailing "/"
    QString tempDir() const;
    // The user's own folder (where a read-only program folder's Vexo.ini is copied).
    QString userDir() const;
    // The program folder as installed for the whole system: it takes no writes (else
    // the real check of the temporary folder).
    void setAppDirReadOnly(bool readOnly);
    // Back to a first run: fakes emptied, folders emptied.
    void reset();

    FakeClock clock;
    FakeDialogs dialogs;
    FakeLauncher launcher;
    MemoryStore store;

private:
    QTemporaryDir dir_;
    std::unique_ptr<tavrik::gui::ScopedServices> scope_;
};

} // namespace testing
