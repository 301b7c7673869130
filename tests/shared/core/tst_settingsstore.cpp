#include "shared/core/settingsstore.h"
#include "tests/shared/core/generations.h"
#include "tests/support/files.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSettings>
#include <QThread>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>


using tavrik::core::IniSettingsStore;
using tavrik::core::kSettingsApp;

using testing::readBytes;
using testing::writeBytes;

namespace {

// For the tests that save thousands of times: in memory where there is a tmpfs, since
// locking and rename work the same there and a busy disk makes each flush slow.
std::unique_ptr<QTemporaryDir> manySavesDir()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable()) {
        auto dir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/tst_settingsstore-XXXXXX"));
        if (dir->isValid())
            return dir;
    }
    return std::make_unique<QTemporaryDir>();
}

// The texts stored for the running-state keys, in their order.
tavrik::core::KeyValues storedState(IniSettingsStore &store, const tavrik::core::KeyValues &shape)
{
    tavrik::core::KeyValues out;
    for (const auto &kv : shape)
        out.append({kv.first, store.read(kSettingsApp, testing::kGenerationSection, kv.first, QStringLiteral("<missing>"))});
    return out;
}

QString describe(const tavrik::core::KeyValues &kv)
{
    QStringList parts;
    for (const auto &p : kv)
        parts << p.first + u'=' + p.second;
    return parts.join(QStringLiteral("; "));
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultLocation();
    void namesMatchWithoutCase_data();
    void namesMatchWithoutCase();
    void valuesRoundTripAsText_data();
    void valuesRoundTripAsText();
    void keysRoundTrip_data();
    void keysRoundTrip();
    void missingGivesDefault();
    void badFileGivesDefaults_data();
    void badFileGivesDefaults();
    void saveFailureIsReported_data();
    void saveFailureIsReported();
    void saveKeepsOtherLines();
    void otherWritersChangeIsKeptEvenWithSameSizeAndTime();
    void readSeesChangesMadeInPlace();
    void largeFileOfOtherSections();
    void lockHeldElsewhereNeverBlocksTheCaller();
    void lockNeverFreedLeavesNothingWaiting();
    void endUnderHeldLockKeepsTheChanges();
    void twoProcessesLoseNoKey();
    void killedWriterLeavesOneWholeState();
};

void TestSettingsStore::defaultLocation()
{
    QTemporaryDir dir;
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("xdg")));
    const QString withXdg = IniSettingsStore().filePath(kSettingsApp);
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(dir.path()));
    const QString withHome = IniSettingsStore().filePath(kSettingsApp);
    qputenv("XDG_CONFIG_HOME", savedConfig);
    qputenv("HOME", savedHome);
    QCOMPARE(withXdg, dir.filePath("xdg/BriselSoftware.ini"));
    QCOMPARE(withHome, dir.filePath(".config/BriselSoftware.ini"));
}

void TestSettingsStore::namesMatchWithoutCase_data()
{
    QTest::addColumn<QString>("savedSection");
    QTest::addColumn<QString>("savedKey");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("same") << "Tavrik" << "SegMode1" << "Tavrik" << "SegMode1";
    QTest::newRow("key case") << "Tavrik" << "SegMode1" << "Tavrik" << "segmode1";
    QTest::newRow("section case") << "Setting" << "fbig.Visible" << "SETTING" << "fbig.Visible";
    QTest::newRow("both") << "Setting" << "CMD(0).Enabled" << "setting" << "cmd(0).enabled";
}

void TestSettingsStore::namesMatchWithoutCase()
{
    QFETCH(QString, savedSection);
    QFETCH(QString, savedKey);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    QVERIFY(store.save(kSettingsApp, savedSection, savedKey, QStringLiteral("1")));
    QCOMPARE(store.read(kSettingsApp, section, key, QStringLiteral("d")), QStringLiteral("1"));

    // Saving under another spelling changes the stored key, keeping its spelling.
    QVERIFY(store.save(kSettingsApp, section, key, QStringLiteral("2")));
    QCOMPARE(store.read(kSettingsApp, savedSection, savedKey, QStringLiteral("d")), QStringLiteral("2"));
    const QByteArray file = readBytes(store.filePath(kSettingsApp));
    QCOMPARE(file.count('['), 1);
    QCOMPARE(file.count('='), 1);
    QSettings qs(store.filePath(kSettingsApp), QSettings::IniFormat);
    QCOMPARE(qs.value(savedSection + u'/' + savedKey).toString(), QStringLiteral("2"));
}

