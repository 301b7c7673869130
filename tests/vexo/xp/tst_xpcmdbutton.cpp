#include "tests/support/fakes.h"
#include "vexo/xp/xpcmdbutton.h"

#include <QtTest>

using vexo::xpcmdbutton;

namespace {

const QRgb kBackground = qRgb(200, 0, 200);

QImage strip() { return QImage(QStringLiteral(":/tavrik/xp/looks.png")).convertToFormat(QImage::Format_RGB32); }
QImage cell(int look) { return strip().copy(look * 18, 0, 18, 21); }

// A window of a known colour holding one button at (20, 20), 90 x 30.
class Window : public QWidget {
public:
    Window()
    {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(kBackground));
        setPalette(pal);
        setGeometry(100, 100, 300, 200);
        button = new xpcmdbutton(this, QStringLiteral("cmdStart"));
        button->setGeometry(20, 20, 90, 30);
    }
    void keyPressEvent(QKeyEvent *e) override { keys.append(e->key()); }

    QImage shot() { return grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }
    // Screen points: over the button at its own (x, y), and over the window beside it.
    QPoint at(int x, int y) const { return button->mapToGlobal(QPoint(x, y)); }
    QPoint beside() const { return mapToGlobal(QPoint(250, 150)); }

    xpcmdbutton *button;
    QList<int> keys;
};

QWidget *captionOf(xpcmdbutton &b) { return b.findChild<QWidget *>(QStringLiteral("lbl")); }

// The button's pointer polling, by the name it carries.
QTimer *pollOf(xpcmdbutton &b) { return b.findChild<QTimer *>(QStringLiteral("Timer1"), Qt::FindDirectChildrenOnly); }

// Rows of the image at column x from y0 to y1 (exclusive), runs of equal colour merged.
QList<QRgb> runs(const QImage &img, int x, int y0, int y1)
{
    QList<QRgb> out;
    for (int y = y0; y < y1; ++y)
        if (out.isEmpty() || out.last() != img.pixel(x, y))
            out.append(img.pixel(x, y));
    return out;
}

} // namespace

class TestXpCmdButton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
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
    void disabled();
    void captionRecentred();
    void accessKey();
    void keysGoOnToTheHost();
    void properties_data();
    void properties();
    void fontFollowsTheHost();

private:
    Window &shown();
    std::unique_ptr<testing::TestEnv> env_;
    std::unique_ptr<Window> window_;
};

void TestXpCmdButton::init()
{
    env_.reset();
    env_ = std::make_unique<testing::TestEnv>();
    QCursor::setPos(0, 0);
}

void TestXpCmdButton::cleanup() { window_.reset(); }

