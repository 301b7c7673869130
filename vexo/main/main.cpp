#include "shared/gui/notifier.h"
#include "shared/gui/program.h"
#include "shared/gui/termination.h"
#include "vexo/main/frmsec.h"
#include "vexo/version.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    // First of all, so that a signal in the first moments waits for the event loop.
    tavrik::gui::TerminationSignals::install();

    tavrik::gui::prepareSession();
    QApplication app(argc, argv);
    tavrik::gui::setUpProgram(QStringLiteral("Vexo"), QString::fromLatin1(vexo::kVersionText),
                              QStringLiteral(TAVRIK_DESKTOP_ID));
    // The program lives exactly as long as the main window.
    QApplication::setQuitOnLastWindowClosed(false);

    tavrik::gui::TerminationSignals termination;
    vexo::FrmSec window;
    QObject::connect(&termination, &tavrik::gui::TerminationSignals::terminationRequested, &window,
                     [&window](int) { window.endFromSystem(); });

    window.Form_Load();
    tavrik::gui::explainPlacementLimits(&window, QGuiApplication::platformName());
    // The notification server once the window shows; without a bus nothing happens.
    QTimer::singleShot(0, &window, [] { tavrik::gui::Notifier::instance().start(); });
    const int rc = QApplication::exec();
    tavrik::gui::deleteOtherWindows(&window);
    return rc;
}
