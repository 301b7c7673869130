#include "controls/picture/devicepixels.h"
#include "controls/picture/nineslice.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace tavrik::picture;

class TestDevicePixels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toDeviceAndBack_data();
    void toDeviceAndBack();
    void neighboursShareEdges_data();
    void neighboursShareEdges();
    void nineSliceWithoutSeams_data();
    void nineSliceWithoutSeams();
};

void TestDevicePixels::toDeviceAndBack_data()
{
    QTest::addColumn<QRectF>("logical");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QRect>("device");
    QTest::addColumn<QRect>("covering");
    QTest::newRow("ratio 1") << QRectF(10, 20, 30, 40) << 1.0 << QRect(10, 20, 30, 40) << QRect(10, 20, 30, 40);
    QTest::newRow("ratio 2") << QRectF(10, 20, 30, 40) << 2.0 << QRect(20, 40, 60, 80) << QRect(10, 20, 30, 40);
    // Edges between logical pixels: each rounds on its own; the covering rectangle
    // takes in the logical pixels the device pixels touch.
    QTest::newRow("fractional at 1") << QRectF(0.4, 0.6, 10.2, 10) << 1.0 << QRect(0, 1, 11, 10) << QRect(0, 1, 11, 10);
    QTest::newRow("fractional at 2") << QRectF(41.0667, 0.0667, 40, 300) << 2.0 << QRect(82, 0, 80, 600)
                                     << QRect(41, 0, 40, 300);
    QTest::newRow("ratio 1.5") << QRectF(3, 3, 94, 24) << 1.5 << QRect(5, 5, 141, 36) << QRect(3, 3, 95, 25);
    QTest::newRow("ratio 1.25") << QRectF(1, 0, 7, 7) << 1.25 << QRect(1, 0, 9, 9) << QRect(0, 0, 8, 8);
    QTest::newRow("empty") << QRectF(5, 5, 0, 10) << 2.0 << QRect() << QRect();
}

void TestDevicePixels::toDeviceAndBack()
{
    QFETCH(QRectF, logical);
    QFETCH(qreal, ratio);
    QFETCH(QRect, device);
    QFETCH(QRect, covering);
    QCOMPARE(toDevice(logical, ratio), device);
    QCOMPARE(coveringLogical(device, ratio), covering);
    if (!device.isEmpty()) {
        // Painting at the logical place lands on exactly those device pixels.
        const QRectF back = toLogical(device, ratio);
        QCOMPARE(toDevice(back, ratio), device);
        QVERIFY(QRectF(covering).contains(back));
    }
}

void TestDevicePixels::neighboursShareEdges_data()
{
    QTest::addColumn<qreal>("ratio");
    for (qreal r : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0})
        QTest::addRow("ratio %g", r) << r;
}

void TestDevicePixels::neighboursShareEdges()
{
    // Cells of a fractional width laid side by side, as a digit display lays them:
    // no device column left out, none painted twice.
    QFETCH(qreal, ratio);
    const double w = 1600.0 / 21;
    int right = 0;
    for (int i = 0; i < 21; ++i) {
        const QRect d = toDevice(QRectF(i * w, 0, w, 300), ratio);
        QCOMPARE(d.left(), right);
        right = d.left() + d.width();
    }
    QCOMPARE(right, int(std::lround(1600 * ratio)));
}

void TestDevicePixels::nineSliceWithoutSeams_data()
{
    QTest::addColumn<QSize>("button");
    QTest::addColumn<qreal>("ratio");
    for (qreal r : {1.0, 1.25, 1.5, 2.0})
        for (const QSize &s : {QSize(100, 30), QSize(73, 25), QSize(61, 21)})
            QTest::addRow("%dx%d at %g", s.width(), s.height(), r) << s << r;
}

void TestDevicePixels::nineSliceWithoutSeams()
{
    QFETCH(QSize, button);
    QFETCH(qreal, ratio);
    // An opaque face: every device pixel of the button is covered by some piece.
    QImage face(72, 20, QImage::Format_ARGB32);
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            face.setPixelColor(x, y, QColor(x * 3, y * 12, 200));
    const QPixmap pm = nineSlicePixmap(face, button, ratio);
    QCOMPARE(pm.devicePixelRatio(), ratio);
    QCOMPARE(pm.size(), toDevice(QRectF(QPointF(0, 0), QSizeF(button)), ratio).size());
    QCOMPARE(pm.deviceIndependentSize(), QSizeF(pm.size()) / ratio);
    const QImage img = pm.toImage();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            QVERIFY2(qAlpha(img.pixel(x, y)) == 255, qPrintable(QStringLiteral("gap at %1, %2").arg(x).arg(y)));
    // The top-left corner is the face's, pixel for pixel scaled.
    QCOMPARE(img.pixelColor(0, 0), face.pixelColor(0, 0));
    QCOMPARE(img.pixelColor(img.width() - 1, img.height() - 1), face.pixelColor(71, 19));
}

TAVRIK_TEST_MAIN(TestDevicePixels)
#include "tst_devicepixels.moc"
