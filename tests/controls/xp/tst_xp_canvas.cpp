#include "tests/support/fakes.h"
#include "controls/xp/framegeometry.h"
#include "controls/xp/xp_canvas.h"
#include "tests/controls/xp/xpskins.h"
#include "tests/support/testmain.h"

#include <QBuffer>
#include <QLabel>
#include <QtTest>

using vexo::xp_canvas;
using namespace vexo::frame;

namespace {

const QRgb kSurface = qRgb(236, 233, 216);


// A frameless window filled by the frame, 300 x 200 at (100, 100).
class Host : public QWidget {
public:
    Host() : QWidget(nullptr, Qt::FramelessWindowHint)
    {
        setGeometry(100, 100, 300, 200);
        frame = new xp_canvas(this, QStringLiteral("xp_canvas1"));
    }
    QImage shot() { return grab().toImage().convertToFormat(QImage::Format_RGB32); }
    xp_canvas *frame;
};

// The widget under a point of the frame, and the point in its coordinates.
struct Hit {
    QWidget *part;
    QPoint at;
};
Hit hit(xp_canvas &c, const QPoint &p)
{
    QWidget *w = c.childAt(p);
    if (!w)
        w = &c;
    return {w, w->mapFrom(&c, p)};
}

void drag(xp_canvas &c, const QPoint &from, const QPoint &by)
{
    const Hit h = hit(c, from);
    QTest::mousePress(h.part, Qt::LeftButton, Qt::NoModifier, h.at);
    QTest::mouseMove(h.part, h.at + by);
    QTest::mouseRelease(h.part, Qt::LeftButton, Qt::NoModifier, h.at + by);
}

// A point inside each edge's area on a 300 x 200 frame, by edge code.
const QPoint kEdgePoints[kEdges] = {{2, 100}, {297, 100}, {150, 3}, {150, 197}, {297, 197}, {2, 197}, {297, 3}, {3, 3}};

} // namespace

class TestXpCanvas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void paintedFrame();
    void maximisedTitleIsSquare();
    void captionIsTheTitle();
    void resizeByEdges_data();
    void resizeByEdges();
    void fixedSingle();
    void doubleClickMaximisesAndRestores();
    void movingByTheTitle();
    void maximisedHostStaysPut();
    void minimisedKeepsItsTitle();
    void lookFollowsActivation();
    void eventsRaisedToTheHost();
    void resizeRaisedAfterEveryLayout();
    void makeTrans();
    void properties_data();
    void properties();

private:
    Host &shown();
    std::unique_ptr<testing::TestEnv> env_;
    std::unique_ptr<Host> host_;
};

void TestXpCanvas::init() { env_ = std::make_unique<testing::TestEnv>(); }

void TestXpCanvas::cleanup()
{
    host_.reset();
    env_.reset();
}

Host &TestXpCanvas::shown()
{
    host_ = std::make_unique<Host>();
    host_->show();
    if (!QTest::qWaitForWindowExposed(host_.get()))
        qFatal("window not exposed");
    host_->activateWindow();
    if (!QTest::qWaitForWindowActive(host_.get()))
        qFatal("window not active");
    return *host_;
}

void TestXpCanvas::paintedFrame()
{
    Host &h = shown();
    QCOMPARE(h.frame->geometry(), h.rect());
    QVERIFY(h.frame->activeSkin());
    const QImage img = h.shot();
    const QImage top = skin("top1").convertToFormat(QImage::Format_RGB32);
    const QImage left = skin("left1").convertToFormat(QImage::Format_RGB32);
    const QImage right = skin("right1").convertToFormat(QImage::Format_RGB32);
    const QImage bottom = skin("bottom1").convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 29; ++y) {
        // The caps 1:1, the middle stretched along the width (caption and icon aside).
        for (int x = 0; x < 5; ++x) {
            const QRgb l = top.pixel(x, y), r = top.pixel(61 + x, y);
            QCOMPARE(img.pixel(x, y), l == kKey ? kSurface : l);
            QCOMPARE(img.pixel(295 + x, y), r == kKey ? kSurface : r);
        }
        for (int x = 200; x < 295; ++x)
            QCOMPARE(img.pixel(x, y), top.pixel(30, y));
    }
    // The borders stretched over their strips.
    for (int y = 29; y < 195; y += 7)
        for (int x = 0; x < 5; ++x) {
            QCOMPARE(img.pixel(x, y), left.pixel(x, 10));
            QCOMPARE(img.pixel(295 + x, y), right.pixel(x, 10));
        }
    for (int x = 0; x < 300; x += 13)
        for (int y = 0; y < 5; ++y)
            QCOMPARE(img.pixel(x, 195 + y), bottom.pixel(20, y));
    // The surface inside.
    QCOMPARE(img.pixel(150, 100), kSurface);
    QCOMPARE(h.frame->clientRect(), QRect(5, 29, 290, 166));
    // The default icon in its place.
    QCOMPARE(img.pixel(6 + 5, 8 + 8), xp_canvas::defaultIcon().pixel(5, 8));
}

