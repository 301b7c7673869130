#include "shared/gui/termination.h"
#include "vexo/main/frmsec.h"
#include "vexo/main/version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexo"));
    QApplication::setApplicationVersion(QString::fromLatin1(vexo::kVersionText));
    // The program lives exactly as long as the main window.
    QApplication::setQuitOnLastWindowClosed(false);

    vexo::FrmSec window;

    tavrik::gui::TerminationSignals termination;
    QObject::connect(&termination, &tavrik::gui::TerminationSignals::terminationRequested, &window,
                     [&window](int) { window.endFromSystem(); });

    window.Form_Load();
    const int rc = QApplication::exec();
    tavrik::gui::deleteOtherWindows(&window);
    return rc;
}
