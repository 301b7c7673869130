#pragma once

#include <QString>

// What the about, feedback, help and web items of both programs show and open.
namespace tavrik::core {

inline const QString kDownloadPage = QStringLiteral("https://tavrik.example.org/download/");
inline const QString kHomePage = QStringLiteral("https://tavrik.example.org/");
inline const QString kWebLog = QStringLiteral("https://tavrik.example.org/blog/");
inline const QString kFeedbackPage = QStringLiteral("https://tavrik.example.org/feedback/");

// The about box: the program's name, its version as the program writes it, then the
// home and feedback pages, lines ended by CR LF.
inline const QString kAboutTitle = QStringLiteral("关于");
QString aboutText(const QString &version);

// The box that comes before the feedback page opens.
inline const QString kFeedbackTitle = QStringLiteral("您的意见");
QString feedbackText();

// The help text file in the program folder.
inline const QString kHelpFileName = QStringLiteral("说明.txt");
// Reads the whole help file as UTF-8. False when it cannot, with the words for the
// user in *error: "未找到说明文件:" and the path when there is no such file, else
// the system's reason.
bool readHelpText(const QString &path, QString *text, QString *error = nullptr);

} // namespace tavrik::core