void TestSettingsStore::valuesRoundTripAsText_data()
{
    QTest::addColumn<QString>("value");
    const char *values[] = {"0:01:23.457", "83.457", "45296.13", "a,b", "a, b", "", " lead", "trail ",
                            "a;b", "x=y", "@Variant(\\0\\0)", "@Rect(1 2 3 4)", "@", "@@x",
                            "\"quoted\"", "back\\slash", "\\x41", "tab\there", "new\nline", "cr\r\n",
                            "秒表记录", "-1", "True", "[Section]", "%41"};
    for (const char *v : values)
        QTest::newRow(v) << QString::fromUtf8(v);
    QTest::newRow("NUL then digit") << QString::fromUtf8("a\0" "1b", 4);
    QTest::newRow("control then hex digit") << QStringLiteral("\x01" "f");
    QTest::newRow("outside the BMP") << QStringLiteral("😀,x");
    // Found by fuzzing: U+FEFF after an escape was dropped as a byte order mark.
    QTest::newRow("NUL then U+FEFF") << QString::fromUtf8("\0\xEF\xBB\xBFr", 5);
    QTest::newRow("U+FEFF first") << QStringLiteral("\uFEFFx");
}

void TestSettingsStore::valuesRoundTripAsText()
{
    QFETCH(QString, value);
    QTemporaryDir dir;
    {
        IniSettingsStore store(dir.path());
        QVERIFY(store.save(kSettingsApp, QStringLiteral("Setting"), QStringLiteral("TimeString"), value));
    }
    IniSettingsStore store(dir.path());
    QCOMPARE(store.read(kSettingsApp, QStringLiteral("Setting"), QStringLiteral("TimeString"), QStringLiteral("d")), value);
    // The file is in the dialect QSettings reads, and the other way round.
    QSettings qs(store.filePath(kSettingsApp), QSettings::IniFormat);
    QCOMPARE(qs.value(QStringLiteral("Setting/TimeString")).toString(), value);
    qs.setValue(QStringLiteral("Setting/Other"), value);
    qs.sync();
    QCOMPARE(store.read(kSettingsApp, QStringLiteral("Setting"), QStringLiteral("Other"), QStringLiteral("d")), value);
}

void TestSettingsStore::keysRoundTrip_data()
{
    QTest::addColumn<QString>("key");
    for (const char *k : {"CMD(0).Enabled", "CMD(7).Visible", "fbig.Visible", "SegCounts1", "with space",
                          "a=b", "a;b", "%41", "秒表", "[x]", "x/y"})
        QTest::newRow(k) << QString::fromUtf8(k);
    QTest::newRow("U+FEFF first") << QStringLiteral("\uFEFFk");
}

void TestSettingsStore::keysRoundTrip()
{
    QFETCH(QString, key);
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    QVERIFY(store.save(kSettingsApp, QStringLiteral("Setting"), key, QStringLiteral("v1")));
    QVERIFY(store.save(kSettingsApp, QStringLiteral("Setting"), QStringLiteral("Other"), QStringLiteral("v2")));
    QCOMPARE(store.read(kSettingsApp, QStringLiteral("Setting"), key, QStringLiteral("d")), QStringLiteral("v1"));
    QCOMPARE(store.read(kSettingsApp, QStringLiteral("Setting"), QStringLiteral("Other"), QStringLiteral("d")),
             QStringLiteral("v2"));
    QSettings qs(store.filePath(kSettingsApp), QSettings::IniFormat);
    QCOMPARE(qs.value(QStringLiteral("Setting/") + key).toString(), QStringLiteral("v1"));
}

void TestSettingsStore::missingGivesDefault()
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.path() + QStringLiteral("/not/yet"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "2"), QStringLiteral("2"));
    QVERIFY(store.save(kSettingsApp, "Tavrik", "OnTop", "255"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "2"), QStringLiteral("2"));
    QCOMPARE(store.read(kSettingsApp, "Setting", "OnTop", "1"), QStringLiteral("1"));
    QCOMPARE(store.read("OtherApp", "Tavrik", "OnTop", "1"), QStringLiteral("1"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "OnTop", "1"), QStringLiteral("255"));
}

void TestSettingsStore::badFileGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected"); // what Speed reads before any save
    QTest::newRow("empty") << QByteArray("") << "d";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\xff\xfe[", 19) << "d";
    QTest::newRow("invalid UTF-8") << QByteArray("[Tav\xffrik]\nSp\xc3" "eed=\x80\x81\n") << "d";
    QTest::newRow("torn line") << QByteArray("[Tavrik]\nSpeed=\"3") << "3";
    QTest::newRow("no header end") << QByteArray("[Tavrik\nSpeed=4\n") << "d";
    QTest::newRow("huge line") << "[Tavrik]\nSpeed=" + QByteArray(1 << 19, '\\') << QString(1 << 18, u'\\');
}

