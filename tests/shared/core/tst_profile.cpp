#include "shared/core/profile.h"
#include "tests/support/files.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>


using namespace tavrik::core;

using testing::readBytes;
using testing::writeBytes;

namespace {

QString repeat(const QString &s, int n) { return s.repeated(n); }

// A literal with NULs in it, all of it.
template <size_t N>
QByteArray bytes(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

} // namespace

class TestProfile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void readMissingFileGivesDefault();
    void readFailureGivesEmpty();
    void write_data();
    void write();
    void writeThenRead_data();
    void writeThenRead();
    void failedWriteTellsWhyAndChangesNothing_data();
    void failedWriteTellsWhyAndChangesNothing();
    void readOnlyFolder();
    void getField_data();
    void getField();
};

void TestProfile::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString def = QStringLiteral("default");
    const QByteArray chinese = QString(repeat(QStringLiteral("秒"), 100)).toUtf8();
    const QByteArray emoji = QString(repeat(QStringLiteral("😀"), 70)).toUtf8();

    QTest::newRow("key without case") << QByteArray("[Setting]\nmSStyle=1\n") << "Setting" << "msStyle" << "1";
    QTest::newRow("section without case") << QByteArray("[SEGFONT]\nCount=2\n") << "SegFont" << "count" << "2";
    QTest::newRow("names trimmed") << QByteArray("  [ Setting ]  \n\t msCount  = 2\n") << " Setting" << "msCount " << "2";
    QTest::newRow("leading blanks go, trailing stay") << QByteArray("[S]\nk=\t  a b  \n") << "S" << "k" << "a b  ";
    QTest::newRow("CRLF line ends") << QByteArray("[S]\r\nk=v\r\nj=w\r\n") << "S" << "k" << "v";
    QTest::newRow("last line without line end") << QByteArray("[S]\nk=v") << "S" << "k" << "v";
    QTest::newRow("comment line") << QByteArray("[S]\n;k=1\n  ; k=3\nk=2\n") << "S" << "k" << "2";
    QTest::newRow("only a comment") << QByteArray("[S]\n;k=1\n") << "S" << "k" << def;
    QTest::newRow("commas and backslashes are data")
        << QString("[SegFont]\n1=红色,seg\\red.bmp\n").toUtf8() << "SegFont" << "1" << "红色,seg\\red.bmp";
    QTest::newRow("quotes are data") << QByteArray("[S]\nk=\"q\" ;x\n") << "S" << "k" << "\"q\" ;x";
    QTest::newRow("equals in value") << QByteArray("[S]\nk=a=b\n") << "S" << "k" << "a=b";
    QTest::newRow("empty value is not missing") << QByteArray("[S]\nk=\n") << "S" << "k" << "";
    QTest::newRow("missing section") << QByteArray("[T]\nk=1\n") << "S" << "k" << def;
    QTest::newRow("missing key") << QByteArray("[S]\nj=1\n") << "S" << "k" << def;
    QTest::newRow("key of the next section") << QByteArray("[S]\nj=1\n[T]\nk=1\n") << "S" << "k" << def;
    QTest::newRow("key before any section") << QByteArray("k=1\n[S]\n") << "S" << "k" << def;
    QTest::newRow("first of two wins") << QByteArray("[S]\nk=1\nK=2\n[s]\nk=3\n") << "S" << "k" << "1";
    QTest::newRow("second copy of a section") << QByteArray("[S]\na=1\n[T]\n[s]\nk=3\n") << "S" << "k" << "3";
    QTest::newRow("header without bracket is no section") << QByteArray("[S\nk=v\n") << "S" << "k" << def;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[Setting]\nmsStyle=1\n") << "Setting" << "msStyle" << "1";
    QTest::newRow("255 ASCII bytes") << "[S]\nk=" + QByteArray(300, 'x') + "\n" << "S" << "k" << QString(255, u'x');
    QTest::newRow("exactly 255 bytes") << "[S]\nk=" + QByteArray(255, 'y') << "S" << "k" << QString(255, u'y');
    QTest::newRow("Chinese cut at 255 bytes") << "[S]\nk=" + chinese + "\n" << "S" << "k" << repeat("秒", 85);
    QTest::newRow("Chinese cut before a half character")
        << "[S]\nk=a" + chinese + "\n" << "S" << "k" << "a" + repeat("秒", 84);
    QTest::newRow("four-byte characters") << "[S]\nk=" + emoji + "\n" << "S" << "k" << repeat("😀", 63);
    QTest::newRow("invalid UTF-8 value")
        << QByteArray("[S]\nk=\xff\xfeok\n") << "S" << "k" << QString::fromUtf8("\xff\xfeok");
    QTest::newRow("invalid UTF-8 elsewhere") << QByteArray("[\xc3]\n\xff=\x80\n[S]\nk=v\n") << "S" << "k" << "v";
    QTest::newRow("binary before the section")
        << bytes("\x00\x01\x89PNG\r\n\x1a\n[S]\nk=v\n") << "S" << "k" << "v";
    QTest::newRow("NUL in the value") << bytes("[S]\nk=a\0" "b\n") << "S" << "k" << QString::fromUtf8("a\0b", 3);
}

