#pragma once

// The big window's and the options dialog's parts, found by the names they carry (the
// names their handlers are named after); the windows themselves keep them private.

#include "controls/cmdbox/cmdbox.h"
#include "controls/seg/seg.h"
#include "tests/support/fakes.h"
#include "vexo3/windows/fbig.h"
#include "vexo3/windows/foption.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>
#include <array>

struct BigUi {
    vexo3::Seg *SegBox1 = nullptr;
    std::array<QLabel *, 2> Label1{};
    QTimer *Timer1 = nullptr;
    QMenu *popm = nullptr, *mnh = nullptr;
    QAction *mNewDateForm = nullptr, *mSec = nullptr, *mdate = nullptr, *mTime = nullptr, *msize = nullptr;
    std::array<QAction *, vexo3::kMaxSegCount - vexo3::kMinSegCount + 1> mNC{};
    std::array<QAction *, 6> mh{};
};

inline BigUi ui(vexo3::fBig &b)
{
    using testing::partOf;
    BigUi u;
    u.SegBox1 = partOf<vexo3::Seg>(b, QStringLiteral("SegBox1"));
    for (size_t i = 0; i < u.Label1.size(); ++i)
        u.Label1[i] = partOf<QLabel>(b, QStringLiteral("Label1(%1)").arg(i));
    u.Timer1 = partOf<QTimer>(b, QStringLiteral("Timer1"));
    u.popm = partOf<QMenu>(b, QStringLiteral("popm"));
    u.mnh = partOf<QMenu>(b, QStringLiteral("mnh"));
    u.mNewDateForm = partOf<QAction>(b, QStringLiteral("mNewDateForm"));
    u.mSec = partOf<QAction>(b, QStringLiteral("mSec"));
    u.mdate = partOf<QAction>(b, QStringLiteral("mdate"));
    u.mTime = partOf<QAction>(b, QStringLiteral("mTime"));
    u.msize = partOf<QAction>(b, QStringLiteral("msize"));
    for (size_t i = 0; i < u.mNC.size(); ++i)
        u.mNC[i] = partOf<QAction>(b, QStringLiteral("mNC(%1)").arg(i));
    for (size_t i = 0; i < u.mh.size(); ++i)
        u.mh[i] = partOf<QAction>(b, QStringLiteral("mh(%1)").arg(i));
    return u;
}

struct OptionUi {
    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr;
    QListWidget *cmbImgList = nullptr;
    vexo3::Seg *SegBox1 = nullptr;
    std::array<QRadioButton *, 2> OptMsStyle{};
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QComboBox *cmbmSCount = nullptr, *Combo1 = nullptr, *Combo2 = nullptr;
    vexo3::cmdBox *cmdOK = nullptr, *cmdCancel = nullptr;
    QTimer *Timer1 = nullptr;
};

inline OptionUi ui(vexo3::fOption &d)
{
    using testing::partOf;
    OptionUi u;
#define TAVRIK_PART(type, name) u.name = partOf<type>(d, QStringLiteral(#name))
    TAVRIK_PART(QGroupBox, Frame1);
    TAVRIK_PART(QGroupBox, Frame2);
    TAVRIK_PART(QGroupBox, Frame3);
    TAVRIK_PART(QListWidget, cmbImgList);
    TAVRIK_PART(vexo3::Seg, SegBox1);
    TAVRIK_PART(QLabel, Label1);
    TAVRIK_PART(QLabel, Label2);
    TAVRIK_PART(QLabel, Label3);
    TAVRIK_PART(QComboBox, cmbmSCount);
    TAVRIK_PART(QComboBox, Combo1);
    TAVRIK_PART(QComboBox, Combo2);
    TAVRIK_PART(vexo3::cmdBox, cmdOK);
    TAVRIK_PART(vexo3::cmdBox, cmdCancel);
    TAVRIK_PART(QTimer, Timer1);
#undef TAVRIK_PART
    for (size_t i = 0; i < u.OptMsStyle.size(); ++i)
        u.OptMsStyle[i] = partOf<QRadioButton>(d, QStringLiteral("OptMsStyle(%1)").arg(i));
    return u;
}

// One tick of a window's timer, as if its interval had passed.
inline void tick(QTimer *timer) { QMetaObject::invokeMethod(timer, "timeout"); }
