#include "tests/controls/accessible/unnamedparts.h"
#include "tests/support/testmain.h"
#include "tests/vexo3/windows/option_fixture.h"

using namespace vexo3;
using namespace optiontest;

// The options dialog and the big display windows: every part named, the digits by what
// they show.
class TestWindowAccess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPartNamed_data();
    void everyPartNamed();
};

void TestWindowAccess::everyPartNamed_data()
{
    QTest::addColumn<QString>("mode"); // a big window's, or empty for the options dialog
    QTest::addColumn<QString>("digits");
    QTest::newRow("options") << QString() << QStringLiteral("预览");
    QTest::newRow("stopwatch") << fBig::kTimerMode << QStringLiteral("秒表读数");
    QTest::newRow("date") << fBig::kDateMode << QStringLiteral("日期");
    QTest::newRow("countdown") << fBig::kCountdownMode << QStringLiteral("倒计时");
}

void TestWindowAccess::everyPartNamed()
{
    QFETCH(QString, mode);
    QFETCH(QString, digits);
    const auto env = twoSetsEnv();
    FakeHost host;
    std::unique_ptr<QWidget> w(mode.isEmpty()                 ? static_cast<QWidget *>(new fOption(&host))
                               : mode == fBig::kTimerMode     ? host.bigWindow(true)
                               : mode == fBig::kCountdownMode ? fBig::openCountdown(&host, QStringLiteral("10"))
                                                              : fBig::openDateTime(&host, mode));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QStringList unnamed = accessibletest::unnamedParts(QAccessible::queryAccessibleInterface(w.get()));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u';')));
    QCOMPARE(QAccessible::queryAccessibleInterface(w->findChild<Seg *>())->text(QAccessible::Name), digits);
}

TAVRIK_TEST_MAIN(TestWindowAccess)
#include "tst_windowaccess.moc"