void TestSettingsStore::badFileGivesDefaults()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    writeBytes(store.filePath(kSettingsApp), content);
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "d"), expected);
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "OnTop", "1"), QStringLiteral("1"));

    // A save still works and leaves the bytes it did not understand alone.
    QVERIFY(store.save(kSettingsApp, "Tavrik", "OnTop", "0"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "OnTop", "1"), QStringLiteral("0"));
    const QByteArray after = readBytes(store.filePath(kSettingsApp));
    QVERIFY(after.startsWith(content.left(content.lastIndexOf('\n') + 1)));
}

void TestSettingsStore::saveFailureIsReported_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("folder under a plain file") << "parentIsFile";
    QTest::newRow("folder where the file goes") << "fileIsFolder";
    QTest::newRow("folder where the lock goes") << "lockIsFolder";
}

void TestSettingsStore::saveFailureIsReported()
{
    QFETCH(QString, how);
    QTemporaryDir dir;
    QString folder = dir.path();
    if (how == QLatin1String("parentIsFile")) {
        writeBytes(dir.filePath("plain"), "x");
        folder = dir.filePath("plain");
    }
    IniSettingsStore store(folder);
    if (how == QLatin1String("fileIsFolder"))
        QVERIFY(QDir().mkpath(store.filePath(kSettingsApp)));
    if (how == QLatin1String("lockIsFolder"))
        QVERIFY(QDir().mkpath(store.lockPath(kSettingsApp)));

    QVERIFY(!store.save(kSettingsApp, "Tavrik", "Speed", "3"));
    QVERIFY(!store.saveAll(kSettingsApp, "Tavrik", {{"Speed", "3"}, {"OnTop", "0"}}));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "2"), QStringLiteral("2"));
    if (how == QLatin1String("parentIsFile"))
        QCOMPARE(readBytes(dir.filePath("plain")), QByteArray("x"));
}

void TestSettingsStore::saveKeepsOtherLines()
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    const QByteArray before = "; kept\n[Tavrik]\nSpeed=2\n\n[Setting]\nstarttime=1.5\nTimeString=\"0:00:01.500\"\n";
    writeBytes(store.filePath(kSettingsApp), before);
    QVERIFY(store.saveAll(kSettingsApp, "setting", {{"StartTime", "45296.13"}, {"PauseTime", "0"}}));
    QCOMPARE(readBytes(store.filePath(kSettingsApp)),
             QByteArray("; kept\n[Tavrik]\nSpeed=2\n\n[Setting]\nstarttime=45296.13\nTimeString=\"0:00:01.500\"\n"
                        "PauseTime=0\n"));
    QCOMPARE(store.read(kSettingsApp, "Setting", "TimeString", "d"), QStringLiteral("0:00:01.500"));
}

void TestSettingsStore::otherWritersChangeIsKeptEvenWithSameSizeAndTime()
{
    // QSettings decides by size and modification time whether to read the file again
    // before it merges; a change of the same size within the same tick was lost.
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    const QString path = store.filePath(kSettingsApp);
    QVERIFY(store.save(kSettingsApp, "Tavrik", "Speed", "1"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("1"));

    struct stat st{};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QByteArray other = readBytes(path);
    other.replace("Speed=1", "Speed=5");
    QSaveFile sf(path);
    QVERIFY(sf.open(QIODevice::WriteOnly));
    sf.write(other);
    QVERIFY(sf.commit());
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);

    QVERIFY(store.save(kSettingsApp, "Tavrik", "OnTop", "0"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("5"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "OnTop", "d"), QStringLiteral("0"));
}

void TestSettingsStore::readSeesChangesMadeInPlace()
{
    // Reads keep the parsed file: an editor that rewrites it in place, same size and
    // modification time, must still be seen.
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    const QString path = store.filePath(kSettingsApp);
    writeBytes(path, "[Tavrik]\nSpeed=1\n");
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("1"));
    struct stat st{};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QThread::msleep(20); // a later change time than the first write
    writeBytes(path, "[Tavrik]\nSpeed=5\n");
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("5"));
    QVERIFY(QFile::remove(path));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("d"));
}

