// The asking half of the single-instance protocol: names, the private folder, the
// lock, the messages, and asking a socket that answers, lies silent or is dead.
#include "shared/core/instance.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace tavrik::core;

namespace {

const QStringList kKnown{QStringLiteral("show"), QStringLiteral("lap"), QStringLiteral("status")};

// A listening socket at a path, served by `serve` (given each accepted connection) in
// a thread of its own; with no `serve`, nobody ever accepts.
class RawServer {
public:
    explicit RawServer(const QString &path, std::function<void(int)> serve = {})
    {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr = {};
        addr.sun_family = AF_UNIX;
        const QByteArray p = QFile::encodeName(path);
        std::memcpy(addr.sun_path, p.constData(), size_t(p.size()));
        ok_ = ::bind(fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 && ::listen(fd_, 4) == 0;
        if (ok_ && serve)
            thread_ = std::thread([this, serve] {
                const int c = ::accept(fd_, nullptr, nullptr);
                if (c >= 0) {
                    serve(c);
                    ::close(c);
                }
            });
    }
    ~RawServer()
    {
        ::shutdown(fd_, SHUT_RDWR);
        if (thread_.joinable())
            thread_.join();
        ::close(fd_);
    }
    bool ok() const { return ok_; }

private:
    int fd_ = -1;
    bool ok_ = false;
    std::thread thread_;
};

// Reads the request line, then writes `answer`.
std::function<void(int)> answering(const QByteArray &answer, QByteArray *request = nullptr)
{
    return [answer, request](int c) {
        QByteArray got;
        char ch;
        while (::recv(c, &ch, 1, 0) == 1 && ch != '\n')
            got.append(ch);
        if (request)
            *request = got;
        ::send(c, answer.constData(), size_t(answer.size()), MSG_NOSIGNAL);
    };
}

// A JSON object's line made exactly `size` bytes long by a key of padding.
QByteArray padded(QByteArray line, qsizetype size)
{
    return line.insert(1, "\"pad\":\"" + QByteArray(size - line.size() - 9, 'x') + "\",");
}

mode_t modeOf(const QString &path)
{
    struct stat st = {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 0777;
}

// Sets an environment variable for a scope.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QByteArray &value) : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char *name_;
    bool had_;
    QByteArray old_;
};

} // namespace

class TestInstance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesSeparateUsersFilesAndPrograms_data();
    void namesSeparateUsersFilesAndPrograms();
    void settingsFileSeenThroughLinks();
    void requestsRoundTrip();
    void malformedRequestsRejected_data();
    void malformedRequestsRejected();
    void limitsOnBothSides_data();
    void limitsOnBothSides();
    void repliesRoundTrip();
    void malformedRepliesRejected_data();
    void malformedRepliesRejected();
    void privateFolderChecks();
    void folderInRuntimeDirOrFallback();
    void lockIsExclusiveUntilReleased();
    void askingNobody();
    void askingASilentCopy();
    void askingAnAnsweringCopy();
    void askingACopyThatAnswersNonsense();
    void claimTakesOverADeadCopysSocket();
    void claimReportsACopyThatNeverListens();

private:
    // Short paths: socket paths have a length limit, and the build folder may be deep.
    QTemporaryDir dir_{QStringLiteral("/tmp/tavrik-test-XXXXXX")};
};

void TestInstance::namesSeparateUsersFilesAndPrograms_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<uint>("uid");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("same");
    const QString f = QStringLiteral("/home/a/.config/BriselSoftware.ini");
    QTest::newRow("same") << "Vexo3" << 1000u << f << true;
    QTest::newRow("other user") << "Vexo3" << 1001u << f << false;
    QTest::newRow("other file") << "Vexo3" << 1000u << QStringLiteral("/home/a/cfg2/BriselSoftware.ini") << false;
    QTest::newRow("other program") << "Vexo" << 1000u << f << false;
    // The file name's case matters on Linux.
    QTest::newRow("other case") << "Vexo3" << 1000u << QStringLiteral("/home/a/.config/briselsoftware.ini") << false;
}

void TestInstance::namesSeparateUsersFilesAndPrograms()
{
    QFETCH(QString, program);
    QFETCH(uint, uid);
    QFETCH(QString, file);
    QFETCH(bool, same);
    const QString base = instanceName(QStringLiteral("Vexo3"), 1000, QStringLiteral("/home/a/.config/BriselSoftware.ini"));
    const QString name = instanceName(program, uid, file);
    QCOMPARE(name == base, same);
    // A plain file name, short enough for any socket path.
    QVERIFY2(QRegularExpression(QStringLiteral("^[a-z0-9]+-[0-9a-f]{24}$")).match(name).hasMatch(), qPrintable(name));
}