void TestXpCanvas::maximisedTitleIsSquare()
{
    Host &h = shown();
    h.showMaximized();
    QTRY_VERIFY(h.isMaximized());
    QTRY_VERIFY(h.width() > 300);
    const QImage img = h.shot();
    const QImage topmax = skin("topmax1").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(img.pixel(0, 0), topmax.pixel(0, 0));
    QCOMPARE(img.pixel(h.width() - 1, 0), topmax.pixel(65, 0));
    QCOMPARE(img.pixel(h.width() / 2 + 50, 14), topmax.pixel(30, 14));
    QCOMPARE(h.frame->geometry(), h.rect());
}

void TestXpCanvas::captionIsTheTitle()
{
    Host &h = shown();
    QCOMPARE(h.frame->Caption(), QStringLiteral("xp_canvas1"));
    QCOMPARE(h.windowTitle(), QStringLiteral("xp_canvas1"));
    h.frame->setCaption(QStringLiteral("秒表 & <b>计时</b>"));
    QCOMPARE(h.frame->Caption(), QStringLiteral("秒表 & <b>计时</b>"));
    QCOMPARE(h.windowTitle(), h.frame->Caption());
    auto *caption = h.frame->findChild<QLabel *>(QStringLiteral("lblcaption"));
    auto *shadow = h.frame->findChild<QLabel *>(QStringLiteral("lblshadow"));
    QCOMPARE(shadow->text(), caption->text());
    QCOMPARE(caption->pos(), QPoint(26, 6));
    QCOMPARE(shadow->pos(), QPoint(28, 8));
    // White text with its dark shadow on the title.
    const QImage img = h.shot();
    int white = 0;
    for (int y = 6; y < 26; ++y)
        for (int x = 26; x < 26 + caption->width(); ++x)
            white += QColor(img.pixel(x, y)) == QColor(Qt::white);
    QVERIFY(white > 20);
}

void TestXpCanvas::resizeByEdges_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QRect>("after");
    const QRect expected[kEdges] = {{120, 100, 280, 200}, {100, 100, 320, 200}, {100, 110, 300, 190},
                                    {100, 100, 300, 210}, {100, 100, 320, 210}, {120, 100, 280, 210},
                                    {100, 110, 320, 190}, {120, 110, 280, 190}};
    for (int code = 0; code < kEdges; ++code)
        QTest::addRow("edge %d", code) << code << expected[code];
}

void TestXpCanvas::resizeByEdges()
{
    QFETCH(int, code);
    QFETCH(QRect, after);
    Host &h = shown();
    xp_canvas &c = *h.frame;
    const QPoint at = kEdgePoints[code];
    const Hit target = hit(c, at);
    const QPoint pressedAt = c.mapToGlobal(at);
    QCOMPARE(target.part->cursor().shape(), edgeCursor(code));
    QSignalSpy resized(&c, &xp_canvas::Resize);

    QTest::mousePress(target.part, Qt::LeftButton, Qt::NoModifier, target.at);
    QTest::mouseMove(target.part, target.at + QPoint(20, 10));
    // Nothing moves until the release.
    QCOMPARE(h.geometry(), QRect(100, 100, 300, 200));
    QTest::mouseRelease(target.part, Qt::LeftButton, Qt::NoModifier, target.at + QPoint(20, 10));
    QCOMPARE(c.DragStart(), pressedAt);
    QCOMPARE(c.DragEnd() - c.DragStart(), QPoint(20, 10));
    QTRY_COMPARE(h.geometry(), after);
    QCOMPARE(c.geometry(), h.rect());
    QVERIFY(resized.size() >= 1);
}

