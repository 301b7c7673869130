#include "vexo_fixture.h"
#include "tests/support/testmain.h"

#include "shared/core/recordfile.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace vexo;

namespace {

xpcmdbutton *listButton(fList *l, const char *name) { return partOf<xpcmdbutton>(*l, QString::fromUtf8(name)); }

// The record file by the name Vexo3 writes too, in the temporary folder.
QString recordPath(const VexoFixture &f) { return f.env.tempDir() + QStringLiteral("/秒表记录.txt"); }

} // namespace

class TestVexoFList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }

    void eachRecordOneLineAboveTheWindow();
    void recordsCopyTheReadouts();
    void recordFileAtTheEnd_data();
    void recordFileAtTheEnd();

private:
    // Starts the watch and takes `count` records one second apart.
    fList *records(int count);

    VexoFixture f;
};

fList *TestVexoFList::records(int count)
{
    if (!f.w)
        f.load();
    if (f.parts().button(Button::cmdStart)->isVisible())
        f.key(Qt::Key_Space);
    for (int i = 0; i < count; ++i) {
        f.tickAfter(1);
        f.click(Button::cmdLog);
    }
    return f.recordList();
}

void TestVexoFList::eachRecordOneLineAboveTheWindow()
{
    FrmSec &w = f.load();
    // The user's window has the keyboard, as when a button of it is clicked.
    w.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &w);
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
    // The keyboard stays with the main window: Space goes on pausing and continuing.
    QTRY_COMPARE(QApplication::activeWindow(), &w);
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

void TestVexoFList::recordFileAtTheEnd_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("kept");
    QTest::newRow("confirmed close, unchanged") << "yes" << false << false;
    QTest::newRow("confirmed close, edited by the user") << "yes" << true << true;
    QTest::newRow("ended by a signal, unchanged") << "signal" << false << false;
    QTest::newRow("answered No: the editor may still read it") << "no" << false << true;
}

void TestVexoFList::recordFileAtTheEnd()
{
    QFETCH(QString, ending);
    QFETCH(bool, edited);
    FrmSec &w = f.load();
    fList *l = records(1);
    QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
    QVERIFY(QFileInfo::exists(recordPath(f)));
    if (edited) {
        QFile file(recordPath(f));
        QVERIFY(file.open(QIODevice::Append));
        file.write("mine\r\n");
    }
    f.env.dialogs.yesNo = {ending == QStringLiteral("yes")};
    if (ending == QStringLiteral("signal"))
        w.endFromSystem();
    else
        w.close();
    QTEST(QFileInfo::exists(recordPath(f)), "kept");
}

TAVRIK_TEST_MAIN(TestVexoFList)
#include "tst_vexo_flist.moc"
