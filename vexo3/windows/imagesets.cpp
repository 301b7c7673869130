#include "vexo3/windows/imagesets.h"

#include "platform/profile.h"
#include "platform/services.h"

namespace vexo3 {

QString vexoIniPath() { return platform::AppDir() + QStringLiteral("Vexo.ini"); }

QString segImageName(const QString &key, const QString &ini)
{
    const QString entry = platform::ReadIni(QStringLiteral("SegFont"), key, QString(), ini);
    QString name = platform::GetField(entry, 2, QStringLiteral(","));
    name.replace(u'\\', u'/');
    return name;
}

QString selectedSegImage(const QString &ini)
{
    const QString key = platform::ReadIni(QStringLiteral("SegFont"), QStringLiteral("Selected"), QStringLiteral("1"), ini);
    const QString name = segImageName(key, ini);
    return name.isEmpty() ? QString() : platform::AppDir() + name;
}

} // namespace vexo3
