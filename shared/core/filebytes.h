#pragma once

#include <QByteArray>
#include <QString>

namespace tavrik::core {

// A thousand times any settings or profile file the programs write (a few hundred
// bytes to a few kilobytes): anything larger is not one of ours, and reading and
// rewriting it on every save would hold the window up.
constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

enum class ReadStatus { Ok, Missing, Failed };

// Reads a whole regular file. A FIFO, a device or a folder is refused without waiting
// on it, and so is a file larger than maxBytes; Missing when there is no such file.
// On Failed, *error holds the reason in words for the user, naming the file.
ReadStatus readRegularFile(const QString &path, QByteArray *data, QString *error = nullptr,
                           qint64 maxBytes = kMaxSettingsFileBytes);

// flock(2) on fd, again after an interruption by a signal: 0, or the errno value.
int flockRetrying(int fd, int operation);

} // namespace tavrik::core