Window &TestXpCmdButton::shown()
{
    window_ = std::make_unique<Window>();
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        qFatal("window not exposed");
    window_->activateWindow();
    return *window_;
}

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
    // Nothing polls before the pointer comes.
    QTimer *poll = pollOf(b);
    QVERIFY(poll && !poll->isActive());
    QCOMPARE(poll->interval(), 10);
    QCursor::setPos(w.at(70, 3));
    QTRY_COMPARE(b.look(), 3);
    QVERIFY(poll->isActive());
    QCOMPARE(moves.last(), (QList<QVariant>{0, 0, 70.0f, 3.0f}));
    QCOMPARE(w.shot().pixel(1, 15), cell(3).pixel(1, 10));
    // Staying over it raises nothing, however often the pointer is looked at.
    QSignalSpy polls(poll, &QTimer::timeout);
    QTRY_VERIFY(polls.size() >= 3);
    QCOMPARE(outs.size(), 0);

    // The first look after the pointer left sees it gone, and the polling stops.
    polls.clear();
    QCursor::setPos(w.beside());
    QTRY_COMPARE(outs.size(), 1);
    QCOMPARE(polls.size(), 1);
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
    QTest::newRow("x = 0, y = 0") << QPoint(0, 0) << false;
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
    // The pointer moves where the button no longer hears of it; only the timer tells.
    b.setAttribute(Qt::WA_TransparentForMouseEvents);
    QCursor::setPos(w.at(at.x(), at.y()));
    QSignalSpy polls(pollOf(b), &QTimer::timeout);
    if (left) {
        // The next look at the pointer sees it gone.
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(polls.size(), 1);
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
    QVERIFY(pollOf(b)->isActive());

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

void TestXpCmdButton::disabled()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    b.setCaption(QStringLiteral("暂停"));
    b.setState(1);
    QCOMPARE(b.captionColor(), w.palette().color(QPalette::WindowText));
    b.setEnabled(false);
    QCOMPARE(b.look(), 2);
    QCOMPARE(b.captionColor(), QColor(161, 161, 146));
    QImage img = w.shot();
    QCOMPARE(img.pixel(40, 0), cell(2).pixel(8, 0));
    auto inkPixels = [](const QImage &i, QColor c) {
        int n = 0;
        for (int y = 3; y < i.height() - 3; ++y)
            for (int x = 3; x < i.width() - 3; ++x)
                if (QColor(i.pixel(x, y)) == c)
                    ++n;
        return n;
    };
    QVERIFY(inkPixels(img, QColor(161, 161, 146)) > 0);
    // State written while disabled still shows the disabled look.
    b.setState(0);
    QCOMPARE(b.look(), 2);
    b.setState(1);

    b.setEnabled(true);
    QCOMPARE(b.look(), 4);
    QCOMPARE(b.captionColor(), QColor(Qt::black));
    img = w.shot();
    QVERIFY(inkPixels(img, QColor(Qt::black)) > 0);
    QCOMPARE(inkPixels(img, QColor(161, 161, 146)), 0);

    // Disabled with its host: the same.
    w.setEnabled(false);
    QCOMPARE(b.look(), 2);
    w.setEnabled(true);
    QCOMPARE(b.look(), 4);
}

void TestXpCmdButton::captionRecentred()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    auto centred = [&] {
        const QRect r = b.captionGeometry();
        return std::abs((r.left() - 0) - (b.width() - r.right() - 1)) <= 1
               && std::abs(r.top() - (b.height() - r.bottom() - 1)) <= 1;
    };
    b.setCaption(QStringLiteral("开"));
    QVERIFY(centred());
    const int narrow = b.captionGeometry().width();
    b.setCaption(QStringLiteral("开始计时"));
    QVERIFY(b.captionGeometry().width() > narrow);
    QVERIFY(centred());
    QFont big = b.font();
    big.setPointSizeF(big.pointSizeF() * 2);
    const int low = b.captionGeometry().height();
    b.setFont(big);
    QVERIFY(b.captionGeometry().height() > low);
    QVERIFY(centred());
    b.resize(200, 60);
    QVERIFY(centred());
    // Longer than the button: it overhangs both sides alike.
    b.resize(30, 30);
    QVERIFY(b.captionGeometry().left() < 0);
    QVERIFY(centred());
}

void TestXpCmdButton::accessKey()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    QSignalSpy clicks(&b, &xpcmdbutton::Click);
    b.setCaption(QStringLiteral("开始(&S)"));
    QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(b.look(), 0);
    // A new caption takes its own key.
    b.setCaption(QStringLiteral("停止(&T)"));
    QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(clicks.size(), 1);
    QTest::keyClick(&w, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(clicks.size(), 2);
    b.setEnabled(false);
    QTest::keyClick(&w, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(clicks.size(), 2);
}

void TestXpCmdButton::keysGoOnToTheHost()
{
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    QSignalSpy downs(&b, &xpcmdbutton::KeyDown);
    QSignalSpy presses(&b, &xpcmdbutton::KeyPress);
    QSignalSpy ups(&b, &xpcmdbutton::KeyUp);
    QSignalSpy clicks(&b, &xpcmdbutton::Click);
    b.setFocus();
    QTRY_VERIFY(b.hasFocus());
    for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_F1})
        QTest::keyClick(&b, Qt::Key(key));
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(b.look(), 0);
    QCOMPARE(downs.size(), 3);
    QCOMPARE(downs.first(), (QList<QVariant>{int(Qt::Key_Space), 0}));
    QCOMPARE(presses.first(), (QList<QVariant>{32}));
    QCOMPARE(presses.size(), 2); // F1 has no character
    QCOMPARE(ups.size(), 3);
    QCOMPARE(w.keys, (QList<int>{Qt::Key_Space, Qt::Key_Return, Qt::Key_F1}));
    QTest::keyClick(&b, Qt::Key_A, Qt::ShiftModifier);
    QCOMPARE(downs.last(), (QList<QVariant>{int(Qt::Key_A), 1}));
}

