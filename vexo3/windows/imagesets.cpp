#include "vexo3/windows/imagesets.h"

#include "shared/core/profile.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/services.h"
#include "controls/seg/seg.h"

namespace vexo3 {

namespace {
const QString kVexoIni = QStringLiteral("Vexo.ini");
} // namespace

QString vexoIniPath() { return tavrik::gui::profileFile(kVexoIni).readPath(); }

bool writeVexoIni(const QString &section, const QString &key, const QString &value, QString *error)
{
    return tavrik::gui::profileFile(kVexoIni).write(section, key, value, error);
}

QString segImageName(const QString &key, const QString &ini)
{
    const QString entry = tavrik::core::ReadIni(QStringLiteral("SegFont"), key, QString(), ini);
    QString name = tavrik::core::GetField(entry, 2, QStringLiteral(","));
    name.replace(u'\\', u'/');
    return name;
}

QString selectedSegImage(const QString &ini)
{
    const QString key = tavrik::core::ReadIni(QStringLiteral("SegFont"), QStringLiteral("Selected"), QStringLiteral("1"), ini);
    const QString name = segImageName(key, ini);
    return name.isEmpty() ? QString() : tavrik::gui::AppDir() + name;
}

bool loadSegImage(QWidget *window, Seg *seg, const QString &file)
{
    QString error;
    if (seg->LoadSegImageFile(file, &error))
        return true;
    tavrik::gui::services().dialogs->message(window, error, Seg::kLoadFailedTitle, tavrik::gui::MsgIcon::Critical);
    return false;
}

} // namespace vexo3
