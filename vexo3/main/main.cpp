#include "shared/gui/program.h"
#include "shared/gui/termination.h"
#include "vexo3/main/frmsec.h"
#include "vexo3/main/version.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    // First of all: a signal from now on waits for the event loop (and the state
    // restored) instead of ending the program half started.
    tavrik::gui::TerminationSignals::install();

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
    const int rc = QApplication::exec();
    tavrik::gui::deleteOtherWindows(&window);
    return rc;
}
