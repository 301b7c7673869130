#pragma once

// What the options dialog's tests share: digit sets of flat colours that tell where a
// painted cell came from, a user's clicks on the dialog's controls, and a main window
// stand-in that logs what the dialog tells it.

#include "shared/core/profile.h"
#include "shared/gui/placement.h"
#include "controls/twips.h"
#include "tests/support/fakes.h"
#include "controls/cmdbox/cmdbox.h"
#include "controls/seg/seg.h"
#include "vexo3/windows/fbig.h"
#include "vexo3/windows/foption.h"
#include "vexo3/windows/host.h"
#include "tests/vexo3/windows/parts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStyleOptionButton>
#include <QtTest>
#include <memory>

namespace optiontest {

using namespace vexo3;


// A digit image set whose every cell is one flat colour, so that a painted cell tells
// which set and which glyph it came from.
struct DigitSet {
    const char *file;
    QColor (*colour)(int glyph);
};
inline const DigitSet kRed{"seg/red.png", [](int g) { return QColor(250, 8 * g, 0); }};
inline const DigitSet kGreen{"seg/green.png", [](int g) { return QColor(0, 250, 8 * g); }};
inline const DigitSet kBlueSvg{"seg/blue.svg", [](int g) { return QColor(8 * g, 0, 250); }};

inline void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

// A set named *.svg is written as a drawing declared at 1 x 1 pixel a cell: only
// drawn at the preview's size does it show the black bar across the upper part of
// every cell (a fifth to a third of its height).
inline void writeDigitSet(const QString &appDir, const DigitSet &set)
{
    const QString path = appDir + QString::fromLatin1(set.file);
    QDir().mkpath(QFileInfo(path).path());
    if (path.endsWith(QStringLiteral(".svg"))) {
        QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"12\" height=\"2\" viewBox=\"0 0 120 60\""
                         " preserveAspectRatio=\"none\">";
        for (int g = 0; g < 24; ++g) {
            const int x = (g % 12) * 10, y = (g / 12) * 30;
            svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"10\" height=\"30\" fill=\"%3\"/>"
                                  "<rect x=\"%1\" y=\"%4\" width=\"10\" height=\"4\" fill=\"#000000\"/>")
                           .arg(x).arg(y).arg(set.colour(g).name()).arg(y + 6)
                           .toLatin1();
        }
        writeFile(path, svg + "</svg>");
        return;
    }
    constexpr int cw = 10, ch = 18;
    QImage img(12 * cw, 2 * ch, QImage::Format_RGB32);
    for (int g = 0; g < 24; ++g) {
        const QRect cell((g % 12) * cw, (g / 12) * ch, cw, ch);
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                img.setPixelColor(x, y, set.colour(g));
    }
    QVERIFY(img.save(path, "PNG"));
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline const QByteArray kTwoSets = "[SegFont]\n"
                            "Count=2\n"
                            "1=red,seg/red.png\n"
                            "2=green,seg/green.png\n"
                            "Selected=1\n"
                            "\n"
                            "[Setting]\n"
                            "msStyle=0\n"
                            "msCount=3\n";

// Fresh fakes on a program folder with the red and the green set listed in Vexo.ini,
// the red one chosen.
inline std::unique_ptr<testing::TestEnv> twoSetsEnv()
{
    auto env = std::make_unique<testing::TestEnv>();
    env->clock.set(45000, 45296.13f);
    writeDigitSet(env->appDir(), kRed);
    writeDigitSet(env->appDir(), kGreen);
    writeFile(env->appDir() + QStringLiteral("Vexo.ini"), kTwoSets);
    return env;
}

// The centre of a shown cell in widget pixels.
inline QPoint cellCentre(const Seg *s, int position)
{
    const QRectF t = s->cellRectTwips(position);
    const int l = tavrik::controls::px(t.left()), r = tavrik::controls::px(t.right());
    const int top = tavrik::controls::px(t.top()), b = tavrik::controls::px(t.bottom());
    return QPoint((l + r) / 2, (top + b) / 2);
}

// How many of the display's cells are painted in the set's colour for their glyph.
inline int cellsPaintedFrom(Seg *s, const DigitSet &set)
{
    const QImage img = s->grab().toImage();
    int n = 0;
    for (int p = 0; p < s->visibleCells(); ++p)
        if (img.pixelColor(cellCentre(s, p)) == set.colour(s->cellGlyph(p)))
            ++n;
    return n;
}

inline bool paintedFrom(Seg *s, const DigitSet &set)
{
    const int n = cellsPaintedFrom(s, set);
    if (n != s->visibleCells())
        qWarning("%d of %d cells painted from %s", n, s->visibleCells(), set.file);
    return n == s->visibleCells();
}

// What a fresh display with the built-in digits paints for the same size and text.
inline QImage builtInLook(Seg *s)
{
    Seg ref;
    ref.resize(s->size());
    ref.setSegCount(s->SegCount());
    ref.setSegValue(s->SegValue());
    return ref.grab().toImage();
}

// The user picks a list entry with the mouse.
inline void clickRow(QListWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The user clicks an option button on its round indicator.
inline void clickOption(QRadioButton *b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    const QRect r = b->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, b);
    QTest::mouseClick(b, Qt::LeftButton, {}, r.center());
}

// The user opens a drop-down list and clicks one of its items.
inline void chooseItem(QComboBox *combo, int row)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const QRect r = view->visualRect(combo->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    if (view->isVisible())
        combo->hidePopup();
}

inline void click(cmdBox *b) { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); }

