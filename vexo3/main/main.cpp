#include "shared/core/instance.h"
#include "shared/core/settingsstore.h"
#include "shared/gui/instanceserver.h"
#include "shared/gui/notifier.h"
#include "shared/gui/program.h"
#include "shared/gui/services.h"
#include "shared/gui/termination.h"
#include "vexo3/engine/commandline.h"
#include "vexo3/main/dbusservice.h"
#include "vexo3/main/frmsec.h"
#include "vexo3/version.h"

#include <QApplication>
#include <QFileInfo>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>

namespace {

void print(const QString &text, FILE *stream)
{
    if (text.isEmpty())
        return;
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int printReply(const tavrik::core::InstanceReply &reply)
{
    print(reply.out, stdout);
    print(reply.err, stderr);
    return reply.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    // First of all: a signal from now on waits for the event loop (and the state
    // restored) instead of ending the program half started.
    tavrik::gui::TerminationSignals::install();

    // The command line is settled before any application object exists: a command for
    // the running copy needs no display, and answers at once.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const vexo3::CommandLine cl = vexo3::parseCommandLine(arguments);
    switch (cl.outcome) {
    case vexo3::CommandLine::Outcome::Error:
        print(cl.message, stderr);
        return vexo3::kExitUsage;
    case vexo3::CommandLine::Outcome::Help:
        print(vexo3::helpText(QFileInfo(arguments.value(0)).fileName()), stdout);
        return vexo3::kExitOk;
    case vexo3::CommandLine::Outcome::Version:
        print(QStringLiteral("Vexo3 %1\n").arg(QString::fromLatin1(vexo3::kVersionText)), stdout);
        return vexo3::kExitOk;
    case vexo3::CommandLine::Outcome::Run:
        break;
    }

    // One Vexo3 per settings file: a second start hands its commands to the first (no
    // command: show its window) and ends. Its time counts from the start of the process.
    tavrik::core::InstanceLock lock;
    const tavrik::core::Claim claim = tavrik::core::claimInstance(
        QStringLiteral("Vexo3"), tavrik::gui::services().store->filePath(tavrik::core::kSettingsApp),
        cl.commands.isEmpty() ? QStringList{vexo3::kCmdShow} : cl.commands, lock, tavrik::core::kInstanceAskMs,
        tavrik::core::processStartMs());
    switch (claim.role) {
    case tavrik::core::Claim::Role::Answered:
        return printReply(claim.reply);
    case tavrik::core::Claim::Role::NoAnswer:
        print(QStringLiteral("Vexo3：这个设置文件已经有一个 Vexo3 在运行，但它在 %1 秒内没有回答，"
                             "命令没有执行。%2\n")
                  .arg(tavrik::core::kInstanceAnswerMs / 1000)
                  .arg(claim.error),
              stderr);
        return vexo3::kExitNoAnswer;
    case tavrik::core::Claim::Role::Standalone:
        // Options may be meant for a copy that runs: carrying them out here, or saying
        // that none runs, could both be wrong.
        if (!cl.commands.isEmpty()) {
            print(QStringLiteral("Vexo3：无法确定这个设置文件是否已有 Vexo3 在运行，命令没有执行。%1\n").arg(claim.error),
                  stderr);
            return vexo3::kExitUnchecked;
        }
        print(QStringLiteral("Vexo3：%1不检查是否已有 Vexo3 在运行。\n").arg(claim.error), stderr);
        break;
    case tavrik::core::Claim::Role::Primary:
        break;
    }

    // "--status" alone, with no Vexo3 running: the saved state, without a window.
    if (!cl.commands.isEmpty() && cl.commands.count(vexo3::kCmdStatus) == cl.commands.size()) {
        QCoreApplication app(argc, argv);
        const QString text = vexo3::storedStatusText();
        for (qsizetype i = 0; i < cl.commands.size(); ++i)
            print(text, stdout);
        return vexo3::kExitOk;
    }

    tavrik::gui::prepareSession();
    QApplication app(argc, argv);
    tavrik::gui::setUpProgram(QStringLiteral("Vexo3"), QString::fromLatin1(vexo3::kVersionText),
                              QStringLiteral(TAVRIK_DESKTOP_ID));
    // The program lives exactly as long as the main window.
    QApplication::setQuitOnLastWindowClosed(false);

    tavrik::gui::TerminationSignals termination;
    vexo3::FrmSec window;
    QObject::connect(&termination, &tavrik::gui::TerminationSignals::terminationRequested, &window,
                     [&window](int) { window.endFromSystem(); });
    QObject::connect(&window, &vexo3::FrmSec::ending, &tavrik::gui::TerminationSignals::armWatchdog);
    // A logout saves the state first; the program is then ended by the session.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager &) { window.saveForSessionEnd(); }, Qt::DirectConnection);

    window.Form_Load();
    tavrik::gui::explainPlacementLimits(&window, QGuiApplication::platformName());
    // The session bus once the window shows, never before it: the name and interface,
    // and the notification server's answers. Without a bus nothing happens.
    auto *bus = new vexo3::DBusService(&window);
    QTimer::singleShot(0, &window, [bus] {
        bus->registerOnBus();
        tavrik::gui::Notifier::instance().start();
    });

    // Later starts reach this window from now on, the state restored; they are
    // answered from the event loop and never hold it up.
    tavrik::gui::InstanceServer server(QStringLiteral("Vexo3"), vexo3::knownCommands(),
                                       [&window](const QStringList &commands) { return window.carryOut(commands); });
    if (claim.role == tavrik::core::Claim::Role::Primary) {
        QString why;
        if (!server.listen(claim.socketPath, &why))
            print(QStringLiteral("Vexo3：无法接收以后启动时的命令（%1）。\n").arg(why), stderr);
    }
    QObject::connect(&server, &tavrik::gui::InstanceServer::answered, &window, &vexo3::FrmSec::saveDeferredState);
    QObject::connect(&window, &vexo3::FrmSec::ending, &server, &tavrik::gui::InstanceServer::close);
    // This start's own commands, once the window is up.
    if (!cl.commands.isEmpty())
        QTimer::singleShot(0, &window, [&window, &cl] { printReply(window.carryOut(cl.commands)); });

    const int rc = QApplication::exec();
    tavrik::gui::deleteOtherWindows(&window);
    return rc;
}