void TestXpCmdButton::properties_data()
{
    QTest::addColumn<QStringList>("stored"); // key=value pairs
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("look");
    QTest::newRow("nothing stored") << QStringList{} << 0 << true << "cmdStart" << 0;
    QTest::newRow("state 1") << QStringList{"State=1", "Caption=开始"} << 1 << true << "开始" << 4;
    QTest::newRow("disabled") << QStringList{"Enabled=False", "Caption=停止"} << 0 << false << "停止" << 2;
    QTest::newRow("state 7") << QStringList{"State=7"} << 7 << true << "cmdStart" << 0;
    QTest::newRow("unreadable values") << QStringList{"State=x", "Enabled=maybe"} << 0 << true << "cmdStart" << 0;
}

void TestXpCmdButton::properties()
{
    QFETCH(QStringList, stored);
    QFETCH(int, state);
    QFETCH(bool, enabled);
    QFETCH(QString, caption);
    QFETCH(int, look);
    Window &w = shown();
    tavrik::gui::PropertyBag bag;
    for (const QString &kv : stored)
        bag.write(kv.section('=', 0, 0), kv.section('=', 1), QString());
    xpcmdbutton &b = *w.button;
    b.readProperties(bag);
    QCOMPARE(b.State(), state);
    QCOMPARE(b.Enabled(), enabled);
    QCOMPARE(b.Caption(), caption);
    QCOMPARE(b.look(), look);
    QCOMPARE(b.Font(), w.font());

    // Written back: only what differs from the defaults, and it reads back the same.
    tavrik::gui::PropertyBag out;
    b.writeProperties(out);
    QCOMPARE(out.contains("State"), state != 0);
    QCOMPARE(out.contains("Enabled"), !enabled);
    QCOMPARE(out.contains("Caption"), caption != "cmdStart");
    QVERIFY(!out.contains("Font"));
    xpcmdbutton again(&w, QStringLiteral("cmdStart"));
    again.readProperties(out);
    QCOMPARE(again.State(), state);
    QCOMPARE(again.Enabled(), enabled);
    QCOMPARE(again.Caption(), caption);
}

void TestXpCmdButton::fontFollowsTheHost()
{
    Window &w = shown();
    auto *clear = new xpcmdbutton(&w, QStringLiteral("清空"));
    QCOMPARE(clear->Caption(), QStringLiteral("清空"));
    tavrik::gui::PropertyBag none;
    clear->readProperties(none);
    QCOMPARE(clear->Caption(), QStringLiteral("清空"));

    QFont bold = w.font();
    bold.setBold(true);
    clear->setFont(bold);
    tavrik::gui::PropertyBag out;
    clear->writeProperties(out);
    QVERIFY(out.contains("Font"));
    auto *copy = new xpcmdbutton(&w, QStringLiteral("other"));
    copy->readProperties(out);
    QVERIFY(copy->Font().bold());
    // The caption equal to its own instance name was not written.
    QCOMPARE(copy->Caption(), QStringLiteral("other"));

    // Without a stored font the button takes the host's, and follows it.
    clear->readProperties(none);
    QFont host = w.font();
    host.setPointSizeF(host.pointSizeF() + 3);
    w.setFont(host);
    QCOMPARE(clear->Font(), host);
    QVERIFY(copy->Font().bold());
}

QTEST_MAIN(TestXpCmdButton)
#include "tst_xpcmdbutton.moc"
