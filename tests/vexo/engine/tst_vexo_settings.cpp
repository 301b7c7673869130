#include "tests/support/corefakes.h"
#include "tests/support/testmain.h"
#include "vexo/engine/settings.h"

#include <QtTest>

using namespace vexo;
using testing::MemoryStore;

namespace {

void put(MemoryStore &store, const QString &key, const QString &value)
{
    store.save(tavrik::core::kSettingsApp, kDisplaySection, key, value);
}

// The settings as one comparable text.
QString describe(const Settings &s)
{
    QStringList borders;
    for (int b : s.borderStyle)
        borders << QString::number(b);
    return QStringLiteral("A%1 B%2 borders %3 speed %4 top %5")
        .arg(s.mA60)
        .arg(s.mB60)
        .arg(borders.join(u','))
        .arg(s.Speed)
        .arg(s.OnTop);
}

} // namespace

class TestVexoSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void storedValues_data();
    void storedValues();
    void keysIgnoreCase();
    void borderStylesSavedTogether();
    void label2KeyIsOneKey();
    void toggledMarksSurvive_data();
    void toggledMarksSurvive();
    void vexo3KeysUntouched();
    void failedSaveReported();
    void toggledBorder();
};

void TestVexoSettings::defaults()
{
    MemoryStore store;
    QCOMPARE(describe(readSettings(store)), QStringLiteral("A0 B0 borders 1,1,0,0,0 speed 2 top 1"));
    QCOMPARE(store.saveCalls, 0); // reading writes nothing
}

void TestVexoSettings::storedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    const QString def = QStringLiteral("A0 B0 borders 1,1,0,0,0 speed 2 top 1");
    QTest::newRow("time border 0") << "TimeBorderStyle" << "0" << "A0 B0 borders 0,1,0,0,0 speed 2 top 1";
    QTest::newRow("time border 2") << "TimeBorderStyle" << "2" << def;
    QTest::newRow("timer border text") << "TimerBorderStyle" << "x" << def;
    QTest::newRow("timer border 0") << "TimerBorderStyle" << "0" << "A0 B0 borders 1,0,0,0,0 speed 2 top 1";
    QTest::newRow("date border 1") << "lblDateBorderStyle" << "1" << "A0 B0 borders 1,1,1,0,0 speed 2 top 1";
    QTest::newRow("date border -1") << "lblDateBorderStyle" << "-1" << def;
    QTest::newRow("label1 border 1") << "Label1BorderStyle" << "1" << "A0 B0 borders 1,1,0,1,0 speed 2 top 1";
    QTest::newRow("label2 border 1") << "Label2BorderStyle" << "1" << "A0 B0 borders 1,1,0,0,1 speed 2 top 1";
    QTest::newRow("label2 border 7") << "Label2BorderStyle" << "7" << def;
    QTest::newRow("mA60 1") << "mA60" << "1" << "A1 B0 borders 1,1,0,0,0 speed 2 top 1";
    QTest::newRow("mA60 -1") << "mA60" << "-1" << "A1 B0 borders 1,1,0,0,0 speed 2 top 1";
    QTest::newRow("mA60 text") << "mA60" << "yes" << def;
    QTest::newRow("mB60 True") << "mB60" << "True" << "A0 B1 borders 1,1,0,0,0 speed 2 top 1";
    QTest::newRow("mB60 0") << "mB60" << "0" << def;
}

void TestVexoSettings::storedValues()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    MemoryStore store;
    put(store, key, value);
    QCOMPARE(describe(readSettings(store)), expected);
}

void TestVexoSettings::keysIgnoreCase()
{
    MemoryStore store;
    put(store, QStringLiteral("SPEED"), QStringLiteral("4"));
    put(store, QStringLiteral("label2borderstyle"), QStringLiteral("1"));
    put(store, QStringLiteral("ma60"), QStringLiteral("1"));
    put(store, QStringLiteral("ONTOP"), QStringLiteral("0"));
    QCOMPARE(describe(readSettings(store)), QStringLiteral("A1 B0 borders 1,1,0,0,1 speed 4 top 0"));
}

