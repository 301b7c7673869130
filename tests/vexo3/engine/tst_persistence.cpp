#include "shared/core/numtext.h"
#include "tests/support/corefakes.h"
#include "tests/support/testmain.h"
#include "vexo3/engine/persistence.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

using namespace vexo3;
using tavrik::core::KeyValues;

Q_DECLARE_METATYPE(vexo3::SavedState)

namespace {

using Flags = std::array<bool, kButtonCount>;

Flags flags(std::initializer_list<int> on)
{
    Flags f{};
    for (int i : on)
        f[i] = true;
    return f;
}

KeyValues expectedButtons(const Flags &enabled, const Flags &visible)
{
    KeyValues kv;
    for (int i = 0; i < kButtonCount; ++i) {
        kv.append({QStringLiteral("CMD(%1).Enabled").arg(i), enabled[i] ? "-1" : "0"});
        kv.append({QStringLiteral("CMD(%1).Visible").arg(i), visible[i] ? "-1" : "0"});
    }
    return kv;
}

// The day the tests read on; stored days near it are days the program can have written.
constexpr qint32 kToday = 45000;

SavedState readOne(const QString &key, const QString &text, const SavedState &current = SavedState())
{
    testing::MemoryStore store;
    store.save(tavrik::core::kSettingsApp, kStateSection, key, text);
    return readState(store, current, kToday);
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

Q_DECLARE_METATYPE(KeyValues)

class TestPersistence : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysInOrderAndTheirTexts_data();
    void keysInOrderAndTheirTexts();
    void saveIsOneChange();
    void floatTextRoundTrips();
    void badOrOutOfDayTimesReadAsZero_data();
    void badOrOutOfDayTimesReadAsZero();
    void badOrFarDatesReadAsZero_data();
    void badOrFarDatesReadAsZero();
    void segCounts_data();
    void segCounts();
    void timerEnabledOnlyForTrue_data();
    void timerEnabledOnlyForTrue();
    void bigVisible_data();
    void bigVisible();
    void buttonsDefaultToCurrent();
    void firstRunGivesDefaults();
    void roundTripThroughTheStoreFile();
    void storedSpellingOfKeysDoesNotMatter();
};

void TestPersistence::keysInOrderAndTheirTexts_data()
{
    QTest::addColumn<SavedState>("state");
    QTest::addColumn<KeyValues>("expected");

    SavedState running;
    running.clock = {45000, 45296.13f, 44999, 0.5f};
    running.timerEnabled = true;
    running.bigVisible = false;
    running.TimeString = QStringLiteral("0:01:23.457");
    running.TimerString = QStringLiteral("83.457");
    running.SegCounts1 = 8;
    running.SegCounts2 = 20;
    running.enabled = flags({1, 4, 6, 7});
    running.visible = flags({1, 4, 6, 7});
    KeyValues r{{"StartTime", "45296.13"}, {"StartDate", "45000"},  {"PauseTime", "0.5"},
                {"PauseDate", "44999"},    {"TimerEnabled", "True"}, {"fbig.Visible", "0"},
                {"TimeString", "0:01:23.457"}, {"TimerString", "83.457"}, {"SegCounts1", "8"},
                {"SegCounts2", "20"}};
    r += expectedButtons(running.enabled, running.visible);
    QTest::newRow("running") << running << r;

    SavedState idle;
    idle.clock = {-1, 0.0f, 0, 86399.99f};
    idle.timerEnabled = false;
    idle.bigVisible = true;
    idle.TimeString = QStringLiteral("----000----");
    idle.TimerString = QString();
    idle.SegCounts1 = 14;
    idle.SegCounts2 = 19;
    idle.enabled = flags({0, 3, 5});
    idle.visible = flags({0, 3, 5, 7});
    KeyValues i{{"StartTime", "0"},        {"StartDate", "-1"},      {"PauseTime", "86399.99"},
                {"PauseDate", "0"},        {"TimerEnabled", "False"}, {"fbig.Visible", "-1"},
                {"TimeString", "----000----"}, {"TimerString", ""}, {"SegCounts1", "14"},
                {"SegCounts2", "19"}};
    i += expectedButtons(idle.enabled, idle.visible);
    QTest::newRow("idle") << idle << i;

    SavedState odd = idle;
    odd.clock = {0, 0.1f, 0, 1e-3f};
    KeyValues o = i;
    o[0].second = QStringLiteral("0.1");
    o[1].second = QStringLiteral("0");
    o[2].second = QStringLiteral("0.001");
    QTest::newRow("shortest float text") << odd << o;
}

void TestPersistence::keysInOrderAndTheirTexts()
{
    QFETCH(SavedState, state);
    QFETCH(KeyValues, expected);
    QCOMPARE(stateKeyValues(state), expected);
}

void TestPersistence::saveIsOneChange()
{
    testing::MemoryStore store;
    QVERIFY(saveState(store, SavedState()));
    QCOMPARE(store.saveCalls, 1);
    QStringList order;
    for (const auto &kv : stateKeyValues(SavedState()))
        order << kv.first;
    QCOMPARE(store.keys(kStateSection), order);
    QCOMPARE(order.size(), 10 + 2 * kButtonCount);
}

void TestPersistence::floatTextRoundTrips()
{
    // Times as a clock gives them come back bit for bit through the saved state; the
    // number text itself is tested with the shared core.
    auto *rng = QRandomGenerator::global();
    // And through the saved state, for times a clock gives.
    testing::MemoryStore store;
    for (int n = 0; n < 2000; ++n) {
        SavedState s;
        s.clock.StartTime = float(rng->bounded(86400.0));
        s.clock.PauseTime = float(rng->bounded(86400.0));
        QVERIFY(saveState(store, s));
        const SavedState back = readState(store, SavedState(), kToday);
        QVERIFY(sameBits(back.clock.StartTime, s.clock.StartTime));
        QVERIFY(sameBits(back.clock.PauseTime, s.clock.PauseTime));
    }
}

void TestPersistence::badOrOutOfDayTimesReadAsZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("expected");
    for (const char *t : {"abc", "", " ", "nan", "NaN", "inf", "-inf", "infinity", "1e40", "-5e38",
                          "3.5e38", "1.5x", "0x10", "1,5", "1e", "--1", "+-1", "."})
        QTest::newRow(t) << QString::fromLatin1(t) << 0.0f;
    QTest::newRow("300 digits") << QString(300, u'9') << 0.0f;
    QTest::newRow("300 digits after the point") << QStringLiteral("0.") + QString(300, u'9') << 1.0f;
    QTest::newRow("underflow") << "1e-50" << 0.0f;
    QTest::newRow("blanks around") << " 2.5 " << 2.5f;
    QTest::newRow("exponent") << "4.529613E4" << 45296.13f;
    QTest::newRow("largest") << "3.4028235e38" << 0.0f;
    QTest::newRow("far below a day") << "-3000000000000" << 0.0f;
    QTest::newRow("far above a day") << "3e12" << 0.0f;
    QTest::newRow("just below zero") << "-0.001" << 0.0f;
    QTest::newRow("just above a day") << "86400.01" << 0.0f;
    QTest::newRow("a whole day") << "86400" << 86400.0f;
    QTest::newRow("end of a day") << "86399.99" << 86399.99f;
}

