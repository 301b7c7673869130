// The record list window both programs share, in each program's design and with each
// program's button type.
#include "controls/cmdbox/cmdbox.h"
#include "controls/xp/xpcmdbutton.h"
#include "shared/core/recordfile.h"
#include "shared/gui/recordlist.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

#include <QAccessibleActionInterface>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QtTest>

#include <memory>
#include <unistd.h>

using tavrik::gui::RecordList;

namespace {

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

const QByteArray kTwoLines = "1.000S [0:00:01.000]\r\n2.000S [0:00:02.000]\r\n";

} // namespace

class TestRecordList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase_data();
    void init();
    void cleanup();
    void placedAboveWithoutTakingTheKeyboard();
    void hiddenListKeepsEveryEntry_data();
    void hiddenListKeepsEveryEntry();
    void clearEmpties();
    void exportWritesAndOpens_data();
    void exportWritesAndOpens();
    void relativeTempFolderGivesAbsoluteUrl();
    void unwritableTemporaryFolder_data();
    void unwritableTemporaryFolder();
    void editorThatCannotStartIsSaid();
    void plantedLinkIsNotFollowed();
    void fileGoesAtTheEndUnlessEdited_data();
    void fileGoesAtTheEndUnlessEdited();
    void readAndClearedByAssistiveTools();

private:
    // The list with two records, shown above the main window.
    RecordList &shown();
    QWidget *button(RecordList::Part part) const;
    QString path() const { return env_->tempDir() + QStringLiteral("/秒表记录.txt"); }

    std::unique_ptr<testing::TestEnv> env_;
    std::unique_ptr<QWidget> main_;
    std::unique_ptr<RecordList> list_;
    QStringList names_;
};

void TestRecordList::initTestCase_data()
{
    QTest::addColumn<bool>("xp");
    QTest::newRow("Vexo3") << false;
    QTest::newRow("Vexo") << true;
}

void TestRecordList::init()
{
    env_ = std::make_unique<testing::TestEnv>();
    qputenv("temp", QFile::encodeName(env_->tempDir()));
    main_ = std::make_unique<QWidget>();
    main_->setGeometry(300, 400, 320, 200);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    main_->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), main_.get());

    RecordList::Design d;
    d.sizeTwips = QSize(4680, 3615);
    d.listTwips = QRect(120, 120, 4215, 2760);
    d.buttonsTwips = {QRect(120, 3000, 975, 375), QRect(1200, 3000, 1095, 375), QRect(3240, 3000, 975, 375)};
    d.buttonNames = {QStringLiteral("b1"), QStringLiteral("b2"), QStringLiteral("b3")};
    QFETCH_GLOBAL(bool, xp);
    list_.reset(xp ? tavrik::gui::makeRecordList<vexo::xpcmdbutton>(main_.get(), d)
                   : tavrik::gui::makeRecordList<vexo3::cmdBox>(main_.get(), d));
}

void TestRecordList::cleanup()
{
    list_.reset();
    main_.reset();
    env_.reset();
    qunsetenv("temp");
}

QWidget *TestRecordList::button(RecordList::Part part) const
{
    return list_->findChild<QWidget *>(QStringLiteral("b%1").arg(int(part) + 1));
}

RecordList &TestRecordList::shown()
{
    list_->append(QStringLiteral("1.000S [0:00:01.000]"));
    list_->append(QStringLiteral("2.000S [0:00:02.000]"));
    list_->showAbove(main_.get());
    return *list_;
}

void TestRecordList::placedAboveWithoutTakingTheKeyboard()
{
    RecordList &l = shown();
    QVERIFY(l.isVisible());
    QCOMPARE(l.windowTitle(), QStringLiteral("计时"));
    QCOMPARE(l.frameGeometry().left(), main_->frameGeometry().left());
    QCOMPARE(l.frameGeometry().width(), main_->frameGeometry().width());
    QCOMPARE(l.frameGeometry().bottom() + 1, main_->frameGeometry().top());
    QTRY_COMPARE(QApplication::activeWindow(), main_.get());
    // The main window moved: shown again, the list follows it.
    main_->move(main_->pos() + QPoint(40, 30));
    l.showAbove(main_.get());
    QCOMPARE(l.frameGeometry().left(), main_->frameGeometry().left());
    QCOMPARE(l.frameGeometry().bottom() + 1, main_->frameGeometry().top());
    const QStringList captions{QStringLiteral("清空"), QStringLiteral("编辑/保存"), QStringLiteral("隐藏")};
    for (int i = 0; i < RecordList::kParts; ++i)
        QCOMPARE(button(RecordList::Part(i))->property("Caption").toString(), captions[i]);
}

