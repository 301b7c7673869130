#include "install_expect.h"
#include "tests/support/testmain.h"

#include "shared/core/clock.h"
#include "shared/core/profile.h"
#include "shared/core/settingsstore.h"
#include "vexo3/engine/persistence.h"

#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <csignal>
#include <unistd.h>

// "cmake --install" into a temporary prefix, as a user or a packager would, then the
// installed tree, its desktop files, the installed Vexo3 at work, and the package.
class TestInstall : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void treeHoldsExactlyTheProgramsAndTheirFiles();
    void launchersLeadToTheApplicationFolder();
    void iconsHaveTheirSizes();
    void manualPageNamesEveryOption();
    void desktopEntries_data();
    void desktopEntries();
    void validators_data();
    void validators();
    void installedVexo3FindsItsFiles();
    void installedVexoRunsFromTheApplicationFolder();
    void debianPackage_data();
    void debianPackage();

private:
    QString prefix() const { return prefix_.path() + QStringLiteral("/usr"); }
    QString appFolder() const { return prefix() + u'/' + expect::kAppDir; }

    QTemporaryDir prefix_;
};

namespace {

QString idOf(const QString &program) { return expect::kIdPrefix + u'.' + program; }

// Runs a program to its end; its exit code, -1 when it could not run or crashed.
int run(const QString &program, const QStringList &args, QString *output = nullptr, int timeoutMs = 240000,
        const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    const QString out = QString::fromUtf8(p.readAll());
    if (output)
        *output = out;
    if (p.exitCode() != 0)
        qWarning().noquote() << program << args.join(u' ') << "said:\n" << out;
    return p.exitCode();
}

// Every file and link under a folder, relative to it, sorted.
QStringList filesUnder(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        out.append(QDir(root).relativeFilePath(it.next()));
    out.sort();
    return out;
}

// What an install lays out; the package adds its changelog and lintian's overrides.
QStringList expectedTree(bool package = false)
{
    QStringList out{QStringLiteral("share/doc/tavrik/copyright")};
    if (package)
        out << QStringLiteral("share/doc/tavrik/changelog.Debian.gz") << QStringLiteral("share/lintian/overrides/tavrik");
    for (const QString &f : expect::kShipped)
        out.append(expect::kAppDir + u'/' + f);
    for (const QString &p : expect::kPrograms) {
        const QString id = idOf(p);
        out.append(expect::kAppDir + u'/' + p);
        out.append(QStringLiteral("bin/") + p.toLower());
        out.append(QStringLiteral("share/applications/%1.desktop").arg(id));
        out.append(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id));
        out.append(QStringLiteral("share/man/man1/%1.1.gz").arg(p.toLower()));
        for (int s : expect::kIconSizes)
            out.append(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(s).arg(id));
        out.append(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(id));
    }
    out.sort();
    return out;
}

// The keys of a desktop file's main group (untranslated and translated alike).
QMap<QString, QString> desktopEntry(const QString &path)
{
    QMap<QString, QString> keys;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return keys;
    bool inEntry = false;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.contains(u'='))
            keys.insert(line.section(u'=', 0, 0).trimmed(), line.section(u'=', 1).trimmed());
    }
    return keys;
}

bool hasHan(const QString &text)
{
    for (const QChar c : text)
        if (c.script() == QChar::Script_Han)
            return true;
    return false;
}

} // namespace

void TestInstall::initTestCase()
{
    QVERIFY(prefix_.isValid());
    QCOMPARE(run(expect::kCMake, {QStringLiteral("--install"), expect::kBuildDir, QStringLiteral("--prefix"), prefix()}), 0);
}

void TestInstall::treeHoldsExactlyTheProgramsAndTheirFiles()
{
    QCOMPARE(filesUnder(prefix()), expectedTree());
    // The shipped files as they are in the tree; the programs runnable.
    for (const QString &f : expect::kShipped) {
        QFile installed(appFolder() + u'/' + f), source(expect::kSourceDir + QStringLiteral("/resources/") + f);
        QVERIFY(installed.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly));
        QVERIFY2(installed.readAll() == source.readAll(), qPrintable(f));
    }
    for (const QString &p : expect::kPrograms)
        QVERIFY(QFileInfo(appFolder() + u'/' + p).isExecutable());
}

