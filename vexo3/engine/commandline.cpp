#include "vexo3/engine/commandline.h"

#include <QCommandLineParser>

namespace vexo3 {

namespace {

struct OptionText {
    QStringList names;
    const char *description;
    const QString *command; // null: --help, --version
    int key;                // the key it acts as; 0 for none
};

const QList<OptionText> &options()
{
    static const QList<OptionText> list{
        {{QStringLiteral("h"), QStringLiteral("help")}, "显示这份说明，然后退出。", nullptr, 0},
        {{QStringLiteral("v"), QStringLiteral("version")}, "显示版本，然后退出。", nullptr, 0},
        {{kCmdStartPause}, "开始、暂停或继续计时（同 Enter 键）。", &kCmdStartPause, Qt::Key_Return},
        {{kCmdLap}, "记录当前的计时（同空格键）。", &kCmdLap, Qt::Key_Space},
        {{kCmdReset}, "复位（同 F3 键）。", &kCmdReset, Qt::Key_F3},
        {{kCmdShow}, "显示并激活 Vexo3 的窗口。", &kCmdShow, 0},
        {{kCmdStatus}, "在标准输出上显示读数和状态。", &kCmdStatus, 0},
    };
    return list;
}

// Qt's own options, which the application object takes from the same command line:
// the session manager restarts a program with "-session <id>", and people pass
// "-platform" or "-style". Taken here and left to Qt; not shown by --help.
const QStringList kQtValueOptions{
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
    QStringLiteral("qwindowicon"), QStringLiteral("session"), QStringLiteral("style"),
    QStringLiteral("stylesheet"), QStringLiteral("display"), QStringLiteral("geometry")};
const QStringList kQtFlagOptions{QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                 QStringLiteral("dograb"), QStringLiteral("sync")};

} // namespace

QStringList knownCommands()
{
    QStringList out;
    for (const OptionText &o : options())
        if (o.command)
            out.append(*o.command);
    return out;
}

int commandKey(const QString &command)
{
    for (const OptionText &o : options())
        if (o.command && *o.command == command)
            return o.key;
    return 0;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionText &o : options())
        parser.addOption(QCommandLineOption(o.names, QString::fromUtf8(o.description)));
    for (const QString &name : kQtValueOptions + kQtFlagOptions) {
        QCommandLineOption qt(name, QString(), kQtValueOptions.contains(name) ? QStringLiteral("value") : QString());
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }

    CommandLine cl;
    auto error = [&cl](const QString &text) {
        cl.outcome = CommandLine::Outcome::Error;
        cl.message = text + QStringLiteral("\n用“--help”查看可以使用的选项。\n");
        return cl;
    };
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return error(QStringLiteral("Vexo3：没有“%1”这个选项。")
                             .arg((unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + unknown.first()));
        // The one other error: a value given to an option that takes none.
        return error(QStringLiteral("Vexo3：选项不带值（%1）。").arg(parser.errorText()));
    }
    if (!parser.positionalArguments().isEmpty())
        return error(QStringLiteral("Vexo3：不接受参数“%1”，只接受选项。").arg(parser.positionalArguments().first()));
    for (const QString &name : parser.optionNames()) {
        for (const OptionText &o : options()) {
            if (!o.names.contains(name))
                continue;
            if (o.command)
                cl.commands.append(*o.command);
            else if (cl.outcome == CommandLine::Outcome::Run)
                cl.outcome = o.names.contains(QStringLiteral("help")) ? CommandLine::Outcome::Help
                                                                      : CommandLine::Outcome::Version;
        }
    }
    return cl;
}

QString helpText(const QString &command)
{
    QString text = QStringLiteral("用法：%1 [选项]\n\n"
                                  "Tavrik 秒表 Vexo3。同一个设置文件只运行一个 Vexo3：再次启动时，\n"
                                  "选项交给正在运行的 Vexo3 执行（不带选项则显示它的窗口）；\n"
                                  "没有 Vexo3 在运行时，先启动它再执行。只带 --status 时不启动，\n"
                                  "显示保存的状态。\n\n选项：\n")
                       .arg(command);
    for (const OptionText &o : options()) {
        QStringList names;
        for (const QString &n : o.names)
            names.append((n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n);
        text += QStringLiteral("  %1%2\n").arg(names.join(QStringLiteral(", ")), -20).arg(QString::fromUtf8(o.description));
    }
    text += QStringLiteral("\n退出码：0 完成；1 正在运行的 Vexo3 没有执行（控制已经锁定，或当前状态下\n"
                           "不能这样做）；2 命令行有误；3 正在运行的 Vexo3 在 2 秒内没有回答；\n"
                           "4 无法检查是否已有 Vexo3 在运行（没有私有的文件夹放套接字），命令没有执行。\n");
    return text;
}

} // namespace vexo3
