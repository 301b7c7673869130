#include "vexo3/engine/persistence.h"

#include "shared/core/numtext.h"

#include <cstdlib>

namespace vexo3 {

using tavrik::core::shortestText;

namespace {

QString boolText(bool b) { return b ? QStringLiteral("-1") : QStringLiteral("0"); }
QString buttonKey(int i, const char *what) { return QStringLiteral("CMD(%1).%2").arg(i).arg(QLatin1String(what)); }

} // namespace

tavrik::core::KeyValues stateKeyValues(const SavedState &s)
{
    tavrik::core::KeyValues kv;
    kv.reserve(10 + 2 * kButtonCount);
    kv.append({QStringLiteral("StartTime"), shortestText(s.clock.StartTime)});
    kv.append({QStringLiteral("StartDate"), QString::number(s.clock.StartDate)});
    kv.append({QStringLiteral("PauseTime"), shortestText(s.clock.PauseTime)});
    kv.append({QStringLiteral("PauseDate"), QString::number(s.clock.PauseDate)});
    kv.append({QStringLiteral("TimerEnabled"), s.timerEnabled ? QStringLiteral("True") : QStringLiteral("False")});
    kv.append({QStringLiteral("fbig.Visible"), boolText(s.bigVisible)});
    kv.append({QStringLiteral("TimeString"), s.TimeString});
    kv.append({QStringLiteral("TimerString"), s.TimerString});
    kv.append({QStringLiteral("SegCounts1"), QString::number(s.SegCounts1)});
    kv.append({QStringLiteral("SegCounts2"), QString::number(s.SegCounts2)});
    for (int i = 0; i < kButtonCount; ++i) {
        kv.append({buttonKey(i, "Enabled"), boolText(s.enabled[i])});
        kv.append({buttonKey(i, "Visible"), boolText(s.visible[i])});
    }
    return kv;
}

bool saveState(tavrik::core::SettingsStore &store, const SavedState &s, QString *error)
{
    return store.saveAll(tavrik::core::kSettingsApp, kStateSection, stateKeyValues(s), error);
}

short segCountFromText(const QString &text)
{
    return short(tavrik::core::parseRounded(text, kMinSegCount, kMaxSegCount).value_or(kDefaultSegCount));
}

SavedState readState(tavrik::core::SettingsStore &store, const SavedState &current, qint32 today)
{
    auto text = [&](const QString &key, const QString &def = QString()) {
        return store.read(tavrik::core::kSettingsApp, kStateSection, key, def);
    };
    auto time = [&](const QString &key) {
        const float t = tavrik::core::parseFloat(text(key)).value_or(0.0f);
        return t >= 0.0f && t <= kSecondsPerDay ? t : 0.0f;
    };
    auto date = [&](const QString &key) {
        const qint32 d = tavrik::core::parseInt32(text(key)).value_or(0);
        return std::llabs(qint64(d) - today) <= kMaxDayDistance ? d : 0;
    };
    auto flag = [&](const QString &key, bool def) { return tavrik::core::parseBool(text(key)).value_or(def); };

    SavedState s = current;
    s.clock.StartTime = time(QStringLiteral("StartTime"));
    s.clock.StartDate = date(QStringLiteral("StartDate"));
    s.clock.PauseTime = time(QStringLiteral("PauseTime"));
    s.clock.PauseDate = date(QStringLiteral("PauseDate"));
    s.TimeString = text(QStringLiteral("TimeString"));
    s.TimerString = text(QStringLiteral("TimerString"));
    const QString defaultCount = QString::number(kDefaultSegCount);
    s.SegCounts1 = segCountFromText(text(QStringLiteral("SegCounts1"), defaultCount));
    s.SegCounts2 = segCountFromText(text(QStringLiteral("SegCounts2"), defaultCount));
    s.bigVisible = flag(QStringLiteral("fbig.Visible"), false);
    s.timerEnabled = text(QStringLiteral("TimerEnabled"), QStringLiteral("False")) == QLatin1String("True");
    for (int i = 0; i < kButtonCount; ++i) {
        s.visible[i] = flag(buttonKey(i, "Visible"), current.visible[i]);
        s.enabled[i] = flag(buttonKey(i, "Enabled"), current.enabled[i]);
    }
    return s;
}

} // namespace vexo3