inline bool itemEnabled(QComboBox *combo, int row)
{
    return combo->model()->flags(combo->model()->index(row, 0)).testFlag(Qt::ItemIsEnabled);
}

inline QString ini(const testing::TestEnv &env, const QString &section, const QString &key)
{
    return tavrik::core::ReadIni(section, key, QStringLiteral("<none>"), env.appDir() + QStringLiteral("Vexo.ini"));
}

// The main window as the dialog sees it: a display of its own and the big window,
// with a log of what the dialog told it, and what was true at each call.
class FakeHost : public MainHost {
public:
    FakeHost()
    {
        icon = QIcon(QPixmap::fromImage([] {
            QImage i(16, 16, QImage::Format_RGB32);
            i.fill(QColor(10, 120, 230));
            return i;
        }()));
        main.resize(296, 41);
        seg = new Seg(&main);
        seg->setGeometry(main.rect());
    }
    ~FakeHost() override { delete big.data(); }

    fBig *bigWindow(bool create) override
    {
        if (!big && create) {
            big = new fBig(this);
            ++bigCreated;
        }
        return big;
    }
    QIcon hostIcon() const override { return icon; }
    short SegMode2() const override { return mode2; }
    void setSegMode2(short m) override { mode2 = m; }
    short SegCounts1() const override { return counts1; }
    short SegCounts2() const override { return counts2; }
    void setSegCounts(short a, short b) override
    {
        counts1 = a;
        counts2 = b;
        log << QStringLiteral("setSegCounts %1 %2").arg(a).arg(b);
        snapshot();
    }
    float SegHeight() const override { return 200.0f; }
    void setSegHeight(float) override {}
    Seg *mainSeg() override { return seg; }
    void setFractionStyle(short s, short c) override
    {
        msStyle = s;
        msCount = c;
        log << QStringLiteral("setFractionStyle %1 %2").arg(s).arg(c);
        snapshot();
    }
    void SaveState() override
    {
        log << QStringLiteral("SaveState");
        snapshot();
    }
    // A failed save of the big window's height; the dialog's tests never make one.
    void saved(bool, const QString &) override {}

    // At each call: Selected, mSStyle and mSCount in Vexo.ini, both displays' cell
    // counts, whether the dialog is on screen.
    void snapshot()
    {
        const QString file = tavrik::gui::AppDir() + QStringLiteral("Vexo.ini");
        auto r = [&](const char *s, const char *k) {
            return tavrik::core::ReadIni(QString::fromLatin1(s), QString::fromLatin1(k), QStringLiteral("-"), file);
        };
        states << QStringLiteral("%1 %2 %3 | %4 %5 | %6")
                      .arg(r("SegFont", "Selected"), r("Setting", "mSStyle"), r("Setting", "mSCount"),
                           seg->SegCount(), big ? ui(*big).SegBox1->SegCount() : QStringLiteral("-"),
                           dialog && dialog->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
    }

    QIcon icon;
    QWidget main;
    Seg *seg = nullptr;
    QPointer<fBig> big;
    QPointer<fOption> dialog;
    int bigCreated = 0;
    short mode2 = 0;
    short counts1 = 14;
    short counts2 = 14;
    short msStyle = -1;
    short msCount = -1;
    QStringList log;
    QStringList states;
};

} // namespace optiontest
