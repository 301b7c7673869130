#include "tests/support/testmain.h"
#include "tests/vexo/main/vexo_fixture.h"

#include <QAccessibleActionInterface>

using namespace vexo;

// What a click on Vexo's buttons and clickable labels does, done by their actions.
class TestVexoAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void actionsDoWhatClicksDo_data();
    void actionsDoWhatClicksDo();

private:
    VexoFixture f;
};

void TestVexoAccessibility::actionsDoWhatClicksDo_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("effect"); // 1 asked for the mode, 2 border toggled, 3 menu open
    const QString press = QAccessibleActionInterface::pressAction();
    QTest::newRow("mode label asks") << "Label2" << int(QAccessible::PushButton) << press << 1;
    QTest::newRow("read-out toggles its border") << "lblTimer" << int(QAccessible::StaticText) << QStringLiteral("切换边框") << 2;
    QTest::newRow("Tavrik菜单 opens the menu") << "Label4" << int(QAccessible::ButtonMenu)
                                             << QAccessibleActionInterface::showMenuAction() << 3;
}

void TestVexoAccessibility::actionsDoWhatClicksDo()
{
    QFETCH(QString, part);
    QFETCH(int, role);
    QFETCH(QString, action);
    QFETCH(int, effect);
    FrmSec &w = f.load();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(partOf<QWidget>(w, part));
    QCOMPARE(int(a->role()), role);
    const VexoUi u = f.parts();
    const QFrame::Shape border = u.lblTimer->frameShape();
    a->actionInterface()->doAction(action);
    auto done = [&] {
        const bool effects[] = {u.Timer1->isActive(), f.env.dialogs.prompts.size() == 1,
                                u.lblTimer->frameShape() != border, u.mSec->isVisible()};
        return effects[effect];
    };
    QTRY_VERIFY(done());
    u.mSec->close();
}

TAVRIK_TEST_MAIN(TestVexoAccessibility)
#include "tst_vexo_accessibility.moc"
