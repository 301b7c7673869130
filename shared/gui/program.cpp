#include "shared/gui/program.h"

#include "shared/gui/translation.h"

#include <QApplication>
#include <QDir>

namespace tavrik::gui {

void setUpProgram(const QString &name, const QString &version, const QString &desktopId)
{
    QApplication::setApplicationName(name);
    QApplication::setApplicationVersion(version);
    QGuiApplication::setDesktopFileName(desktopId);
    QApplication::setWindowIcon(programIcon(name));
    if (QCoreApplication *app = QCoreApplication::instance())
        loadQtTranslation(*app);
}

QIcon programIcon(const QString &name)
{
    QIcon icon;
    const QDir dir(QStringLiteral(":/icons/") + name);
    for (const QString &file : dir.entryList({QStringLiteral("*.png")}, QDir::Files))
        icon.addFile(dir.filePath(file));
    return icon;
}

} // namespace tavrik::gui
