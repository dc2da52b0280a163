#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QTextStream>

#include <cstdio>

namespace ferlan {

namespace {

const QString kLevelArgument = QStringLiteral("LEVEL.lev");

struct OptionText {
    QStringList names;
    const char* description;
};

// The options and their help lines are kept together so the help never
// names an option the parser does not know.
const OptionText kHelp = {{QStringLiteral("h"), QStringLiteral("help")},
                          "Zeigt diese Hilfe an und beendet das Programm."};
const OptionText kVersion = {{QStringLiteral("v"), QStringLiteral("version")},
                             "Zeigt die Versionsnummer an und beendet das Programm."};

QString helpText(const ProgramDescription& program) {
    const auto optionLine = [](const OptionText& option) {
        return QStringLiteral("  -%1, --%2  %3\n")
            .arg(option.names[0], option.names[1].leftJustified(7),
                 QString::fromUtf8(option.description));
    };
    return QStringLiteral("Aufruf: %1 [OPTION] [%2]\n\n%3\n\nOptionen:\n")
               .arg(program.name, kLevelArgument, program.summary) +
           optionLine(kHelp) + optionLine(kVersion) +
           QStringLiteral("\nArgumente:\n  %1      %2\n")
               .arg(kLevelArgument, program.levelFileUse) +
           (program.files.isEmpty() ? QString() : QStringLiteral("\nDateien:\n") + program.files);
}

CommandLine usageError(const ProgramDescription& program, const QString& what, QTextStream& err) {
    err << program.name << ": " << what << "; --help zeigt die Aufrufe\n";
    err.flush();
    return {kExitUsage, {}};
}

}  // namespace

QString programVersion() { return QStringLiteral(FERLAN_VERSION); }

CommandLine readCommandLine(const QStringList& arguments, const ProgramDescription& program,
                            QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    const QCommandLineOption help(kHelp.names, QString::fromUtf8(kHelp.description));
    const QCommandLineOption version(kVersion.names, QString::fromUtf8(kVersion.description));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(kLevelArgument, program.levelFileUse);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        // An option given a value it does not take.
        if (unknown.isEmpty())
            return usageError(program, QStringLiteral("Aufruf nicht verstanden"), err);
        const QString dashes =
            unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
        return usageError(program,
                          QStringLiteral("unbekannte Option \"%1%2\"").arg(dashes, unknown.first()),
                          err);
    }
    if (parser.isSet(help)) {
        out << helpText(program);
        out.flush();
        return {0, {}};
    }
    if (parser.isSet(version)) {
        out << program.name << ' ' << programVersion() << '\n';
        out.flush();
        return {0, {}};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) return usageError(program, QStringLiteral("nur eine Level-Datei"), err);
    return {std::nullopt, files.value(0)};
}

CommandLine readCommandLine(int argc, char** argv, const ProgramDescription& program) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return readCommandLine(arguments, program, out, err);
}

}  // namespace ferlan
