#include "shared/core/instance.h"

#include "shared/core/failure.h"
#include "shared/core/filebytes.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

namespace tavrik::core {

namespace {

constexpr int kProtocolVersion = 1;
// QLocalServer makes the socket in a temporary folder beside its final path
// ("<path>-XXXXXX/s") before it moves it there; both must fit into sun_path.
constexpr int kMaxSocketPathBytes = 90;

// A folder of this user (following links); with `closed`, one that no one else may
// write to either: what is made in it stays, and no one else can make it first.
bool isOwnFolder(const QString &path, bool closed = false)
{
    struct stat st = {};
    return !path.isEmpty() && QDir::isAbsolutePath(path) && ::stat(QFile::encodeName(path).constData(), &st) == 0 &&
           S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (!closed || (st.st_mode & 022) == 0);
}

// "tavrik" in a cache folder of this user's; the cache folder is made (0700) when
// missing in a closed folder of the user's.
QString cacheCandidate(const QString &cache)
{
    if (isOwnFolder(QFileInfo(cache).absolutePath(), true))
        ::mkdir(QFile::encodeName(cache).constData(), 0700);
    return isOwnFolder(cache, true) ? cache + QStringLiteral("/tavrik") : QString();
}

QString homeFolder()
{
    const QString home = QFile::decodeName(qgetenv("HOME"));
    const passwd *pw = home.isEmpty() ? ::getpwuid(::geteuid()) : nullptr;
    return pw ? QFile::decodeName(pw->pw_dir) : home;
}

struct Fd {
    int fd;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool makePrivateFolder(const QString &folder, QString *error)
{
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
        return fail(error, QStringLiteral("无法创建文件夹“%1”：%2").arg(folder, systemErrorText(errno)));
    return isPrivateFolder(folder, true, error);
}

} // namespace

QString instanceName(const QString &program, uint uid, const QString &settingsFile)
{
    const QByteArray key = QString::number(uid).toUtf8() + '\n' + settingsFile.toUtf8();
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24);
    return program.toLower() + u'-' + QString::fromLatin1(digest);
}

QString canonicalSettingsFile(const QString &settingsFile)
{
    const QFileInfo file(settingsFile);
    const QString folder = file.absolutePath();
    QDir().mkpath(folder);
    QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty())
        real = QDir::cleanPath(folder);
    return real + u'/' + file.fileName();
}

bool isPrivateFolder(const QString &folder, bool fix, QString *error)
{
    const QByteArray path = QFile::encodeName(folder);
    struct stat st = {};
    if (::lstat(path.constData(), &st) != 0)
        return fail(error, QStringLiteral("文件夹“%1”无法使用：%2").arg(folder, systemErrorText(errno)));
    if (!S_ISDIR(st.st_mode))
        return fail(error, QStringLiteral("“%1”不是文件夹（也许是链接）。").arg(folder));
    if (st.st_uid != ::geteuid())
        return fail(error, QStringLiteral("文件夹“%1”属于别的用户。").arg(folder));
    if ((st.st_mode & 077) != 0 && !(fix && ::chmod(path.constData(), 0700) == 0))
        return fail(error, QStringLiteral("文件夹“%1”别的用户也能进入。").arg(folder));
    return true;
}

QString instanceFolder(const QString &name, QString *error)
{
    const QString own = QStringLiteral("tavrik-%1").arg(::geteuid());
    QStringList candidates;
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (isOwnFolder(runtime))
        candidates.append(QDir(runtime).filePath(QStringLiteral("tavrik")));
    // Then the user's cache folder, where no one else can take the name first; a shared
    // temporary folder comes last, as another user may have.
    const QString cache = QFile::decodeName(qgetenv("XDG_CACHE_HOME"));
    if (QDir::isAbsolutePath(cache))
        candidates.append(cacheCandidate(QDir::cleanPath(cache)));
    if (const QString home = homeFolder(); QDir::isAbsolutePath(home))
        candidates.append(cacheCandidate(QDir::cleanPath(home + QStringLiteral("/.cache"))));
    candidates.append(QDir(QDir::tempPath()).filePath(own));
    candidates.append(QStringLiteral("/tmp/") + own);
    candidates.removeAll(QString());
    candidates.removeDuplicates();
    QString why;
    for (const QString &folder : candidates) {
        if (QFile::encodeName(folder + u'/' + name).size() > kMaxSocketPathBytes) {
            why = QStringLiteral("路径“%1”太长，放不下套接字。").arg(folder);
            continue;
        }
        if (makePrivateFolder(folder, &why))
            return folder;
    }
    fail(error, why);
    return QString();
}