void TestInstance::settingsFileSeenThroughLinks()
{
    const QString real = dir_.filePath(QStringLiteral("real"));
    QVERIFY(QDir().mkpath(real));
    QVERIFY(QFile::link(real, dir_.filePath(QStringLiteral("link"))));
    const QString expected = QFileInfo(real).canonicalFilePath() + QStringLiteral("/BriselSoftware.ini");
    QCOMPARE(canonicalSettingsFile(dir_.filePath(QStringLiteral("link/BriselSoftware.ini"))), expected);
    QCOMPARE(canonicalSettingsFile(dir_.filePath(QStringLiteral("real/../link/./BriselSoftware.ini"))), expected);
    // A folder not there yet is made: the name does not change once it is.
    const QString fresh = dir_.filePath(QStringLiteral("new/config/BriselSoftware.ini"));
    const QString first = canonicalSettingsFile(fresh);
    QVERIFY(QFileInfo(dir_.filePath(QStringLiteral("new/config"))).isDir());
    QCOMPARE(canonicalSettingsFile(fresh), first);
}

void TestInstance::requestsRoundTrip()
{
    const QStringList commands{QStringLiteral("lap"), QStringLiteral("status"), QStringLiteral("lap")};
    const qint64 before = monotonicMs();
    const QByteArray line = encodeRequest(QStringLiteral("Vexo3"), commands);
    QVERIFY(line.endsWith('\n'));
    QCOMPARE(line.count('\n'), 1);
    const std::optional<InstanceRequest> got = decodeRequest(line.chopped(1), QStringLiteral("Vexo3"), kKnown);
    QVERIFY(got);
    QCOMPARE(got->commands, commands);
    QVERIFY(got->sentMs >= before && got->sentMs <= monotonicMs());
    // Addressed to another program: not for us.
    QVERIFY(!decodeRequest(line.chopped(1), QStringLiteral("Vexo"), kKnown));
}

namespace {
QByteArray request(const QByteArray &program, const QByteArray &version, const QByteArray &sent, const QByteArray &commands)
{
    QByteArray out = "{";
    if (!program.isNull())
        out += "\"program\":" + program + ",";
    if (!version.isNull())
        out += "\"version\":" + version + ",";
    if (!sent.isNull())
        out += "\"sent\":" + sent + ",";
    if (!commands.isNull())
        out += "\"commands\":" + commands + ",";
    out.chop(1);
    return out + "}";
}
} // namespace

void TestInstance::malformedRequestsRejected_data()
{
    QTest::addColumn<QByteArray>("line");
    const QByteArray p = "\"Vexo3\"", v = "1", t = "12345", c = "[\"lap\"]";
    // The well-formed one, for the rows below to differ from in one thing each.
    QVERIFY(decodeRequest(request(p, v, t, c), QStringLiteral("Vexo3"), kKnown));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not json") << QByteArray("lap");
    QTest::newRow("array") << QByteArray(R"(["lap"])");
    QTest::newRow("no program") << request({}, v, t, c);
    QTest::newRow("no version") << request(p, {}, t, c);
    QTest::newRow("version 2") << request(p, "2", t, c);
    QTest::newRow("version text") << request(p, "\"1\"", t, c);
    QTest::newRow("no time") << request(p, v, {}, c);
    QTest::newRow("time text") << request(p, v, "\"12345\"", c);
    QTest::newRow("time negative") << request(p, v, "-5", c);
    QTest::newRow("time fraction") << request(p, v, "1.5", c);
    QTest::newRow("no commands") << request(p, v, t, {});
    QTest::newRow("empty commands") << request(p, v, t, "[]");
    QTest::newRow("commands text") << request(p, v, t, "\"lap\"");
    QTest::newRow("unknown command") << request(p, v, t, "[\"quit\"]");
    QTest::newRow("number command") << request(p, v, t, "[1]");
    QTest::newRow("truncated") << request(p, v, t, c).chopped(2);
}

void TestInstance::malformedRequestsRejected()
{
    QFETCH(QByteArray, line);
    QVERIFY(!decodeRequest(line, QStringLiteral("Vexo3"), kKnown));
}

void TestInstance::limitsOnBothSides_data()
{
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("within");
    for (const int over : {0, 1}) {
        const char *side = over ? "one over" : "at";
        QTest::addRow("commands %s", side) << "commands" << kMaxRequestCommands + over << !over;
        QTest::addRow("request bytes %s", side) << "request" << int(kMaxRequestBytes) + over << !over;
        QTest::addRow("reply bytes %s", side) << "reply" << int(kMaxReplyBytes) + over << !over;
        QTest::addRow("age %s", side) << "age" << kRequestFreshMs + over << !over;
    }
}

