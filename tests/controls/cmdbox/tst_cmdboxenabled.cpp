#include "tests/support/fakes.h"
#include "tests/controls/cmdbox/buttonwindow.h"
#include "tests/support/testmain.h"

using namespace vexo3;
using namespace buttontest;

// However a button is disabled or enabled, its face, its events and its reaction to
// the pointer follow.
class TestCmdBoxEnabled : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void enabled();
    void disabledByAnyRoute_data();
    void disabledByAnyRoute();
    void ownFlagOutlivesTheParent();

private:
    Window &shown();
    std::unique_ptr<testing::TestEnv> env_;
    std::unique_ptr<Window> window_;
};

void TestCmdBoxEnabled::init()
{
    env_.reset();
    env_ = std::make_unique<testing::TestEnv>();
    QCursor::setPos(0, 0);
}

void TestCmdBoxEnabled::cleanup() { window_.reset(); }

Window &TestCmdBoxEnabled::shown()
{
    window_ = std::make_unique<Window>();
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        qFatal("window not exposed");
    return *window_;
}

void TestCmdBoxEnabled::enabled()
{
    Window &w = shown();
    cmdBox &b = *w.button;
    b.setCaption(QStringLiteral("暂停"));
    QSignalSpy changes(&b, &cmdBox::EnabledChanged);
    QSignalSpy clicks(&b, &cmdBox::Click);
    QCursor::setPos(w.over());
    QTRY_COMPARE(b.face(), 1);

    b.setEnabled(false);
    QVERIFY(!b.Enabled());
    QVERIFY(!b.isEnabled());
    QCOMPARE(b.face(), 3);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.last().first().toBool(), false);
    const QImage disabled = w.shot();
    QCOMPARE(disabled.pixel(1, 15), builtInFace(3).pixel(1, 10));
    QCOMPARE(disabled.pixel(50, 2), builtInFace(3).pixel(8, 2));
    QCOMPARE(b.captionColor(), QColor(Qt::blue));
    QVERIFY(captionPixels(disabled, Qt::blue) > 0);

    // The same value again changes nothing, so there is nothing to tell.
    b.setEnabled(false);
    QCOMPARE(changes.size(), 1);

    // No reaction to the pointer, its leaving, or a resize: nothing polls.
    QTest::mouseClick(&b, Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCursor::setPos(w.beside());
    QVERIFY(!pollOf(b)->isActive());
    b.resize(120, 30);
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(b.face(), 3);

    b.setEnabled(true);
    QCOMPARE(b.face(), 0);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(changes.last().first().toBool(), true);
    QCOMPARE(w.shot().pixel(50, 2), builtInFace(0).pixel(8, 2));
}

void TestCmdBoxEnabled::disabledByAnyRoute_data()
{
    QTest::addColumn<bool>("throughParent");
    QTest::newRow("through a QWidget pointer") << false;
    QTest::newRow("a disabled parent") << true;
}

// However the button is disabled, it looks disabled, tells its host, and ignores the
// pointer; enabled again, it looks and acts normal.
void TestCmdBoxEnabled::disabledByAnyRoute()
{
    QFETCH(bool, throughParent);
    Window &w = shown();
    cmdBox &b = *w.button;
    QSignalSpy changes(&b, &cmdBox::EnabledChanged);
    QSignalSpy clicks(&b, &cmdBox::Click);
    QCursor::setPos(w.over());
    QTRY_COMPARE(b.face(), 1);
    QWidget *target = throughParent ? static_cast<QWidget *>(&w) : static_cast<QWidget *>(&b);

    target->setEnabled(false);
    QCOMPARE(b.face(), 3);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.last().first().toBool(), false);
    QCOMPARE(b.Enabled(), throughParent); // its own flag is untouched by the parent
    QCOMPARE(b.captionColor(), QColor(Qt::blue));
    const QImage disabled = w.shot();
    QCOMPARE(disabled.pixel(1, 15), builtInFace(3).pixel(1, 10));
    QCOMPARE(disabled.pixel(50, 2), builtInFace(3).pixel(8, 2));
    QTest::mouseClick(&b, Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(b.face(), 3);

    target->setEnabled(true);
    QCOMPARE(b.face(), 0);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(changes.last().first().toBool(), true);
    QCOMPARE(w.shot().pixel(50, 2), builtInFace(0).pixel(8, 2));
    QTest::mouseClick(&b, Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(clicks.size(), 1);
}

// A button disabled on its own stays disabled when its parent comes back.
void TestCmdBoxEnabled::ownFlagOutlivesTheParent()
{
    Window &w = shown();
    cmdBox &b = *w.button;
    b.setEnabled(false);
    QSignalSpy changes(&b, &cmdBox::EnabledChanged);
    w.setEnabled(false);
    w.setEnabled(true);
    QVERIFY(!b.isEnabled());
    QVERIFY(!b.Enabled());
    QCOMPARE(b.face(), 3);
    QCOMPARE(changes.size(), 0);
    QCOMPARE(w.shot().pixel(50, 2), builtInFace(3).pixel(8, 2));
}

TAVRIK_TEST_MAIN(TestCmdBoxEnabled)
#include "tst_cmdboxenabled.moc"
