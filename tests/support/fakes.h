#pragma once

#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/gui/services.h"
#include "shared/gui/sound.h"
#include "tests/support/corefakes.h"

#include <QApplication>
#include <QDate>
#include <QTimer>
#include <QWidget>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <optional>

class QImage;

namespace testing {

// Replaces the text of a box as a person does: select all, type.
template <class LineEdit>
void retype(LineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}


// A window's part by the name it carries; a test of a window without it cannot go on.
template <typename T>
T *partOf(QObject &window, const QString &name)
{
    T *part = window.findChild<T *>(name);
    if (!part)
        qFatal("the window has no %s", qPrintable(name));
    return part;
}

// Records every box; answers input boxes from a queue (empty queue: Cancel).
class FakeDialogs final : public tavrik::gui::Dialogs {
public:
    struct Box {
        QString text;
        QString title;
        tavrik::gui::MsgIcon icon;
        bool scrolls = false; // a long-text box
    };
    void message(QWidget *, const QString &text, const QString &title, tavrik::gui::MsgIcon icon) override
    {
        boxes.append({text, title, icon});
    }
    void longMessage(QWidget *, const QString &text, const QString &title, tavrik::gui::MsgIcon icon) override
    {
        boxes.append({text, title, icon, true});
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
    // Answers Yes/No questions from a queue; an empty queue answers No.
    bool question(QWidget *, const QString &text, const QString &title) override
    {
        questions.append({text, title, tavrik::gui::MsgIcon::None});
        return !yesNo.isEmpty() && yesNo.takeFirst();
    }
    QList<Box> boxes;
    QList<Box> prompts;
    QStringList defaults;
    QList<std::optional<QString>> answers;
    QList<Box> questions;
    QList<bool> yesNo;
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

// The visible top-level windows, and the names of those whose 16-pixel icon is not
// `expected`.
struct WindowIcons {
    int windows = 0;
    QStringList wrong;
};
WindowIcons windowIcons(const QImage &expected);

// Records every sound asked for.
class FakeSound final : public tavrik::gui::Sound {
public:
    void play(const QString &path) override { played.append(path); }
    void beep() override { ++beeps; }
    QStringList played;
    int beeps = 0;
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
    FakeSound sound;
    MemoryStore store;

private:
    QTemporaryDir dir_;
    std::unique_ptr<tavrik::gui::ScopedServices> scope_;
};

// The windows show what a tick changed at most once a frame: shows now whatever
// waits for its frame (as the frame's end would), so a test reads what a person
// would see next.
inline void showFrames()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        for (QTimer *t : w->findChildren<QTimer *>(QStringLiteral("frameGate")))
            if (t->isActive()) {
                t->stop();
                QMetaObject::invokeMethod(t, "timeout");
            }
}

} // namespace testing
