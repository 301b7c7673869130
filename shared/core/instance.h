#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// One running copy of a program per settings file, and commands handed to it from a
// second start. This half needs no event loop: the naming, the private folder, the
// lock that tells whether a copy runs, the messages, and the asking side. The
// answering side (a QLocalServer on the same socket) is tavrik::gui::InstanceServer.
namespace tavrik::core {

// How long a second start waits for the running copy, all told.
constexpr int kInstanceAnswerMs = 2000;
// What asking may take of it, counted from the start of the asking process; the rest
// is for printing and ending.
constexpr int kInstanceAskMs = kInstanceAnswerMs - 100;
// A request is one short line; anything longer is not ours.
constexpr qsizetype kMaxRequestBytes = 4096;
constexpr qsizetype kMaxReplyBytes = 64 * 1024;
constexpr int kMaxRequestCommands = 16;
// A request older than this is not carried out: its sender has given up on it by
// the time an answer could reach it, and has said that nothing was done.
constexpr int kRequestFreshMs = kInstanceAnswerMs - 500;

// What the running copy answers: what the command should print and how it should end.
struct InstanceReply {
    int exitCode = 0;
    QString out;
    QString err;
};

// The socket's file name: the program and a digest of the user and the settings file,
// so that two users, or two settings files, never meet.
QString instanceName(const QString &program, uint uid, const QString &settingsFile);

// The settings file as the name should see it: absolute, with its folder's links
// resolved (the folder is made when it is missing), so that every way of writing
// the same path gives one name.
QString canonicalSettingsFile(const QString &settingsFile);

// The user's private folder for the socket: "tavrik" in $XDG_RUNTIME_DIR when that is
// the user's own folder, else in the user's cache folder ($XDG_CACHE_HOME, ~/.cache)
// when no one else may write there, so that no one else can make it first. Last,
// "tavrik-<uid>" in the temporary folder, then in /tmp. Made with mode 0700 when
// missing; refused when it is a link, not a folder, not the user's, or open to others
// (and cannot be closed). Empty, with the reason in *error, when no candidate is safe
// or a socket path inside it would be too long.
QString instanceFolder(const QString &name, QString *error = nullptr);

// Whether `folder` is a real folder of this user, open to no one else; with `fix`, a
// folder of this user open to others is closed first.
bool isPrivateFolder(const QString &folder, bool fix, QString *error = nullptr);

// The system's monotonic clock in milliseconds: the same for every process.
qint64 monotonicMs();
// When this process was started, on monotonicMs()'s clock (now, when that cannot be read).
qint64 processStartMs();

struct InstanceRequest {
    QStringList commands;
    // When the asking began (monotonicMs()).
    qint64 sentMs = 0;
};

// Requests and replies: one line of compact JSON each, ending with "\n".
QByteArray encodeRequest(const QString &program, const QStringList &commands, qint64 sentMs = monotonicMs());
// A request line (the newline removed): well-formed, addressed to `program`, at most
// kMaxRequestCommands, each one of `known`. Nothing otherwise.
std::optional<InstanceRequest> decodeRequest(const QByteArray &line, const QString &program, const QStringList &known);
// Whether a request sent at sentMs may still be carried out at nowMs (kRequestFreshMs).
bool isFreshRequest(qint64 sentMs, qint64 nowMs);
QByteArray encodeReply(const InstanceReply &reply);
std::optional<InstanceReply> decodeReply(const QByteArray &line);

// The lock a running copy holds for its whole life (flock on "<socket>.lock"): the
// kernel drops it when the process ends, however it ends, so a socket file found
// while the lock is free is a dead copy's. Its holder removes the file when it lets
// go; whoever locked the file just removed sees that it no longer is the one at the
// path, and tries again.
class InstanceLock {
public:
    enum class Result { Acquired, Held, Failed };
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Never waits.
    Result tryAcquire(const QString &path, QString *error = nullptr);
    bool held() const { return fd_ >= 0; }
    void release();

private:
    int fd_ = -1;
    QString path_;
};

// Asking the running copy, without an event loop, within a deadline.
struct Exchange {
    enum class Result {
        Answered,     // reply holds the answer
        NotListening, // no socket, or nobody listens on it
        NoAnswer,     // connected, but no full answer by the deadline
        Failed,       // a broken or foreign answer, or a system error (error says which)
    };
    Result result = Result::Failed;
    InstanceReply reply;
    QString error;
};
Exchange askInstance(const QString &socketPath, const QByteArray &request, int timeoutMs);

// What a start of the program should do.
struct Claim {
    enum class Role {
        Primary,    // no copy runs: this process is the one (it holds the lock)
        Answered,   // the running copy carried the commands out; reply holds its answer
        NoAnswer,   // a copy runs but did not answer in time
        Standalone, // no private folder: whether a copy runs could not be checked
    };
    Role role = Role::Standalone;
    InstanceReply reply;
    QString error;
    QString socketPath;
};

// Looks for the running copy of `program` on `settingsFile` and hands it `commands`, or
// takes the lock and becomes the copy. A copy that holds the lock but does not listen
// yet (starting) or no more (ending), or turns the connection away (busy), is asked
// again until the deadline: timeoutMs after startedMs, when the asking began (the
// request carries that time, so that the copy knows when its sender gives up).
Claim claimInstance(const QString &program, const QString &settingsFile, const QStringList &commands,
                    InstanceLock &lock, int timeoutMs = kInstanceAskMs, qint64 startedMs = monotonicMs());

} // namespace tavrik::core