void TestInstance::limitsOnBothSides()
{
    QFETCH(QString, limit);
    QFETCH(int, value);
    QFETCH(bool, within);
    const QString p = QStringLiteral("Vexo3");
    const QByteArray lap = encodeRequest(p, {QStringLiteral("lap")});
    bool accepted = false;
    if (limit == u"age") {
        accepted = isFreshRequest(1000, 1000 + value);
    } else if (limit == u"commands") {
        accepted = decodeRequest(encodeRequest(p, QStringList(value, QStringLiteral("lap"))).chopped(1), p, kKnown).has_value();
    } else if (limit == u"request") {
        accepted = decodeRequest(padded(lap.chopped(1), value), p, kKnown).has_value();
    } else if (limit == u"reply") { // as the asking side reads it
        const QString path = dir_.filePath(QStringLiteral("reply-%1").arg(value));
        const RawServer server(path, answering(padded(encodeReply({}).chopped(1), value) + '\n'));
        accepted = server.ok() && askInstance(path, lap, 5000).result == Exchange::Result::Answered;
    }
    QCOMPARE(accepted, within);
}

void TestInstance::repliesRoundTrip()
{
    const InstanceReply sent{1, QStringLiteral("读数：1.000\n"), QStringLiteral("控制已经锁定\n\"引号\"")};
    const QByteArray line = encodeReply(sent);
    QCOMPARE(line.count('\n'), 1);
    const std::optional<InstanceReply> got = decodeReply(line.chopped(1));
    QVERIFY(got);
    QCOMPARE(got->exitCode, 1);
    QCOMPARE(got->out, sent.out);
    QCOMPARE(got->err, sent.err);
}

void TestInstance::malformedRepliesRejected_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("not json") << QByteArray("ok");
    QTest::newRow("no exit") << QByteArray(R"({"out":"","err":""})");
    QTest::newRow("exit text") << QByteArray(R"({"exit":"0","out":"","err":""})");
    QTest::newRow("exit fraction") << QByteArray(R"({"exit":0.5,"out":"","err":""})");
    QTest::newRow("exit negative") << QByteArray(R"({"exit":-1,"out":"","err":""})");
    QTest::newRow("exit too big") << QByteArray(R"({"exit":256,"out":"","err":""})");
    QTest::newRow("out number") << QByteArray(R"({"exit":0,"out":1,"err":""})");
    QTest::newRow("no err") << QByteArray(R"({"exit":0,"out":""})");
}

void TestInstance::malformedRepliesRejected()
{
    QFETCH(QByteArray, line);
    QCOMPARE(decodeReply(line).has_value(), false);
}