void TestInstall::launchersLeadToTheApplicationFolder()
{
    for (const QString &p : expect::kPrograms) {
        const QFileInfo launcher(prefix() + QStringLiteral("/bin/") + p.toLower());
        QVERIFY(launcher.isSymLink());
        // Relative, so that the tree can be moved or packaged as a whole.
        char target[4096];
        const ssize_t n = ::readlink(QFile::encodeName(launcher.filePath()).constData(), target, sizeof target);
        QVERIFY(n > 0 && target[0] != '/');
        QCOMPARE(launcher.canonicalFilePath(), QFileInfo(appFolder() + u'/' + p).canonicalFilePath());
    }
}

void TestInstall::iconsHaveTheirSizes()
{
    for (const QString &p : expect::kPrograms) {
        for (int s : expect::kIconSizes) {
            QImageReader r(prefix() + QStringLiteral("/share/icons/hicolor/%1x%1/apps/%2.png").arg(s).arg(idOf(p)));
            QCOMPARE(r.size(), QSize(s, s));
        }
        QImageReader svg(prefix() + QStringLiteral("/share/icons/hicolor/scalable/apps/%1.svg").arg(idOf(p)));
        QVERIFY2(!svg.read().isNull(), qPrintable(svg.errorString()));
    }
}

// The manual page is written by hand: it must describe every option --help lists.
void TestInstall::manualPageNamesEveryOption()
{
    if (!expect::kPrograms.contains(QStringLiteral("Vexo3")))
        QSKIP("Vexo3 is not installed by this build");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QString help, page;
    QCOMPARE(run(prefix() + QStringLiteral("/bin/vexo3"), {QStringLiteral("--help")}, &help, 20000, env), 0);
    QCOMPARE(run(QStringLiteral("gzip"), {QStringLiteral("-dc"), prefix() + QStringLiteral("/share/man/man1/vexo3.1.gz")}, &page), 0);
    QStringList options;
    auto it = QRegularExpression(QStringLiteral("(?<![\\w-])--?[a-z][a-z-]*")).globalMatch(help);
    while (it.hasNext())
        options.append(it.next().captured());
    QVERIFY(options.contains(QStringLiteral("--help")));
    // The words that head the page's items (a line after ".TP", as in .BR \-h ", " \-\-help),
    // where roff writes each dash as \-.
    QStringList items;
    const QStringList lines = page.split(u'\n');
    for (int i = 1; i < lines.size(); ++i)
        if (lines[i - 1] == QStringLiteral(".TP"))
            items += lines[i].split(u' ');
    for (const QString &o : options)
        QVERIFY2(items.contains(QString(o).replace(u'-', QStringLiteral("\\-"))), qPrintable(o));
}

void TestInstall::desktopEntries_data()
{
    QTest::addColumn<QString>("program");
    for (const QString &p : expect::kPrograms)
        QTest::newRow(qPrintable(p)) << p;
}

void TestInstall::desktopEntries()
{
    QFETCH(QString, program);
    const auto entry = desktopEntry(prefix() + QStringLiteral("/share/applications/%1.desktop").arg(idOf(program)));
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QVERIFY2(hasHan(entry.value(QStringLiteral("Name"))), qPrintable(entry.value(QStringLiteral("Name"))));
    const QString generic = entry.value(QStringLiteral("GenericName"));
    QVERIFY(!generic.isEmpty() && !hasHan(generic));
    QCOMPARE(entry.value(QStringLiteral("Categories")), QStringLiteral("Utility;Clock;"));
    QCOMPARE(entry.value(QStringLiteral("Icon")), idOf(program));
    QCOMPARE(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    // The launcher by its full path in this prefix.
    const QString exec = entry.value(QStringLiteral("Exec"));
    QCOMPARE(exec, prefix() + QStringLiteral("/bin/") + program.toLower());
    QVERIFY(QFileInfo(exec).isExecutable());
}

void TestInstall::validators_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    for (const QString &p : expect::kPrograms) {
        const QString id = idOf(p);
        QTest::addRow("desktop-file-validate %s", qPrintable(p))
            << QStringLiteral("desktop-file-validate") << QStringList() << QStringLiteral("share/applications/%1.desktop").arg(id);
        QTest::addRow("appstreamcli %s", qPrintable(p))
            << QStringLiteral("appstreamcli") << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net")}
            << QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id);
    }
}

