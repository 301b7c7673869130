#include "vexo_fixture.h"

#include "shared/core/recordfile.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace vexo;

namespace {

xpcmdbutton *listButton(fList *l, const char *name) { return partOf<xpcmdbutton>(*l, QString::fromUtf8(name)); }

// The record file by the name Vexo3 writes too, in the temporary folder.
QString recordPath(const VexoFixture &f) { return f.env.tempDir() + QStringLiteral("/秒表记录.txt"); }

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestVexoFList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }

    void eachRecordOneLineAboveTheWindow();
    void recordsCopyTheReadouts();
    void exportWritesAndOpens_data();
    void exportWritesAndOpens();
    void hiddenListComesBackWithEveryEntry_data();
    void hiddenListComesBackWithEveryEntry();
    void clearEmpties();
    void unwritableTemporaryFolder_data();
    void unwritableTemporaryFolder();
    void editorThatCannotStartIsSaid();
    void plantedLinkIsNotFollowed();
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

void TestVexoFList::exportWritesAndOpens_data()
{
    QTest::addColumn<int>("first");       // records before the first export
    QTest::addColumn<bool>("clearFirst"); // 清空 before the first export
    QTest::addColumn<int>("more");        // records before a second export (-1: none)
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray one = "0000000001.000S [0000:00:01.000]\r\n";
    const QByteArray two = "0000000002.000S [0000:00:02.000]\r\n";
    const QByteArray three = "0000000003.000S [0000:00:03.000]\r\n";
    QTest::newRow("two records") << 2 << false << -1 << one + two;
    QTest::newRow("emptied list: an empty file, opened all the same") << 2 << true << -1 << QByteArray();
    QTest::newRow("a second export replaces the first") << 2 << false << 1 << one + two + three;
    QTest::newRow("a second, empty export replaces too") << 1 << false << 0 << one;
}

void TestVexoFList::exportWritesAndOpens()
{
    QFETCH(int, first);
    QFETCH(bool, clearFirst);
    QFETCH(int, more);
    fList *l = records(first);
    if (clearFirst)
        QTest::mouseClick(listButton(l, "清空"), Qt::LeftButton);
    QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
    int exports = 1;
    if (more >= 0) {
        records(more);
        QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
        ++exports;
    }
    QTEST(fileBytes(recordPath(f)), "bytes");
    QCOMPARE(tavrik::core::recordFilePath(), recordPath(f));
    // Every export opens the file in the editor, through the launcher.
    QCOMPARE(f.env.launcher.urls, QList<QUrl>(exports, QUrl::fromLocalFile(recordPath(f))));
    QVERIFY(f.env.launcher.started.isEmpty());
    QVERIFY(f.env.dialogs.boxes.isEmpty());
    // The list is what it was.
    QCOMPARE(l->entries().size(), clearFirst ? 0 : first + qMax(more, 0));
    // Private to the user.
    QCOMPARE(QFileInfo(recordPath(f)).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
}

void TestVexoFList::hiddenListComesBackWithEveryEntry_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("隐藏") << "button";
    QTest::newRow("the close box") << "close";
    QTest::newRow("the close box, twice") << "close twice";
}

void TestVexoFList::hiddenListComesBackWithEveryEntry()
{
    QFETCH(QString, how);
    FrmSec &w = f.load();
    fList *l = records(2);
    if (how == QStringLiteral("button")) {
        QTest::mouseClick(listButton(l, "Command3"), Qt::LeftButton);
    } else {
        QVERIFY(!l->close());
        if (how.endsWith(QStringLiteral("twice")))
            QVERIFY(!l->close());
    }
    QVERIFY(!l->isVisible());
    QCOMPARE(f.recordList(), l);
    QCOMPARE(l->entries().size(), 2);
    // Moved while hidden; the next record shows it above the main window again,
    // with every earlier entry and the new one.
    w.move(w.pos() + QPoint(-30, 25));
    records(1);
    QCOMPARE(f.recordList(), l);
    QVERIFY(l->isVisible());
    QCOMPARE(l->entries(), (QStringList{"0000000001.000S [0000:00:01.000]", "0000000002.000S [0000:00:02.000]",
                                        "0000000003.000S [0000:00:03.000]"}));
    QCOMPARE(l->frameGeometry().left(), w.frameGeometry().left());
    QCOMPARE(l->frameGeometry().bottom() + 1, w.frameGeometry().top());
}