void TestProfile::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vexo.ini"));
    writeBytes(path, content);
    QCOMPARE(ReadIni(section, key, QStringLiteral("default"), path), expected);
}

void TestProfile::readMissingFileGivesDefault()
{
    QTemporaryDir dir;
    QCOMPARE(ReadIni("Setting", "msCount", "3", dir.filePath("Vexo.ini")), QStringLiteral("3"));
    QCOMPARE(ReadIni("Setting", "msCount", "3", dir.filePath("no/such/Vexo.ini")), QStringLiteral("3"));
}

void TestProfile::readFailureGivesEmpty()
{
    QTemporaryDir dir;
    // A folder where the file should be cannot be read.
    QVERIFY(QDir(dir.path()).mkdir("Vexo.ini"));
    QCOMPARE(ReadIni("Setting", "msCount", "3", dir.filePath("Vexo.ini")), QString());
}

void TestProfile::write_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray crlf = "; Digit sets\r\n"
                            "[SegFont]\r\n"
                            "Count=2\r\n"
                            "1=Red,seg\\red.bmp\r\n"
                            "Selected = 1\r\n"
                            "\r\n"
                            "; fraction style\r\n"
                            "[Setting]\r\n"
                            "msStyle=0\r\n";
    QByteArray crlfAfter = crlf;
    crlfAfter.replace("Selected = 1", "Selected = 2");
    QTest::newRow("replace keeps every other byte") << crlf << "segfont" << "SELECTED" << "2" << crlfAfter;

    QTest::newRow("stored spelling kept")
        << QByteArray("[Setting]\nmsStyle=0\n") << "SETTING" << "mSStyle" << "1" << QByteArray("[Setting]\nmsStyle=1\n");
    QTest::newRow("blanks around = kept")
        << QByteArray("[S]\nk =  old \n") << "S" << "k" << "new" << QByteArray("[S]\nk =  new\n");
    QTest::newRow("first of two replaced")
        << QByteArray("[S]\nk=1\nk=2\n") << "S" << "k" << "3" << QByteArray("[S]\nk=3\nk=2\n");
    QTest::newRow("new key after the last key")
        << QByteArray("[SegFont]\nCount=2\n; about 1\n\n; next\n[Setting]\nmsStyle=0\n") << "SegFont" << "Selected" << "1"
        << QByteArray("[SegFont]\nCount=2\nSelected=1\n; about 1\n\n; next\n[Setting]\nmsStyle=0\n");
    QTest::newRow("new key in an empty section")
        << QByteArray("[Setting]\n\n[T]\n") << "Setting" << "msCount" << "3" << QByteArray("[Setting]\nmsCount=3\n\n[T]\n");
    QTest::newRow("new section at the end")
        << QByteArray("[SegFont]\nCount=2") << "Setting" << "msCount" << "3"
        << QByteArray("[SegFont]\nCount=2\n[Setting]\nmsCount=3\n");
    QTest::newRow("new section with CRLF") << QByteArray("[SegFont]\r\nCount=2\r\n") << "Setting" << "msCount" << "3"
                                           << QByteArray("[SegFont]\r\nCount=2\r\n[Setting]\r\nmsCount=3\r\n");
    QTest::newRow("new file") << QByteArray() << "Setting" << "msStyle" << "1" << QByteArray("[Setting]\nmsStyle=1\n");
    QTest::newRow("empty file") << QByteArray("") << "Setting" << "msStyle" << "1" << QByteArray("[Setting]\nmsStyle=1\n");
    QTest::newRow("commas and backslashes verbatim")
        << QByteArray("[SegFont]\n") << "SegFont" << "3" << QString("蓝色,seg\\blue.bmp")
        << QString("[SegFont]\n3=蓝色,seg\\blue.bmp\n").toUtf8();
    QTest::newRow("invalid UTF-8 lines kept")
        << QByteArray("[\xc3]\n\xff=\x80\xfe\n[Setting]\nmsStyle=0\n") << "Setting" << "msStyle" << "1"
        << QByteArray("[\xc3]\n\xff=\x80\xfe\n[Setting]\nmsStyle=1\n");
    QTest::newRow("binary file kept")
        << bytes("\x00\x01\x02[\xff]\n\x89PNG\r\n\x1a") << "Setting" << "msStyle" << "1"
        << bytes("\x00\x01\x02[\xff]\n\x89PNG\r\n\x1a\n[Setting]\nmsStyle=1\n");
    QTest::newRow("byte order mark kept")
        << QByteArray("\xEF\xBB\xBF[Setting]\nmsStyle=0\n") << "Setting" << "msStyle" << "1"
        << QByteArray("\xEF\xBB\xBF[Setting]\nmsStyle=1\n");
    QTest::newRow("same value") << QByteArray("[S]\r\nk=1") << "S" << "k" << "1" << QByteArray("[S]\r\nk=1");
}