void TestInstall::validators()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
    QString out;
    QCOMPARE(run(path, args << prefix() + u'/' + file, &out), 0);
    // desktop-file-validate says nothing of a good file; appstreamcli reports success.
    if (tool == QStringLiteral("desktop-file-validate"))
        QVERIFY2(out.trimmed().isEmpty(), qPrintable(out));
    else
        QVERIFY2(!out.contains(QStringLiteral("E: ")) && !out.contains(QStringLiteral("W: ")), qPrintable(out));
}

void TestInstall::installedVexo3FindsItsFiles()
{
    if (!expect::kPrograms.contains(QStringLiteral("Vexo3")))
        QSKIP("Vexo3 is not installed by this build");
    // The installed Vexo.ini asks for the second image set and one fraction digit:
    // the readings then show whether the program read the file next to itself, and a
    // missing image file would hold its start-up in an error box.
    const QString ini = appFolder() + QStringLiteral("/Vexo.ini");
    QVERIFY(tavrik::core::WriteIni(QStringLiteral("SegFont"), QStringLiteral("Selected"), QStringLiteral("2"), ini));
    QVERIFY(tavrik::core::WriteIni(QStringLiteral("Setting"), QStringLiteral("msCount"), QStringLiteral("1"), ini));

    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString config = home.path() + QStringLiteral("/config");
    QDir(home.path()).mkpath(QStringLiteral("config"));
    QDir(home.path()).mkpath(QStringLiteral("tmp"));
    tavrik::core::IniSettingsStore store(config);
    // A stopwatch started 100 s ago, running.
    const double startAbs = tavrik::core::SystemClock().now().absolute() - 100.0;
    vexo3::SavedState seed;
    seed.clock.StartDate = qint32(std::floor(startAbs / 86400.0));
    seed.clock.StartTime = float(startAbs - double(seed.clock.StartDate) * 86400.0);
    seed.timerEnabled = true;
    seed.visible = {false, true, false, false, true, false, true, true};
    seed.enabled = seed.visible;
    QVERIFY(vexo3::saveState(store, seed));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("temp"), home.path() + QStringLiteral("/tmp"));
    const QString speed = QStringLiteral("Speed");
    const QString display = QStringLiteral("Tavrik");

    // The readings are saved as the last tick built them: a program ended before its
    // first tick saves the seeded (empty) ones, so a busy machine gets another try
    // with a longer run.
    vexo3::SavedState s;
    for (int runMs : {300, 1500, 5000}) {
        store.save(tavrik::core::kSettingsApp, display, speed, QString());
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        // Through the launcher, from another folder, as the desktop starts it.
        p.setWorkingDirectory(home.path());
        p.start(prefix() + QStringLiteral("/bin/vexo3"), {});
        QVERIFY(p.waitForStarted(10000));
        // Start-up stores "Speed" once it is past the image set.
        QTRY_VERIFY_WITH_TIMEOUT(store.read(tavrik::core::kSettingsApp, display, speed, QString()) == QStringLiteral("2"),
                                 20000);
        QTest::qWait(runMs);
        QCOMPARE(p.state(), QProcess::Running);
        ::kill(pid_t(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        s = vexo3::readState(store, seed, tavrik::core::SystemClock().now().day);
        if (!s.TimerString.isEmpty())
            break;
    }
    QVERIFY(s.timerEnabled);
    QVERIFY2(QRegularExpression(QStringLiteral("^1\\d\\d\\.\\d$")).match(s.TimerString).hasMatch(), qPrintable(s.TimerString));
}

void TestInstall::installedVexoRunsFromTheApplicationFolder()
{
    if (!expect::kPrograms.contains(QStringLiteral("Vexo")))
        QSKIP("Vexo is not installed by this build");
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString config = home.path() + QStringLiteral("/config");
    QDir(home.path()).mkpath(QStringLiteral("config"));
    tavrik::core::IniSettingsStore store(config);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.setWorkingDirectory(home.path());
    p.start(prefix() + QStringLiteral("/bin/vexo"), {});
    QVERIFY(p.waitForStarted(10000));
    // Start-up stores the precision it applied.
    QTRY_VERIFY_WITH_TIMEOUT(
        store.read(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("Speed"), QString()) == QStringLiteral("2"),
        20000);
    // The program itself runs from the application folder, next to Vexo3 (whose
    // "使用旧版本" starts it there).
    QCOMPARE(QFileInfo(QStringLiteral("/proc/%1/exe").arg(p.processId())).canonicalFilePath(),
             QFileInfo(appFolder() + QStringLiteral("/Vexo")).canonicalFilePath());
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
}

// The caller's locale, as a plain root shell or a container has it: none at all, or one
// named but never generated. The suite's own LC_ALL is not passed on.
void TestInstall::debianPackage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::newRow("no locale") << QString();
    QTest::newRow("locale not generated") << QStringLiteral("zh_CN.UTF-8");
}