void TestVexoFList::clearEmpties()
{
    fList *l = records(2);
    QTest::mouseClick(listButton(l, "清空"), Qt::LeftButton);
    QVERIFY(l->entries().isEmpty());
    QVERIFY(l->isVisible());
    records(1);
    QCOMPARE(l->entries(), QStringList{"0000000003.000S [0000:00:03.000]"});
}

void TestVexoFList::unwritableTemporaryFolder_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "missing" << "文件夹不存在。";
    QTest::newRow("a plain file for a folder") << "file" << "路径中有一部分不是文件夹。";
    QTest::newRow("a folder where the file goes") << "folder at path" << "该位置是一个文件夹。";
    QTest::newRow("a folder without write permission") << "read-only" << "没有写入该位置的权限。";
}

void TestVexoFList::unwritableTemporaryFolder()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);
    if (setup == QStringLiteral("read-only") && ::geteuid() == 0)
        QSKIP("permissions do not bind root");
    QString folder = f.env.tempDir() + QStringLiteral("/folder");
    if (setup == QStringLiteral("missing")) {
        folder = f.env.tempDir() + QStringLiteral("/gone/away");
    } else if (setup == QStringLiteral("file")) {
        writeFile(folder, "not a folder");
    } else {
        QVERIFY(QDir().mkpath(folder + (setup == QStringLiteral("folder at path") ? QStringLiteral("/秒表记录.txt")
                                                                                 : QString())));
        if (setup == QStringLiteral("read-only"))
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    qputenv("temp", QFile::encodeName(folder));
    fList *l = records(2);
    QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // One box in Chinese with the path and the reason; nothing opened, nothing lost.
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    const auto &box = f.env.dialogs.boxes[0];
    QCOMPARE(box.title, QStringLiteral("错误"));
    QCOMPARE(box.icon, tavrik::gui::MsgIcon::Critical);
    QVERIFY2(box.text.startsWith(QStringLiteral("无法写入记录文件：\n") + folder + QStringLiteral("/秒表记录.txt\n")),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("原因：") + reason), qPrintable(box.text));
    QVERIFY(box.text.contains(QStringLiteral("记录仍保留在列表中")));
    QVERIFY(f.env.launcher.urls.isEmpty());
    QCOMPARE(l->entries().size(), 2);
    QVERIFY(l->isVisible());

    // The folder put right, the same list is written whole.
    f.env.dialogs.boxes.clear();
    qputenv("temp", QFile::encodeName(f.env.tempDir()));
    QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
    QCOMPARE(fileBytes(recordPath(f)),
             QByteArray("0000000001.000S [0000:00:01.000]\r\n0000000002.000S [0000:00:02.000]\r\n"));
    QVERIFY(f.env.dialogs.boxes.isEmpty());
}

void TestVexoFList::editorThatCannotStartIsSaid()
{
    f.env.launcher.openResult = false;
    fList *l = records(1);
    QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
    // The file is there for the user to open by hand, and the box says where.
    QCOMPARE(fileBytes(recordPath(f)), QByteArray("0000000001.000S [0000:00:01.000]\r\n"));
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].text, QStringLiteral("无法启动文本编辑器打开文件：\n") + recordPath(f));
    QCOMPARE(f.env.dialogs.boxes[0].title, QStringLiteral("错误"));
    QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Critical);
    QCOMPARE(l->entries().size(), 1);
}

void TestVexoFList::plantedLinkIsNotFollowed()
{
    const QString victim = f.env.appDir() + QStringLiteral("victim.txt");
    writeFile(victim, "keep me");
    QVERIFY(QFile::link(victim, recordPath(f)));
    fList *l = records(1);
    QTest::mouseClick(listButton(l, "Command2"), Qt::LeftButton);
    QCOMPARE(fileBytes(victim), QByteArray("keep me"));
    QVERIFY(!QFileInfo(recordPath(f)).isSymLink());
    QCOMPARE(fileBytes(recordPath(f)), QByteArray("0000000001.000S [0000:00:01.000]\r\n"));
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

QTEST_MAIN(TestVexoFList)
#include "tst_vexo_flist.moc"
