// The running copy's side: requests answered from the event loop, which nothing a
// client sends (or fails to send) holds up.
#include "shared/gui/instanceserver.h"
#include "tests/support/testmain.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <future>
#include <sys/stat.h>

using namespace tavrik::core;
using tavrik::gui::InstanceServer;

namespace {

const QStringList kKnown{QStringLiteral("show"), QStringLiteral("lap"), QStringLiteral("status")};

// Asks from a thread of its own (the asking side blocks; the server needs this
// thread's event loop).
std::future<Exchange> askLater(const QString &path, const QByteArray &request, int timeoutMs = 10000)
{
    return std::async(std::launch::async, [=] { return askInstance(path, request, timeoutMs); });
}

bool ready(const std::future<Exchange> &f) { return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }

// A JSON object's line made exactly `size` bytes long by a key of padding.
QByteArray padded(QByteArray line, qsizetype size)
{
    return line.insert(1, "\"pad\":\"" + QByteArray(size - line.size() - 9, 'x') + "\",");
}

} // namespace

class TestInstanceServer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void answersThroughTheHandler();
    void malformedNeverReachTheHandler_data();
    void malformedNeverReachTheHandler();
    void limitsOnBothSides_data();
    void limitsOnBothSides();
    void silentClientDoesNotHoldUpOthers();
    void replacesADeadCopysSocketAndRemovesItsOwn();
    void socketIsTheUsersOnly();

private:
    QString path() const { return dir_->filePath(QStringLiteral("vexo3-test")); }
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<InstanceServer> server_;
    QList<QStringList> handled_;
};

void TestInstanceServer::init()
{
    dir_ = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/tavrik-test-XXXXXX"));
    QVERIFY(dir_->isValid());
    handled_.clear();
    server_ = std::make_unique<InstanceServer>(QStringLiteral("Vexo3"), kKnown, [this](const QStringList &commands) {
        handled_.append(commands);
        return InstanceReply{commands.contains(QStringLiteral("lap")) ? 1 : 0, commands.join(u' '), QStringLiteral("错")};
    });
    QString why;
    QVERIFY2(server_->listen(path(), &why), qPrintable(why));
}

void TestInstanceServer::cleanup()
{
    server_.reset();
    dir_.reset();
}

void TestInstanceServer::answersThroughTheHandler()
{
    auto f = askLater(path(), encodeRequest(QStringLiteral("Vexo3"), {QStringLiteral("status"), QStringLiteral("lap")}));
    QTRY_VERIFY_WITH_TIMEOUT(ready(f), 10000);
    const Exchange ex = f.get();
    QCOMPARE(ex.result, Exchange::Result::Answered);
    QCOMPARE(ex.reply.exitCode, 1);
    QCOMPARE(ex.reply.out, QStringLiteral("status lap"));
    QCOMPARE(ex.reply.err, QStringLiteral("错"));
    QCOMPARE(handled_, QList<QStringList>({{QStringLiteral("status"), QStringLiteral("lap")}}));
}

void TestInstanceServer::malformedNeverReachTheHandler_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("not json") << QByteArray("lap\n");
    QTest::newRow("other program") << encodeRequest(QStringLiteral("Vexo"), {QStringLiteral("lap")});
    QTest::newRow("unknown command") << QByteArray(R"({"program":"Vexo3","version":1,"commands":["quit"]})" "\n");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\n", 4);
}

void TestInstanceServer::malformedNeverReachTheHandler()
{
    QFETCH(QByteArray, request);
    auto f = askLater(path(), request);
    QTRY_VERIFY_WITH_TIMEOUT(ready(f), 10000);
    const Exchange ex = f.get();
    QCOMPARE(ex.result, Exchange::Result::Answered);
    QCOMPARE(ex.reply.exitCode, InstanceServer::kMalformedExit);
    QVERIFY(!ex.reply.err.isEmpty());
    QVERIFY(handled_.isEmpty());
}

