#include "tests/support/fakes.h"
#include "tests/controls/cmdbox/buttonwindow.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

using namespace vexo3;
using namespace buttontest;

// A button on screens of ratio 1 and 2: its faces are stretched over it in device
// pixels, so at ratio 2 every pixel of the ratio-1 button becomes a sharp 2 x 2 block
// (the 3-pixel frame 6 device pixels wide) rather than a picture blurred by scaling.
class TestCmdBoxRatio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void facesAtDevicePixels_data();
    void facesAtDevicePixels();
    void movingToAnotherRatio();

private:
    Window &shownOn(int screen);
    QImage faceShot(Window &w) { return w.button->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    std::unique_ptr<testing::TestEnv> env_;
    std::unique_ptr<Window> window_;
};

void TestCmdBoxRatio::init()
{
    window_.reset();
    env_.reset();
    env_ = std::make_unique<testing::TestEnv>();
    QCursor::setPos(0, 0);
}

void TestCmdBoxRatio::cleanup() { window_.reset(); }

Window &TestCmdBoxRatio::shownOn(int screen)
{
    window_ = std::make_unique<Window>();
    window_->button->setCaption(QString());
    if (!testing::showOnScreen(window_.get(), screen))
        qFatal("window not shown on screen %d", screen);
    return *window_;
}

void TestCmdBoxRatio::facesAtDevicePixels_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QSize>("size");
    QTest::newRow("normal, 100 x 30") << true << QSize(100, 30);
    QTest::newRow("disabled, 100 x 30") << false << QSize(100, 30);
    QTest::newRow("normal, odd size") << true << QSize(73, 25);
}

void TestCmdBoxRatio::facesAtDevicePixels()
{
    QFETCH(bool, enabled);
    QFETCH(QSize, size);
    Window &w = shownOn(1);
    w.button->resize(size);
    w.button->setEnabled(enabled);
    const QImage img = faceShot(w);
    const int k = 2;
    QCOMPARE(w.devicePixelRatioF(), qreal(k));
    QCOMPARE(img.size(), size * k);
    const QImage src = builtInFace(enabled ? 0 : 3);
    const int W = size.width() * k, H = size.height() * k;

    // Corners: the picture's 3 x 3 corners, each pixel a 2 x 2 block.
    const struct { QPoint at, from; } corners[] = {{{0, 0}, {0, 0}}, {{W - 3 * k, 0}, {69, 0}},
                                                   {{W - 3 * k, H - 3 * k}, {69, 17}}, {{0, H - 3 * k}, {0, 17}}};
    for (const auto &c : corners)
        for (int y = 0; y < 3 * k; ++y)
            for (int x = 0; x < 3 * k; ++x)
                QCOMPARE(img.pixel(c.at + QPoint(x, y)), over(src.pixel(c.from + QPoint(x / k, y / k)), kBackground));

    // Top and bottom edge: the frame rows, 2 device rows each, across the whole width.
    for (int x = 3 * k; x < W - 3 * k; ++x)
        for (int y = 0; y < 3 * k; ++y) {
            QCOMPARE(img.pixel(x, y), src.pixel(8, y / k));
            QCOMPARE(img.pixel(x, H - 3 * k + y), src.pixel(8, 17 + y / k));
        }

    // The centre: the 15 source rows stretched over the device rows, in order, none
    // left out.
    QList<QRgb> rows;
    for (int y = 3 * k; y < H - 3 * k; ++y)
        if (rows.isEmpty() || rows.last() != img.pixel(W / 2, y))
            rows.append(img.pixel(W / 2, y));
    QList<QRgb> sourceRows;
    for (int y = 3; y < 18; ++y)
        if (sourceRows.isEmpty() || sourceRows.last() != src.pixel(8, y))
            sourceRows.append(src.pixel(8, y));
    QCOMPARE(rows, sourceRows);
}

void TestCmdBoxRatio::movingToAnotherRatio()
{
    Window &w = shownOn(0);
    const QImage before = faceShot(w);
    w.move(testing::screenNumber(1)->geometry().topLeft() + QPoint(40, 40));
    QTRY_COMPARE(w.devicePixelRatioF(), testing::screenNumber(1)->devicePixelRatio());
    const QImage after = faceShot(w);
    QCOMPARE(after.size(), (QSizeF(before.size()) * w.devicePixelRatioF()).toSize());
    // The corner stays a sharp 3 x 3 logical pixels: exactly the picture's corner,
    // each pixel repeated over the device pixels it covers.
    const QImage src = builtInFace(0);
    const int k = int(w.devicePixelRatioF());
    for (int y = 0; y < 3 * k; ++y)
        for (int x = 0; x < 3 * k; ++x)
            QCOMPARE(after.pixel(x, y), over(src.pixel(x / k, y / k), kBackground));
}

TAVRIK_TWO_SCREENS_MAIN(TestCmdBoxRatio)
#include "tst_cmdboxratio.moc"