void TestProfile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vexo.ini"));
    if (!before.isNull())
        writeBytes(path, before);

    QString error = QStringLiteral("untouched");
    QVERIFY(WriteIni(section, key, value, path, &error));
    QCOMPARE(readBytes(path), after);
    QCOMPARE(error, QStringLiteral("untouched"));
    // The temporary file went into place: nothing else is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Vexo.ini")});
}

void TestProfile::writeThenRead_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number") << "0" << "0";
    QTest::newRow("image set entry") << "蓝色,seg\\blue.bmp" << "蓝色,seg\\blue.bmp";
    QTest::newRow("leading blanks") << "  lead" << "lead";
    QTest::newRow("trailing blanks") << "trail  " << "trail  ";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("long") << QString(300, u'x') << QString(255, u'x');
    QTest::newRow("semicolon and brackets") << "[a];b=c" << "[a];b=c";
    // Found by fuzzing: U+FEFF first was dropped as if it were a byte order mark.
    QTest::newRow("U+FEFF first") << QStringLiteral("\uFEFF[s]J") << QStringLiteral("\uFEFF[s]J");
}

void TestProfile::writeThenRead()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vexo.ini"));
    QVERIFY(WriteIni("Setting", "k", "before", path));
    QVERIFY(WriteIni("Setting", "k", value, path));
    QVERIFY(WriteIni("Setting", "next", "1", path));
    QCOMPARE(ReadIni("setting", "K", "default", path), expected);
    QCOMPARE(ReadIni("Setting", "next", "default", path), QStringLiteral("1"));
}

void TestProfile::failedWriteTellsWhyAndChangesNothing_data()
{
    QTest::addColumn<QString>("where"); // parentIsFile, pathIsFolder, or a file that is there
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("parent is a file") << "parentIsFile" << "Setting" << "msStyle" << "1";
    QTest::newRow("path is a folder") << "pathIsFolder" << "Setting" << "msStyle" << "1";
    QTest::newRow("empty key") << "file" << "Setting" << "" << "1";
    QTest::newRow("empty section") << "file" << " " << "k" << "1";
    QTest::newRow("key with =") << "file" << "Setting" << "a=b" << "1";
    QTest::newRow("section with ]") << "file" << "a]b" << "k" << "1";
    QTest::newRow("line break in value") << "file" << "Setting" << "msStyle" << "1\n[Other]\nx=2";
}

void TestProfile::failedWriteTellsWhyAndChangesNothing()
{
    QFETCH(QString, where);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QByteArray content = "[Setting]\r\nmsStyle=0\r\n";
    QString path = dir.filePath(QStringLiteral("Vexo.ini"));
    QString mustStay = path;
    if (where == QLatin1String("parentIsFile")) {
        // Fails even for root, unlike a folder without write permission.
        mustStay = dir.filePath(QStringLiteral("plain"));
        path = mustStay + QStringLiteral("/Vexo.ini");
    } else if (where == QLatin1String("pathIsFolder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Vexo.ini")));
    }
    if (where != QLatin1String("pathIsFolder"))
        writeBytes(mustStay, content);

    QString error;
    QVERIFY(!WriteIni(section, key, value, path, &error));
    QVERIFY2(!error.trimmed().isEmpty(), "the reason is given");

    if (where == QLatin1String("pathIsFolder"))
        QVERIFY(QFileInfo(path).isDir());
    else
        QCOMPARE(readBytes(mustStay), content);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
    // Without a place for the reason it fails the same way.
    QVERIFY(!WriteIni(section, key, value, path));
}

void TestProfile::readOnlyFolder()
{
    if (::geteuid() == 0)
        QSKIP("permissions do not stop root");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vexo.ini"));
    writeBytes(path, "[Setting]\nmsStyle=0\n");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QString error;
    const bool ok = WriteIni("Setting", "msStyle", "1", path, &error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!ok);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readBytes(path), QByteArray("[Setting]\nmsStyle=0\n"));
}

void TestProfile::getField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty text") << "" << 1 << "," << "";
    QTest::newRow("no delimiter, first") << "abc" << 1 << "," << "abc";
    QTest::newRow("no delimiter, second") << "abc" << 2 << "," << "";
    QTest::newRow("display name") << "红色,seg\\red.bmp" << 1 << "," << "红色";
    QTest::newRow("file name") << "红色,seg\\red.bmp" << 2 << "," << "seg\\red.bmp";
    QTest::newRow("last of three") << "a,b,c" << 3 << "," << "c";
    QTest::newRow("empty middle") << "a,,c" << 2 << "," << "";
    QTest::newRow("empty last") << "a,b," << 3 << "," << "";
    QTest::newRow("fewer fields") << "a,b" << 3 << "," << "";
    QTest::newRow("zero") << "a,b" << 0 << "," << "";
    QTest::newRow("longer delimiter") << "a::b::c" << 2 << "::" << "b";
    QTest::newRow("empty delimiter") << "a,b" << 1 << "" << "a,b";
}

void TestProfile::getField()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, delimiter);
    QFETCH(QString, expected);
    QCOMPARE(GetField(text, n, delimiter), expected);
}

TAVRIK_TEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
