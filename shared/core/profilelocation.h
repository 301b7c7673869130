#pragma once

#include <QString>

namespace tavrik::core {

// Where a program's profile file (Vexo.ini) is read and written. While the user may
// replace it in the program folder (a build folder, a copied folder) it stays there.
// Otherwise (installed for the whole system) the user gets a copy of its own in the
// user folder: made from the shipped file on the first write, and read instead of
// the shipped one from then on.
class ProfileLocation {
public:
    // Probe asks the file system; tests say which case they want.
    enum class FolderAccess { Probe, Writable, ReadOnly };

    ProfileLocation(QString programFolder, QString userFolder, QString fileName,
                    FolderAccess access = FolderAccess::Probe);

    QString shipped() const;
    QString userCopy() const;
    // True when writes go to the user's copy.
    bool usesUserCopy() const;
    // The file to read now.
    QString readPath() const;
    // Writes one key as WriteIni does, into the file it belongs in; the user's copy is
    // made first when there is none. False with the reason in *error when it could
    // not; a copy that could not be made completely is not left behind.
    bool write(const QString &section, const QString &key, const QString &value, QString *error = nullptr) const;

private:
    bool makeUserCopy(QString *error) const;

    QString programFolder_;
    QString userFolder_;
    QString fileName_;
    FolderAccess access_;
};

// Whether this user may replace the file in the folder: the folder is writable (on a
// file system mounted for writing), and so is the file if it is there.
bool canReplaceIn(const QString &folder, const QString &fileName);

} // namespace tavrik::core