void TestInstall::debianPackage()
{
    QFETCH(QString, lang);
    const QString dpkgDeb = QStandardPaths::findExecutable(QStringLiteral("dpkg-deb"));
    if (dpkgDeb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("dpkg-shlibdeps")).isEmpty())
        QSKIP("dpkg-deb or dpkg-shlibdeps is not installed");
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    if (!lang.isEmpty())
        env.insert(QStringLiteral("LANG"), lang);
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QCOMPARE(run(expect::kCPack,
                 {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                  expect::kBuildDir + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"), out.path()},
                 nullptr, 240000, env),
             0);
    const QStringList debs = QDir(out.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    const QString deb = out.path() + u'/' + debs[0];

    QString field;
    QCOMPARE(run(dpkgDeb, {QStringLiteral("-f"), deb, QStringLiteral("Package")}, &field), 0);
    QCOMPARE(field.trimmed(), QStringLiteral("tavrik"));
    QCOMPARE(run(dpkgDeb, {QStringLiteral("-f"), deb, QStringLiteral("Version")}, &field), 0);
    QCOMPARE(field.trimmed(), expect::kPackageVersion + QStringLiteral("-1"));
    // Dependencies found from the libraries the programs link, and the platform plugin.
    QCOMPARE(run(dpkgDeb, {QStringLiteral("-f"), deb, QStringLiteral("Depends")}, &field), 0);
    for (const QString &dep : {QStringLiteral("libqt6widgets6"), QStringLiteral("libqt6core6"), QStringLiteral("libc6"),
                               QStringLiteral("qt6-qpa-plugins")})
        QVERIFY2(field.contains(dep), qPrintable(field));

    // The same files as "cmake --install", under /usr.
    QTemporaryDir unpacked;
    QCOMPARE(run(dpkgDeb, {QStringLiteral("-x"), deb, unpacked.path()}), 0);
    QCOMPARE(filesUnder(unpacked.path() + QStringLiteral("/usr")), expectedTree(true));
    const QString desktop = unpacked.path() + QStringLiteral("/usr/share/applications/%1.desktop").arg(idOf(expect::kPrograms[0]));
    QCOMPARE(desktopEntry(desktop).value(QStringLiteral("Exec")), QStringLiteral("/usr/bin/") + expect::kPrograms[0].toLower());

    // As a Debian maintainer checks it: no error, no warning, and the programs built
    // and stripped as Debian's are.
    const QString lintian = QStandardPaths::findExecutable(QStringLiteral("lintian"));
    if (lintian.isEmpty())
        QSKIP("lintian is not installed: the package was built but not checked");
    QString report;
    QCOMPARE(run(lintian, {QStringLiteral("--pedantic"), QStringLiteral("--display-info"), QStringLiteral("--fail-on"),
                           QStringLiteral("error,warning"), deb},
                 &report),
             0);
    QVERIFY2(!report.contains(QStringLiteral("binary-has-unneeded-section")), qPrintable(report));
    if (expect::kHardened)
        QVERIFY2(!report.contains(QStringLiteral("hardening-")), qPrintable(report));
}

TAVRIK_TEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
