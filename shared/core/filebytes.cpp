#include "shared/core/filebytes.h"

#include "shared/core/failure.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrik::core {

namespace {

ReadStatus failed(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return ReadStatus::Failed;
}

QString megabytes(qint64 bytes) { return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1); }

// The reason names the file: a box may show it with no other context.
QString unreadable(const QString &path, int err)
{
    return QStringLiteral("无法读取文件“%1”：%2").arg(path, systemErrorText(err));
}

} // namespace

ReadStatus readRegularFile(const QString &path, QByteArray *data, QString *error, qint64 maxBytes)
{
    data->clear();
    // O_NONBLOCK: opening a FIFO for reading must not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT)
            return ReadStatus::Missing;
        return failed(error, unreadable(path, err));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat st;
    if (::fstat(fd, &st) != 0)
        return failed(error, unreadable(path, errno));
    if (!S_ISREG(st.st_mode))
        return failed(error, QStringLiteral("“%1”不是普通文件。").arg(path));
    const auto tooLarge = [&](qint64 size) {
        return failed(error, QStringLiteral("文件“%1”太大（%2 MB，最多 %3 MB），不是这个程序的文件。")
                                 .arg(path, megabytes(size), megabytes(maxBytes)));
    };
    if (st.st_size > maxBytes)
        return tooLarge(st.st_size);

    // The size may change while we read; never read more than the limit.
    QByteArray buf;
    buf.resize(qsizetype(st.st_size) + 1);
    qsizetype got = 0;
    for (;;) {
        if (got == buf.size()) {
            if (buf.size() > maxBytes)
                return tooLarge(buf.size());
            buf.resize(qMin<qint64>(maxBytes + 1, qint64(buf.size()) * 2));
        }
        const ssize_t n = ::read(fd, buf.data() + got, size_t(buf.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failed(error, unreadable(path, errno));
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > maxBytes)
        return tooLarge(got);
    buf.truncate(got);
    *data = std::move(buf);
    return ReadStatus::Ok;
}

int flockRetrying(int fd, int operation)
{
    int r;
    do
        r = ::flock(fd, operation);
    while (r != 0 && errno == EINTR);
    return r == 0 ? 0 : errno;
}

} // namespace tavrik::core