void TestXpCanvas::fixedSingle()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    c.setFixed_Single(true);
    for (int code = 0; code < kEdges; ++code)
        QCOMPARE(hit(c, kEdgePoints[code]).part->cursor().shape(), Qt::ArrowCursor);
    drag(c, kEdgePoints[BottomRight], QPoint(20, 10));
    drag(c, kEdgePoints[Left], QPoint(-20, 0));
    QCOMPARE(h.geometry(), QRect(100, 100, 300, 200));
    const Hit title = hit(c, QPoint(150, 20));
    QTest::mouseDClick(title.part, Qt::LeftButton, Qt::NoModifier, title.at);
    QCoreApplication::processEvents();
    QVERIFY(!h.isMaximized());
    // Moving still works.
    drag(c, QPoint(150, 20), QPoint(30, 15));
    QTRY_COMPARE(h.pos(), QPoint(130, 115));
    QCOMPARE(h.size(), QSize(300, 200));

    c.setFixed_Single(false);
    QCOMPARE(hit(c, kEdgePoints[Left]).part->cursor().shape(), Qt::SizeHorCursor);
}

void TestXpCanvas::doubleClickMaximisesAndRestores()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    // On the title strip, then on the caption.
    Hit title = hit(c, QPoint(250, 20));
    QCOMPARE(title.part->objectName(), QStringLiteral("pictop"));
    QTest::mouseDClick(title.part, Qt::LeftButton, Qt::NoModifier, title.at);
    QTRY_VERIFY(h.isMaximized());
    QTRY_VERIFY(h.width() > 300);
    title = hit(c, QPoint(40, 15));
    QTest::mouseDClick(title.part, Qt::LeftButton, Qt::NoModifier, title.at);
    QTRY_VERIFY(!h.isMaximized());
    QTRY_COMPARE(h.size(), QSize(300, 200));
    // A minimised host comes back normal.
    h.showMinimized();
    QTRY_VERIFY(h.isMinimized());
    QTest::mouseDClick(title.part, Qt::LeftButton, Qt::NoModifier, title.at);
    QTRY_VERIFY(!h.isMinimized());
    QVERIFY(!h.isMaximized());
}

void TestXpCanvas::movingByTheTitle()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    // No desktop move loop here: the frame moves its host by hand while the button is held.
    const Hit title = hit(c, QPoint(150, 20));
    QTest::mousePress(title.part, Qt::LeftButton, Qt::NoModifier, title.at);
    QCOMPARE(h.pos(), QPoint(100, 100));
    QTest::mouseMove(title.part, title.at + QPoint(30, 15));
    QTRY_COMPARE(h.pos(), QPoint(130, 115));
    // The title moved with the window: the pointer is back where it was pressed on it.
    QTest::mouseMove(title.part, title.at + QPoint(10, 5));
    QTRY_COMPARE(h.pos(), QPoint(140, 120));
    QTest::mouseRelease(title.part, Qt::LeftButton, Qt::NoModifier, title.at + QPoint(10, 5));
    QTest::mouseMove(title.part, title.at + QPoint(50, 50));
    QCoreApplication::processEvents();
    QCOMPARE(h.pos(), QPoint(140, 120));
    QCOMPARE(h.size(), QSize(300, 200));
    // The caption moves it too.
    drag(c, QPoint(40, 15), QPoint(-40, -20));
    QTRY_COMPARE(h.pos(), QPoint(100, 100));
}

void TestXpCanvas::maximisedHostStaysPut()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    h.showMaximized();
    QTRY_VERIFY(h.isMaximized());
    QTRY_VERIFY(h.width() > 300);
    const QRect maximised = h.geometry();
    const QPoint points[kEdges] = {{2, 100}, {c.width() - 3, 100}, {150, 3}, {150, c.height() - 3},
                                   {c.width() - 3, c.height() - 3}, {2, c.height() - 3}, {c.width() - 3, 3}, {3, 3}};
    for (const QPoint &p : points)
        QCOMPARE(hit(c, p).part->cursor().shape(), Qt::ArrowCursor);
    drag(c, QPoint(150, 20), QPoint(30, 15));
    drag(c, points[BottomRight], QPoint(-30, -15));
    QCoreApplication::processEvents();
    QCOMPARE(h.geometry(), maximised);

    h.showNormal();
    QTRY_VERIFY(!h.isMaximized());
    QTRY_COMPARE(hit(c, kEdgePoints[TopLeft]).part->cursor().shape(), Qt::SizeFDiagCursor);
}

