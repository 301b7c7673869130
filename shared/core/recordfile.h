#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <sys/types.h>

// The lap export file in the temporary folder. The folder may be shared with other
// users (/tmp), so the file is written as a fresh private file and renamed into place:
// never through a symbolic link, never into another user's file.
namespace tavrik::core {

// "temp", then "TEMP", then "TMPDIR", then the system's temporary folder; a relative
// one is made absolute from the current folder.
QString tempFolder();
// The temporary folder followed by "/秒表记录.txt".
QString recordFilePath();

class RecordFile {
public:
    // Writes every line ended by CR LF to path. False when it could not, with the
    // reason in *error.
    bool write(const QString &path, const QStringList &lines, QString *error = nullptr);
    // Deletes the last file written, but only while it is still exactly what we wrote
    // (the user may have edited and saved it).
    void removeIfUnchanged();

private:
    struct Identity {
        QString path;
        dev_t dev = 0;
        ino_t ino = 0;
        off_t size = 0;
        qint64 mtimeNs = 0;
    };
    std::optional<Identity> written_;
};

} // namespace tavrik::core
