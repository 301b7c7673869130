#include "controls/xp/framegeometry.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace vexo::frame;
using Rects = QList<QRect>;
using OptRect = std::optional<QRect>;

Q_DECLARE_METATYPE(OptRect)

namespace {

const Images kSkin{QSize(66, 29), QSize(5, 31), QSize(5, 31), QSize(49, 5)};

} // namespace

class TestFrameGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void resizeTwipsTable_data();
    void resizeTwipsTable();
    void resizeParentTable_data();
    void resizeParentTable();
    void strips_data();
    void strips();
    void titlePieces_data();
    void titlePieces();
    void edges_data();
    void edges();
    void cursors();
};

void TestFrameGeometry::resizeTwipsTable_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    // Host at 1500, 1500 twips, 6000 x 4500; drag dx = 300, dy = 150 twips.
    QTest::newRow("0 left") << 0 << 1800.0 << 1500.0 << 5700.0 << 4500.0;
    QTest::newRow("1 right") << 1 << 1500.0 << 1500.0 << 6300.0 << 4500.0;
    QTest::newRow("2 top") << 2 << 1500.0 << 1650.0 << 6000.0 << 4350.0;
    QTest::newRow("3 bottom") << 3 << 1500.0 << 1500.0 << 6000.0 << 4650.0;
    QTest::newRow("4 bottom-right") << 4 << 1500.0 << 1500.0 << 6300.0 << 4650.0;
    QTest::newRow("5 bottom-left") << 5 << 1800.0 << 1500.0 << 5700.0 << 4650.0;
    QTest::newRow("6 top-right") << 6 << 1500.0 << 1650.0 << 6300.0 << 4350.0;
    QTest::newRow("7 top-left") << 7 << 1800.0 << 1650.0 << 5700.0 << 4350.0;
}

void TestFrameGeometry::resizeTwipsTable()
{
    QFETCH(int, code);
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    const auto r = resizeTwips({1500, 1500, 6000, 4500}, 300, 150, code);
    QVERIFY(r);
    QCOMPARE(r->left, left);
    QCOMPARE(r->top, top);
    QCOMPARE(r->width, width);
    QCOMPARE(r->height, height);
}

void TestFrameGeometry::resizeParentTable_data()
{
    QTest::addColumn<QRect>("host");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("code");
    QTest::addColumn<OptRect>("result");
    const QRect host(100, 100, 400, 300);
    const QPoint from(500, 400);
    const QPoint by(20, 10);
    QTest::newRow("0 left") << host << from << from + by << 0 << OptRect(QRect(120, 100, 380, 300));
    QTest::newRow("1 right") << host << from << from + by << 1 << OptRect(QRect(100, 100, 420, 300));
    QTest::newRow("2 top") << host << from << from + by << 2 << OptRect(QRect(100, 110, 400, 290));
    QTest::newRow("3 bottom") << host << from << from + by << 3 << OptRect(QRect(100, 100, 400, 310));
    QTest::newRow("4 bottom-right grows without moving") << host << from << from + by << 4
                                                          << OptRect(QRect(100, 100, 420, 310));
    QTest::newRow("5 bottom-left") << host << from << from + by << 5 << OptRect(QRect(120, 100, 380, 310));
    QTest::newRow("6 top-right") << host << from << from + by << 6 << OptRect(QRect(100, 110, 420, 290));
    QTest::newRow("7 top-left moves the corner and shrinks") << host << from << from + by << 7
                                                             << OptRect(QRect(120, 110, 380, 290));
    QTest::newRow("7 top-left outwards") << host << from << from - by << 7 << OptRect(QRect(80, 90, 420, 310));
    QTest::newRow("no movement") << host << from << from << 4 << OptRect(host);
    QTest::newRow("8 does nothing") << host << from << from + by << 8 << OptRect();
    QTest::newRow("99 does nothing") << host << from << from + by << 99 << OptRect();
    QTest::newRow("-1 does nothing") << host << from << from + by << -1 << OptRect();
    QTest::newRow("width down to 1") << host << from << from - QPoint(399, 0) << 1 << OptRect(QRect(100, 100, 1, 300));
    QTest::newRow("width to zero refused") << host << from << from - QPoint(400, 0) << 1 << OptRect();
    QTest::newRow("width negative refused") << host << from << from + QPoint(450, 0) << 0 << OptRect();
    QTest::newRow("height negative refused") << host << from << from + QPoint(0, 320) << 7 << OptRect();
    QTest::newRow("height negative from the bottom") << host << from << from - QPoint(0, 301) << 3 << OptRect();
    QTest::newRow("left of the screen is fine") << QRect(5, 5, 100, 100) << from << from - QPoint(30, 0) << 0
                                               << OptRect(QRect(-25, 5, 130, 100));
}

void TestFrameGeometry::resizeParentTable()
{
    QFETCH(QRect, host);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, code);
    QFETCH(OptRect, result);
    QCOMPARE(resizeParent(host, from, to, code), result);
}

