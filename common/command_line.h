// The command lines of the game and the editor: an optional level file,
// --help and --version. They are read before the application object exists,
// so asking for help or the version needs no display and opens no window.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace ferlan {

// What a program says about itself in its help.
struct ProgramDescription {
    QString name;          // the installed name, as the user types it
    QString summary;       // one German line
    QString levelFileUse;  // what happens to a level file given on the command line
    QString files;         // the files it keeps, one indented line each; may be empty
};

struct CommandLine {
    std::optional<int> exitCode;  // set when the program is done without a window
    QString levelFile;            // empty when none was given
};

// The exit code for a command line that cannot be understood.
inline constexpr int kExitUsage = 2;

// The version of both programs and the tool, from the project.
QString programVersion();

// Reads `arguments` (the program's own name first). Help and version go to
// `out`; a command line that cannot be understood gets one line on `err`.
CommandLine readCommandLine(const QStringList& arguments, const ProgramDescription& program,
                            QTextStream& out, QTextStream& err);

// The same for main's arguments, printing to the standard streams.
CommandLine readCommandLine(int argc, char** argv, const ProgramDescription& program);

}  // namespace ferlan