void TestXpCanvas::minimisedKeepsItsTitle()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    h.showMinimized();
    QTRY_VERIFY(h.isMinimized());
    // Still the rounded title and the resize cursors of the normal window.
    QCOMPARE(h.shot().pixel(0, 0), kSurface);
    QCOMPARE(hit(c, kEdgePoints[Right]).part->cursor().shape(), Qt::SizeHorCursor);
}

void TestXpCanvas::lookFollowsActivation()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    // No polling at all: the frame owns no timer.
    QVERIFY(c.findChildren<QTimer *>().isEmpty());
    QCOMPARE(QColor(h.shot().pixel(150, 14)), QColor(0x00, 0x50, 0xE2));

    QWidget other;
    other.setGeometry(500, 100, 100, 100);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    other.activateWindow();
    QTRY_VERIFY(!c.activeSkin());
    QImage img = h.shot();
    QCOMPARE(QColor(img.pixel(150, 14)), QColor(0x79, 0x93, 0xDE));
    QCOMPARE(QColor(img.pixel(2, 100)), QColor(skin("left2").pixel(2, 10)));
    QCOMPARE(QColor(img.pixel(150, 198)), QColor(skin("bottom2").pixel(10, 3)));

    h.activateWindow();
    QTRY_VERIFY(c.activeSkin());
    img = h.shot();
    QCOMPARE(QColor(img.pixel(150, 14)), QColor(0x00, 0x50, 0xE2));

    // SetFocus shows the active look at once.
    other.activateWindow();
    QTRY_VERIFY(!c.activeSkin());
    c.SetFocus();
    QVERIFY(c.activeSkin());
}

void TestXpCanvas::eventsRaisedToTheHost()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    QSignalSpy downs(&c, &xp_canvas::MouseDown);
    QSignalSpy ups(&c, &xp_canvas::MouseUp);
    QSignalSpy moves(&c, &xp_canvas::MouseMove);
    QSignalSpy clicks(&c, &xp_canvas::Click);
    QSignalSpy dbl(&c, &xp_canvas::DblClick);
    QSignalSpy keyDowns(&c, &xp_canvas::KeyDown);
    QSignalSpy keyPresses(&c, &xp_canvas::KeyPress);
    QSignalSpy keyUps(&c, &xp_canvas::KeyUp);

    QTest::mouseClick(&c, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 80));
    QCOMPARE(downs.last(), (QList<QVariant>{1, 1, 100.0f, 80.0f}));
    QCOMPARE(ups.size(), 1);
    QCOMPARE(clicks.size(), 1);
    QTest::mouseMove(&c, QPoint(110, 90));
    QCOMPARE(moves.last().at(0), QVariant(0));
    QCOMPARE(moves.last().at(2), QVariant(110.0f));
    QCOMPARE(moves.last().at(3), QVariant(90.0f));
    QTest::mouseClick(&c, Qt::RightButton, Qt::NoModifier, QPoint(100, 80));
    QCOMPARE(downs.last().at(0).toInt(), 2);
    QCOMPARE(clicks.size(), 1);
    QTest::mouseDClick(&c, Qt::LeftButton, Qt::NoModifier, QPoint(100, 80));
    QCOMPARE(dbl.size(), 1);

    // Input on the strips is the frame's own.
    const int before = int(downs.size());
    drag(c, kEdgePoints[Left], QPoint(0, 0));
    const Hit title = hit(c, QPoint(150, 20));
    QTest::mouseClick(title.part, Qt::LeftButton, Qt::NoModifier, title.at);
    QCOMPARE(downs.size(), before);

    c.setFocus();
    QTRY_VERIFY(c.hasFocus());
    QTest::keyClick(&c, 'A', Qt::ShiftModifier);
    QCOMPARE(keyDowns.last(), (QList<QVariant>{int(Qt::Key_A), 1}));
    QCOMPARE(keyPresses.last(), (QList<QVariant>{int('A')}));
    // The Shift key itself comes and goes around it.
    QVERIFY(keyUps.contains(QList<QVariant>{int(Qt::Key_A), 1}));
}