void TestInstanceServer::limitsOnBothSides_data()
{
    // Connections already open (that sent nothing, that sent part of a line), the
    // request's length without its newline (0: as it is) and age; the exit code, or -1
    // for a connection turned away.
    QTest::addColumn<int>("silent");
    QTest::addColumn<int>("partial");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("ageMs");
    QTest::addColumn<int>("exitCode");
    const int places = InstanceServer::kMaxConnections;
    QTest::newRow("one place left") << 0 << places - 1 << 0 << 0 << 0;
    QTest::newRow("no place left") << 0 << places << 0 << 0 << -1;
    QTest::newRow("silent ones give way") << places << 0 << 0 << 0 << 0;
    QTest::newRow("longest request") << 0 << 0 << int(kMaxRequestBytes) << 0 << 0;
    QTest::newRow("one byte longer") << 0 << 0 << int(kMaxRequestBytes) + 1 << 0 << InstanceServer::kMalformedExit;
    QTest::newRow("fresh") << 0 << 0 << 0 << kRequestFreshMs - 250 << 0;
    QTest::newRow("late") << 0 << 0 << 0 << kRequestFreshMs + 250 << InstanceServer::kLateExit;
}

void TestInstanceServer::limitsOnBothSides()
{
    QFETCH(int, silent);
    QFETCH(int, partial);
    QFETCH(int, bytes);
    QFETCH(int, ageMs);
    QFETCH(int, exitCode);
    server_->setRequestReadMs(60000); // the open ones stay while the test runs
    std::vector<std::unique_ptr<QLocalSocket>> open;
    for (int i = 0; i < silent + partial; ++i) {
        open.push_back(std::make_unique<QLocalSocket>());
        open.back()->connectToServer(path());
        QVERIFY(open.back()->waitForConnected(5000));
        if (i >= silent)
            QVERIFY(open.back()->write(R"({"program":"Vexo3",)") > 0 && open.back()->waitForBytesWritten(5000));
    }
    const QByteArray line = encodeRequest(QStringLiteral("Vexo3"), {QStringLiteral("status")}, monotonicMs() - ageMs);
    auto f = askLater(path(), bytes ? padded(line.chopped(1), bytes) + '\n' : line);
    QTRY_VERIFY_WITH_TIMEOUT(ready(f), 10000);
    const Exchange ex = f.get();
    QCOMPARE(ex.result == Exchange::Result::Answered ? ex.reply.exitCode : -1, exitCode);
    QCOMPARE(handled_.size(), exitCode == 0 ? 1 : 0);
}

void TestInstanceServer::silentClientDoesNotHoldUpOthers()
{
    QLocalSocket silent;
    silent.connectToServer(path());
    QVERIFY(silent.waitForConnected(5000));
    silent.write(R"({"program":"Vexo3",)"); // and nothing more
    silent.flush();
    auto f = askLater(path(), encodeRequest(QStringLiteral("Vexo3"), {QStringLiteral("show")}));
    QTRY_VERIFY_WITH_TIMEOUT(ready(f), 10000);
    QCOMPARE(f.get().result, Exchange::Result::Answered);
    QCOMPARE(handled_, QList<QStringList>({{QStringLiteral("show")}}));
    // The silent one is dropped in the end.
    QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QLocalSocket::UnconnectedState, 15000);
}

void TestInstanceServer::replacesADeadCopysSocketAndRemovesItsOwn()
{
    server_->close();
    QVERIFY(!QFileInfo::exists(path()));
    // A file left where the socket goes (a dead copy's) is replaced.
    QFile left(path());
    QVERIFY(left.open(QIODevice::WriteOnly));
    left.close();
    QVERIFY(server_->listen(path()));
    auto f = askLater(path(), encodeRequest(QStringLiteral("Vexo3"), {QStringLiteral("status")}));
    QTRY_VERIFY_WITH_TIMEOUT(ready(f), 10000);
    QCOMPARE(f.get().result, Exchange::Result::Answered);
    server_->close();
    QVERIFY(!server_->isListening());
    QVERIFY(!QFileInfo::exists(path()));
    QCOMPARE(askInstance(path(), "x\n", 1000).result, Exchange::Result::NotListening);
}

void TestInstanceServer::socketIsTheUsersOnly()
{
    struct stat st = {};
    QCOMPARE(::lstat(QFile::encodeName(path()).constData(), &st), 0);
    QVERIFY(S_ISSOCK(st.st_mode));
    QCOMPARE(st.st_mode & 077, mode_t(0));
}

TAVRIK_TEST_GUILESS_MAIN(TestInstanceServer)
#include "tst_instanceserver.moc"
