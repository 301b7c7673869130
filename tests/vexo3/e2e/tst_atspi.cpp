// Each real program as a screen reader meets it, over the AT-SPI bus of a D-Bus session
// of its own in an X server of its own: atspi_client.py (pyatspi) finds every shown
// control named, reads the read-out, presses 开始 by its action and hears it run.
#include "tests/support/testmain.h"
#include "tests/support/xsession.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestAtspi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAndPressed_data();
    void readAndPressed();
};

void TestAtspi::readAndPressed_data()
{
    QTest::addColumn<QString>("binary");
    QTest::addColumn<QString>("readout"); // its name, or its description
    QTest::newRow("Vexo3") << QStringLiteral(VEXO3_BINARY) << QStringLiteral("秒表读数");
    QTest::newRow("Vexo") << QStringLiteral(VEXO_BINARY) << QStringLiteral("记时读数");
}

void TestAtspi::readAndPressed()
{
    QFETCH(QString, binary);
    QFETCH(QString, readout);
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty() ||
        !QFile::exists(QStringLiteral("/usr/libexec/at-spi-bus-launcher")) || !QFile::exists(QStringLiteral("/usr/bin/python3")))
        QSKIP("no AT-SPI bus to start: needs the packages dbus, at-spi2-core and python3-pyatspi");
    XSession x;
    QString why;
    QVERIFY2(x.start(&why), qPrintable(why));
    // A program folder, settings and a runtime folder of its own.
    QTemporaryDir dir;
    const QString program = dir.filePath(QFileInfo(binary).fileName());
    QVERIFY(QFile::copy(binary, program));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("run")));
    QFile::setPermissions(dir.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x.display());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
    QProcess client;
    client.setProcessEnvironment(env);
    client.start(QStringLiteral("dbus-run-session"), {QStringLiteral("--"), QStringLiteral("/usr/bin/python3"),
                                                      QStringLiteral(TAVRIK_ATSPI_CLIENT), program, readout, QStringLiteral("开始")});
    QVERIFY(client.waitForFinished(120000));
    const QString out = QString::fromUtf8(client.readAllStandardOutput() + client.readAllStandardError());
    if (client.exitCode() == 77)
        QSKIP(qPrintable(QStringLiteral("no AT-SPI bus or no python3-pyatspi: ") + out));
    QVERIFY2(client.exitCode() == 0 && !out.contains(QStringLiteral("UNNAMED")), qPrintable(out));
    const QString before = out.section(QStringLiteral("BEFORE "), 1).section(u'\n', 0, 0);
    const QString after = out.section(QStringLiteral("AFTER "), 1).section(u'\n', 0, 0);
    // Running: the reading has moved on, and is a reading.
    QVERIFY2(after != before && QRegularExpression(QStringLiteral("^[0-9:]*[0-9]\\.[0-9]+$")).match(after).hasMatch(),
             qPrintable(out));
}

TAVRIK_TEST_MAIN(TestAtspi)
#include "tst_atspi.moc"
