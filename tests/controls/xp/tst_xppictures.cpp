#include "tests/controls/xp/xpskins.h"
#include "tests/support/testmain.h"

#include <QtTest>

// The pictures the image generator drew for the XP controls, as committed: sizes,
// palette format and the colours of the controls' look at known points.
namespace {

QImage lookCell(int look) { return skin(QStringLiteral("looks")).convertToFormat(QImage::Format_RGB32).copy(look * 18, 0, 18, 21); }

} // namespace

class TestXpPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stripColours_data();
    void stripColours();
    void skinPixels_data();
    void skinPixels();
    void defaultIcon();
};

void TestXpPictures::stripColours_data()
{
    QTest::addColumn<int>("look");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    for (int look : {0, 1, 3, 4}) {
        const QByteArray n = QByteArray::number(look);
        QTest::newRow(n + " border") << look << QPoint(8, 0) << qRgb(0x00, 0x3C, 0x74);
        QTest::newRow(n + " corner") << look << QPoint(0, 0) << qRgb(0xDD, 0xD7, 0xC5);
        QTest::newRow(n + " next") << look << QPoint(1, 0) << qRgb(0x65, 0x86, 0x9F);
        QTest::newRow(n + " next but one") << look << QPoint(0, 2) << qRgb(0x22, 0x55, 0x83);
        QTest::newRow(n + " corner bottom right") << look << QPoint(17, 20) << qRgb(0xDD, 0xD7, 0xC5);
    }
    QTest::newRow("normal top") << 0 << QPoint(8, 1) << qRgb(0xFF, 0xFF, 0xFF);
    QTest::newRow("normal middle") << 0 << QPoint(8, 10) << qRgb(0xF3, 0xF3, 0xEF);
    QTest::newRow("normal bottom") << 0 << QPoint(8, 19) << qRgb(0xD6, 0xD0, 0xC5);
    QTest::newRow("pressed top") << 1 << QPoint(8, 1) << qRgb(0xD1, 0xCC, 0xC1);
    QTest::newRow("pressed middle") << 1 << QPoint(8, 10) << qRgb(0xE2, 0xE1, 0xDA);
    QTest::newRow("pressed bottom") << 1 << QPoint(8, 19) << qRgb(0xF2, 0xF1, 0xEE);
    QTest::newRow("disabled border") << 2 << QPoint(8, 0) << qRgb(0xC9, 0xC7, 0xBA);
    QTest::newRow("disabled corner") << 2 << QPoint(17, 0) << qRgb(0xFF, 0xFF, 0xFF);
    QTest::newRow("disabled face top") << 2 << QPoint(8, 1) << qRgb(0xF5, 0xF4, 0xEA);
    QTest::newRow("disabled face bottom") << 2 << QPoint(3, 19) << qRgb(0xF5, 0xF4, 0xEA);
    QTest::newRow("hot top outer") << 3 << QPoint(8, 1) << qRgb(0xFF, 0xF0, 0xCF);
    QTest::newRow("hot top inner") << 3 << QPoint(8, 2) << qRgb(0xFD, 0xD8, 0x89);
    QTest::newRow("hot left") << 3 << QPoint(1, 10) << qRgb(0xFC, 0xCA, 0x69);
    QTest::newRow("hot right") << 3 << QPoint(15, 10) << qRgb(0xFC, 0xCA, 0x69);
    QTest::newRow("hot bottom") << 3 << QPoint(8, 18) << qRgb(0xF8, 0xB3, 0x30);
    QTest::newRow("hot bottom outer") << 3 << QPoint(8, 19) << qRgb(0xE5, 0x97, 0x00);
    QTest::newRow("hot face") << 3 << QPoint(8, 10) << qRgb(0xF3, 0xF3, 0xEF);
    QTest::newRow("highlighted top") << 4 << QPoint(8, 1) << qRgb(0xCE, 0xE7, 0xFF);
    QTest::newRow("highlighted top inner") << 4 << QPoint(8, 2) << qRgb(0xBC, 0xD4, 0xF6);
    QTest::newRow("highlighted side") << 4 << QPoint(2, 10) << qRgb(0xA0, 0xBE, 0xEC);
    QTest::newRow("highlighted bottom") << 4 << QPoint(8, 18) << qRgb(0x89, 0xAD, 0xE4);
    QTest::newRow("highlighted bottom outer") << 4 << QPoint(8, 19) << qRgb(0x69, 0x82, 0xEE);
}

void TestXpPictures::stripColours()
{
    QFETCH(int, look);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    const QImage img(QStringLiteral(":/tavrik/xp/looks.png"));
    QCOMPARE(img.size(), QSize(90, 21));
    QCOMPARE(img.format(), QImage::Format_Indexed8);
    QCOMPARE(QColor(lookCell(look).pixel(at)), QColor(colour));
}