void TestPersistence::badOrOutOfDayTimesReadAsZero()
{
    QFETCH(QString, text);
    QFETCH(float, expected);
    for (const char *key : {"StartTime", "PauseTime"}) {
        const SavedState s = readOne(QLatin1String(key), text);
        const float v = QLatin1String(key) == QLatin1String("StartTime") ? s.clock.StartTime : s.clock.PauseTime;
        QVERIFY(!std::isnan(v));
        QCOMPARE(v, expected);
    }
}

void TestPersistence::badOrFarDatesReadAsZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("expected");
    for (const char *t : {"abc", "", "12.5", "1e3", "2147483648", "-2147483649", "0x10", "nan"})
        QTest::newRow(t) << QString::fromLatin1(t) << 0;
    QTest::newRow("300 digits") << QString(300, u'9') << 0;
    QTest::newRow("smallest") << "-2147483648" << 0;
    QTest::newRow("largest") << "2147483647" << 0;
    QTest::newRow("plain") << " 45000 " << 45000;
    QTest::newRow("100 years back") << QString::number(kToday - kMaxDayDistance) << kToday - kMaxDayDistance;
    QTest::newRow("100 years ahead") << QString::number(kToday + kMaxDayDistance) << kToday + kMaxDayDistance;
    QTest::newRow("a day more back") << QString::number(kToday - kMaxDayDistance - 1) << 0;
    QTest::newRow("a day more ahead") << QString::number(kToday + kMaxDayDistance + 1) << 0;
}

void TestPersistence::badOrFarDatesReadAsZero()
{
    QFETCH(QString, text);
    QFETCH(qint32, expected);
    QCOMPARE(readOne(QStringLiteral("StartDate"), text).clock.StartDate, expected);
    QCOMPARE(readOne(QStringLiteral("PauseDate"), text).clock.PauseDate, expected);
}

void TestPersistence::segCounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<short>("expected");
    const struct {
        const char *text;
        short expected;
    } rows[] = {{"8", 8},       {"14", 14},   {"19", 19},   {"20", 20},     {"7", 14},   {"21", 14},
                {"0", 14},      {"-14", 14},  {"abc", 14},  {"", 14},       {"nan", 14}, {"inf", 14},
                {"19.6", 20},   {"20.4", 20}, {"20.5", 20}, {"20.6", 14},   {"7.5", 8},  {"7.4", 14},
                {"8.5", 8},     {"1e1", 10},  {" 12 ", 12}, {"12abc", 14},  {"65550", 14}};
    for (const auto &r : rows)
        QTest::newRow(r.text) << QString::fromLatin1(r.text) << r.expected;
    QTest::newRow("300 digits") << QString(300, u'9') << short(14);
}

