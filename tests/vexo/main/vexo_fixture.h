#pragma once

#include "shared/gui/precisionmenu.h"
#include "shared/gui/termination.h"
#include "tests/support/fakes.h"
#include "vexo/main/flist.h"
#include "vexo/main/frmsec.h"
#include "controls/xp/xpcmdbutton.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <array>
#include <memory>

// The main window's parts, found by the names they carry; the window keeps them
// private.
struct VexoUi {
    vexo::xpcmdbutton *Label4 = nullptr;
    std::array<vexo::xpcmdbutton *, vexo::kButtonCount> cmd{};
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label5 = nullptr, *Label6 = nullptr;
    QLabel *lblTime = nullptr, *lblTimer = nullptr, *lblDate = nullptr;
    QWidget *Shape1 = nullptr, *Line1 = nullptr;
    tavrik::gui::TickTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QMenu *mSec = nullptr, *mFor = nullptr, *mTimer = nullptr, *mP = nullptr;
    QAction *mstart = nullptr, *mPause = nullptr, *mCoun = nullptr, *mStop = nullptr, *mReset = nullptr;
    QAction *mrec = nullptr, *mLock = nullptr, *mA60 = nullptr, *mB60 = nullptr, *mMiniForm = nullptr;
    QAction *mClear = nullptr, *mSt = nullptr, *montop = nullptr, *mnewp = nullptr, *mSH = nullptr;
    QAction *mAbout = nullptr, *mUnload = nullptr;
    std::array<QAction *, 6> msp{};
    std::array<QAction *, 3> mMode2{};
    std::array<QAction *, 3> mp1{};

    vexo::xpcmdbutton *button(vexo::Button b) const { return cmd[size_t(b)]; }
};

// The colour a label writes its text in.
inline QColor textColour(const QLabel *l) { return l->palette().color(l->foregroundRole()); }

using testing::partOf;

inline VexoUi ui(vexo::FrmSec &w)
{
    VexoUi u;
    const char *const names[vexo::kButtonCount] = {"cmdStart", "cmdPause", "cmdCoun",  "cmdStop",
                                                   "cmdReset", "cmdLog",   "cmdAbout", "cmdClose"};
    for (int i = 0; i < vexo::kButtonCount; ++i)
        u.cmd[size_t(i)] = partOf<vexo::xpcmdbutton>(w, QString::fromLatin1(names[i]));
#define VEXO_PART(type, name) u.name = partOf<type>(w, QStringLiteral(#name))
    VEXO_PART(vexo::xpcmdbutton, Label4);
    VEXO_PART(QLabel, Label1);
    VEXO_PART(QLabel, Label2);
    VEXO_PART(QLabel, Label5);
    VEXO_PART(QLabel, Label6);
    VEXO_PART(QLabel, lblTime);
    VEXO_PART(QLabel, lblTimer);
    VEXO_PART(QLabel, lblDate);
    VEXO_PART(QWidget, Shape1);
    VEXO_PART(QWidget, Line1);
    VEXO_PART(tavrik::gui::TickTimer, Timer1);
    VEXO_PART(QTimer, Timer2);
    VEXO_PART(QMenu, mSec);
    VEXO_PART(QMenu, mFor);
    VEXO_PART(QMenu, mTimer);
    VEXO_PART(QMenu, mP);
    VEXO_PART(QAction, mstart);
    VEXO_PART(QAction, mPause);
    VEXO_PART(QAction, mCoun);
    VEXO_PART(QAction, mStop);
    VEXO_PART(QAction, mReset);
    VEXO_PART(QAction, mrec);
    VEXO_PART(QAction, mLock);
    VEXO_PART(QAction, mA60);
    VEXO_PART(QAction, mB60);
    VEXO_PART(QAction, mMiniForm);
    VEXO_PART(QAction, mClear);
    VEXO_PART(QAction, mSt);
    VEXO_PART(QAction, montop);
    VEXO_PART(QAction, mnewp);
    VEXO_PART(QAction, mSH);
    VEXO_PART(QAction, mAbout);
    VEXO_PART(QAction, mUnload);
#undef VEXO_PART
    for (int i = 0; i < 6; ++i)
        u.msp[size_t(i)] = partOf<QAction>(w, QStringLiteral("msp(%1)").arg(i));
    for (int i = 0; i < 3; ++i) {
        u.mMode2[size_t(i)] = partOf<QAction>(w, QStringLiteral("mMode2(%1)").arg(i));
        u.mp1[size_t(i)] = partOf<QAction>(w, QStringLiteral("mp1(%1)").arg(i));
    }
    return u;
}

// A main window on fake services: fake clock, in-memory store, recording dialogs,
// launcher and sound, a temporary program folder and temporary folder.
struct VexoFixture {
    testing::TestEnv env;
    std::unique_ptr<vexo::FrmSec> w;
    static constexpr int kDay = 45000;

    VexoFixture() { env.clock.set(kDay, 36000.0); }
    ~VexoFixture() { closeAll(); }

    // Every test starts from a first run.
    void reset()
    {
        closeAll();
        env.reset();
        env.clock.set(kDay, 36000.0);
    }

    vexo::FrmSec &load()
    {
        w = std::make_unique<vexo::FrmSec>();
        w->Form_Load();
        return *w;
    }

    // The program ends and starts again on the same store.
    vexo::FrmSec &restart()
    {
        closeAll();
        return load();
    }

    void closeAll()
    {
        w.reset();
        tavrik::gui::deleteOtherWindows(nullptr);
    }

    VexoUi parts() { return ui(*w); }

    // Moves the clock on and lets Timer1 tick once, as it would while running.
    void tickAfter(double seconds)
    {
        env.clock.advance(seconds);
        if (parts().Timer1->isActive())
            w->Timer1_Timer();
        testing::showFrames();
    }

    // A click as a person makes it: on the button seen in its slot.
    void click(vexo::Button b) { QTest::mouseClick(parts().button(b), Qt::LeftButton); }
    // A key pressed and released on the window (QTest's own key clicks know no Cancel).
    void key(int key, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, m);
        QApplication::sendEvent(w.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, m);
        QApplication::sendEvent(w.get(), &release);
    }

    // What the four slots show, by caption ("-" for an empty slot).
    QStringList seen()
    {
        QStringList out;
        const VexoUi u = parts();
        for (int slot = 0; slot < vexo::kSlotCount; ++slot) {
            QString shown = QStringLiteral("-");
            for (vexo::Button b : vexo::slotButtons(slot))
                if (u.button(b)->isVisible())
                    shown = shown == QStringLiteral("-") ? u.button(b)->Caption() : QStringLiteral("<two>");
            out << shown;
        }
        return out;
    }

    QString stored(const QString &key) const
    {
        return env.store.value(QStringLiteral("Tavrik"), key).value_or(QStringLiteral("<none>"));
    }
    void store(const QString &key, const QString &value)
    {
        env.store.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), key, value);
    }

    vexo::fList *recordList() const
    {
        for (QWidget *t : QApplication::topLevelWidgets())
            if (auto *l = qobject_cast<vexo::fList *>(t))
                return l;
        return nullptr;
    }
};
