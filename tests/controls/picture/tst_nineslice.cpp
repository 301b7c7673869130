#include "controls/picture/nineslice.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace tavrik::picture;

using Rects = QList<QRectF>;

class TestNineSlice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pieces_data();
    void pieces();
    void sourceTilesAnEighteenByTwentyOneFace();
};

void TestNineSlice::pieces_data()
{
    QTest::addColumn<QSizeF>("button");
    QTest::addColumn<QSizeF>("face");
    QTest::addColumn<Rects>("targets");
    QTest::addColumn<Rects>("sources");
    // The built-in faces on a 100 x 30 button.
    QTest::newRow("100x30 from 72x20")
            << QSizeF(100, 30) << QSizeF(72, 20)
            << Rects{{0, 0, 3, 3}, {97, 0, 3, 3}, {97, 27, 3, 3}, {0, 27, 3, 3}, {3, 0, 94, 3},
                     {97, 3, 3, 24}, {0, 3, 3, 24}, {3, 27, 94, 3}, {3, 3, 94, 24}}
            << Rects{{0, 0, 3, 3}, {69, 0, 3, 3}, {69, 17, 3, 3}, {0, 17, 3, 3}, {3, 0, 12, 3},
                     {69, 3, 3, 15}, {0, 3, 3, 15}, {3, 17, 12, 3}, {3, 3, 12, 15}};
    // H - 6 is rounded half to even; W - 6 is not rounded.
    QTest::newRow("half down") << QSizeF(40.5, 30.5) << QSizeF(72, 20)
                               << Rects{{0, 0, 3, 3}, {37.5, 0, 3, 3}, {37.5, 27.5, 3, 3}, {0, 27.5, 3, 3},
                                        {3, 0, 34.5, 3}, {37.5, 3, 3, 24}, {0, 3, 3, 24}, {3, 27.5, 34.5, 3},
                                        {3, 3, 34.5, 24}}
                               << Rects{{0, 0, 3, 3}, {69, 0, 3, 3}, {69, 17, 3, 3}, {0, 17, 3, 3}, {3, 0, 12, 3},
                                        {69, 3, 3, 15}, {0, 3, 3, 15}, {3, 17, 12, 3}, {3, 3, 12, 15}};
    QTest::newRow("half up") << QSizeF(20, 31.5) << QSizeF(18, 21)
                             << Rects{{0, 0, 3, 3}, {17, 0, 3, 3}, {17, 28.5, 3, 3}, {0, 28.5, 3, 3}, {3, 0, 14, 3},
                                      {17, 3, 3, 26}, {0, 3, 3, 26}, {3, 28.5, 14, 3}, {3, 3, 14, 26}}
                             << Rects{{0, 0, 3, 3}, {15, 0, 3, 3}, {15, 18, 3, 3}, {0, 18, 3, 3}, {3, 0, 12, 3},
                                      {15, 3, 3, 15}, {0, 3, 3, 15}, {3, 18, 12, 3}, {3, 3, 12, 15}};
}

void TestNineSlice::pieces()
{
    QFETCH(QSizeF, button);
    QFETCH(QSizeF, face);
    QFETCH(Rects, targets);
    QFETCH(Rects, sources);
    Rects gotTargets, gotSources;
    for (const auto &p : nineSlice(button, face)) {
        gotTargets.append(p.target);
        gotSources.append(p.source);
    }
    QCOMPARE(gotTargets, targets);
    QCOMPARE(gotSources, sources);
}

void TestNineSlice::sourceTilesAnEighteenByTwentyOneFace()
{
    // Every pixel of an 18 x 21 face is used exactly once.
    int used[21][18] = {};
    for (const auto &p : nineSlice(QSizeF(50, 50), QSizeF(18, 21))) {
        const QRect r = p.source.toRect();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ++used[y][x];
    }
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 18; ++x)
            QVERIFY2(used[y][x] == 1, qPrintable(QStringLiteral("%1,%2 used %3 times").arg(x).arg(y).arg(used[y][x])));
}

TAVRIK_TEST_APPLESS_MAIN(TestNineSlice)
#include "tst_nineslice.moc"