void TestXpCanvas::resizeRaisedAfterEveryLayout()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    QSignalSpy resized(&c, &xp_canvas::Resize);
    QRect clientAtSignal;
    QObject listener; // gone with this function, and the connection with it
    connect(&c, &xp_canvas::Resize, &listener, [&] { clientAtSignal = c.clientRect(); });
    h.resize(340, 220);
    QTRY_VERIFY(resized.size() >= 1);
    // Raised with the layout done.
    QCOMPARE(clientAtSignal, QRect(5, 29, 330, 186));
    QCOMPARE(c.findChild<QWidget *>(QStringLiteral("picright"))->geometry(), QRect(335, 29, 5, 186));
    int n = int(resized.size());
    c.setCaption(QStringLiteral("新标题"));
    QCOMPARE(resized.size(), n + 1);
    c.setFixed_Single(true);
    QCOMPARE(resized.size(), n + 2);
}

void TestXpCanvas::makeTrans()
{
    Host &h = shown();
    xp_canvas &c = *h.frame;
    c.make_trans(&h);
    const QRegion mask = h.mask();
    for (const QPoint p : {QPoint(0, 0), QPoint(3, 0), QPoint(0, 3), QPoint(299, 0), QPoint(298, 1)})
        QVERIFY2(!mask.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint p : {QPoint(4, 0), QPoint(1, 2), QPoint(150, 0), QPoint(0, 4), QPoint(150, 100), QPoint(299, 199)})
        QVERIFY2(mask.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    h.showMaximized();
    QTRY_VERIFY(h.isMaximized());
    c.make_trans(&h);
    QVERIFY(h.mask().isEmpty());
}

void TestXpCanvas::properties_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<bool>("defaultIcon");
    QTest::newRow("nothing stored") << QStringList{} << "xp_canvas1" << false << true;
    QTest::newRow("all stored") << QStringList{"Caption=计时器", "Fixed_Single=True", "Icon=red"} << "计时器" << true
                                << false;
    QTest::newRow("unreadable") << QStringList{"Fixed_Single=perhaps", "Icon=###"} << "xp_canvas1" << false << true;
}

void TestXpCanvas::properties()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, caption);
    QFETCH(bool, fixed);
    QFETCH(bool, defaultIcon);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    tavrik::controls::PropertyBag bag;
    for (const QString &kv : stored) {
        QString value = kv.section('=', 1);
        if (value == "red")
            value = QString::fromLatin1(png.toBase64());
        bag.write(kv.section('=', 0, 0), value, QString());
    }
    Host &h = shown();
    xp_canvas &c = *h.frame;
    c.setIcon(red);
    c.readProperties(bag);
    QCOMPARE(c.Caption(), caption);
    QCOMPARE(h.windowTitle(), caption);
    QCOMPARE(c.Fixed_Single(), fixed);
    QCOMPARE(c.Icon() == xp_canvas::defaultIcon(), defaultIcon);
    if (!defaultIcon)
        QCOMPARE(QColor(c.Icon().pixel(3, 3)), QColor(Qt::red));

    tavrik::controls::PropertyBag out;
    c.writeProperties(out);
    QCOMPARE(out.contains("Caption"), caption != "xp_canvas1");
    QCOMPARE(out.contains("Fixed_Single"), fixed);
    QCOMPARE(out.contains("Icon"), !defaultIcon);
    Host again;
    again.frame->readProperties(out);
    QCOMPARE(again.frame->Caption(), caption);
    QCOMPARE(again.frame->Fixed_Single(), fixed);
    QCOMPARE(again.frame->Icon().convertToFormat(QImage::Format_ARGB32),
             c.Icon().convertToFormat(QImage::Format_ARGB32));
}

TAVRIK_TEST_MAIN(TestXpCanvas)
#include "tst_xp_canvas.moc"
