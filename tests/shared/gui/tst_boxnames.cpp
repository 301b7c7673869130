#include "shared/gui/dialogs.h"
#include "shared/gui/textbox.h"
#include "tests/controls/accessible/unnamedparts.h"
#include "tests/support/testmain.h"

#include <QMessageBox>
#include <QtTest>

using tavrik::gui::MsgIcon;

// The boxes the programs show: every part named for assistive tools.
class TestBoxNames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPartNamed_data();
    void everyPartNamed();
};

void TestBoxNames::everyPartNamed_data()
{
    QTest::addColumn<int>("kind"); // 0 message, 1 question, 2 long text
    QTest::addColumn<int>("icon");
    QTest::newRow("warning") << 0 << int(MsgIcon::Warning);
    QTest::newRow("question") << 1 << int(MsgIcon::None);
    QTest::newRow("long text") << 2 << int(MsgIcon::Information);
}

void TestBoxNames::everyPartNamed()
{
    QFETCH(int, kind);
    QFETCH(int, icon);
    const QString text = QStringLiteral("请输入倒计时的秒数");
    std::unique_ptr<QDialog> box;
    if (kind < 2)
        box = tavrik::gui::makeMessageBox(nullptr, text, QStringLiteral("状态"), MsgIcon(icon), kind == 1);
    else
        box = tavrik::gui::makeTextBox(nullptr, text, QStringLiteral("说明"), MsgIcon(icon));
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QStringList unnamed = accessibletest::unnamedParts(QAccessible::queryAccessibleInterface(box.get()));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u';')));
}

TAVRIK_TEST_MAIN(TestBoxNames)
#include "tst_boxnames.moc"
