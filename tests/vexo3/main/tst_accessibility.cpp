#include "controls/accessible.h"
#include "tests/support/testmain.h"
#include "tests/vexo3/main/window_fixture.h"

#include <QAccessibleActionInterface>

using namespace vexo3;

// The main window through QAccessible: Press on a button acts as its click, and each
// change of state tells the reading at once.
class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void pressActsAndTellsTheReading();

private:
    MainFixture f;
};

void TestAccessibility::pressActsAndTellsTheReading()
{
    QStringList told;
    QObject *seg = nullptr;
    tavrik::controls::setAnnouncementClock([] { return qint64(0); });
    tavrik::controls::setAnnouncementWatcher([&told, &seg](QAccessibleEvent *e) {
        if (e->object() == seg)
            told.append(static_cast<QAccessibleTextUpdateEvent *>(e)->textInserted());
    });
    FrmSec &w = f.load();
    seg = ui(w).SegBox1;
    w.show();
    auto press = [&w](int button) {
        QAccessible::queryAccessibleInterface(ui(w).CMD[size_t(button)])
            ->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
    };
    press(0);
    QVERIFY(ui(w).tmrGo->isActive());
    QCOMPARE(told, QStringList{f.shown()});
    f.tickAfter(83.457);
    press(1);
    QVERIFY(!ui(w).tmrGo->isActive());
    QCOMPARE(told.last(), QStringLiteral("83.457"));
    // A record and a change of timing mode are told too.
    const qsizetype toldSoFar = told.size();
    QTest::keyClick(&w, Qt::Key_Space);
    f.env.dialogs.answers << QStringLiteral("10");
    ui(w).mMode2[2]->trigger();
    QCOMPARE(told.size(), toldSoFar + 2);
    QCOMPARE(QAccessible::queryAccessibleInterface(ui(w).SegBox1)->text(QAccessible::Name), QStringLiteral("秒表读数"));
    tavrik::controls::setAnnouncementWatcher({});
    tavrik::controls::setAnnouncementClock({});
}

TAVRIK_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