void TestInstance::privateFolderChecks()
{
    const QString open = dir_.filePath(QStringLiteral("open"));
    QVERIFY(QDir().mkpath(open));
    QVERIFY(::chmod(QFile::encodeName(open).constData(), 0755) == 0);
    QString why;
    QVERIFY(!isPrivateFolder(open, false, &why));
    QVERIFY(!why.isEmpty());
    QCOMPARE(modeOf(open), mode_t(0755));
    // Ours, so it can be closed.
    QVERIFY(isPrivateFolder(open, true));
    QCOMPARE(modeOf(open), mode_t(0700));

    // A link is refused even when it leads to a private folder: whoever made it
    // chooses where it leads.
    const QString link = dir_.filePath(QStringLiteral("folderlink"));
    QVERIFY(QFile::link(open, link));
    QVERIFY(!isPrivateFolder(link, true));
    const QString file = dir_.filePath(QStringLiteral("file"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(!isPrivateFolder(file, true));
    QVERIFY(!isPrivateFolder(dir_.filePath(QStringLiteral("missing")), true));
}

void TestInstance::folderInRuntimeDirOrFallback()
{
    const QString runtime = dir_.filePath(QStringLiteral("run"));
    const QString temp = dir_.filePath(QStringLiteral("tmp"));
    QVERIFY(QDir().mkpath(runtime) && QDir().mkpath(temp));
    const QString own = QStringLiteral("tavrik-%1").arg(::geteuid());
    const QString name = instanceName(QStringLiteral("Vexo3"), 1, QStringLiteral("/x"));
    const ScopedEnv tmpdir("TMPDIR", QFile::encodeName(temp));
    // Without a runtime folder: the cache folder in the (test's) home.
    const QString home = dir_.filePath(QStringLiteral("home"));
    const QString cache = home + QStringLiteral("/.cache/tavrik");
    QCOMPARE(::mkdir(QFile::encodeName(home).constData(), 0700), 0); // whatever the umask
    const ScopedEnv homeEnv("HOME", QFile::encodeName(home));
    const ScopedEnv cacheEnv("XDG_CACHE_HOME", QByteArray());
    {
        const ScopedEnv xdg("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        const QString folder = instanceFolder(name);
        QCOMPARE(folder, runtime + QStringLiteral("/tavrik"));
        QCOMPARE(modeOf(folder), mode_t(0700));
    }
    {
        const ScopedEnv xdg("XDG_RUNTIME_DIR", QByteArray());
        QCOMPARE(instanceFolder(name), cache);
        QCOMPARE(modeOf(cache), mode_t(0700));
        const ScopedEnv xdgCache("XDG_CACHE_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("xdgcache"))));
        QCOMPARE(instanceFolder(name), dir_.filePath(QStringLiteral("xdgcache/tavrik")));
        // No cache folder to be had: the temporary folder.
        QVERIFY(QDir(home + QStringLiteral("/.cache")).removeRecursively());
        QFile blocked(home + QStringLiteral("/.cache"));
        QVERIFY(blocked.open(QIODevice::WriteOnly));
        const ScopedEnv noCache("XDG_CACHE_HOME", "relative");
        QCOMPARE(instanceFolder(name), QDir(QDir::tempPath()).filePath(own));
        QVERIFY(blocked.remove());
    }
    {
        // Not there, or relative: the next candidate.
        const ScopedEnv xdg("XDG_RUNTIME_DIR", QFile::encodeName(dir_.filePath(QStringLiteral("gone"))));
        QCOMPARE(instanceFolder(name), cache);
        const ScopedEnv relative("XDG_RUNTIME_DIR", "run");
        QCOMPARE(instanceFolder(name), cache);
    }
    {
        // Someone put a link where the folder goes: it is not used.
        const QString planted = dir_.filePath(QStringLiteral("planted"));
        QVERIFY(QDir().mkpath(planted + QStringLiteral("/elsewhere")));
        QVERIFY(QFile::link(planted + QStringLiteral("/elsewhere"), planted + QStringLiteral("/tavrik")));
        const ScopedEnv xdg("XDG_RUNTIME_DIR", QFile::encodeName(planted));
        QCOMPARE(instanceFolder(name), cache);
    }
    {
        // A runtime folder too deep for a socket path: the next candidate.
        const QString deep = runtime + u'/' + QString(80, u'd');
        QVERIFY(QDir().mkpath(deep));
        const ScopedEnv xdg("XDG_RUNTIME_DIR", QFile::encodeName(deep));
        const QString folder = instanceFolder(name);
        QVERIFY2(!folder.startsWith(deep), qPrintable(folder));
        QVERIFY(!folder.isEmpty());
    }
}

void TestInstance::lockIsExclusiveUntilReleased()
{
    const QString path = dir_.filePath(QStringLiteral("x.lock"));
    InstanceLock first, second;
    QCOMPARE(first.tryAcquire(path), InstanceLock::Result::Acquired);
    QCOMPARE(second.tryAcquire(path), InstanceLock::Result::Held);
    QVERIFY(!second.held());
    QVERIFY(QFileInfo::exists(path));
    // Letting go leaves nothing behind in the runtime folder.
    first.release();
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(second.tryAcquire(path), InstanceLock::Result::Acquired);
    // A lock file left by a killed holder is simply taken.
    const int fd = ::open(QFile::encodeName(dir_.filePath(QStringLiteral("left.lock"))).constData(), O_RDWR | O_CREAT, 0600);
    QVERIFY(fd >= 0);
    ::close(fd);
    QCOMPARE(InstanceLock().tryAcquire(dir_.filePath(QStringLiteral("left.lock"))), InstanceLock::Result::Acquired);

    // A link in place of the lock file is not followed.
    const QString link = dir_.filePath(QStringLiteral("linked.lock"));
    QVERIFY(QFile::link(dir_.filePath(QStringLiteral("target")), link));
    QString why;
    QCOMPARE(InstanceLock().tryAcquire(link, &why), InstanceLock::Result::Failed);
    QVERIFY(!why.isEmpty());
    QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("target"))));
}

void TestInstance::askingNobody()
{
    const QByteArray request = encodeRequest(QStringLiteral("Vexo3"), {QStringLiteral("lap")});
    QCOMPARE(askInstance(dir_.filePath(QStringLiteral("none")), request, 1000).result, Exchange::Result::NotListening);
    // A socket file whose listener is gone (a crash): refused, not waited on.
    const QString dead = dir_.filePath(QStringLiteral("dead"));
    { RawServer gone(dead); QVERIFY(gone.ok()); }
    QVERIFY(QFileInfo::exists(dead));
    QCOMPARE(askInstance(dead, request, 1000).result, Exchange::Result::NotListening);
}

void TestInstance::askingASilentCopy()
{
    // Listening, never accepting: a stopped or hung copy. The answer does not come,
    // and the asker gives up.
    const QString path = dir_.filePath(QStringLiteral("silent"));
    RawServer silent(path);
    QVERIFY(silent.ok());
    const Exchange ex = askInstance(path, encodeRequest(QStringLiteral("Vexo3"), {QStringLiteral("lap")}), 300);
    QCOMPARE(ex.result, Exchange::Result::NoAnswer);
}

void TestInstance::askingAnAnsweringCopy()
{
    const QString path = dir_.filePath(QStringLiteral("answers"));
    QByteArray received;
    const InstanceReply reply{1, QStringLiteral("out"), QStringLiteral("err")};
    {
        RawServer server(path, answering(encodeReply(reply), &received));
        QVERIFY(server.ok());
        const Exchange ex = askInstance(path, encodeRequest(QStringLiteral("Vexo3"), {QStringLiteral("status")}), 5000);
        QCOMPARE(ex.result, Exchange::Result::Answered);
        QCOMPARE(ex.reply.exitCode, 1);
        QCOMPARE(ex.reply.out, reply.out);
        QCOMPARE(ex.reply.err, reply.err);
    }
    const std::optional<InstanceRequest> asked = decodeRequest(received, QStringLiteral("Vexo3"), kKnown);
    QVERIFY(asked);
    QCOMPARE(asked->commands, QStringList{QStringLiteral("status")});
}

void TestInstance::askingACopyThatAnswersNonsense()
{
    const QString path = dir_.filePath(QStringLiteral("nonsense"));
    RawServer server(path, answering("HTTP/1.0 200 OK\n"));
    QVERIFY(server.ok());
    const Exchange ex = askInstance(path, encodeRequest(QStringLiteral("Vexo3"), {QStringLiteral("lap")}), 5000);
    QCOMPARE(ex.result, Exchange::Result::Failed);
    QVERIFY(!ex.error.isEmpty());
}

void TestInstance::claimTakesOverADeadCopysSocket()
{
    const QString runtime = dir_.filePath(QStringLiteral("claim-run"));
    QVERIFY(QDir().mkpath(runtime));
    const ScopedEnv xdg("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    const QString settings = dir_.filePath(QStringLiteral("claim-cfg/BriselSoftware.ini"));
    InstanceLock lock;
    const Claim first = claimInstance(QStringLiteral("Vexo3"), settings, {QStringLiteral("show")}, lock, 1000);
    QCOMPARE(first.role, Claim::Role::Primary);
    QVERIFY(lock.held());
    QVERIFY(first.socketPath.startsWith(runtime + QStringLiteral("/tavrik/vexo3-")));
    // The copy dies, its socket file stays: the next start is the copy now.
    { RawServer left(first.socketPath); QVERIFY(left.ok()); }
    lock.release();
    InstanceLock next;
    const Claim again = claimInstance(QStringLiteral("Vexo3"), settings, {QStringLiteral("show")}, next, 1000);
    QCOMPARE(again.role, Claim::Role::Primary);
    QCOMPARE(again.socketPath, first.socketPath);
}

void TestInstance::claimReportsACopyThatNeverListens()
{
    const QString runtime = dir_.filePath(QStringLiteral("claim-run2"));
    QVERIFY(QDir().mkpath(runtime));
    const ScopedEnv xdg("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    const QString settings = dir_.filePath(QStringLiteral("claim-cfg2/BriselSoftware.ini"));
    InstanceLock running;
    QCOMPARE(claimInstance(QStringLiteral("Vexo3"), settings, {QStringLiteral("show")}, running, 1000).role,
             Claim::Role::Primary);
    // It holds the lock but never listens (stopped while starting): the second start
    // gives up at its deadline instead of becoming a second copy.
    InstanceLock second;
    const Claim c = claimInstance(QStringLiteral("Vexo3"), settings, {QStringLiteral("lap")}, second, 300);
    QCOMPARE(c.role, Claim::Role::NoAnswer);
    QVERIFY(!second.held());
    QVERIFY(!c.error.isEmpty());
}

TAVRIK_TEST_GUILESS_MAIN(TestInstance)
#include "tst_instance.moc"