void TestSettingsStore::largeFileOfOtherSections()
{
    // Junk from elsewhere around our sections: read and saved like a small file.
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    QByteArray junk;
    for (int i = 0; i < 10000; ++i)
        junk += "[Other" + QByteArray::number(i % 7) + "]\nkey" + QByteArray::number(i) + "=value with some text\n";
    const QByteArray content = junk + "[Tavrik]\nSpeed=1\n" + junk + "[tavrik]\nOnTop=0\nSpeed=9\n";
    writeBytes(store.filePath(kSettingsApp), content);
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("1"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "OnTop", "d"), QStringLiteral("0"));
    QCOMPARE(store.read(kSettingsApp, "Other3", "key10", "d"), QStringLiteral("value with some text"));
    QCOMPARE(store.read(kSettingsApp, "Other3", "key11", "d"), QStringLiteral("d"));
    QVERIFY(store.saveAll(kSettingsApp, "Tavrik", {{"Speed", "4"}, {"SegMode1", "1"}, {"OnTop", "255"}}));
    QByteArray expected = content;
    expected.replace("[Tavrik]\nSpeed=1\n", "[Tavrik]\nSpeed=4\nSegMode1=1\n");
    expected.replace("OnTop=0\n", "OnTop=255\n");
    QCOMPARE(readBytes(store.filePath(kSettingsApp)), expected);
}

void TestSettingsStore::lockHeldElsewhereNeverBlocksTheCaller()
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    QVERIFY(store.save(kSettingsApp, "Tavrik", "Speed", "1"));
    // A lock file left by a process that died is no lock at all.
    QVERIFY(QFile::exists(store.lockPath(kSettingsApp)));
    writeBytes(store.filePath(kSettingsApp) + QStringLiteral(".lock"), QByteArray());
    QVERIFY(store.save(kSettingsApp, "Tavrik", "Speed", "2"));

    // A lock that is really held: the save returns, says why, and waits elsewhere.
    const int fd = ::open(QFile::encodeName(store.lockPath(kSettingsApp)).constData(), O_RDWR);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX), 0);
    store.setLockWait(20);
    QString error;
    QVERIFY(!store.save(kSettingsApp, "Tavrik", "Speed", "3", &error));
    QVERIFY2(error.contains(QStringLiteral("锁定")), qPrintable(error));
    QVERIFY(store.pending());
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("3"));
    QCOMPARE(IniSettingsStore(dir.path()).read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("2"));
    QVERIFY(!store.flush(20));

    // More saves meanwhile: the last value of each key is the one written.
    QVERIFY(!store.saveAll(kSettingsApp, "Tavrik", {{"Speed", "4"}, {"OnTop", "0"}}));
    QVERIFY(!store.save(kSettingsApp, "setting", "StartTime", "1.5"));
    QCOMPARE(store.read(kSettingsApp, "TAVRIK", "speed", "d"), QStringLiteral("4"));

    ::close(fd);
    QVERIFY(store.flush(20000));
    QVERIFY(!store.pending());
    IniSettingsStore fresh(dir.path());
    QCOMPARE(fresh.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("4"));
    QCOMPARE(fresh.read(kSettingsApp, "Tavrik", "OnTop", "d"), QStringLiteral("0"));
    QCOMPARE(fresh.read(kSettingsApp, "Setting", "StartTime", "d"), QStringLiteral("1.5"));
    // Its own waiting thread may still be letting go of the lock on a busy machine.
    store.setLockWait(5000);
    QVERIFY(store.save(kSettingsApp, "Tavrik", "Speed", "5"));
}

void TestSettingsStore::lockNeverFreedLeavesNothingWaiting()
{
    // Another process holds the lock for good: the store can still be dropped at
    // once, and its waiting thread writes nothing afterwards.
    QTemporaryDir dir;
    const QString lock = IniSettingsStore(dir.path()).lockPath(kSettingsApp);
    writeBytes(lock, QByteArray());
    const int fd = ::open(QFile::encodeName(lock).constData(), O_RDWR);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX), 0);
    {
        IniSettingsStore store(dir.path());
        store.setLockWait(0);
        QVERIFY(!store.save(kSettingsApp, "Tavrik", "Speed", "3"));
        QVERIFY(!store.flush(0));
    }
    ::close(fd);
    IniSettingsStore again(dir.path());
    QVERIFY(again.save(kSettingsApp, "Tavrik", "OnTop", "0"));
    QCOMPARE(again.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("d"));
}