void TestFrameGeometry::strips_data()
{
    QTest::addColumn<QSize>("control");
    QTest::addColumn<Rects>("strips"); // top, bottom, left, right
    QTest::newRow("440x260") << QSize(440, 260)
                             << Rects{{0, 0, 440, 29}, {0, 255, 440, 5}, {0, 29, 5, 226}, {435, 29, 5, 226}};
    QTest::newRow("1280x800") << QSize(1280, 800)
                              << Rects{{0, 0, 1280, 29}, {0, 795, 1280, 5}, {0, 29, 5, 766}, {1275, 29, 5, 766}};
    QTest::newRow("no room for the sides") << QSize(40, 30)
                                           << Rects{{0, 0, 40, 29}, {0, 25, 40, 5}, {0, 29, 5, 0}, {35, 29, 5, 0}};
}

void TestFrameGeometry::strips()
{
    QFETCH(QSize, control);
    QFETCH(Rects, strips);
    const Layout l = layout(control, kSkin);
    QCOMPARE((Rects{l.top, l.bottom, l.left, l.right}), strips);
    // The borders: the whole image over the whole strip.
    QCOMPARE(l.leftBorder, (Piece{QRect(QPoint(), strips[2].size()), QRect(0, 0, 5, 31)}));
    QCOMPARE(l.rightBorder, (Piece{QRect(QPoint(), strips[3].size()), QRect(0, 0, 5, 31)}));
    QCOMPARE(l.bottomBorder, (Piece{QRect(QPoint(), strips[1].size()), QRect(0, 0, 49, 5)}));
}

void TestFrameGeometry::titlePieces_data()
{
    QTest::addColumn<QSize>("control");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<Rects>("targets");
    QTest::addColumn<Rects>("sources");
    const Rects skinSources{{0, 0, 5, 29}, {5, 0, 56, 29}, {61, 0, 5, 29}};
    QTest::newRow("440 wide") << QSize(440, 260) << QSize(66, 29)
                              << Rects{{0, 0, 5, 29}, {5, 0, 430, 29}, {435, 0, 5, 29}} << skinSources;
    QTest::newRow("as wide as the image") << QSize(66, 100) << QSize(66, 29)
                                          << Rects{{0, 0, 5, 29}, {5, 0, 56, 29}, {61, 0, 5, 29}} << skinSources;
    QTest::newRow("narrower than the image") << QSize(30, 100) << QSize(66, 29)
                                             << Rects{{0, 0, 5, 29}, {5, 0, 20, 29}, {25, 0, 5, 29}} << skinSources;
    // Another picture: the caps stay 5 wide, the middle takes the rest of it.
    QTest::newRow("a taller picture") << QSize(200, 100) << QSize(100, 40)
                                      << Rects{{0, 0, 5, 29}, {5, 0, 190, 29}, {195, 0, 5, 29}}
                                      << Rects{{0, 0, 5, 40}, {5, 0, 90, 40}, {95, 0, 5, 40}};
}

void TestFrameGeometry::titlePieces()
{
    QFETCH(QSize, control);
    QFETCH(QSize, image);
    QFETCH(Rects, targets);
    QFETCH(Rects, sources);
    Images skin = kSkin;
    skin.title = image;
    const Layout l = layout(control, skin);
    Rects gotTargets, gotSources;
    for (const Piece &p : l.title) {
        gotTargets.append(p.target);
        gotSources.append(p.source);
    }
    QCOMPARE(gotTargets, targets);
    QCOMPARE(gotSources, sources);
}

void TestFrameGeometry::edges_data()
{
    QTest::addColumn<QSize>("control");
    QTest::addColumn<Rects>("edges"); // by code 0 .. 7, each in its strip
    QTest::newRow("440x260") << QSize(440, 260)
                             << Rects{{0, 0, 5, 226},  {0, 0, 5, 226}, {9, 0, 422, 9}, {0, 0, 440, 5},
                                      {431, -4, 9, 9}, {0, 0, 9, 9},   {431, 0, 9, 9}, {0, 0, 9, 9}};
    QTest::newRow("200x100") << QSize(200, 100)
                             << Rects{{0, 0, 5, 66},   {0, 0, 5, 66}, {9, 0, 182, 9}, {0, 0, 200, 5},
                                      {191, -4, 9, 9}, {0, 0, 9, 9},  {191, 0, 9, 9}, {0, 0, 9, 9}};
}

void TestFrameGeometry::edges()
{
    QFETCH(QSize, control);
    QFETCH(Rects, edges);
    const Layout l = layout(control, kSkin);
    QCOMPARE(Rects(l.edges.begin(), l.edges.end()), edges);
}

void TestFrameGeometry::cursors()
{
    const QList<Qt::CursorShape> expected{Qt::SizeHorCursor,   Qt::SizeHorCursor,   Qt::SizeVerCursor,
                                          Qt::SizeVerCursor,   Qt::SizeFDiagCursor, Qt::SizeBDiagCursor,
                                          Qt::SizeBDiagCursor, Qt::SizeFDiagCursor};
    for (int code = 0; code < kEdges; ++code)
        QCOMPARE(edgeCursor(code), expected.at(code));
    QCOMPARE(edgeCursor(8), Qt::ArrowCursor);
}

TAVRIK_TEST_APPLESS_MAIN(TestFrameGeometry)
#include "tst_framegeometry.moc"