void TestPersistence::segCounts()
{
    QFETCH(QString, text);
    QFETCH(short, expected);
    QCOMPARE(segCountFromText(text), expected);
    QCOMPARE(readOne(QStringLiteral("SegCounts1"), text).SegCounts1, expected);
    QCOMPARE(readOne(QStringLiteral("SegCounts2"), text).SegCounts2, expected);
}

void TestPersistence::timerEnabledOnlyForTrue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("True") << "True" << true;
    for (const char *t : {"true", "TRUE", "False", "-1", "1", "", " True"})
        QTest::newRow(t) << QString::fromLatin1(t) << false;
}

void TestPersistence::timerEnabledOnlyForTrue()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(readOne(QStringLiteral("TimerEnabled"), text).timerEnabled, expected);
}

void TestPersistence::bigVisible_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("-1") << "-1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("other number") << "2" << true;
    QTest::newRow("junk") << "abc" << false;
    QTest::newRow("empty") << "" << false;
}

void TestPersistence::bigVisible()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(readOne(QStringLiteral("fbig.Visible"), text).bigVisible, expected);
}

void TestPersistence::buttonsDefaultToCurrent()
{
    SavedState current;
    current.enabled = flags({0, 3, 5, 7});
    current.visible = flags({0, 3, 5, 7});
    testing::MemoryStore store;
    store.saveAll(tavrik::core::kSettingsApp, kStateSection,
                  {{"CMD(1).Visible", "-1"}, {"CMD(1).Enabled", "-1"}, {"CMD(0).Visible", "0"},
                   {"CMD(3).Enabled", "abc"}, {"CMD(5).Enabled", "0"}});
    const SavedState s = readState(store, current, kToday);
    QCOMPARE(s.visible, flags({1, 3, 5, 7}));
    QCOMPARE(s.enabled, flags({0, 1, 3, 7}));
}

void TestPersistence::firstRunGivesDefaults()
{
    testing::MemoryStore store;
    SavedState current;
    current.clock = {1, 2.0f, 3, 4.0f};
    current.TimeString = QStringLiteral("x");
    current.SegCounts1 = 9;
    current.enabled = flags({0, 3, 5, 7});
    current.visible = flags({0, 3, 5, 7});
    const SavedState s = readState(store, current, kToday);
    QCOMPARE(s.clock.StartDate, 0);
    QCOMPARE(s.clock.StartTime, 0.0f);
    QCOMPARE(s.clock.PauseDate, 0);
    QCOMPARE(s.clock.PauseTime, 0.0f);
    QCOMPARE(s.TimeString, QString());
    QCOMPARE(s.TimerString, QString());
    QCOMPARE(s.SegCounts1, short(14));
    QCOMPARE(s.SegCounts2, short(14));
    QCOMPARE(s.timerEnabled, false);
    QCOMPARE(s.bigVisible, false);
    QCOMPARE(s.enabled, current.enabled);
    QCOMPARE(s.visible, current.visible);
}

void TestPersistence::roundTripThroughTheStoreFile()
{
    QTemporaryDir dir;
    SavedState first;
    first.clock = {45000, 45296.13f, 45001, 3.25f};
    first.timerEnabled = true;
    first.bigVisible = true;
    first.TimeString = QStringLiteral("12:34:56.130");
    first.TimerString = QStringLiteral("45296.130");
    first.SegCounts1 = 19;
    first.SegCounts2 = 8;
    first.enabled = flags({1, 4, 6, 7});
    first.visible = flags({1, 4, 6, 7});
    SavedState second;
    second.TimeString = QStringLiteral("a,b");
    second.enabled = flags({0});

    for (const SavedState &s : {first, second}) {
        {
            tavrik::core::IniSettingsStore store(dir.path());
            QVERIFY(saveState(store, s));
        }
        tavrik::core::IniSettingsStore store(dir.path());
        QCOMPARE(stateKeyValues(readState(store, SavedState(), kToday)), stateKeyValues(s));
    }
}

void TestPersistence::storedSpellingOfKeysDoesNotMatter()
{
    QTemporaryDir dir;
    tavrik::core::IniSettingsStore store(dir.path());
    QFile f(store.filePath(tavrik::core::kSettingsApp));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[setting]\nstarttime=12.5\nTIMERENABLED=True\ncmd(0).visible=0\nFBIG.VISIBLE=-1\n");
    f.close();
    SavedState current;
    current.visible = flags({0, 3});
    const SavedState s = readState(store, current, kToday);
    QCOMPARE(s.clock.StartTime, 12.5f);
    QCOMPARE(s.timerEnabled, true);
    QCOMPARE(s.bigVisible, true);
    QCOMPARE(s.visible, flags({3}));

    // Saving keeps the stored spellings: one line per key.
    QVERIFY(saveState(store, s));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QCOMPARE(text.count('\n'), 1 + 10 + 2 * kButtonCount);
    QVERIFY(text.contains("starttime=12.5\n"));
    QVERIFY(text.contains("TIMERENABLED=True\n"));
}

TAVRIK_TEST_GUILESS_MAIN(TestPersistence)
#include "tst_persistence.moc"