void TestRecordList::hiddenListKeepsEveryEntry_data()
{
    QTest::addColumn<int>("closes"); // 0: 隐藏
    QTest::newRow("隐藏") << 0;
    QTest::newRow("the close box") << 1;
    QTest::newRow("the close box, twice") << 2;
}

void TestRecordList::hiddenListKeepsEveryEntry()
{
    QFETCH(int, closes);
    RecordList &l = shown();
    if (closes == 0)
        QTest::mouseClick(button(RecordList::Hide), Qt::LeftButton);
    for (int i = 0; i < closes; ++i)
        QVERIFY(!l.close());
    QVERIFY(!l.isVisible());
    l.append(QStringLiteral("3"));
    l.showAbove(main_.get());
    QVERIFY(l.isVisible());
    QCOMPARE(l.entries().size(), 3);
}

void TestRecordList::clearEmpties()
{
    RecordList &l = shown();
    QTest::mouseClick(button(RecordList::Clear), Qt::LeftButton);
    QVERIFY(l.entries().isEmpty());
    QVERIFY(l.isVisible());
    l.append(QStringLiteral("3"));
    QCOMPARE(l.entries(), QStringList{"3"});
}

void TestRecordList::exportWritesAndOpens_data()
{
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<int>("more"); // records before a second export (-1: none)
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("two records") << false << -1 << kTwoLines;
    QTest::newRow("emptied list: an empty file, opened all the same") << true << -1 << QByteArray();
    QTest::newRow("a second export replaces the first") << false << 1 << kTwoLines + "3\r\n";
}

void TestRecordList::exportWritesAndOpens()
{
    QFETCH(bool, clearFirst);
    QFETCH(int, more);
    RecordList &l = shown();
    if (clearFirst)
        QTest::mouseClick(button(RecordList::Clear), Qt::LeftButton);
    QTest::mouseClick(button(RecordList::Export), Qt::LeftButton);
    int exports = 1;
    if (more > 0) {
        l.append(QStringLiteral("3"));
        QTest::mouseClick(button(RecordList::Export), Qt::LeftButton);
        ++exports;
    }
    QTEST(fileBytes(path()), "bytes");
    QCOMPARE(tavrik::core::recordFilePath(), path());
    QCOMPARE(env_->launcher.urls, QList<QUrl>(exports, QUrl::fromLocalFile(path())));
    QVERIFY(env_->dialogs.boxes.isEmpty());
    QCOMPARE(l.entries().size(), clearFirst ? 0 : 2 + qMax(more, 0));
    // Private to the user; the editor may still be reading it, so it stays.
    QCOMPARE(QFileInfo(path()).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
    QCoreApplication::processEvents();
    QVERIFY(QFileInfo::exists(path()));
}

void TestRecordList::relativeTempFolderGivesAbsoluteUrl()
{
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(env_->tempDir()));
    qputenv("temp", "rel/t");
    QVERIFY(QDir().mkpath(QStringLiteral("rel/t")));
    shown();
    QTest::mouseClick(button(RecordList::Export), Qt::LeftButton);
    QDir::setCurrent(saved);
    QCOMPARE(env_->launcher.urls.size(), 1);
    const QUrl url = env_->launcher.urls.first();
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(), env_->tempDir() + QStringLiteral("/rel/t/秒表记录.txt"));
    QVERIFY(QFileInfo::exists(url.toLocalFile()));
}

void TestRecordList::unwritableTemporaryFolder_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "missing" << "文件夹不存在。";
    QTest::newRow("a plain file for a folder") << "file" << "路径中有一部分不是文件夹。";
    QTest::newRow("a folder where the file goes") << "folder at path" << "该位置是一个文件夹。";
    QTest::newRow("a folder without write permission") << "read-only" << "没有写入该位置的权限。";
}

