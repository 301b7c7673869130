#include "controls/seg/seglayout.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace vexo3;

using Glyphs = QList<int>;

class TestSegLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void characterMap_data();
    void characterMap();
    void rightAligned_data();
    void rightAligned();
    void cellRects_data();
    void cellRects();
};

void TestSegLayout::characterMap_data()
{
    QTest::addColumn<QString>("chars");
    QTest::addColumn<Glyphs>("glyphs");
    QTest::newRow("digits") << "0123456789" << Glyphs{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    QTest::newRow("points, blank, minus, colon") << ".,  -:" << Glyphs{10, 10, 11, 11, 12, 22};
    QTest::newRow("letters") << "abcdefghl" << Glyphs{13, 14, 15, 16, 17, 18, 19, 20, 21};
    QTest::newRow("capitals") << "ABCDEFGHL" << Glyphs{13, 14, 15, 16, 17, 18, 19, 20, 21};
    QTest::newRow("no glyph") << "x#ijk/\t" << Glyphs{11, 11, 11, 11, 11, 11, 11};
    QTest::newRow("not ASCII digits") << QString::fromUtf8("０٣秒") << Glyphs{11, 11, 11};
}

void TestSegLayout::characterMap()
{
    QFETCH(QString, chars);
    QFETCH(Glyphs, glyphs);
    Glyphs got;
    for (QChar c : chars)
        got.append(seg::glyphForChar(c));
    QCOMPARE(got, glyphs);
}

void TestSegLayout::rightAligned_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("count");
    QTest::addColumn<Glyphs>("glyphs");
    QTest::newRow("12.5 in 8") << "12.5" << 8 << Glyphs{11, 11, 11, 11, 1, 2, 10, 5};
    QTest::newRow("123456 in 4") << "123456" << 4 << Glyphs{3, 4, 5, 6};
    QTest::newRow("empty") << "" << 5 << Glyphs{11, 11, 11, 11, 11};
    QTest::newRow("AbC") << "AbC" << 5 << Glyphs{11, 11, 13, 14, 15};
    QTest::newRow("x and #") << "x#" << 3 << Glyphs{11, 11, 11};
    QTest::newRow("date") << "2009-03-15" << 10 << Glyphs{2, 0, 0, 9, 12, 0, 3, 12, 1, 5};
    QTest::newRow("exactly full") << "0:01:23.457" << 11 << Glyphs{0, 22, 0, 1, 22, 2, 3, 10, 4, 5, 7};
    QTest::newRow("count above 20") << "1" << 25 << Glyphs(19, 11) + Glyphs{1};
    QTest::newRow("count below 1") << "98" << 0 << Glyphs{8};
}

void TestSegLayout::rightAligned()
{
    QFETCH(QString, value);
    QFETCH(int, count);
    QFETCH(Glyphs, glyphs);
    const auto got = seg::glyphsFor(value, count);
    const int n = seg::clampCount(count);
    QCOMPARE(n, glyphs.size());
    QCOMPARE(Glyphs(got.begin(), got.begin() + n), glyphs);
}

void TestSegLayout::cellRects_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QRectF>("rect");
    // 4800 twips in 8 cells: w = 600.
    QTest::newRow("first") << 4800.0f << 600.0f << 8 << 0 << QRectF(1, 1, 630, 600);
    QTest::newRow("second") << 4800.0f << 600.0f << 8 << 1 << QRectF(616, 1, 600, 600);
    QTest::newRow("third") << 4800.0f << 600.0f << 8 << 2 << QRectF(1201, 1, 600, 600);
    QTest::newRow("fourth") << 4800.0f << 600.0f << 8 << 3 << QRectF(1786, 1, 600, 600);
    QTest::newRow("last") << 4800.0f << 600.0f << 8 << 7 << QRectF(4126, 1, 600, 600);
    QTest::newRow("unused") << 4800.0f << 600.0f << 8 << 8 << QRectF();
    QTest::newRow("one cell") << 3000.0f << 450.0f << 1 << 0 << QRectF(1, 1, 3030, 450);
    // 9600 / 14 is not whole: single precision all the way.
    QTest::newRow("fourteen") << 9600.0f << 1800.0f << 14 << 13
                              << QRectF(1 + (9600.0f / 14 + 30 - 15) + 12 * (9600.0f / 14 - 15), 1, 9600.0f / 14, 1800);
}

void TestSegLayout::cellRects()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(int, count);
    QFETCH(int, cell);
    QFETCH(QRectF, rect);
    const QRectF got = seg::cellRects(width, height, count)[size_t(cell)];
    QCOMPARE(got.isEmpty(), rect.isEmpty());
    if (!rect.isEmpty()) {
        QCOMPARE(float(got.left()), float(rect.left()));
        QCOMPARE(float(got.top()), float(rect.top()));
        QCOMPARE(float(got.width()), float(rect.width()));
        QCOMPARE(float(got.height()), float(rect.height()));
    }
}

TAVRIK_TEST_APPLESS_MAIN(TestSegLayout)
#include "tst_seglayout.moc"