static qint64 clockMs(clockid_t clock)
{
    timespec ts = {};
    ::clock_gettime(clock, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

qint64 monotonicMs() { return clockMs(CLOCK_MONOTONIC); }

qint64 processStartMs()
{
    const qint64 now = monotonicMs();
    // /proc/self/stat: the 22nd field (the 20th after the command's name in brackets) is
    // the start in clock ticks from boot, suspend included.
    QByteArray stat(1024, '\0');
    const Fd f{::open("/proc/self/stat", O_RDONLY | O_CLOEXEC)};
    stat.truncate(f.fd < 0 ? 0 : qMax<qsizetype>(0, ::read(f.fd, stat.data(), size_t(stat.size()))));
    bool ok = false;
    const qint64 ticks = stat.mid(stat.lastIndexOf(')') + 1).simplified().split(' ').value(19).toLongLong(&ok);
    if (!ok || ticks < 0)
        return now;
    const qint64 age = clockMs(CLOCK_BOOTTIME) - ticks * 1000 / ::sysconf(_SC_CLK_TCK);
    return now - qMax<qint64>(0, age);
}

QByteArray encodeRequest(const QString &program, const QStringList &commands, qint64 sentMs)
{
    const QJsonObject o{{QStringLiteral("program"), program},
                        {QStringLiteral("version"), kProtocolVersion},
                        {QStringLiteral("sent"), sentMs},
                        {QStringLiteral("commands"), QJsonArray::fromStringList(commands)}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

// One line of JSON holding an object, no longer than maxBytes.
static std::optional<QJsonObject> objectLine(const QByteArray &line, qsizetype maxBytes)
{
    if (line.size() > maxBytes)
        return std::nullopt;
    QJsonParseError parsed;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &parsed);
    if (parsed.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    return doc.object();
}

std::optional<InstanceRequest> decodeRequest(const QByteArray &line, const QString &program, const QStringList &known)
{
    const std::optional<QJsonObject> object = objectLine(line, kMaxRequestBytes);
    if (!object)
        return std::nullopt;
    const QJsonObject &o = *object;
    const QJsonValue version = o.value(QStringLiteral("version"));
    const QJsonValue commands = o.value(QStringLiteral("commands"));
    if (o.value(QStringLiteral("program")).toString() != program || !version.isDouble() ||
        version.toDouble() != kProtocolVersion || !commands.isArray())
        return std::nullopt;
    const QJsonValue sent = o.value(QStringLiteral("sent"));
    InstanceRequest out;
    out.sentMs = sent.toInteger(-1);
    const QJsonArray list = commands.toArray();
    if (!sent.isDouble() || out.sentMs < 0 || double(out.sentMs) != sent.toDouble() || list.isEmpty() ||
        list.size() > kMaxRequestCommands)
        return std::nullopt;
    for (const QJsonValue &v : list) {
        if (!v.isString() || !known.contains(v.toString()))
            return std::nullopt;
        out.commands.append(v.toString());
    }
    return out;
}

bool isFreshRequest(qint64 sentMs, qint64 nowMs) { return nowMs - sentMs <= kRequestFreshMs; }

QByteArray encodeReply(const InstanceReply &reply)
{
    const QJsonObject o{{QStringLiteral("exit"), reply.exitCode},
                        {QStringLiteral("out"), reply.out},
                        {QStringLiteral("err"), reply.err}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<InstanceReply> decodeReply(const QByteArray &line)
{
    const std::optional<QJsonObject> object = objectLine(line, kMaxReplyBytes);
    if (!object)
        return std::nullopt;
    const QJsonObject &o = *object;
    const QJsonValue code = o.value(QStringLiteral("exit"));
    const QJsonValue out = o.value(QStringLiteral("out"));
    const QJsonValue err = o.value(QStringLiteral("err"));
    if (!code.isDouble() || code.toDouble() != double(code.toInt(-1)) || code.toInt() < 0 || code.toInt() > 255 ||
        !out.isString() || !err.isString())
        return std::nullopt;
    return InstanceReply{code.toInt(), out.toString(), err.toString()};
}

InstanceLock::~InstanceLock() { release(); }

InstanceLock::Result InstanceLock::tryAcquire(const QString &path, QString *error)
{
    release();
    const QByteArray name = QFile::encodeName(path);
    // A few rounds: each lost one means that a holder has just removed the file.
    for (int round = 0; round < 8; ++round) {
        // Close-on-exec: a program started from here (the editor, the older program)
        // must not keep the lock after this process has ended.
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            fail(error, QStringLiteral("无法打开锁文件“%1”：%2").arg(path, systemErrorText(errno)));
            return Result::Failed;
        }
        if (const int err = flockRetrying(fd, LOCK_EX | LOCK_NB)) {
            ::close(fd);
            if (err == EWOULDBLOCK)
                return Result::Held;
            fail(error, QStringLiteral("无法锁定“%1”：%2").arg(path, systemErrorText(err)));
            return Result::Failed;
        }
        struct stat mine = {}, there = {};
        if (::fstat(fd, &mine) == 0 && ::lstat(name.constData(), &there) == 0 && mine.st_dev == there.st_dev &&
            mine.st_ino == there.st_ino) {
            fd_ = fd;
            path_ = path;
            return Result::Acquired;
        }
        ::close(fd);
    }
    fail(error, QStringLiteral("锁文件“%1”一再被换掉。").arg(path));
    return Result::Failed;
}

void InstanceLock::release()
{
    if (fd_ < 0)
        return;
    // Removed while still held, so that no one locks a file that is about to go.
    ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

namespace {

// Waits for `events` on fd until the deadline; false when it passed.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, int(qMax<qint64>(0, deadline.remainingTime())));
        if (r > 0)
            return true;
        if (r == 0 || errno != EINTR)
            return false;
    }
}

} // namespace

Exchange askInstance(const QString &socketPath, const QByteArray &request, int timeoutMs)
{
    Exchange ex;
    const QDeadlineTimer deadline(qMax(0, timeoutMs));
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof addr.sun_path)) {
        ex.error = QStringLiteral("套接字路径太长：%1").arg(socketPath);
        return ex;
    }
    std::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
    const Fd s{::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)};
    if (s.fd < 0) {
        ex.error = systemErrorText(errno);
        return ex;
    }
    int r;
    do
        r = ::connect(s.fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr);
    while (r != 0 && errno == EINTR);
    if (r != 0) {
        // ENOENT: no socket; ECONNREFUSED: a dead copy's; EAGAIN: its queue is full.
        ex.result = errno == ENOENT || errno == ECONNREFUSED || errno == EAGAIN ? Exchange::Result::NotListening
                                                                              : Exchange::Result::Failed;
        ex.error = systemErrorText(errno);
        return ex;
    }
    for (qsizetype sent = 0; sent < request.size();) {
        if (!waitFor(s.fd, POLLOUT, deadline)) {
            ex.result = Exchange::Result::NoAnswer;
            return ex;
        }
        const ssize_t n = ::send(s.fd, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            // Closed before it read the request: a copy that is ending.
            ex.result = errno == EPIPE || errno == ECONNRESET ? Exchange::Result::NotListening : Exchange::Result::Failed;
            ex.error = systemErrorText(errno);
            return ex;
        }
        if (n > 0)
            sent += n;
    }
    QByteArray answer;
    for (;;) {
        const qsizetype newline = answer.indexOf('\n');
        if (newline >= 0) {
            if (const std::optional<InstanceReply> reply = decodeReply(answer.left(newline))) {
                ex.result = Exchange::Result::Answered;
                ex.reply = *reply;
            } else {
                ex.error = QStringLiteral("收到的回答无法识别。");
            }
            return ex;
        }
        if (answer.size() > kMaxReplyBytes) {
            ex.error = QStringLiteral("收到的回答太长。");
            return ex;
        }
        if (!waitFor(s.fd, POLLIN, deadline)) {
            ex.result = Exchange::Result::NoAnswer;
            return ex;
        }
        char buf[4096];
        const ssize_t n = ::recv(s.fd, buf, sizeof buf, 0);
        if (n > 0) {
            answer.append(buf, n);
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            // Closed without a word: a copy that stopped listening as it ended.
            ex.result = answer.isEmpty() ? Exchange::Result::NotListening : Exchange::Result::Failed;
            ex.error = answer.isEmpty() ? QStringLiteral("连接被关闭。") : QStringLiteral("回答不完整。");
            return ex;
        }
    }
}

Claim claimInstance(const QString &program, const QString &settingsFile, const QStringList &commands,
                    InstanceLock &lock, int timeoutMs, qint64 startedMs)
{
    Claim c;
    const QString name = instanceName(program, ::geteuid(), canonicalSettingsFile(settingsFile));
    const QString folder = instanceFolder(name, &c.error);
    if (folder.isEmpty())
        return c; // Standalone
    c.socketPath = folder + u'/' + name;
    const QString lockPath = c.socketPath + QStringLiteral(".lock");
    const QDeadlineTimer deadline(qMax<qint64>(0, startedMs + timeoutMs - monotonicMs()));
    const QByteArray request = encodeRequest(program, commands, startedMs);
    for (;;) {
        QString why;
        const InstanceLock::Result locked = lock.tryAcquire(lockPath, &why);
        if (locked == InstanceLock::Result::Acquired) {
            c.role = Claim::Role::Primary;
            return c;
        }
        const Exchange ex = askInstance(c.socketPath, request, int(deadline.remainingTime()));
        switch (ex.result) {
        case Exchange::Result::Answered:
            c.role = Claim::Role::Answered;
            c.reply = ex.reply;
            return c;
        case Exchange::Result::NoAnswer:
            c.role = Claim::Role::NoAnswer;
            return c;
        case Exchange::Result::Failed:
            c.role = Claim::Role::NoAnswer;
            c.error = ex.error;
            return c;
        case Exchange::Result::NotListening:
            break;
        }
        if (locked == InstanceLock::Result::Failed) {
            // No lock to be had here (a file system without flock): a socket nobody
            // listens on is taken to be a dead copy's.
            c.role = Claim::Role::Primary;
            c.error = why;
            return c;
        }
        if (deadline.hasExpired()) {
            c.role = Claim::Role::NoAnswer;
            c.error = QStringLiteral("它还没有开始接收命令，或正在退出。");
            return c;
        }
        QThread::msleep(ulong(qMin<qint64>(20, deadline.remainingTime())));
    }
}

} // namespace tavrik::core
