#include "controls/picture/pictureclip.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace tavrik::picture;

namespace {

// A colour that tells the cell it was drawn for.
QColor cellColour(int i) { return QColor(10 * i, 255 - 10 * i, (37 * i) % 256); }

// A 2 x 12 picture whose every cell is one flat square of its own colour, declared
// `width` x `height` pixels, on a grid of 10 units to a cell.
QByteArray flatCellsSvg(const QByteArray &width = "240", const QByteArray &height = "40")
{
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + "\" height=\"" + height
                     + "\" viewBox=\"0 0 120 20\" preserveAspectRatio=\"none\">\n";
    for (int i = 0; i < 24; ++i)
        svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"10\" height=\"10\" fill=\"%3\"/>\n")
                       .arg((i % 12) * 10)
                       .arg((i / 12) * 10)
                       .arg(cellColour(i).name())
                       .toLatin1();
    return svg + "</svg>\n";
}

// How many pixels of an image are not `c`.
int pixelsOtherThan(const QImage &img, const QColor &c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y).rgb() != c.rgb())
                ++n;
    return n;
}

} // namespace

class TestVectorClip : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void loadsSvgAsVector();
    void cellsAtAnySize_data();
    void cellsAtAnySize();
    void cellsAtOverABackground();
    void bitmapCellsScaleSmoothly();
    void notAnSvg_data();
    void notAnSvg();
    void missingAndOversizedFiles();
    void ownSizeIsBounded();
    void readAsBitmapByTheOldCall();
    void copiesKeepTheirPicture();

private:
    QString write(const QString &name, const QByteArray &content);
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestVectorClip::init() { dir_ = std::make_unique<QTemporaryDir>(); }

QString TestVectorClip::write(const QString &name, const QByteArray &content)
{
    const QString path = dir_->filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestVectorClip::loadsSvgAsVector()
{
    PictureClip clip(2, 12);
    QString error;
    QVERIFY(loadClip(write("cells.svg", flatCellsSvg()), &clip, &error));
    QVERIFY(error.isEmpty());
    QVERIFY(clip.isVector());
    // Drawn at its own size too, for whoever cuts cells the bitmap way.
    QCOMPARE(clip.picture().size(), QSize(240, 40));
    QCOMPARE(clip.cellWidth(), 20);
    QCOMPARE(clip.cellHeight(), 20);
    QCOMPARE(clip.cell(13).pixelColor(10, 10), cellColour(13));

    // Case does not matter in the name; a bitmap after it drops the drawing.
    QVERIFY(loadClip(write("CELLS.SVG", flatCellsSvg()), &clip));
    QVERIFY(clip.isVector());
    QImage bitmap(120, 20, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QVERIFY(bitmap.save(dir_->filePath("white.png")));
    QVERIFY(loadClip(dir_->filePath("white.png"), &clip));
    QVERIFY(!clip.isVector());
    QCOMPARE(clip.cellsAt(QSize(50, 50)).at(3).pixelColor(25, 25), QColor(Qt::white));
}

void TestVectorClip::cellsAtAnySize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("own size") << QSize(20, 20);
    QTest::newRow("tall and narrow, as on a big display") << QSize(80, 300);
    QTest::newRow("ratio 2 of that") << QSize(160, 600);
    QTest::newRow("odd") << QSize(7, 13);
    QTest::newRow("one pixel") << QSize(1, 1);
}

void TestVectorClip::cellsAtAnySize()
{
    QFETCH(QSize, size);
    PictureClip clip(2, 12);
    QVERIFY(loadClip(write("cells.svg", flatCellsSvg()), &clip));
    const std::vector<QImage> cells = clip.cellsAt(size, Qt::black);
    QCOMPARE(cells.size(), size_t(24));
    for (int i = 0; i < 24; ++i) {
        QCOMPARE(cells[size_t(i)].size(), size);
        // Drawn whole at that size: its own colour to the last pixel, nothing of the
        // neighbours bleeding in, nothing of the background left.
        QCOMPARE(pixelsOtherThan(cells[size_t(i)], cellColour(i)), 0);
    }
    QVERIFY(clip.cellsAt(QSize(0, 10)).empty());
}

void TestVectorClip::cellsAtOverABackground()
{
    // Nothing but one dot in the middle of cell 0.
    const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120\" height=\"20\" viewBox=\"0 0 120 20\">"
                           "<rect x=\"4\" y=\"4\" width=\"2\" height=\"2\" fill=\"#00ff00\"/></svg>";
    PictureClip clip(2, 12);
    QVERIFY(loadClip(write("dot.svg", svg), &clip));
    const std::vector<QImage> black = clip.cellsAt(QSize(100, 100), Qt::black);
    QCOMPARE(black[0].pixelColor(50, 50), QColor(0, 255, 0));
    QCOMPARE(black[0].pixelColor(5, 5), QColor(Qt::black));
    QCOMPARE(pixelsOtherThan(black[1], Qt::black), 0);
    QVERIFY(!black[0].hasAlphaChannel());
    // Without a background what is not drawn stays transparent.
    const std::vector<QImage> clear = clip.cellsAt(QSize(100, 100));
    QCOMPARE(clear[1].pixelColor(50, 50).alpha(), 0);
}

void TestVectorClip::bitmapCellsScaleSmoothly()
{
    QImage picture(24, 4, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int i = 0; i < 24; ++i)
        picture.setPixelColor((i % 12) * 2, (i / 12) * 2, cellColour(i));
    PictureClip clip(2, 12);
    clip.setPicture(picture);
    for (int i : {0, 11, 12, 23}) {
        const QImage plain = clip.cellsAt(QSize(30, 30)).at(size_t(i));
        QCOMPARE(plain, clip.cell(i).scaled(30, 30, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        // Over a background the transparent pixels take its colour.
        const QImage onBlue = clip.cellsAt(QSize(30, 30), Qt::blue).at(size_t(i));
        QCOMPARE(onBlue.pixelColor(29, 29), QColor(Qt::blue));
        QCOMPARE(onBlue.pixelColor(0, 0).alpha(), 255);
    }
}

void TestVectorClip::notAnSvg_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("red digits\n");
    QTest::newRow("other xml") << QByteArray("<?xml version=\"1.0\"?><html><body/></html>");
    QTest::newRow("cut off") << flatCellsSvg().left(120);
    QTest::newRow("a png") << [] {
        QByteArray png;
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        QImage(24, 4, QImage::Format_RGB32).save(&b, "PNG");
        return png;
    }();
    QTest::newRow("nothing to draw on") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"0\" height=\"0\" viewBox=\"0 0 0 0\"/>");
}

void TestVectorClip::notAnSvg()
{
    QFETCH(QByteArray, content);
    PictureClip clip(2, 12);
    QVERIFY(loadClip(write("good.svg", flatCellsSvg()), &clip));
    const QImage before = clip.picture();

    const QString path = write("digits.svg", content);
    QString error;
    QVERIFY(!loadClip(path, &clip, &error));
    QVERIFY2(error.endsWith(path) && !error.contains(QStringLiteral("未找到")), qPrintable(error));
    // The clip keeps the drawing it had.
    QVERIFY(clip.isVector());
    QCOMPARE(clip.picture(), before);
}

void TestVectorClip::missingAndOversizedFiles()
{
    PictureClip clip(2, 12);
    QString error;
    const QString missing = dir_->filePath("gone.svg");
    QVERIFY(!loadClip(missing, &clip, &error));
    QCOMPARE(error, QStringLiteral("未找到图片文件:") + missing);

    // A file far beyond any picture is not read into memory.
    const QString huge = dir_->filePath("huge.svg");
    QFile f(huge);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(qint64(64) * 1024 * 1024));
    f.close();
    QVERIFY(!loadClip(huge, &clip, &error));
    QCOMPARE(error, QStringLiteral("图片文件太大:") + huge);
    QVERIFY(!clip.isVector());
}