void TestSettingsStore::endUnderHeldLockKeepsTheChanges()
{
    // The program ends while another process holds the lock: what waits is kept beside
    // the store, read by every later store, and written by the next save.
    QTemporaryDir dir;
    IniSettingsStore(dir.path()).saveAll(kSettingsApp, "Setting", {{"TimerEnabled", "True"}, {"StartTime", "1"}});
    const QByteArray before = readBytes(IniSettingsStore(dir.path()).filePath(kSettingsApp));
    const int fd = ::open(QFile::encodeName(IniSettingsStore(dir.path()).lockPath(kSettingsApp)).constData(), O_RDWR);
    QCOMPARE(::flock(fd, LOCK_EX), 0);
    {
        IniSettingsStore ending(dir.path());
        ending.setLockWait(0);
        QVERIFY(!ending.saveAll(kSettingsApp, "Setting", {{"TimerEnabled", "False"}, {"PauseTime", "2"}}));
        const QString report = ending.finish(20);
        QVERIFY2(report.contains(QStringLiteral(".unsaved-")), qPrintable(report));
        QVERIFY(!ending.pending());
    }
    QCOMPARE(readBytes(IniSettingsStore(dir.path()).filePath(kSettingsApp)), before);
    IniSettingsStore next(dir.path());
    QCOMPARE(next.read(kSettingsApp, "setting", "timerenabled", "d"), QStringLiteral("False"));
    QCOMPARE(next.read(kSettingsApp, "Setting", "StartTime", "d"), QStringLiteral("1"));
    ::close(fd);
    QVERIFY(next.save(kSettingsApp, "Tavrik", "Speed", "1"));
    QCOMPARE(QDir(dir.path()).entryList({"*.unsaved-*"}, QDir::Files), QStringList());
    IniSettingsStore after(dir.path());
    QCOMPARE(after.read(kSettingsApp, "Setting", "TimerEnabled", "d"), QStringLiteral("False"));
    QCOMPARE(after.read(kSettingsApp, "Setting", "PauseTime", "d"), QStringLiteral("2"));
    QCOMPARE(after.read(kSettingsApp, "Tavrik", "Speed", "d"), QStringLiteral("1"));
}

void TestSettingsStore::twoProcessesLoseNoKey()
{
    const auto tmp = manySavesDir();
    const QTemporaryDir &dir = *tmp;
    const int count = 500;
    QProcess a, b;
    a.setProcessChannelMode(QProcess::ForwardedChannels);
    b.setProcessChannelMode(QProcess::ForwardedChannels);
    a.start(QStringLiteral(STORE_WRITER), {"keys", dir.path(), "a", QString::number(count)});
    b.start(QStringLiteral(STORE_WRITER), {"keys", dir.path(), "b", QString::number(count)});
    QVERIFY(a.waitForStarted() && b.waitForStarted());
    QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
    QCOMPARE(a.exitStatus(), QProcess::NormalExit);
    QCOMPARE(b.exitStatus(), QProcess::NormalExit);
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);

    IniSettingsStore store(dir.path());
    int found = 0;
    for (const char *prefix : {"a", "b"})
        for (int n = 0; n < count; ++n) {
            const QString key = QLatin1String(prefix) + QString::number(n);
            if (store.read(kSettingsApp, "race", key, QString()) == key + QStringLiteral("=value,") + QString::number(n))
                ++found;
        }
    QCOMPARE(found, 2 * count);
}

void TestSettingsStore::killedWriterLeavesOneWholeState()
{
    const auto tmp = manySavesDir();
    const QTemporaryDir &dir = *tmp;
    const tavrik::core::KeyValues shape = testing::generation(0);
    qint32 last = 0;
    for (int round = 0; round < 20; ++round) {
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QStringLiteral(STORE_WRITER), {"states", dir.path(), QString::number(last + 1)});
        // Its first save has to get the lock the killed one held.
        QVERIFY2(child.waitForReadyRead(15000), qPrintable(QStringLiteral("round %1: no first save").arg(round)));
        QVERIFY(child.readAll().startsWith("ready"));
        QThread::usleep(QRandomGenerator::global()->bounded(30000));
        child.kill();
        QVERIFY(child.waitForFinished(15000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        IniSettingsStore store(dir.path());
        const tavrik::core::KeyValues stored = storedState(store, shape);
        const qint32 g = testing::generationOf(stored.at(1).second); // StartDate
        QVERIFY2(g > last, qPrintable(QStringLiteral("round %1: generation %2 after %3").arg(round).arg(g).arg(last)));
        QVERIFY2(stored == testing::generation(g), qPrintable(describe(stored)));
        last = g;
    }
}

TAVRIK_TEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