void TestVexoSettings::borderStylesSavedTogether()
{
    MemoryStore store;
    Settings s;
    s.setBorder(Bordered::lblTime, vexo::toggledBorder(s.border(Bordered::lblTime)));
    s.setBorder(Bordered::lblDate, vexo::toggledBorder(s.border(Bordered::lblDate)));
    QVERIFY(saveBorderStyles(store, s));
    QCOMPARE(store.saveCalls, 1);
    QCOMPARE(store.keys(kDisplaySection), (QStringList{"TimeBorderStyle", "TimerBorderStyle", "lblDateBorderStyle",
                                                        "Label1BorderStyle", "label2BorderStyle"}));
    QCOMPARE(store.value(kDisplaySection, QStringLiteral("TimeBorderStyle")).value_or(QStringLiteral("<none>")), QStringLiteral("0"));
    QCOMPARE(store.value(kDisplaySection, QStringLiteral("lblDateBorderStyle")).value_or(QStringLiteral("<none>")), QStringLiteral("1"));
    QCOMPARE(describe(readSettings(store)), QStringLiteral("A0 B0 borders 0,1,1,0,0 speed 2 top 1"));
}

// "label2BorderStyle" and "Label2BorderStyle" name one key: writing one replaces the
// other rather than adding a second line.
void TestVexoSettings::label2KeyIsOneKey()
{
    MemoryStore store;
    put(store, QStringLiteral("Label2BorderStyle"), QStringLiteral("0"));
    Settings s;
    s.setBorder(Bordered::Label2, 1);
    QVERIFY(saveBorderStyles(store, s));
    int label2Keys = 0;
    for (const QString &k : store.keys(kDisplaySection))
        label2Keys += k.compare(QStringLiteral("Label2BorderStyle"), Qt::CaseInsensitive) == 0;
    QCOMPARE(label2Keys, 1);
    QCOMPARE(readSettings(store).border(Bordered::Label2), 1);
}

void TestVexoSettings::toggledMarksSurvive_data()
{
    QTest::addColumn<bool>("a60");
    QTest::addColumn<bool>("b60");
    QTest::newRow("both off") << false << false;
    QTest::newRow("mA60 on") << true << false;
    QTest::newRow("mB60 on") << false << true;
    QTest::newRow("both on") << true << true;
}

void TestVexoSettings::toggledMarksSurvive()
{
    QFETCH(bool, a60);
    QFETCH(bool, b60);
    MemoryStore store;
    // Start from the opposite marks, so a write that does nothing is caught.
    QVERIFY(saveA60(store, !a60));
    QVERIFY(saveB60(store, !b60));
    QVERIFY(saveA60(store, a60));
    QVERIFY(saveB60(store, b60));
    const Settings s = readSettings(store);
    QCOMPARE(s.mA60, a60);
    QCOMPARE(s.mB60, b60);
    QCOMPARE(store.value(kDisplaySection, QStringLiteral("mA60")).value_or(QStringLiteral("<none>")), a60 ? QStringLiteral("1") : QStringLiteral("0"));
}

void TestVexoSettings::vexo3KeysUntouched()
{
    // Vexo3's keys live in the same section and stay untouched.
    MemoryStore store;
    put(store, QStringLiteral("SegMode1"), QStringLiteral("1"));
    QVERIFY(saveBorderStyles(store, Settings()));
    QCOMPARE(store.value(kDisplaySection, QStringLiteral("SegMode1")).value_or(QStringLiteral("<none>")), QStringLiteral("1"));
}

void TestVexoSettings::failedSaveReported()
{
    MemoryStore store;
    store.failSaves = true;
    QVERIFY(!saveBorderStyles(store, Settings()));
    QVERIFY(!saveSpeed(store, 1));
    QVERIFY(!saveOnTop(store, false));
    QVERIFY(!saveA60(store, true));
    QVERIFY(!saveB60(store, true));
}

void TestVexoSettings::toggledBorder()
{
    QCOMPARE(vexo::toggledBorder(1), 0);
    QCOMPARE(vexo::toggledBorder(0), 1);
    QCOMPARE(vexo::toggledBorder(vexo::toggledBorder(1)), 1);
}

TAVRIK_TEST_GUILESS_MAIN(TestVexoSettings)
#include "tst_vexo_settings.moc"
