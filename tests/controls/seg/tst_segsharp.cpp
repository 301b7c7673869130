#include "tests/support/fakes.h"
#include "controls/picture/devicepixels.h"
#include "controls/seg/seg.h"
#include "tests/controls/seg/segreader.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QtTest>

#include <cmath>
#include <map>

using namespace vexo3;

// Digit displays on screens of ratio 1 and 2 (and 1.5 and 3 under QT_SCALE_FACTOR=1.5):
// cells made at their size in device pixels and painted 1:1, so a vector set stays
// sharp however large the digits are.
namespace {

const QString kRedSvg = kResources + QStringLiteral("/seg/red.svg");
const QColor kRed(0xFF, 0x45, 0x00);

// The big display of the issue: 20 cells, 1600 x 300 pixels.
constexpr int kCells = 20;
const QSize kBig(1600, 300);

bool near(QRgb a, const QColor &b, int tolerance = 6)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
           && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// Walking from `from` in steps of `step` through the image: the number of pixels from
// the first one that is no longer background to the first one in the segment colour,
// both counted; 0 when the walk meets no segment.
int edgeWidth(const QImage &img, QPoint from, QPoint step, const QColor &background, const QColor &colour)
{
    int firstOff = -1;
    for (int i = 0; img.rect().contains(from + step * i); ++i) {
        const QRgb px = img.pixel(from + step * i);
        if (firstOff < 0 && !near(px, background))
            firstOff = i;
        if (firstOff >= 0 && near(px, colour))
            return i - firstOff + 1;
    }
    return 0;
}

QImage grabbed(QWidget &w) { return w.grab().toImage(); }

} // namespace

class TestSegSharp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void edgesAreSharp_data();
    void edgesAreSharp();
    void cellsPaintedOneToOne_data();
    void cellsPaintedOneToOne();
    void movingToAnotherRatioRedraws();
    void changedCellsRepaintAtTheRatio();

private:
    Seg &bigOn(int screen, const QString &set);
    std::unique_ptr<testing::TestEnv> env_;
    std::unique_ptr<Seg> seg_;
};

void TestSegSharp::init()
{
    seg_.reset();
    env_.reset();
    env_ = std::make_unique<testing::TestEnv>();
}

void TestSegSharp::cleanup() { seg_.reset(); }

Seg &TestSegSharp::bigOn(int screen, const QString &set)
{
    seg_ = std::make_unique<Seg>();
    seg_->resize(kBig);
    seg_->setSegCount(QString::number(kCells));
    if (!set.isEmpty() && !seg_->LoadSegImageFile(set))
        qFatal("cannot load %s", qPrintable(set));
    seg_->setSegValue(QString(kCells, u'8'));
    if (!testing::showOnScreen(seg_.get(), screen))
        qFatal("display not shown on screen %d", screen);
    return *seg_;
}

void TestSegSharp::edgesAreSharp_data()
{
    QTest::addColumn<int>("screen");
    QTest::newRow("first screen") << 0;
    QTest::newRow("second screen, twice the ratio") << 1;
}

void TestSegSharp::edgesAreSharp()
{
    QFETCH(int, screen);
    Seg &s = bigOn(screen, kRedSvg);
    const qreal ratio = testing::screenNumber(screen)->devicePixelRatio();
    const QImage img = grabbed(s);
    QCOMPARE(img.size(), (QSizeF(kBig) * ratio).toSize());

    // The last "8": every segment lit, 80 x 300 pixels stretched from a 15 x 27 grid.
    const QRect cell = segtest::deviceCell(s, kCells - 1, ratio);
    const int midX = cell.center().x();
    const int upperY = cell.top() + cell.height() / 4;
    struct Walk { const char *what; QPoint from, step; };
    const Walk walks[] = {
            {"down into the top segment", {midX, cell.top()}, {0, 1}},
            {"up into the bottom segment", {midX, cell.bottom()}, {0, -1}},
            {"down from the top segment into the middle one", {midX, cell.top() + cell.height() / 4}, {0, 1}},
            {"right into the upper right segment", {midX, upperY}, {1, 0}},
            {"left into the upper left segment", {midX, upperY}, {-1, 0}},
    };
    for (const Walk &w : walks) {
        const int width = edgeWidth(img, w.from, w.step, Qt::black, kRed);
        QVERIFY2(width >= 1 && width <= 2, qPrintable(QStringLiteral("%1: edge %2 device pixels wide")
                                                             .arg(QLatin1String(w.what)).arg(width)));
    }
}

