#include "shared/gui/records.h"

#include "shared/core/recordfile.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/launcher.h"
#include "shared/gui/services.h"

#include <QUrl>

namespace tavrik::gui {

bool exportRecords(QWidget *parent, core::RecordFile &file, const QStringList &records, bool sayEditorFailure)
{
    const QString path = core::recordFilePath();
    QString error;
    if (!file.write(path, records, &error)) {
        services().dialogs->message(parent, QStringLiteral("无法写入记录文件：\n%1\n\n原因：%2\n\n记录仍保留在列表中。").arg(path, error),
                                    QStringLiteral("错误"), MsgIcon::Critical);
        return false;
    }
    // The file stays until the program ends, so the editor can read it at leisure.
    openOrSay(QUrl::fromLocalFile(path), sayEditorFailure ? parent : nullptr);
    return true;
}

} // namespace tavrik::gui
