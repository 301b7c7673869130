// "Speed" and "OnTop", read and written alike by both programs.
#include "shared/core/displaysettings.h"
#include "shared/core/settingsstore.h"
#include "tests/support/corefakes.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace tavrik::core;

class TestDisplaySettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readValues_data();
    void readValues();
    void writtenValues();
};

void TestDisplaySettings::readValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored"); // "<none>": no key
    QTest::addColumn<int>("expected");   // Speed, or OnTop as 0/1
    QTest::newRow("speed none") << "Speed" << "<none>" << 2;
    QTest::newRow("speed 0") << "Speed" << "0" << 0;
    QTest::newRow("speed 5") << "Speed" << "5" << 5;
    QTest::newRow("speed 6") << "Speed" << "6" << 2;
    QTest::newRow("speed -1") << "Speed" << "-1" << 2;
    QTest::newRow("speed text") << "Speed" << "fast" << 2;
    QTest::newRow("speed empty") << "Speed" << "" << 2;
    QTest::newRow("speed huge") << "Speed" << "99999999999999999999" << 2;
    QTest::newRow("speed 2.6 rounds") << "Speed" << "2.6" << 3;
    QTest::newRow("speed 3.6 rounds") << "Speed" << "3.6" << 4;
    QTest::newRow("on top none") << "OnTop" << "<none>" << 1;
    QTest::newRow("on top 0") << "OnTop" << "0" << 0;
    QTest::newRow("on top 255") << "OnTop" << "255" << 1;
    QTest::newRow("on top False") << "OnTop" << "False" << 0;
    QTest::newRow("on top text") << "OnTop" << "maybe" << 1;
}

void TestDisplaySettings::readValues()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, expected);
    testing::MemoryStore store;
    if (stored != QStringLiteral("<none>"))
        store.save(kSettingsApp, QStringLiteral("tavrik"), key.toLower(), stored);
    QCOMPARE(key == QStringLiteral("Speed") ? readSpeed(store) : int(readOnTop(store)), expected);
    QCOMPARE(checkedSpeed(expected + 6), 2);
}

void TestDisplaySettings::writtenValues()
{
    testing::MemoryStore store;
    const auto stored = [&](const char *key) { return store.value(kDisplaySection, QLatin1String(key)).value_or(QString()); };
    QVERIFY(saveOnTop(store, true));
    QCOMPARE(stored("OnTop"), QStringLiteral("255"));
    QVERIFY(saveOnTop(store, false));
    QCOMPARE(stored("OnTop"), QStringLiteral("0"));
    for (int speed = 0; speed <= 5; ++speed) {
        QVERIFY(saveSpeed(store, speed));
        QCOMPARE(readSpeed(store), speed);
    }
    QCOMPARE(stored("Speed"), QStringLiteral("5"));
    store.failSaves = true;
    QString error;
    QVERIFY(!saveSpeed(store, 1, &error));
    QVERIFY(!error.isEmpty());
}

TAVRIK_TEST_GUILESS_MAIN(TestDisplaySettings)
#include "tst_displaysettings.moc"