void TestVectorClip::ownSizeIsBounded()
{
    // A drawing that claims to be enormous is kept at a size a picture can have; and
    // one too small to cut still gives every cell a pixel.
    PictureClip clip(2, 12);
    QVERIFY(loadClip(write("vast.svg", flatCellsSvg("1000000", "200000")), &clip));
    QVERIFY(clip.picture().width() <= 4096 && clip.picture().height() <= 4096);
    QCOMPARE(pixelsOtherThan(clip.cellsAt(QSize(40, 40))[5], cellColour(5)), 0);
    QVERIFY(loadClip(write("tiny.svg", flatCellsSvg("3", "1")), &clip));
    QCOMPARE(clip.cellWidth(), 1);
    QCOMPARE(clip.cellHeight(), 1);
}

void TestVectorClip::readAsBitmapByTheOldCall()
{
    // Owners that take a bitmap (button faces) get the drawing at its own size.
    QImage picture;
    QString error;
    QVERIFY(loadClipPicture(write("faces.svg", flatCellsSvg()), 4, 1, &picture, &error));
    QCOMPARE(picture.size(), QSize(240, 40));
    QCOMPARE(picture.pixelColor(25, 5), cellColour(1));
    QVERIFY(!loadClipPicture(write("broken.svg", "<svg"), 4, 1, &picture, &error));
    QVERIFY(error.endsWith(QStringLiteral("broken.svg")));
}

void TestVectorClip::copiesKeepTheirPicture()
{
    PictureClip a(2, 12);
    QVERIFY(loadClip(write("cells.svg", flatCellsSvg()), &a));
    PictureClip b = a;
    QImage white(120, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    a.setPicture(white);
    QVERIFY(!a.isVector());
    QVERIFY(b.isVector());
    QCOMPARE(pixelsOtherThan(b.cellsAt(QSize(33, 17))[7], cellColour(7)), 0);
}

TAVRIK_TEST_MAIN(TestVectorClip)
#include "tst_vectorclip.moc"
