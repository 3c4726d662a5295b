#include "CommandLine.h"

#include <QCommandLineParser>

#include "ExtrasCommands.h"
#include "QtServices.h"
#include "io/Batch.h"
#include "io/ExtrasBatch.h"
#include "io/GameValueBatch.h"
#include "io/JournalBatch.h"

namespace kx {

namespace {

// Options that QApplication takes itself; the parser must let them through.
struct QtOption {
    const char* name;
    bool takesValue;
};
// clang-format off
constexpr QtOption QT_OPTIONS[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"style", true},    {"stylesheet", true},         {"display", true},       {"geometry", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true},  {"session", true},
    {"reverse", false}, {"widgetcount", false},       {"nograb", false},       {"dograb", false},
    {"sync", false},
};
// clang-format on

QString quoted(const QString& text) {
    return QStringLiteral("\u201E%1\u201C").arg(text);
}

QStringList qstringList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list;
}

// The command that takes an option of its own, or null.
const BatchCommand* ownerOf(const QString& name) {
    for (const BatchCommand& command : batchCommands()) {
        if (command.valueOptions.contains(name) || command.flagOptions.contains(name))
            return &command;
    }
    return nullptr;
}

}  // namespace

const std::vector<BatchCommand>& batchCommands() {
    static const std::vector<BatchCommand> commands{
        {QStringLiteral("export"), 1, 2,
         QStringLiteral("--export BLOCK.hsc [TEXT.txt]   Textexport ohne Fenster (ohne TEXT.txt: "
                        "Standardausgabe)"),
         [](FileSystem& fs, const std::vector<std::string>& a, const BatchValues&) {
             return exportCommand(fs, a[0], a.size() > 1 ? a[1] : "");
         }},
        // The end of the evening.
        {QStringLiteral("abrechnung"),
         1,
         1,
         QStringLiteral(
             "--abrechnung BLOCK.hsc [--cent 5]  Abrechnung in Euro (Cent je Punkt, Vorgabe 5)"),
         [](FileSystem& fs, const std::vector<std::string>& a, const BatchValues& v) {
             return settlementCommand(fs, a[0], v.count("cent") ? v.at("cent") : "");
         },
         {QStringLiteral("cent")}},
        {QStringLiteral("verlauf"), 2, 2,
         QStringLiteral("--verlauf BLOCK.hsc BILD.png  Verlauf des Abends als Bild"),
         [](FileSystem& fs, const std::vector<std::string>& a, const BatchValues&) {
             return chartCommand(fs, a[0], a[1]);
         }},
        {QStringLiteral("pdf"), 2, 2,
         QStringLiteral("--pdf BLOCK.hsc BLATT.pdf  Block als A4-Blatt (PDF)"),
         [](FileSystem& fs, const std::vector<std::string>& a, const BatchValues&) {
             return pdfCommand(fs, a[0], a[1]);
         }},
        {QStringLiteral("csv"), 1, 2,
         QStringLiteral(
             "--csv BLOCK.hsc [TABELLE.csv]  Tabelle f\u00fcr Excel und LibreOffice (ohne Ziel: "
             "Standardausgabe)"),
         [](FileSystem& fs, const std::vector<std::string>& a, const BatchValues&) {
             return csvCommand(fs, a[0], a.size() > 1 ? a[1] : "");
         }},
        {QStringLiteral("protokoll"), 1, 1,
         QStringLiteral("--protokoll BLOCK.hsc  Protokoll aller \u00c4nderungen mit Uhrzeit"),
         [](FileSystem& fs, const std::vector<std::string>& a, const BatchValues&) {
             return journalBatchCommand(fs, a[0]);
         }},
        {QStringLiteral("regeln"), 1, 1,
         QStringLiteral("--regeln BLOCK.hsc  Hausregeln des Blocks"),
         [](FileSystem& fs, const std::vector<std::string>& a, const BatchValues&) {
             return rulesCommand(fs, a[0]);
         }},
        {QStringLiteral("statistik"), 1, 1,
         QStringLiteral("--statistik ORDNER  Statistik \u00fcber alle Bl\u00f6"
                        "cke eines Ordners"),
         [](FileSystem& fs, const std::vector<std::string>& a, const BatchValues&) {
             return statisticsCommand(fs, a[0]);
         }},
        // The calculator needs no pad.
        {QStringLiteral("spielwert"), 0, 0, QString::fromUtf8(GAME_VALUE_USAGE),
         [](FileSystem& fs, const std::vector<std::string>&, const BatchValues& v) {
             return gameValueCommand(fs, v);
         },
         qstringList(gameValueValueOptions()), qstringList(gameValueFlags())},
    };
    return commands;
}