void TestSegSharp::cellsPaintedOneToOne_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("set");
    QTest::newRow("svg, first screen") << 0 << kRedSvg;
    QTest::newRow("svg, second screen") << 1 << kRedSvg;
    QTest::newRow("slanted svg, second screen") << 1 << kResources + "/seg/amber.svg";
    QTest::newRow("png, second screen") << 1 << kResources + "/seg/green.png";
    QTest::newRow("built-in, second screen") << 1 << QString();
}

void TestSegSharp::cellsPaintedOneToOne()
{
    QFETCH(int, screen);
    QFETCH(QString, set);
    Seg &s = bigOn(screen, set);
    s.setSegValue(QStringLiteral("0:12:34.567-AbcdEFGH"));
    const qreal ratio = testing::screenNumber(screen)->devicePixelRatio();
    const QImage img = grabbed(s);

    // Each cell is the glyph made at that cell's size in device pixels, not a picture
    // made at logical size and stretched by the painter.
    tavrik::picture::PictureClip clip(seg::kPictureRows, seg::kPictureCols);
    if (set.isEmpty())
        clip.setPicture(QImage(QStringLiteral(":/tavrik/digits.png")));
    else
        clip = segtest::clipOf(set);
    segtest::Glyphs glyphs(clip);
    QVERIFY(segtest::cellsMatch(img, s, ratio, glyphs));
}

void TestSegSharp::movingToAnotherRatioRedraws()
{
    Seg &s = bigOn(0, kRedSvg);
    const qreal low = testing::screenNumber(0)->devicePixelRatio();
    const qreal high = testing::screenNumber(1)->devicePixelRatio();
    QCOMPARE(grabbed(s).devicePixelRatio(), low);
    const int before = s.scaledPictureBuilds();

    s.move(testing::screenNumber(1)->geometry().topLeft() + QPoint(40, 40));
    QTRY_COMPARE(s.screen(), testing::screenNumber(1));
    QTRY_COMPARE(s.devicePixelRatioF(), high);
    const QImage img = grabbed(s);
    QCOMPARE(img.devicePixelRatio(), high);
    QCOMPARE(img.size(), (QSizeF(kBig) * high).toSize());
    const QRect cell = segtest::deviceCell(s, kCells - 1, high);
    QVERIFY(edgeWidth(img, {cell.center().x(), cell.top()}, {0, 1}, Qt::black, kRed) <= 2);
    const int afterMove = s.scaledPictureBuilds();
    QVERIFY(afterMove > before);

    // Values at the new ratio make nothing again.
    for (int i = 0; i < 100; ++i)
        s.setSegValue(QString::number(1000 + i * 1.001, 'f', 3));
    grabbed(s);
    QCOMPARE(s.scaledPictureBuilds(), afterMove);

    // And back.
    s.move(testing::screenNumber(0)->geometry().topLeft() + QPoint(40, 40));
    QTRY_COMPARE(s.devicePixelRatioF(), low);
    QCOMPARE(grabbed(s).size(), (QSizeF(kBig) * low).toSize());
}

void TestSegSharp::changedCellsRepaintAtTheRatio()
{
    Seg &s = bigOn(1, kRedSvg);
    const qreal ratio = s.devicePixelRatioF();
    s.setSegValue(QStringLiteral("12345678901234567890"));
    segtest::settle(s);
    segtest::PaintLog log(&s);
    // A write repaints the cells it changed: their logical rectangles must take in
    // every device pixel of them, though at this ratio cell edges fall between
    // logical pixels.
    s.setSegValue(QStringLiteral("12345678901234567891"));
    QTRY_VERIFY(log.painted().contains(tavrik::picture::coveringLogical(segtest::deviceCell(s, kCells - 1, ratio), ratio)));
    s.setSegValue(QStringLiteral("1234567890123456.891"));
    QTRY_VERIFY(log.painted().contains(tavrik::picture::coveringLogical(segtest::deviceCell(s, kCells - 4, ratio), ratio)));
    // Cells that kept their glyph were left alone.
    QVERIFY(!log.painted().intersects(tavrik::picture::coveringLogical(segtest::deviceCell(s, kCells - 6, ratio), ratio)));
}

TAVRIK_TWO_SCREENS_MAIN(TestSegSharp)
#include "tst_segsharp.moc"