void TestRecordList::unwritableTemporaryFolder()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);
    if (setup == QStringLiteral("read-only") && ::geteuid() == 0)
        QSKIP("permissions do not bind root");
    QString folder = env_->tempDir() + QStringLiteral("/folder");
    if (setup == QStringLiteral("missing")) {
        folder = env_->tempDir() + QStringLiteral("/gone/away");
    } else if (setup == QStringLiteral("file")) {
        writeFile(folder, "not a folder");
    } else {
        QVERIFY(QDir().mkpath(folder + (setup == QStringLiteral("folder at path") ? QStringLiteral("/秒表记录.txt")
                                                                                 : QString())));
        if (setup == QStringLiteral("read-only"))
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    qputenv("temp", QFile::encodeName(folder));
    RecordList &l = shown();
    QTest::mouseClick(button(RecordList::Export), Qt::LeftButton);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // One box in Chinese with the path and the reason; nothing opened, nothing lost.
    QCOMPARE(env_->dialogs.boxes.size(), 1);
    const auto &box = env_->dialogs.boxes[0];
    QCOMPARE(box.title, QStringLiteral("错误"));
    QCOMPARE(box.icon, tavrik::gui::MsgIcon::Critical);
    QVERIFY2(box.text.startsWith(QStringLiteral("无法写入记录文件：\n") + folder + QStringLiteral("/秒表记录.txt\n")),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("原因：") + reason), qPrintable(box.text));
    QVERIFY(box.text.contains(QStringLiteral("记录仍保留在列表中")));
    QVERIFY(env_->launcher.urls.isEmpty());
    QCOMPARE(l.entries().size(), 2);

    // The folder put right, the same list is written whole.
    env_->dialogs.boxes.clear();
    qputenv("temp", QFile::encodeName(env_->tempDir()));
    QTest::mouseClick(button(RecordList::Export), Qt::LeftButton);
    QCOMPARE(fileBytes(path()), kTwoLines);
    QVERIFY(env_->dialogs.boxes.isEmpty());
}

void TestRecordList::editorThatCannotStartIsSaid()
{
    env_->launcher.openResult = false;
    RecordList &l = shown();
    QTest::mouseClick(button(RecordList::Export), Qt::LeftButton);
    // The file is there for the user to open by hand, and the box says where.
    QCOMPARE(fileBytes(path()), kTwoLines);
    QCOMPARE(env_->dialogs.boxes.size(), 1);
    QCOMPARE(env_->dialogs.boxes[0].text, QStringLiteral("无法启动文本编辑器打开文件：\n") + path());
    QCOMPARE(env_->dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Critical);
    QCOMPARE(l.entries().size(), 2);
}

void TestRecordList::plantedLinkIsNotFollowed()
{
    const QString victim = env_->appDir() + QStringLiteral("victim.txt");
    writeFile(victim, "keep me");
    QVERIFY(QFile::link(victim, path()));
    shown();
    QTest::mouseClick(button(RecordList::Export), Qt::LeftButton);
    QCOMPARE(fileBytes(victim), QByteArray("keep me"));
    QVERIFY(!QFileInfo(path()).isSymLink());
    QCOMPARE(fileBytes(path()), kTwoLines);
}

void TestRecordList::fileGoesAtTheEndUnlessEdited_data()
{
    QTest::addColumn<bool>("edited");
    QTest::newRow("unchanged") << false;
    QTest::newRow("edited by the user") << true;
}

void TestRecordList::fileGoesAtTheEndUnlessEdited()
{
    QFETCH(bool, edited);
    RecordList &l = shown();
    QTest::mouseClick(button(RecordList::Export), Qt::LeftButton);
    if (edited) {
        QFile file(path());
        QVERIFY(file.open(QIODevice::Append));
        file.write("mine\r\n");
    }
    l.closeForGood();
    QVERIFY(!l.isVisible());
    QCOMPARE(QFileInfo::exists(path()), edited);
}

// A screen reader finds the named list, each record an item, and clears it by Press.
void TestRecordList::readAndClearedByAssistiveTools()
{
    RecordList &l = shown();
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(l.findChild<QListWidget *>());
    QCOMPARE(list->text(QAccessible::Name), QStringLiteral("记录"));
    QCOMPARE(list->child(1)->text(QAccessible::Name), l.entries().value(1));
    QAccessibleInterface *clear = QAccessible::queryAccessibleInterface(button(RecordList::Clear));
    QCOMPARE(clear->text(QAccessible::Name), QStringLiteral("清空"));
    clear->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(l.entries().isEmpty());
}

TAVRIK_TEST_MAIN(TestRecordList)
#include "tst_recordlist.moc"
