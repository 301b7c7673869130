#include "shared/core/version.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace tavrik::core;

class TestVersion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void text_data();
    void text();
};

void TestVersion::text_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("patch");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("fourDigits");
    QTest::newRow("Vexo3") << 3 << 2 << 0 << 74 << "3.2.74" << "3.2.0074";
    QTest::newRow("Vexo") << 2 << 1 << 0 << 53 << "2.1.53" << "2.1.0053";
    QTest::newRow("patch is never shown") << 1 << 0 << 9 << 5 << "1.0.5" << "1.0.0005";
    QTest::newRow("revision of five digits") << 4 << 10 << 0 << 12345 << "4.10.12345" << "4.10.12345";
    QTest::newRow("zero") << 0 << 0 << 0 << 0 << "0.0.0" << "0.0.0000";
}

void TestVersion::text()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, patch);
    QFETCH(int, revision);
    const Version v{major, minor, patch, revision};
    QTEST(versionText(v, Revision::Plain), "plain");
    QTEST(versionText(v, Revision::FourDigits), "fourDigits");
}

TAVRIK_TEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
