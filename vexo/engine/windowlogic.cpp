#include "vexo/engine/windowlogic.h"

namespace vexo {

QString beepPath(const QString &appDir)
{
    return appDir + (appDir.endsWith(u'/') ? QString() : QStringLiteral("/")) + QStringLiteral("Beep.wav");
}

QRect listAbove(const QRect &mainFrame, int listOuterHeight)
{
    return QRect(mainFrame.left(), mainFrame.top() - listOuterHeight, mainFrame.width(), listOuterHeight);
}

} // namespace vexo
