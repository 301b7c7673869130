#pragma once

#include "tests/support/fakes.h"
#include "vexo3/cmdbox/cmdbox.h"
#include "vexo3/main/flist.h"
#include "vexo3/main/frmsec.h"
#include "vexo3/seg/seg.h"
#include "vexo3/windows/fbig.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QtTest>
#include <memory>


// A main window on fake services: fake clock, in-memory store, fake dialogs and
// launcher, a temporary program folder and temporary folder.
struct MainFixture {
    testing::TestEnv env;
    std::unique_ptr<vexo3::FrmSec> w;

    MainFixture() { env.clock.set(QDate(2009, 5, 12), 36000.0f); }
    ~MainFixture() { closeAll(); }

    // Every test starts from a first run.
    void reset()
    {
        closeAll();
        env.reset();
        env.clock.set(QDate(2009, 5, 12), 36000.0f);
    }

    vexo3::FrmSec &load()
    {
        w = std::make_unique<vexo3::FrmSec>();
        w->Form_Load();
        return *w;
    }

    // Closes the window the way the program ends, then makes a new one on the same
    // store: a restart.
    vexo3::FrmSec &restart()
    {
        w->close();
        closeAll();
        return load();
    }

    void closeAll()
    {
        w.reset();
        QList<QPointer<QWidget>> others;
        for (QWidget *t : QApplication::topLevelWidgets())
            if (!t->parentWidget())
                others.append(t);
        for (const QPointer<QWidget> &t : others)
            delete t.data();
    }

    // Moves the clock on and lets the stopwatch tick once.
    void tickAfter(double seconds)
    {
        env.clock.advance(seconds);
        if (w->tmrGo.isActive())
            w->tmrGo_Timer();
    }

    QList<int> visibleButtons() const
    {
        QList<int> out;
        for (int i = 0; i < vexo3::kButtonCount; ++i)
            if (w->buttonVisible(i))
                out.append(i);
        return out;
    }
    QList<int> enabledButtons() const
    {
        QList<int> out;
        for (int i = 0; i < vexo3::kButtonCount; ++i)
            if (w->buttonEnabled(i))
                out.append(i);
        return out;
    }
    QString shown() const { return w->SegBox1->SegValue(); }
    QString stored(const QString &section, const QString &key) const
    {
        return env.store.value(section, key).value_or(QStringLiteral("<none>"));
    }

    QList<vexo3::fBig *> bigWindows(const QString &mode = QString()) const
    {
        QList<vexo3::fBig *> out;
        for (QWidget *t : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<vexo3::fBig *>(t))
                if (mode.isEmpty() || b->lblMode == mode)
                    out.append(b);
        return out;
    }
};

inline QList<int> sorted(QList<int> l)
{
    std::sort(l.begin(), l.end());
    return l;
}
