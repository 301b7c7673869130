// The XP-style button: its looks and the pointer.
#include "tests/controls/xp/xpbuttonwindow.h"
#include "tests/support/testmain.h"

using namespace xpbuttontest;

class TestXpCmdButton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.init(); }
    void cleanup() { f.cleanup(); }
    void looksPainted_data();
    void looksPainted();
    void idleLookFollowsState_data();
    void idleLookFollowsState();
    void hoverAndLeave();
    void leaveTestIsInclusive_data();
    void leaveTestIsInclusive();
    void rightButton();
    void pressDragOffAndBack();
    void eventsComeBeforeTheLook();
    void captionForwardsThePointer();

private:
    Window &shown() { return f.shown(); }
    Fixture f;
};

void TestXpCmdButton::looksPainted_data()
{
    QTest::addColumn<int>("look");
    QTest::addColumn<QSize>("size");
    for (int look = 0; look < 5; ++look)
        for (const QSize s : {QSize(18, 21), QSize(65, 25), QSize(120, 40), QSize(40, 18)})
            QTest::addRow("look %d %dx%d", look, s.width(), s.height()) << look << s;
}

void TestXpCmdButton::looksPainted()
{
    QFETCH(int, look);
    QFETCH(QSize, size);
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    b.setCaption(QString());
    b.resize(size);
    // Bring the button to the look as a user would.
    auto release = qScopeGuard([&] {
        if (look == 1)
            QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    });
    if (look == 1)
        QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    else if (look == 2)
        b.setEnabled(false);
    else if (look == 3)
        QCursor::setPos(w.at(5, 5));
    else if (look == 4)
        b.setState(1);
    QTRY_COMPARE(b.look(), look);

    const QImage img = w.shot();
    const QImage src = cell(look);
    const int W = size.width(), H = size.height();
    if (size == QSize(18, 21)) {
        QCOMPARE(img, src);
        return;
    }
    // Corners copied 1:1.
    const struct { QPoint at, from; } corners[] = {
            {{0, 0}, {0, 0}}, {{W - 3, 0}, {15, 0}}, {{W - 3, H - 3}, {15, 18}}, {{0, H - 3}, {0, 18}}};
    for (const auto &c : corners)
        for (int dy = 0; dy < 3; ++dy)
            for (int dx = 0; dx < 3; ++dx)
                QCOMPARE(img.pixel(c.at + QPoint(dx, dy)), src.pixel(c.from + QPoint(dx, dy)));
    // Top and bottom edges stretched along the width.
    for (int x = 3; x < W - 3; ++x)
        for (int dy = 0; dy < 3; ++dy) {
            QCOMPARE(img.pixel(x, dy), src.pixel(8, dy));
            QCOMPARE(img.pixel(x, H - 3 + dy), src.pixel(8, 18 + dy));
        }
    // Side edges and the centre stretched along the height: every row of the middle
    // shows a source row, in order; each row of the centre is one colour.
    QList<QRgb> left, centre, right;
    for (int y = 3; y < 18; ++y) {
        left.append(src.pixel(1, y));
        centre.append(src.pixel(8, y));
        right.append(src.pixel(16, y));
    }
    for (int y = 3; y < H - 3; ++y) {
        QVERIFY(centre.contains(img.pixel(W / 2, y)));
        for (int x = 3; x < W - 3; ++x)
            QCOMPARE(img.pixel(x, y), img.pixel(3, y));
        QCOMPARE(img.pixel(1, y), left.at(centre.indexOf(img.pixel(W / 2, y))));
        QCOMPARE(img.pixel(W - 2, y), right.at(centre.indexOf(img.pixel(W / 2, y))));
    }
    if (H >= 21) {
        QList<QRgb> expected;
        for (QRgb c : centre)
            if (expected.isEmpty() || expected.last() != c)
                expected.append(c);
        QCOMPARE(runs(img, W / 2, 3, H - 3), expected);
    }
}

void TestXpCmdButton::idleLookFollowsState_data()
{
    QTest::addColumn<QList<int>>("states");
    QTest::addColumn<int>("idle");
    QTest::newRow("new") << QList<int>{} << 0;
    QTest::newRow("1") << QList<int>{1} << 4;
    QTest::newRow("1 then 0") << QList<int>{1, 0} << 0;
    QTest::newRow("1 then 2 keeps 4") << QList<int>{1, 2} << 4;
    QTest::newRow("2 keeps 0") << QList<int>{2} << 0;
    QTest::newRow("1 then -1 keeps 4") << QList<int>{1, -1} << 4;
}

