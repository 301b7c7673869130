#include "shared/core/version.h"

namespace tavrik::core {

QString versionText(const Version &v, Revision style)
{
    const QString revision = style == Revision::FourDigits ? QStringLiteral("%1").arg(v.revision, 4, 10, QLatin1Char('0'))
                                                           : QString::number(v.revision);
    return QStringLiteral("%1.%2.%3").arg(v.major).arg(v.minor).arg(revision);
}

QString lockMenuCaption(bool locked)
{
    return locked ? QStringLiteral("解除锁定控制(&L)") : QStringLiteral("锁定控制(&L)");
}

QString lockedTitle(const Version &v)
{
    return QStringLiteral("Tavrik") + versionText(v, Revision::FourDigits) + QStringLiteral(" [控制已经锁定]");
}

} // namespace tavrik::core
