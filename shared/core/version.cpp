#include "shared/core/version.h"

namespace tavrik::core {

QString versionText(const Version &v, Revision style)
{
    const QString revision = style == Revision::FourDigits ? QStringLiteral("%1").arg(v.revision, 4, 10, QLatin1Char('0'))
                                                           : QString::number(v.revision);
    return QStringLiteral("%1.%2.%3").arg(v.major).arg(v.minor).arg(revision);
}

} // namespace tavrik::core