void TestXpCmdButton::idleLookFollowsState()
{
    QFETCH(QList<int>, states);
    QFETCH(int, idle);
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    for (int s : states)
        b.setState(s);
    QCOMPARE(b.IdleLook(), idle);
    QCOMPARE(b.look(), idle);
    QCOMPARE(w.shot().pixel(40, 1), cell(idle).pixel(8, 1));

    // After hovering and leaving, the same idle look comes back.
    QSignalSpy outs(&b, &xpcmdbutton::MouseOut);
    QCursor::setPos(w.at(40, 15));
    QTRY_COMPARE(b.look(), 3);
    QCursor::setPos(w.beside());
    QTRY_COMPARE(outs.size(), 1);
    QCOMPARE(b.look(), idle);
    QCOMPARE(w.shot().pixel(40, 1), cell(idle).pixel(8, 1));
}

void TestXpCmdButton::hoverAndLeave()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    QSignalSpy moves(&b, &xpcmdbutton::MouseMove);
    b.setCaption(QString());
    QSignalSpy outs(&b, &xpcmdbutton::MouseOut);
    QTimer *poll = pollOf(b);
    QVERIFY(poll && !poll->isActive());
    QCOMPARE(poll->interval(), 10);
    QCursor::setPos(w.at(70, 3));
    QTRY_COMPARE(b.look(), 3);
    QCOMPARE(moves.last(), (QList<QVariant>{0, 0, 70.0f, 3.0f}));
    QCOMPARE(w.shot().pixel(1, 15), cell(3).pixel(1, 10));
    // Staying over it raises nothing, and nothing wakes meanwhile: the window system
    // tells of the leaving.
    QVERIFY(!poll->isActive());
    QTest::qWait(30);
    QCOMPARE(outs.size(), 0);

    QCursor::setPos(w.beside());
    QTRY_COMPARE(outs.size(), 1);
    QCOMPARE(b.look(), 0);
    QVERIFY(!poll->isActive());
}

void TestXpCmdButton::leaveTestIsInclusive_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("left");
    QTest::newRow("x = W") << QPoint(90, 15) << false;
    QTest::newRow("y = H") << QPoint(45, 30) << false;
    QTest::newRow("corner W, H") << QPoint(90, 30) << false;
    // Within it, the window system's word that the pointer left is taken.
    QTest::newRow("x = 0, y = 0") << QPoint(0, 0) << true;
    QTest::newRow("x = W + 1") << QPoint(91, 15) << true;
    QTest::newRow("y = H + 1") << QPoint(45, 31) << true;
    QTest::newRow("x = -1") << QPoint(-1, 15) << true;
    QTest::newRow("y = -1") << QPoint(45, -1) << true;
}

void TestXpCmdButton::leaveTestIsInclusive()
{
    QFETCH(QPoint, at);
    QFETCH(bool, left);
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    QSignalSpy outs(&b, &xpcmdbutton::MouseOut);
    QCursor::setPos(w.at(45, 15));
    QTRY_COMPARE(b.look(), 3);
    // The pointer moves where the button hears no move of it, only that it left; on the
    // right and bottom edges, which still count, the timer watches on.
    b.setAttribute(Qt::WA_TransparentForMouseEvents);
    QCursor::setPos(w.at(at.x(), at.y()));
    QSignalSpy polls(pollOf(b), &QTimer::timeout);
    if (left) {
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(b.look(), 0);
        QVERIFY(!pollOf(b)->isActive());
    } else {
        QTRY_VERIFY(polls.size() >= 3);
        QCOMPARE(outs.size(), 0);
        QCOMPARE(b.look(), 3);
        QVERIFY(pollOf(b)->isActive());
    }
}

void TestXpCmdButton::rightButton()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    QSignalSpy downs(&b, &xpcmdbutton::MouseDown);
    QSignalSpy moves(&b, &xpcmdbutton::MouseMove);
    QSignalSpy clicks(&b, &xpcmdbutton::Click);
    QCursor::setPos(w.at(45, 15));
    QTRY_COMPARE(b.look(), 3);
    QTest::mousePress(&b, Qt::RightButton, Qt::ControlModifier, QPoint(45, 15));
    QCOMPARE(b.look(), 1);
    QCOMPARE(downs.last(), (QList<QVariant>{2, 2, 45.0f, 15.0f}));
    QTest::mouseMove(&b, QPoint(46, 15));
    QCOMPARE(moves.last().at(0).toInt(), 2);
    QCOMPARE(b.look(), 3);
    QTest::mouseRelease(&b, Qt::RightButton, Qt::NoModifier, QPoint(46, 15));
    QCOMPARE(b.look(), 0);
    QCOMPARE(clicks.size(), 0);
    // With the left button held a move shows the pressed look.
    QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(46, 15));
    QTest::mouseMove(&b, QPoint(47, 15));
    QCOMPARE(moves.last().at(0).toInt(), 1);
    QCOMPARE(b.look(), 1);
    QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, QPoint(47, 15));
    QCOMPARE(clicks.size(), 1);
}

