#include "vexo3/engine/status.h"

namespace vexo3 {

RunState runState(bool running, const std::array<bool, kButtonCount> &visible)
{
    if (running)
        return RunState::Running;
    if (visible[2])
        return RunState::Paused;
    if (visible[0] && visible[6])
        return RunState::Stopped;
    return RunState::Idle;
}

RunState runState(const Stopwatch &sw)
{
    std::array<bool, kButtonCount> visible{};
    for (int i = 0; i < kButtonCount; ++i)
        visible[size_t(i)] = sw.buttons.visible(i);
    return runState(sw.running, visible);
}

Readings statusReadings(const Stopwatch &sw, Now now)
{
    return statusReadings(runState(sw), sw.clock, now, sw.msStyle, sw.msCount, {sw.TimerString, sw.TimeString});
}

Readings statusReadings(RunState state, const ClockValues &clock, Now now, short msStyle, short msCount,
                        const Readings &shown)
{
    switch (state) {
    case RunState::Running:
        return formatReadings(elapsedSince(clock.StartDate, clock.StartTime, now), msStyle, msCount);
    case RunState::Idle:
        return formatReadings(Elapsed{}, msStyle, msCount);
    case RunState::Paused:
    case RunState::Stopped:
        break;
    }
    return shown;
}

QString statusText(const StatusFacts &facts)
{
    static const char *const kStateNames[] = {"未计时", "正在计时", "已暂停", "已停止"};
    QString text = QStringLiteral("读数：%1（%2）\n状态：%3\n")
                       .arg(facts.readings.TimerString, facts.readings.TimeString,
                            QString::fromUtf8(kStateNames[int(facts.state)]));
    if (facts.locked)
        text += QStringLiteral("控制：已经锁定\n");
    if (facts.laps >= 0)
        text += QStringLiteral("记录：%1 条\n").arg(facts.laps);
    else
        text += QStringLiteral("（Vexo3 没有运行，这是保存的状态。）\n");
    return text;
}

} // namespace vexo3
