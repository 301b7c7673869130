#include "shared/core/profilelocation.h"

#include "shared/core/failure.h"
#include "shared/core/filebytes.h"
#include "shared/core/inifile.h"
#include "shared/core/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace tavrik::core {

ProfileLocation::ProfileLocation(QString programFolder, QString userFolder, QString fileName, FolderAccess access)
    : programFolder_(std::move(programFolder)), userFolder_(std::move(userFolder)), fileName_(std::move(fileName)),
      access_(access)
{
}

QString ProfileLocation::shipped() const { return QDir(programFolder_).filePath(fileName_); }

QString ProfileLocation::userCopy() const { return QDir(userFolder_).filePath(fileName_); }

bool ProfileLocation::usesUserCopy() const
{
    switch (access_) {
    case FolderAccess::Writable:
        return false;
    case FolderAccess::ReadOnly:
        return true;
    case FolderAccess::Probe:
        break;
    }
    return !canReplaceIn(programFolder_, fileName_);
}

QString ProfileLocation::readPath() const
{
    if (usesUserCopy() && QFileInfo::exists(userCopy()))
        return userCopy();
    return shipped();
}

bool ProfileLocation::write(const QString &section, const QString &key, const QString &value, QString *error) const
{
    if (!usesUserCopy())
        return WriteIni(section, key, value, shipped(), error);
    if (!QFileInfo::exists(userCopy()) && !makeUserCopy(error))
        return false;
    QString why;
    if (WriteIni(section, key, value, userCopy(), &why))
        return true;
    return fail(error, QStringLiteral("%1（%2）").arg(why, userCopy()));
}

bool ProfileLocation::makeUserCopy(QString *error) const
{
    // Everything the shipped file holds (the image sets above all) goes into the copy,
    // or no copy is made: an empty one would hide the shipped file for good.
    QByteArray content;
    QString why;
    if (readRegularFile(shipped(), &content, &why) == ReadStatus::Failed)
        return fail(error, why.contains(shipped()) ? why : QStringLiteral("%1（%2）").arg(why, shipped()));
    if (!QDir().mkpath(userFolder_))
        return fail(error, QStringLiteral("无法创建文件夹“%1”").arg(userFolder_));
    if (!inifile::writeAtomically(userCopy(), content, &why))
        return fail(error, QStringLiteral("%1（%2）").arg(why, userCopy()));
    return true;
}

bool canReplaceIn(const QString &folder, const QString &fileName)
{
    // access() answers for this user, with ACLs and read-only mounts (EROFS) counted.
    const QByteArray dir = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (::access(dir.constData(), W_OK | X_OK) != 0)
        return false;
    const QByteArray file = QFile::encodeName(QDir(folder).filePath(fileName));
    return ::access(file.constData(), F_OK) != 0 || ::access(file.constData(), W_OK) == 0;
}

} // namespace tavrik::core
