#include "shared/core/about.h"

#include "shared/core/failure.h"
#include "shared/core/filebytes.h"

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
    QByteArray bytes;
    QString why;
    switch (readRegularFile(path, &bytes, &why)) {
    case ReadStatus::Missing: return fail(error, QStringLiteral("未找到说明文件:") + path);
    case ReadStatus::Failed: return fail(error, why);
    case ReadStatus::Ok: break;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    *text = utf8.decode(bytes);
    return true;
}

} // namespace tavrik::core
