// FrmSec: commands from the command line, and the status it reports.

#include "vexo3/main/frmsec.h"

#include "shared/core/profile.h"
#include "shared/core/numtext.h"
#include "shared/gui/services.h"
#include "vexo3/engine/commandline.h"
#include "vexo3/main/flist.h"
#include "vexo3/main/frmsec_p.h"
#include "vexo3/engine/persistence.h"
#include "vexo3/engine/status.h"
#include "vexo3/windows/imagesets.h"

#include <QScopeGuard>
#include <QTimer>

#include <utility>

namespace vexo3 {

using tavrik::gui::services;

std::pair<short, short> fractionStyleOf(const QString &iniPath)
{
    auto value = [&](const QString &key, const QString &def) {
        return tavrik::core::roundToIntegral<short>(
            tavrik::core::leadingNumber(tavrik::core::ReadIni(QStringLiteral("Setting"), key, def, iniPath)), -32768, 32767);
    };
    return {value(QStringLiteral("msStyle"), QStringLiteral("0")), value(QStringLiteral("msCount"), QStringLiteral("3"))};
}

namespace {

QString refusal(const QString &command, bool locked, bool running)
{
    if (locked)
        return QStringLiteral("Vexo3：控制已经锁定，没有执行 --%1。\n").arg(command);
    if (command == kCmdLap)
        return QStringLiteral("Vexo3：秒表还没有开始计时，没有记录。\n");
    if (command == kCmdReset && running)
        return QStringLiteral("Vexo3：秒表正在计时，不能复位；请先暂停或停止。\n");
    return QStringLiteral("Vexo3：现在不能执行 --%1。\n").arg(command);
}

} // namespace

void FrmSec::Private::raiseFromCommand()
{
    q->setWindowState(q->windowState() & ~Qt::WindowMinimized);
    q->show();
    q->raise();
    q->activateWindow();
}

tavrik::core::InstanceReply FrmSec::carryOut(const QStringList &commands)
{
    Private &d = *d_;
    // Saving a large settings file must not hold the answer back past the asker's wait:
    // carried out, answered, then saved.
    d.deferSaves = true;
    const auto saveAfterAnswer = qScopeGuard([this] {
        d_->deferSaves = false;
        if (d_->saveDeferred)
            QTimer::singleShot(0, this, &FrmSec::saveDeferredState);
    });
    tavrik::core::InstanceReply reply;
    for (const QString &command : commands) {
        if (d.ending || !d.loaded) {
            reply.exitCode = kExitRefused;
            reply.err += d.ending ? QStringLiteral("Vexo3：程序正在退出，没有执行 --%1。\n").arg(command)
                                 : QStringLiteral("Vexo3：程序还在启动，没有执行 --%1。\n").arg(command);
            continue;
        }
        if (command == kCmdShow) {
            d.raiseFromCommand();
            continue;
        }
        if (command == kCmdStatus) {
            reply.out += d.statusText();
            continue;
        }
        const int key = commandKey(command);
        const Action action = keyAction(key, Qt::NoModifier, d.sw.buttons);
        // The keys reach the window only while it is not locked; the guard of the
        // action's button decides as for a key.
        if (d.locked || action == Action::None || !d.sw.guard(action)) {
            reply.exitCode = kExitRefused;
            reply.err += refusal(command, d.locked, d.sw.running);
            continue;
        }
        d.ActKeyDown(key, Qt::NoModifier);
    }
    return reply;
}

void FrmSec::saveDeferredState()
{
    if (std::exchange(d_->saveDeferred, false))
        d_->SaveState();
}

QString FrmSec::Private::statusText() const
{
    StatusFacts facts;
    facts.state = runState(sw);
    facts.readings = statusReadings(sw, services().clock->now());
    facts.locked = locked;
    facts.laps = list ? int(list->entries().size()) : 0;
    return vexo3::statusText(facts);
}

QString storedStatusText()
{
    const tavrik::core::Now now = services().clock->now();
    const SavedState s = readState(*services().store, SavedState{}, now.day);
    const auto [msStyle, msCount] = fractionStyleOf(vexoIniPath());
    StatusFacts facts; // no record count: no window runs
    facts.state = runState(s.timerEnabled, s.visible);
    facts.readings = statusReadings(facts.state, s.clock, now, msStyle, msCount, {s.TimerString, s.TimeString});
    return statusText(facts);
}

} // namespace vexo3
