#include "vexo_fixture.h"

#include "shared/core/recordfile.h"

#include <QFile>

using namespace vexo;

namespace {

xpcmdbutton *listButton(fList *l, const char *name) { return partOf<xpcmdbutton>(*l, QString::fromUtf8(name)); }

QByteArray recordFileBytes()
{
    QFile file(tavrik::core::recordFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestVexoFList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }

    void eachRecordOneLineAboveTheWindow();
    void recordsCopyTheReadouts();
    void exportWritesAndOpens();
    void hideKeepsCloseDiscards();
    void clearEmpties();

private:
    VexoFixture f;
};

void TestVexoFList::eachRecordOneLineAboveTheWindow()
{
    FrmSec &w = f.load();
    f.key(Qt::Key_Space);
    f.tickAfter(12.345);
    f.click(Button::cmdLog);
    fList *l = f.recordList();
    QVERIFY(l);
    QVERIFY(l->isVisible());
    QCOMPARE(l->windowTitle(), QStringLiteral("计时"));
    QCOMPARE(l->entries(), QStringList{"0000000012.345S [0000:00:12.345]"});
    QCOMPARE(l->frameGeometry().left(), w.frameGeometry().left());
    QCOMPARE(l->frameGeometry().width(), w.frameGeometry().width());
    QCOMPARE(l->frameGeometry().bottom() + 1, w.frameGeometry().top());
    // The main window moved: the next record brings the list back above it.
    w.move(w.pos() + QPoint(40, 30));
    f.tickAfter(1);
    f.click(Button::cmdLog);
    QCOMPARE(l->entries().size(), 2);
    QCOMPARE(l->entries().last(), QStringLiteral("0000000013.345S [0000:00:13.345]"));
    QCOMPARE(l->frameGeometry().left(), w.frameGeometry().left());
    QCOMPARE(l->frameGeometry().bottom() + 1, w.frameGeometry().top());
    QCOMPARE(listButton(l, "清空")->Caption(), QStringLiteral("清空"));
    QCOMPARE(listButton(l, "Command2")->Caption(), QStringLiteral("编辑/保存"));
}

void TestVexoFList::recordsCopyTheReadouts()
{
    f.load();
    const VexoUi u = f.parts();
    u.mB60->trigger();
    f.env.dialogs.answers = {QStringLiteral("5")};
    u.mMode2[2]->trigger();
    f.key(Qt::Key_Space);
    f.tickAfter(1.5);
    f.click(Button::cmdLog);
    QCOMPARE(f.recordList()->entries(), QStringList{"3.5S [0000:00:01.500]"});
}

void TestVexoFList::exportWritesAndOpens()
{
    f.load();
    f.key(Qt::Key_Space);
    f.tickAfter(1);
    f.click(Button::cmdLog);
    f.tickAfter(1);
    f.click(Button::cmdLog);
    fList *l = f.recordList();
    QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
    QCOMPARE(recordFileBytes(), QByteArray("0000000001.000S [0000:00:01.000]\r\n0000000002.000S [0000:00:02.000]\r\n"));
    QCOMPARE(f.env.launcher.urls, QList<QUrl>{QUrl::fromLocalFile(tavrik::core::recordFilePath())});
    // A second export replaces the file.
    QTest::mouseClick(listButton(l, "清空"), Qt::LeftButton);
    QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
    QCOMPARE(recordFileBytes(), QByteArray());
    QCOMPARE(f.env.launcher.urls.size(), 2);
}

void TestVexoFList::hideKeepsCloseDiscards()
{
    f.load();
    f.key(Qt::Key_Space);
    f.click(Button::cmdLog);
    fList *l = f.recordList();
    QTest::mouseClick(listButton(l, "Command3"), Qt::LeftButton);
    QVERIFY(!l->isVisible());
    f.click(Button::cmdLog);
    QVERIFY(l->isVisible());
    QCOMPARE(l->entries().size(), 2);
    l->close();
    f.click(Button::cmdLog);
    QCOMPARE(f.recordList()->entries().size(), 1);
}

void TestVexoFList::clearEmpties()
{
    f.load();
    f.key(Qt::Key_Space);
    f.click(Button::cmdLog);
    f.click(Button::cmdLog);
    QTest::mouseClick(listButton(f.recordList(), "清空"), Qt::LeftButton);
    QVERIFY(f.recordList()->entries().isEmpty());
}

QTEST_MAIN(TestVexoFList)
#include "tst_vexo_flist.moc"
