#include "vexo_fixture.h"
#include "tests/support/testmain.h"

using namespace vexo;

namespace {

const QString kQuestion = QStringLiteral("真的要关闭“Tavrik”吗？ ");

// Runs the event loop until the program asks to end; false when it never does.
bool endsTheProgram(const std::function<void()> &action)
{
    QTimer::singleShot(0, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    return QCoreApplication::exec() == 0;
}

QStringList borderKeys(const VexoFixture &f)
{
    QStringList keys;
    for (const QString &k : f.env.store.keys(QStringLiteral("Tavrik")))
        if (k.endsWith(QStringLiteral("BorderStyle"), Qt::CaseInsensitive))
            keys << k;
    return keys;
}

} // namespace

class TestVexoClose : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }

    void closeBeforeAnyStart_data();
    void closeBeforeAnyStart();
    void closeWhileLockedIsRefusedForTwoSeconds();
    void noKeepsEverything();
    void yesStoresTheBordersAndEndsEverything();
    void borderSurvivesOnlyTheConfirmedClose_data();
    void borderSurvivesOnlyTheConfirmedClose();
    void labelTwoKeyIsOneKey();
    void failedSaveIsSaidOnce();
    void confirmedCloseWithFailedSaveEndsWithoutBox();
    void terminationEndsWithoutQuestion_data();
    void terminationEndsWithoutQuestion();

private:
    VexoFixture f;
};

void TestVexoClose::closeBeforeAnyStart_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << "window";
    QTest::newRow("关闭 button") << "cmdClose";
    QTest::newRow("menu 关闭") << "mUnload";
}

void TestVexoClose::closeBeforeAnyStart()
{
    QFETCH(QString, how);
    FrmSec &w = f.load();
    QTest::mouseClick(f.parts().lblTime, Qt::LeftButton); // a border changed, but no Start
    QVERIFY(endsTheProgram([&] {
        if (how == QStringLiteral("window"))
            w.close();
        else if (how == QStringLiteral("cmdClose"))
            f.click(Button::cmdClose);
        else
            f.parts().mUnload->trigger();
    }));
    QVERIFY(!w.isVisible());
    QVERIFY(f.env.dialogs.questions.isEmpty());
    QVERIFY(borderKeys(f).isEmpty());
}

void TestVexoClose::closeWhileLockedIsRefusedForTwoSeconds()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    // The date line's timer is driven by hand here, so its tick cannot race the checks.
    u.Timer2->stop();
    f.key(Qt::Key_Space);
    u.mLock->trigger();
    QVERIFY(!u.mUnload->isEnabled());
    QVERIFY(!u.button(Button::cmdClose)->isEnabled());
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QVERIFY(f.env.dialogs.questions.isEmpty());
    QCOMPARE(u.lblDate->text(), QStringLiteral("控制已被锁定，不能关闭窗口。"));
    QCOMPARE(textColour(u.lblDate), QColor(255, 0, 0));
    QVERIFY(w.refusing());
    // Nothing waits: the stopwatch's own timer keeps the read-outs going meanwhile,
    // and the date line's timer keeps the refusal up.
    f.env.clock.advance(1.5);
    QTRY_COMPARE(u.lblTimer->text(), QStringLiteral("0000000001.500"));
    w.Timer2_Timer();
    QCOMPARE(u.lblDate->text(), QStringLiteral("控制已被锁定，不能关闭窗口。"));
    // Two seconds on, the next tick writes the date in the read-outs' colour.
    f.env.clock.advance(0.6);
    QVERIFY(!w.refusing());
    w.Timer2_Timer();
    QCOMPARE(textColour(u.lblDate), QColor(255, 0, 255));
    QVERIFY(u.lblDate->text().startsWith(QStringLiteral("2023年03月15日  10:00:02")));
    QVERIFY(borderKeys(f).isEmpty());
    QVERIFY(u.Timer1->isActive());
}

void TestVexoClose::noKeepsEverything()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    f.tickAfter(3);
    QTest::mouseClick(u.lblTimer, Qt::LeftButton);
    f.env.dialogs.yesNo = {false};
    QVERIFY(!w.close());
    QCOMPARE(f.env.dialogs.questions.size(), 1);
    QCOMPARE(f.env.dialogs.questions[0].text, kQuestion);
    QCOMPARE(f.env.dialogs.questions[0].title, QStringLiteral("Tavrik")); // the current caption
    QVERIFY(w.isVisible());
    QVERIFY(u.Timer1->isActive());
    QCOMPARE(f.seen(), (QStringList{"暂停", "停止", "记录", "关闭"}));
    QCOMPARE(u.lblTimer->frameShape(), QFrame::NoFrame);
    f.tickAfter(1);
    QCOMPARE(u.lblTimer->text(), QStringLiteral("0000000004.000"));
    QVERIFY(borderKeys(f).isEmpty());
}

