#include "CommandLine.h"

#include <QCommandLineParser>

#include "QtServices.h"
#include "io/Batch.h"

namespace kx {

namespace {

// Options that QApplication takes itself; the parser must let them through.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption QT_OPTIONS[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"style", true},    {"stylesheet", true},         {"display", true},       {"geometry", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true},  {"session", true},
    {"reverse", false}, {"widgetcount", false},       {"nograb", false},       {"dograb", false},
    {"sync", false},
};

QString quoted(const QString& text) { return QStringLiteral("\u201E%1\u201C").arg(text); }

}  // namespace

const std::vector<BatchCommand>& batchCommands() {
    static const std::vector<BatchCommand> commands{
        {QStringLiteral("export"), 1, 2,
         QStringLiteral("--export BLOCK.hsc [TEXT.txt]   Textexport ohne Fenster (ohne TEXT.txt: Standardausgabe)"),
         [](FileSystem& fs, const std::vector<std::string>& a) {
             return exportCommand(fs, a[0], a.size() > 1 ? a[1] : "");
         }},
    };
    return commands;
}

QString usageText() {
    QString text = QStringLiteral("Aufruf:\n  kartotrix [BLOCK.hsc]                     Block-Fenster \u00f6ffnen, "
                                  "optional mit einem Block\n");
    for (const BatchCommand& command : batchCommands()) text += QStringLiteral("  kartotrix ") + command.usage + u'\n';
    text += QStringLiteral("  kartotrix --help                          diese Hilfe\n"
                           "  kartotrix --version                       Version anzeigen\n");
    return text;
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(version);
    for (const BatchCommand& command : batchCommands()) parser.addOption(QCommandLineOption(command.option));
    for (const QtOption& option : QT_OPTIONS) {
        QCommandLineOption qtOption(QString::fromLatin1(option.name));
        if (option.takesValue) qtOption.setValueName(QStringLiteral("value"));
        parser.addOption(qtOption);
    }

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.mode = CommandLine::Mode::Error;
        const QStringList unknown = parser.unknownOptionNames();
        line.error = unknown.isEmpty()
                         ? QStringLiteral("Kartotrix: Bei der Option fehlt der Wert. %1").arg(parser.errorText())
                         : QStringLiteral("Kartotrix: Die Option %1 gibt es nicht.")
                               .arg(quoted((unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) +
                                           unknown.first()));
        return line;
    }
    if (parser.isSet(help)) {
        line.mode = CommandLine::Mode::Help;
        return line;
    }
    if (parser.isSet(version)) {
        line.mode = CommandLine::Mode::Version;
        return line;
    }
    const QStringList files = parser.positionalArguments();
    for (const BatchCommand& command : batchCommands()) {
        if (!parser.isSet(command.option)) continue;
        if (line.batch) {
            line.mode = CommandLine::Mode::Error;
            line.error = QStringLiteral("Kartotrix: %1 und %2 gehen nicht zusammen.")
                             .arg(quoted(QStringLiteral("--") + line.batch->option),
                                  quoted(QStringLiteral("--") + command.option));
            return line;
        }
        line.batch = &command;
    }
    if (line.batch) {
        if (files.size() < line.batch->minArguments || files.size() > line.batch->maxArguments) {
            line.mode = CommandLine::Mode::Error;
            line.error = QStringLiteral("Kartotrix: Falsche Anzahl von Dateien. Aufruf: kartotrix ") +
                         line.batch->usage.section(QStringLiteral("  "), 0, 0).trimmed();
            return line;
        }
        line.mode = CommandLine::Mode::Batch;
        for (const QString& file : files) line.arguments.push_back(stdstr(file));
        return line;
    }
    if (files.size() > 1) {
        line.mode = CommandLine::Mode::Error;
        line.error = QStringLiteral("Kartotrix: Es kann nur ein Block ge\u00f6ffnet werden.");
        return line;
    }
    if (!files.isEmpty()) line.padFile = files.first();
    return line;
}

}  // namespace kx
