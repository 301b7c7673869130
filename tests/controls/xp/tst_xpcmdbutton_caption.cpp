// The XP-style button: disabled look, caption, access key, keys and stored properties.
#include "tests/controls/xp/xpbuttonwindow.h"
#include "tests/support/testmain.h"

using namespace xpbuttontest;

class TestXpCmdButtonCaption : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.init(); }
    void cleanup() { f.cleanup(); }
    void disabled();
    void disabledTakesNoPointer_data();
    void disabledTakesNoPointer();
    void captionRecentred();
    void accessKey();
    void keysGoOnToTheHost();
    void properties_data();
    void properties();
    void fontFollowsTheHost();

private:
    Window &shown() { return f.shown(); }
    Fixture f;
};

void TestXpCmdButtonCaption::disabled()
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

void TestXpCmdButtonCaption::disabledTakesNoPointer_data()
{
    QTest::addColumn<bool>("onCaption");
    QTest::addColumn<bool>("hostDisabled");
    QTest::newRow("caption") << true << false;
    QTest::newRow("face") << false << false;
    QTest::newRow("caption, host disabled") << true << true;
}

// A locked window's buttons: neither a click on the caption nor on the face acts,
// and the pointer over either never lights the button up.
void TestXpCmdButtonCaption::disabledTakesNoPointer()
{
    QFETCH(bool, onCaption);
    QFETCH(bool, hostDisabled);
    Window &w = shown();
    xpcmdbutton &b = *w.button;
    b.setCaption(QStringLiteral("暂停"));
    if (hostDisabled)
        w.setEnabled(false);
    else
        b.setEnabled(false);
    QSignalSpy clicks(&b, &xpcmdbutton::Click);
    QSignalSpy downs(&b, &xpcmdbutton::MouseDown);
    QWidget *target = onCaption ? captionOf(b) : static_cast<QWidget *>(&b);
    const QPoint p = onCaption ? captionOf(b)->rect().center() : QPoint(4, 4);
    QTest::mouseMove(target, p);
    QCOMPARE(b.look(), 2);
    QTest::mousePress(target, Qt::LeftButton, {}, p);
    QCOMPARE(b.look(), 2);
    QTest::mouseRelease(target, Qt::LeftButton, {}, p);
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(downs.size(), 0);
    QCOMPARE(b.look(), 2);
}

void TestXpCmdButtonCaption::captionRecentred()
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

void TestXpCmdButtonCaption::accessKey()
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

void TestXpCmdButtonCaption::keysGoOnToTheHost()
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

void TestXpCmdButtonCaption::properties_data()
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

void TestXpCmdButtonCaption::properties()
{
    QFETCH(QStringList, stored);
    QFETCH(int, state);
    QFETCH(bool, enabled);
    QFETCH(QString, caption);
    QFETCH(int, look);
    Window &w = shown();
    tavrik::controls::PropertyBag bag;
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
    tavrik::controls::PropertyBag out;
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

void TestXpCmdButtonCaption::fontFollowsTheHost()
{
    Window &w = shown();
    auto *clear = new xpcmdbutton(&w, QStringLiteral("清空"));
    QCOMPARE(clear->Caption(), QStringLiteral("清空"));
    tavrik::controls::PropertyBag none;
    clear->readProperties(none);
    QCOMPARE(clear->Caption(), QStringLiteral("清空"));

    QFont bold = w.font();
    bold.setBold(true);
    clear->setFont(bold);
    tavrik::controls::PropertyBag out;
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

TAVRIK_TEST_MAIN(TestXpCmdButtonCaption)
#include "tst_xpcmdbutton_caption.moc"