void TestXpPictures::skinPixels_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    for (const char *top : {"top1", "top2"}) {
        const QString t = QString::fromLatin1(top);
        // Rounded top corners: 4, 2, 1, 1 key pixels from each end of the first rows.
        for (const QPoint p : {QPoint(0, 0), QPoint(3, 0), QPoint(1, 1), QPoint(0, 3), QPoint(65, 0), QPoint(62, 0),
                               QPoint(64, 1), QPoint(65, 3)})
            QTest::addRow("%s keyed %d,%d", top, p.x(), p.y()) << t << QSize(66, 29) << p << kKey;
        for (const QPoint p : {QPoint(4, 0), QPoint(2, 1), QPoint(1, 2), QPoint(0, 4), QPoint(61, 0), QPoint(65, 4)})
            QTest::addRow("%s not keyed %d,%d", top, p.x(), p.y()) << t << QSize(66, 29) << p << QRgb(0);
    }
    for (const char *max : {"topmax1", "topmax2"})
        QTest::addRow("%s square", max) << QString::fromLatin1(max) << QSize(66, 29) << QPoint(0, 0) << QRgb(0);
    const struct {
        const char *image;
        int row;
        QRgb colour;
    } rows[] = {{"top1", 2, qRgb(0x3F, 0x97, 0xFF)},    {"top1", 14, qRgb(0x00, 0x50, 0xE2)},
                {"top1", 24, qRgb(0x02, 0x6A, 0xFE)},   {"top1", 28, qRgb(0x00, 0x43, 0xCF)},
                {"topmax1", 14, qRgb(0x00, 0x50, 0xE2)}, {"top2", 2, qRgb(0x98, 0xB2, 0xE8)},
                {"top2", 14, qRgb(0x79, 0x93, 0xDE)},   {"top2", 24, qRgb(0x82, 0xA9, 0xE9)},
                {"topmax2", 24, qRgb(0x82, 0xA9, 0xE9)}};
    for (const auto &r : rows)
        for (int x : {5, 30, 60})
            QTest::addRow("%s row %d x %d", r.image, r.row, x) << QString::fromLatin1(r.image) << QSize(66, 29) << QPoint(x, r.row)
                                                               << r.colour;
    const struct {
        const char *image;
        QSize size;
        QPoint at;
        QRgb colour;
    } borders[] = {{"left1", {5, 31}, {0, 10}, qRgb(0x00, 0x19, 0xCF)},   {"left1", {5, 31}, {4, 30}, qRgb(0x08, 0x55, 0xDD)},
                   {"right1", {5, 31}, {0, 0}, qRgb(0x00, 0x48, 0xF1)},   {"right1", {5, 31}, {4, 20}, qRgb(0x00, 0x13, 0x8C)},
                   {"left2", {5, 31}, {0, 5}, qRgb(0x5B, 0x68, 0xCD)},    {"left2", {5, 31}, {4, 5}, qRgb(0x75, 0x8C, 0xDC)},
                   {"bottom1", {49, 5}, {10, 0}, qRgb(0x00, 0x48, 0xF1)}, {"bottom1", {49, 5}, {48, 4}, qRgb(0x00, 0x13, 0x8C)},
                   {"bottom2", {49, 5}, {0, 0}, qRgb(0x75, 0x86, 0xDC)},  {"bottom2", {49, 5}, {20, 4}, qRgb(0x4F, 0x53, 0xBC)}};
    for (const auto &b : borders)
        QTest::addRow("%s %d,%d", b.image, b.at.x(), b.at.y()) << QString::fromLatin1(b.image) << b.size << b.at << b.colour;
}

// colour 0: anything but the key colour.
void TestXpPictures::skinPixels()
{
    QFETCH(QString, image);
    QFETCH(QSize, size);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    const QImage img = skin(image);
    QCOMPARE(img.size(), size);
    QCOMPARE(img.format(), QImage::Format_Indexed8);
    if (colour == 0)
        QVERIFY(QColor(img.pixel(at)) != QColor(kKey));
    else
        QCOMPARE(QColor(img.pixel(at)), QColor(colour));
}

void TestXpPictures::defaultIcon()
{
    const QImage icon = skin(QStringLiteral("icon"));
    QCOMPARE(icon.size(), QSize(16, 16));
    QVERIFY(icon.hasAlphaChannel());
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(8, 8)), 255);
}

TAVRIK_TEST_APPLESS_MAIN(TestXpPictures)
#include "tst_xppictures.moc"
