#include "vexo/main/windowlogic.h"

namespace vexo {

QString lockMenuCaption(bool locked)
{
    // Both keep the mnemonic, so L in the open menu locks and unlocks alike.
    return locked ? QStringLiteral("解除锁定控制(&L)") : QStringLiteral("锁定控制(&L)");
}

QString beepPath(const QString &appDir)
{
    return appDir + (appDir.endsWith(u'/') ? QString() : QStringLiteral("/")) + QStringLiteral("Beep.wav");
}

QRect listAbove(const QRect &mainFrame, int listOuterHeight)
{
    return QRect(mainFrame.left(), mainFrame.top() - listOuterHeight, mainFrame.width(), listOuterHeight);
}

} // namespace vexo