void TestXpCmdButton::pressDragOffAndBack()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    QSignalSpy outs(&b, &xpcmdbutton::MouseOut);
    QSignalSpy moves(&b, &xpcmdbutton::MouseMove);
    QSignalSpy clicks(&b, &xpcmdbutton::Click);
    QCursor::setPos(w.at(45, 15));
    QTRY_COMPARE(b.look(), 3);
    QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(45, 15));
    QCOMPARE(b.look(), 1);

    const QPoint outside = b.mapFromGlobal(w.beside());
    QCursor::setPos(w.beside());
    const int movesBefore = int(moves.size());
    QTest::mouseMove(&b, outside);
    // A move outside raises nothing; the timer sees the pointer gone.
    QCOMPARE(moves.size(), movesBefore);
    QTRY_COMPARE(outs.size(), 1);
    QCOMPARE(b.look(), 0);

    QCursor::setPos(w.at(45, 15));
    QTest::mouseMove(&b, QPoint(45, 15));
    QCOMPARE(b.look(), 1);
    QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, QPoint(45, 15));
    QCOMPARE(b.look(), 0);
    QCOMPARE(clicks.size(), 1);
    // Released away from the button: no click.
    QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(45, 15));
    QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, outside);
    QCOMPARE(clicks.size(), 1);
}

void TestXpCmdButton::eventsComeBeforeTheLook()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    QStringList seen;
    auto record = [&](const char *name) { return [&, name] { seen.append(QStringLiteral("%1@%2").arg(name).arg(b.look())); }; };
    connect(&b, &xpcmdbutton::MouseMove, this, record("move"));
    connect(&b, &xpcmdbutton::MouseDown, this, record("down"));
    connect(&b, &xpcmdbutton::MouseUp, this, record("up"));
    connect(&b, &xpcmdbutton::MouseOut, this, record("out"));
    b.setCaption(QString());
    b.setState(1);
    QCursor::setPos(w.at(45, 15));
    QTRY_COMPARE(b.look(), 3);
    QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(45, 15));
    QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, QPoint(45, 15));
    QCursor::setPos(w.at(46, 15));
    QTRY_COMPARE(b.look(), 3);
    QCursor::setPos(w.beside());
    QTRY_COMPARE(b.look(), 4);
    QCOMPARE(seen, (QStringList{"move@4", "down@3", "up@1", "move@4", "out@3"}));
}

void TestXpCmdButton::captionForwardsThePointer()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    b.setCaption(QStringLiteral("开始"));
    QWidget *lbl = captionOf(b);
    QVERIFY(lbl);
    QSignalSpy moves(&b, &xpcmdbutton::MouseMove);
    QSignalSpy downs(&b, &xpcmdbutton::MouseDown);
    QSignalSpy ups(&b, &xpcmdbutton::MouseUp);
    QSignalSpy clicks(&b, &xpcmdbutton::Click);

    // Moving onto the caption lights the button, reported at the caption's corner.
    QCursor::setPos(lbl->mapToGlobal(QPoint(3, 3)));
    QTRY_COMPARE(b.look(), 3);
    QCOMPARE(moves.last(), (QList<QVariant>{0, 0, float(lbl->x()), float(lbl->y())}));
    // Leaving from the caption is told to the button as well.
    QSignalSpy outs(&b, &xpcmdbutton::MouseOut);
    QCursor::setPos(w.beside());
    QTRY_COMPARE(outs.size(), 1);
    QCursor::setPos(lbl->mapToGlobal(QPoint(3, 3)));
    QTRY_COMPARE(b.look(), 3);

    QTest::mousePress(lbl, Qt::LeftButton, Qt::ShiftModifier, QPoint(4, 5));
    QCOMPARE(downs.last(), (QList<QVariant>{1, 1, 4.0f, 5.0f}));
    QCOMPARE(b.look(), 1);
    QTest::mouseRelease(lbl, Qt::LeftButton, Qt::NoModifier, QPoint(4, 5));
    QCOMPARE(ups.last(), (QList<QVariant>{1, 0, 4.0f, 5.0f}));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(b.look(), 0);

    // The caption holding the mouse with the pointer far off does not light the button.
    QTest::mousePress(lbl, Qt::LeftButton, Qt::NoModifier, QPoint(4, 5));
    const int before = int(moves.size());
    QTest::mouseMove(lbl, lbl->mapFromGlobal(w.beside()));
    QCOMPARE(moves.size(), before);
    QTest::mouseRelease(lbl, Qt::LeftButton, Qt::NoModifier, lbl->mapFromGlobal(w.beside()));
    QCOMPARE(clicks.size(), 1);
}

TAVRIK_TEST_MAIN(TestXpCmdButton)
#include "tst_xpcmdbutton.moc"
