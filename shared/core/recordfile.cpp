#include "shared/core/recordfile.h"

#include "shared/core/failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrik::core {

QString tempFolder()
{
    for (const char *name : {"temp", "TEMP", "TMPDIR"}) {
        const QString v = qEnvironmentVariable(name);
        // A relative folder is taken from the current one: the editor is handed an
        // absolute file URL, and the file is found again however the program moves.
        if (!v.isEmpty())
            return QDir::isRelativePath(v) ? QDir::cleanPath(QDir::current().absoluteFilePath(v)) : v;
    }
    return QDir::tempPath();
}

QString recordFilePath()
{
    QString dir = tempFolder();
    while (dir.size() > 1 && dir.endsWith(u'/'))
        dir.chop(1);
    return dir + QStringLiteral("/秒表记录.txt");
}

namespace {

// The reason in the user's language for what a temporary folder commonly meets; the
// system's own words for the rest.
QString errnoText(int err)
{
    switch (err) {
    case ENOENT: return QStringLiteral("文件夹不存在。");
    case ENOTDIR: return QStringLiteral("路径中有一部分不是文件夹。");
    case EACCES:
    case EPERM: return QStringLiteral("没有写入该位置的权限。");
    case EROFS: return QStringLiteral("该位置在只读的文件系统上。");
    case ENOSPC: return QStringLiteral("磁盘空间不足。");
    case EDQUOT: return QStringLiteral("超出了磁盘配额。");
    case ENAMETOOLONG: return QStringLiteral("路径太长。");
    case ELOOP: return QStringLiteral("路径中的符号链接太多。");
    default: return systemErrorText(err);
    }
}

qint64 mtimeNs(const struct stat &st) { return qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec; }

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

bool RecordFile::write(const QString &path, const QStringList &lines, QString *error)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat existing;
    if (::lstat(target.constData(), &existing) == 0) {
        if (existing.st_uid != ::geteuid())
            return fail(error, QStringLiteral("该位置已有其他用户的文件，为安全起见不覆盖它。"));
        if (S_ISDIR(existing.st_mode))
            return fail(error, QStringLiteral("该位置是一个文件夹。"));
    } else if (errno != ENOENT) {
        return fail(error, errnoText(errno));
    }

    QByteArray content;
    for (const QString &line : lines) {
        content += line.toUtf8();
        content += "\r\n";
    }

    // A new private file beside the target, then an atomic rename over it: a symbolic
    // link at the target is replaced, never followed.
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    QByteArray tmpl = dir + "/.tavrik-records-XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return fail(error, errnoText(errno));
    struct stat st;
    bool ok = writeAll(fd, content) && ::fsync(fd) == 0 && ::fstat(fd, &st) == 0;
    int err = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(tmpl.constData(), target.constData()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmpl.constData());
        return fail(error, errnoText(err));
    }
    written_ = Identity{path, st.st_dev, st.st_ino, st.st_size, mtimeNs(st)};
    return true;
}

void RecordFile::removeIfUnchanged()
{
    if (!written_)
        return;
    const QByteArray target = QFile::encodeName(written_->path);
    struct stat st;
    if (::lstat(target.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_dev == written_->dev &&
        st.st_ino == written_->ino && st.st_size == written_->size && mtimeNs(st) == written_->mtimeNs)
        ::unlink(target.constData());
    written_.reset();
}

} // namespace tavrik::core
