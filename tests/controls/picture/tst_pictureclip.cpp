#include "controls/picture/pictureclip.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace tavrik::picture;

// A picture whose every pixel tells where it is.
static QImage coordinatePicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x, y, (x + y) & 0xFF));
    return img;
}

class TestPictureClip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cells_data();
    void cells();
    void outsideTheGrid();
    void newPictureKeepsTheGrid();
};

void TestPictureClip::cells_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("expected");

    // Digit pictures: 2 x 12; 185 x 57 leaves 5 columns and 1 row unused.
    QTest::newRow("digits first") << 2 << 12 << QSize(185, 57) << 0 << QRect(0, 0, 15, 28);
    QTest::newRow("digits 11") << 2 << 12 << QSize(185, 57) << 11 << QRect(165, 0, 15, 28);
    QTest::newRow("digits 12 starts row 2") << 2 << 12 << QSize(185, 57) << 12 << QRect(0, 28, 15, 28);
    QTest::newRow("digits colon") << 2 << 12 << QSize(185, 57) << 22 << QRect(150, 28, 15, 28);
    QTest::newRow("digits last") << 2 << 12 << QSize(185, 57) << 23 << QRect(165, 28, 15, 28);
    QTest::newRow("digits built-in size") << 2 << 12 << QSize(180, 54) << 13 << QRect(15, 27, 15, 27);
    // Button faces: 4 x 1; 73 x 83 leaves 3 rows unused.
    QTest::newRow("faces normal") << 4 << 1 << QSize(73, 83) << 0 << QRect(0, 0, 73, 20);
    QTest::newRow("faces hot") << 4 << 1 << QSize(73, 83) << 1 << QRect(0, 20, 73, 20);
    QTest::newRow("faces disabled") << 4 << 1 << QSize(73, 83) << 3 << QRect(0, 60, 73, 20);
    // XP looks: 1 x 5; 101 x 21 leaves one column unused.
    QTest::newRow("looks first") << 1 << 5 << QSize(101, 21) << 0 << QRect(0, 0, 20, 21);
    QTest::newRow("looks middle") << 1 << 5 << QSize(101, 21) << 2 << QRect(40, 0, 20, 21);
    QTest::newRow("looks last") << 1 << 5 << QSize(101, 21) << 4 << QRect(80, 0, 20, 21);
}

void TestPictureClip::cells()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QSize, picture);
    QFETCH(int, index);
    QFETCH(QRect, expected);

    PictureClip clip(rows, cols);
    clip.setPicture(coordinatePicture(picture.width(), picture.height()));
    QCOMPARE(clip.rows(), rows);
    QCOMPARE(clip.cols(), cols);
    QCOMPARE(clip.cellWidth(), expected.width());
    QCOMPARE(clip.cellHeight(), expected.height());
    QCOMPARE(clip.cellRect(index), expected);

    const QImage cell = clip.cell(index);
    QCOMPARE(cell.size(), expected.size());
    // The cell's pixels are those of its rectangle in the picture.
    for (const QPoint &p : {QPoint(0, 0), QPoint(expected.width() - 1, expected.height() - 1),
                            QPoint(expected.width() / 2, expected.height() / 3)})
        QCOMPARE(cell.pixel(p), clip.picture().pixel(expected.topLeft() + p));
}

void TestPictureClip::outsideTheGrid()
{
    PictureClip clip(2, 12);
    clip.setPicture(coordinatePicture(180, 54));
    QVERIFY(clip.cellRect(-1).isEmpty());
    QVERIFY(clip.cellRect(24).isEmpty());
    QVERIFY(clip.cell(24).isNull());
}

void TestPictureClip::newPictureKeepsTheGrid()
{
    PictureClip clip(4, 1);
    clip.setPicture(coordinatePicture(72, 80));
    QCOMPARE(clip.cellRect(2), QRect(0, 40, 72, 20));
    clip.setPicture(coordinatePicture(36, 100));
    QCOMPARE(clip.rows(), 4);
    QCOMPARE(clip.cellRect(2), QRect(0, 50, 36, 25));
    QCOMPARE(clip.cell(2).pixel(0, 0), qRgb(0, 50, 50));
}

TAVRIK_TEST_APPLESS_MAIN(TestPictureClip)
#include "tst_pictureclip.moc"
