#include "shared/core/about.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrik::core;

class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aboutTextNamesVersionAndPages_data();
    void aboutTextNamesVersionAndPages();
    void webAddressesAreHttps();
    void helpText_data();
    void helpText();
};

void TestAbout::aboutTextNamesVersionAndPages_data()
{
    QTest::addColumn<QString>("version");
    QTest::newRow("Vexo3") << "3.2.74";
    QTest::newRow("Vexo") << "2.1.0053";
}

void TestAbout::aboutTextNamesVersionAndPages()
{
    QFETCH(QString, version);
    const QStringList lines = aboutText(version).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), QStringLiteral("   ====Tavrik===="));
    QCOMPARE(lines.value(1), QStringLiteral("  版本：") + version);
    QCOMPARE(lines.value(2), QStringLiteral("  主页：") + kHomePage);
    QCOMPARE(lines.value(3), QStringLiteral("  意见与反馈：") + kFeedbackPage);
    QCOMPARE(lines.size(), 4);
}

void TestAbout::webAddressesAreHttps()
{
    for (const QString &address : {kDownloadPage, kHomePage, kWebLog, kFeedbackPage}) {
        const QUrl url(address);
        QVERIFY2(url.isValid() && url.scheme() == QLatin1String("https") && !url.host().isEmpty(), qPrintable(address));
    }
}

void TestAbout::helpText_data()
{
    QTest::addColumn<QString>("kind"); // text, empty, missing, folder
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Chinese text, CR LF kept") << "text" << QByteArray("按 Enter 开始计时。\r\n第二行") << "按 Enter 开始计时。\r\n第二行";
    QTest::newRow("empty file") << "empty" << QByteArray() << "";
    QTest::newRow("missing") << "missing" << QByteArray() << "";
    QTest::newRow("a folder") << "folder" << QByteArray() << "";
}

void TestAbout::helpText()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(kHelpFileName);
    if (kind == QLatin1String("text") || kind == QLatin1String("empty")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    }
    QString text = QStringLiteral("untouched");
    QString error;
    const bool ok = readHelpText(path, &text, &error);
    if (kind == QLatin1String("text") || kind == QLatin1String("empty")) {
        QVERIFY(ok);
        QCOMPARE(text, expected);
        QVERIFY(error.isEmpty());
        return;
    }
    QVERIFY(!ok);
    QCOMPARE(text, QStringLiteral("untouched"));
    if (kind == QLatin1String("missing"))
        QCOMPARE(error, QStringLiteral("未找到说明文件:") + path);
    else
        QVERIFY2(!error.isEmpty() && !error.startsWith(QStringLiteral("未找到")), qPrintable(error));
}

TAVRIK_TEST_GUILESS_MAIN(TestAbout)
#include "tst_about.moc"