void TestVexoClose::yesStoresTheBordersAndEndsEverything()
{
    FrmSec &w = f.load();
    const VexoUi u = f.parts();
    f.key(Qt::Key_Space);
    f.tickAfter(1);
    u.mrec->trigger();
    QPointer<fList> list = f.recordList();
    QVERIFY(list && list->isVisible());
    QTest::mouseClick(u.lblTime, Qt::LeftButton);
    QTest::mouseClick(u.Label1, Qt::LeftButton);
    f.env.dialogs.yesNo = {true};
    QVERIFY(endsTheProgram([&] { f.click(Button::cmdClose); }));
    QVERIFY(!w.isVisible());
    QVERIFY(!list || !list->isVisible());
    QVERIFY(!u.Timer1->isActive());
    QVERIFY(!u.Timer2->isActive());
    QCOMPARE(f.stored(QStringLiteral("TimeBorderStyle")), QStringLiteral("0"));
    QCOMPARE(f.stored(QStringLiteral("TimerBorderStyle")), QStringLiteral("1"));
    QCOMPARE(f.stored(QStringLiteral("lblDateBorderStyle")), QStringLiteral("0"));
    QCOMPARE(f.stored(QStringLiteral("Label1BorderStyle")), QStringLiteral("1"));
    QCOMPARE(f.stored(QStringLiteral("Label2BorderStyle")), QStringLiteral("0"));
}

void TestVexoClose::failedSaveIsSaidOnce()
{
    f.load();
    const VexoUi u = f.parts();
    f.env.store.failSaves = true;
    // A setting that cannot be stored: said once, after the click has done its work.
    u.montop->trigger();
    QCOMPARE(f.env.dialogs.boxes.size(), 0);
    QTRY_COMPARE(f.env.dialogs.boxes.size(), 1);
    QVERIFY(f.env.dialogs.boxes[0].text.startsWith(QStringLiteral("无法保存设置")));
    u.montop->trigger();
    QTest::qWait(20);
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
}

void TestVexoClose::confirmedCloseWithFailedSaveEndsWithoutBox()
{
    // The border styles of a confirmed close cannot be stored: the program ends without
    // a box, and waits a moment for saves still held up by another process's lock.
    FrmSec &w = f.load();
    f.env.store.failSaves = true;
    f.key(Qt::Key_Space);
    QTest::mouseClick(f.parts().lblTime, Qt::LeftButton);
    f.env.dialogs.yesNo = {true};
    QVERIFY(endsTheProgram([&] { f.click(Button::cmdClose); }));
    QVERIFY(!w.isVisible());
    QCOMPARE(f.env.dialogs.boxes.size(), 0);
    QCOMPARE(f.env.store.flushCalls, 1);
}

void TestVexoClose::borderSurvivesOnlyTheConfirmedClose_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("survives");
    QTest::newRow("confirmed") << "yes" << true;
    QTest::newRow("answered No, then the program died") << "no" << false;
    QTest::newRow("closed before any Start") << "unstarted" << false;
    QTest::newRow("ended by a signal") << "signal" << false;
}

void TestVexoClose::borderSurvivesOnlyTheConfirmedClose()
{
    QFETCH(QString, ending);
    QFETCH(bool, survives);
    FrmSec &w = f.load();
    QTest::mouseClick(f.parts().lblDate, Qt::LeftButton);
    QCOMPARE(f.parts().lblDate->frameShape(), QFrame::Box);
    if (ending != QStringLiteral("unstarted"))
        f.key(Qt::Key_Space);
    f.env.dialogs.yesNo = {ending == QStringLiteral("yes")};
    if (ending == QStringLiteral("signal"))
        w.endFromSystem();
    else
        w.close();
    f.restart();
    QCOMPARE(f.parts().lblDate->frameShape(), survives ? QFrame::Box : QFrame::NoFrame);
}

void TestVexoClose::labelTwoKeyIsOneKey()
{
    // Written once under the other spelling: the store holds one key for both.
    f.store(QStringLiteral("Label2BorderStyle"), QStringLiteral("1"));
    FrmSec &w = f.load();
    QCOMPARE(f.parts().Label2->frameShape(), QFrame::Box);
    f.key(Qt::Key_Space);
    f.env.dialogs.yesNo = {true};
    w.close();
    QCOMPARE(f.env.store.keys(QStringLiteral("Tavrik")).filter(QStringLiteral("label2"), Qt::CaseInsensitive).size(), 1);
    QCOMPARE(f.stored(QStringLiteral("label2BorderStyle")), QStringLiteral("1"));
}

void TestVexoClose::terminationEndsWithoutQuestion_data()
{
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("list"); // the record list: "", "shown", "closed by its box"
    QTest::newRow("first run") << false << false << "";
    QTest::newRow("running") << true << false << "";
    QTest::newRow("running, locked") << true << true << "";
    QTest::newRow("running, record list shown") << true << false << "shown";
    // The list's close box only hides it; it must not keep the program alive.
    QTest::newRow("running, record list closed by its box") << true << false << "closed by its box";
}

void TestVexoClose::terminationEndsWithoutQuestion()
{
    QFETCH(bool, started);
    QFETCH(bool, locked);
    QFETCH(QString, list);
    FrmSec &w = f.load();
    if (started)
        f.key(Qt::Key_Space);
    if (locked)
        f.parts().mLock->trigger();
    if (!list.isEmpty()) {
        f.click(Button::cmdLog);
        if (list == QStringLiteral("closed by its box"))
            f.recordList()->close();
    }
    QVERIFY(endsTheProgram([&] { w.endFromSystem(); }));
    QVERIFY(!w.isVisible());
    QVERIFY(!f.recordList() || !f.recordList()->isVisible());
    QVERIFY(f.env.dialogs.questions.isEmpty());
    QVERIFY(borderKeys(f).isEmpty());
}

TAVRIK_TEST_MAIN(TestVexoClose)
#include "tst_vexo_close.moc"