QString usageText() {
    // Each line: the call, then its description in one column.
    std::vector<std::pair<QString, QString>> lines{
        {QStringLiteral("[BLOCK.hsc]"),
         QStringLiteral("Block-Fenster \u00f6ffnen, optional mit einem Block")},
        {QStringLiteral("--handy [BLOCK.hsc]"),
         QStringLiteral("dazu die Tafel auf Handys zeigen und ihre Adresse ausgeben")}};
    for (const BatchCommand& command : batchCommands()) {
        const qsizetype gap = command.usage.indexOf(QStringLiteral("  "));
        lines.emplace_back(command.usage.left(gap), command.usage.mid(gap).trimmed());
    }
    lines.emplace_back(QStringLiteral("--help"), QStringLiteral("diese Hilfe"));
    lines.emplace_back(QStringLiteral("--version"), QStringLiteral("Version anzeigen"));
    qsizetype width = 0;
    for (const auto& line : lines)
        width = std::max(width, line.first.size());
    QString text = QStringLiteral("Aufruf:\n");
    for (const auto& [call, what] : lines)
        text += QStringLiteral("  kartotrix ") + call.leftJustified(width + 3) + what + u'\n';
    return text + QString::fromUtf8(GAME_VALUE_OPTIONS_HELP);
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption phone(QStringLiteral("handy"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(phone);
    QStringList valueOptions, flagOptions;
    for (const BatchCommand& command : batchCommands()) {
        parser.addOption(QCommandLineOption(command.option));
        for (const QString& name : command.valueOptions) {
            if (valueOptions.contains(name)) continue;
            valueOptions << name;
            parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
        }
        for (const QString& name : command.flagOptions) {
            if (flagOptions.contains(name)) continue;
            flagOptions << name;
            parser.addOption(QCommandLineOption(name));
        }
    }
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
                         ? QStringLiteral("Kartotrix: Bei der Option fehlt der Wert. %1")
                               .arg(parser.errorText())
                         : QStringLiteral("Kartotrix: Die Option %1 gibt es nicht.")
                               .arg(quoted((unknown.first().size() == 1 ? QStringLiteral("-")
                                                                        : QStringLiteral("--")) +
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
    // In the order the commands declare them, as the Windows program checks them.
    for (const BatchCommand& command : batchCommands()) {
        for (const QString& name : command.valueOptions + command.flagOptions) {
            if (ownerOf(name) != &command || !parser.isSet(name)) continue;
            if (line.batch != &command) {
                line.mode = CommandLine::Mode::Error;
                line.error = QStringLiteral("Kartotrix: Die Option %1 geht nur zusammen mit %2.")
                                 .arg(quoted(QStringLiteral("--") + name),
                                      quoted(QStringLiteral("--") + command.option));
                return line;
            }
            line.values[stdstr(name)] =
                command.flagOptions.contains(name) ? "" : stdstr(parser.value(name));
        }
    }
    if (line.batch && parser.isSet(phone)) {
        line.mode = CommandLine::Mode::Error;
        line.error = QStringLiteral("Kartotrix: %1 und %2 gehen nicht zusammen.")
                         .arg(quoted(QStringLiteral("--handy")),
                              quoted(QStringLiteral("--") + line.batch->option));
        return line;
    }
    line.phone = parser.isSet(phone);
    if (line.batch) {
        if (files.size() < line.batch->minArguments || files.size() > line.batch->maxArguments) {
            line.mode = CommandLine::Mode::Error;
            line.error =
                QStringLiteral("Kartotrix: Falsche Anzahl von Dateien. Aufruf: kartotrix ") +
                line.batch->usage.section(QStringLiteral("  "), 0, 0).trimmed();
            return line;
        }
        line.mode = CommandLine::Mode::Batch;
        for (const QString& file : files)
            line.arguments.push_back(stdstr(file));
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
