#include "shared/core/about.h"

#include "shared/core/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace tavrik::core {

QString aboutText(const QString &version)
{
    return QStringLiteral("   ====Tavrik====\r\n  版本：%1\r\n  主页：%2\r\n  意见与反馈：%3")
        .arg(version, kHomePage, kFeedbackPage);
}

QString feedbackText()
{
    return QStringLiteral("《Tavrik》力求按照用户的要求来不断改进、完善自己，非常感谢用户朋友提供的意见！\r\n\r\n"
                          "您可以在bbs中留下意见，或者直接发送e-mail。");
}

bool readHelpText(const QString &path, QString *text, QString *error)
{
    if (!QFileInfo::exists(path))
        return fail(error, QStringLiteral("未找到说明文件:") + path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, file.errorString());
    QStringDecoder utf8(QStringDecoder::Utf8);
    *text = utf8.decode(bytes);
    return true;
}

} // namespace tavrik::core
