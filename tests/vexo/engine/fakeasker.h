#pragma once

#include "vexo/engine/timing.h"

#include <QList>
#include <QStringList>

namespace testing {

// Clock seconds of a time of day on a day number.
inline double at(int day, int h, int m, double s) { return day * 86400.0 + h * 3600 + m * 60 + s; }
constexpr int D = 45000;

// Answers prompts from a queue (empty queue: Cancel) and records every prompt and
// warning; its clock is set by the test.
class FakeAsker final : public vexo::Asker {
public:
    std::optional<QString> ask(const vexo::Prompt &p) override
    {
        prompts.append(p);
        if (answers.isEmpty())
            return std::nullopt;
        return answers.takeFirst();
    }
    void warn(const QString &text, const QString &title) override { warnings.append({text, title}); }
    double now() override { return clock; }

    double clock = at(D, 12, 0, 0);
    QList<std::optional<QString>> answers;
    QList<vexo::Prompt> prompts;
    QList<std::pair<QString, QString>> warnings;
};

} // namespace testing
