// What a second start sends the running Vexo3, and what it answers: whatever the
// bytes, a request is either refused or one that reads back the same, with no more
// commands than allowed and each one known; the same for an answer.
#include "bench/fuzz/fuzzinput.h"
#include "shared/core/instance.h"

using tavrik::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace tavrik::core;
    const QByteArray line = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList known{QStringLiteral("show"), QStringLiteral("start-pause"), QStringLiteral("lap"),
                            QStringLiteral("reset"), QStringLiteral("status")};
    if (const std::optional<InstanceRequest> r = decodeRequest(line, QStringLiteral("Vexo3"), known)) {
        check(!r->commands.isEmpty() && r->commands.size() <= kMaxRequestCommands, "a request's commands are bounded");
        for (const QString &c : r->commands)
            check(known.contains(c), "a request names known commands only");
        check(size <= size_t(kMaxRequestBytes), "a request is short");
        const std::optional<InstanceRequest> again =
            decodeRequest(encodeRequest(QStringLiteral("Vexo3"), r->commands, r->sentMs).chopped(1), QStringLiteral("Vexo3"), known);
        check(again && again->commands == r->commands && again->sentMs == r->sentMs, "a request reads back");
    }
    if (const std::optional<InstanceReply> r = decodeReply(line)) {
        check(r->exitCode >= 0 && r->exitCode <= 255, "an exit code is one");
        const std::optional<InstanceReply> again = decodeReply(encodeReply(*r).chopped(1));
        check(again && again->exitCode == r->exitCode && again->out == r->out && again->err == r->err, "an answer reads back");
    }
    return 0;
}
