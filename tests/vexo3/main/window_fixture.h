#pragma once

#include "shared/gui/precisionmenu.h"
#include "shared/gui/termination.h"
#include "tests/support/fakes.h"
#include "controls/cmdbox/cmdbox.h"
#include "vexo3/main/flist.h"
#include "vexo3/main/frmsec.h"
#include "vexo3/version.h"
#include "controls/seg/seg.h"
#include "vexo3/windows/fbig.h"
#include "vexo3/windows/host.h"
#include "tests/vexo3/windows/parts.h"

#include <QApplication>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <array>
#include <QtTest>
#include <memory>


// The main window's parts, found by the names they carry (the names its handlers are
// named after); the window itself keeps them private.
struct MainUi {
    vexo3::Seg *SegBox1 = nullptr;
    std::array<vexo3::cmdBox *, vexo3::kButtonCount> CMD{};
    QLabel *lblDate = nullptr, *lblMode = nullptr, *Label5 = nullptr;
    tavrik::gui::TickTimer *tmrGo = nullptr;
    QTimer *Timer2 = nullptr;
    QMenu *mSec = nullptr, *mTimer = nullptr, *mOption = nullptr, *mShowWindows = nullptr, *mFor = nullptr;
    QMenu *mHelp = nullptr, *mp = nullptr, *mSegPop = nullptr;
    QAction *mstart = nullptr, *mPause = nullptr, *mCoun = nullptr, *mStop = nullptr, *mReset = nullptr;
    QAction *mrec = nullptr, *mLock = nullptr, *mOldVexo = nullptr, *mUnload = nullptr, *mClear = nullptr;
    QAction *mSt = nullptr, *mshowSec = nullptr, *mshowDate = nullptr, *mshowTime = nullptr, *mMiniForm = nullptr;
    QAction *montop = nullptr, *mOption1 = nullptr, *mnewp = nullptr, *myj = nullptr, *mSh = nullptr;
    QAction *mAbout = nullptr, *mShowhms = nullptr, *mShowS = nullptr, *mShowbigForm = nullptr;
    std::array<QAction *, 3> mMode2{};
    std::array<QAction *, 6> msp{};
    std::array<QAction *, 2> mp1{};
};

using testing::partOf;

inline MainUi ui(vexo3::FrmSec &w)
{
    MainUi u;
    u.SegBox1 = partOf<vexo3::Seg>(w, QStringLiteral("SegBox1"));
    for (int i = 0; i < vexo3::kButtonCount; ++i)
        u.CMD[size_t(i)] = partOf<vexo3::cmdBox>(w, QStringLiteral("CMD(%1)").arg(i));
#define TAVRIK_PART(type, name) u.name = partOf<type>(w, QStringLiteral(#name))
    TAVRIK_PART(QLabel, lblDate);
    TAVRIK_PART(QLabel, lblMode);
    TAVRIK_PART(QLabel, Label5);
    TAVRIK_PART(tavrik::gui::TickTimer, tmrGo);
    TAVRIK_PART(QTimer, Timer2);
    TAVRIK_PART(QMenu, mSec);
    TAVRIK_PART(QMenu, mTimer);
    TAVRIK_PART(QMenu, mOption);
    TAVRIK_PART(QMenu, mShowWindows);
    TAVRIK_PART(QMenu, mFor);
    TAVRIK_PART(QMenu, mHelp);
    TAVRIK_PART(QMenu, mp);
    TAVRIK_PART(QMenu, mSegPop);
    TAVRIK_PART(QAction, mstart);
    TAVRIK_PART(QAction, mPause);
    TAVRIK_PART(QAction, mCoun);
    TAVRIK_PART(QAction, mStop);
    TAVRIK_PART(QAction, mReset);
    TAVRIK_PART(QAction, mrec);
    TAVRIK_PART(QAction, mLock);
    TAVRIK_PART(QAction, mOldVexo);
    TAVRIK_PART(QAction, mUnload);
    TAVRIK_PART(QAction, mClear);
    TAVRIK_PART(QAction, mSt);
    TAVRIK_PART(QAction, mshowSec);
    TAVRIK_PART(QAction, mshowDate);
    TAVRIK_PART(QAction, mshowTime);
    TAVRIK_PART(QAction, mMiniForm);
    TAVRIK_PART(QAction, montop);
    TAVRIK_PART(QAction, mOption1);
    TAVRIK_PART(QAction, mnewp);
    TAVRIK_PART(QAction, myj);
    TAVRIK_PART(QAction, mSh);
    TAVRIK_PART(QAction, mAbout);
    TAVRIK_PART(QAction, mShowhms);
    TAVRIK_PART(QAction, mShowS);
    TAVRIK_PART(QAction, mShowbigForm);
#undef TAVRIK_PART
    for (int i = 0; i < 3; ++i)
        u.mMode2[size_t(i)] = partOf<QAction>(w, QStringLiteral("mMode2(%1)").arg(i));
    for (int i = 0; i < 6; ++i)
        u.msp[size_t(i)] = partOf<QAction>(w, QStringLiteral("msp(%1)").arg(i));
    for (int i = 0; i < 2; ++i)
        u.mp1[size_t(i)] = partOf<QAction>(w, QStringLiteral("mp1(%1)").arg(i));
    return u;
}

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
        tavrik::gui::deleteOtherWindows(nullptr);
    }

    // Moves the clock on and lets the stopwatch's timer tick once.
    void tickAfter(double seconds)
    {
        env.clock.advance(seconds);
        if (QTimer *tmrGo = ui(*w).tmrGo; tmrGo->isActive())
            tick(tmrGo);
        testing::showFrames();
    }

    // The buttons as the user sees them.
    QList<int> visibleButtons() const
    {
        QList<int> out;
        for (int i = 0; i < vexo3::kButtonCount; ++i)
            if (ui(*w).CMD[size_t(i)]->isVisibleTo(w.get()))
                out.append(i);
        return out;
    }
    QList<int> enabledButtons() const
    {
        QList<int> out;
        for (int i = 0; i < vexo3::kButtonCount; ++i)
            if (ui(*w).CMD[size_t(i)]->Enabled())
                out.append(i);
        return out;
    }
    QString shown() const { return ui(*w).SegBox1->SegValue(); }
    QString stored(const QString &section, const QString &key) const
    {
        return env.store.value(section, key).value_or(QStringLiteral("<none>"));
    }

    QList<vexo3::fBig *> bigWindows(const QString &mode = QString()) const
    {
        QList<vexo3::fBig *> out;
        for (QWidget *t : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<vexo3::fBig *>(t))
                if (mode.isEmpty() || b->mode() == mode)
                    out.append(b);
        return out;
    }
};

// The version as the title shows it, written out here from the build's version: the
// revision plain ("3.2.74") or with four digits ("3.2.0074").
inline QString titleVersion(bool fourDigits = false)
{
    const tavrik::core::Version &v = vexo3::kVersion;
    return QStringLiteral("%1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision, fourDigits ? 4 : 1, 10, QLatin1Char('0'));
}

inline QList<int> sorted(QList<int> l)
{
    std::sort(l.begin(), l.end());
    return l;
}
