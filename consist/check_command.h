// The program's command line, for people who build and share consist packs:
//   rakewright --check [--root DIR] [FILE.con ...]
//   rakewright --help | --version
// --check checks every consist file of data/consists (or only the files named) exactly as the
// consist library does, prints one line per problem, "file:line: ошибка|замечание: text", then the
// library's summary line. It needs no display: main() runs it before any window exists.
//
// DIR is the simulator's root folder (the working folder by default). The rolling-stock base is
// the program's own: beside the executable, as when the window runs; with --root, the one of DIR
// (DIR/data/consists/base.ini), as if the program stood in DIR.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace rakewright {

// The exit codes: no file with errors; a file with errors; the folder cannot be read or the
// arguments are wrong.
inline constexpr int kExitClean = 0;
inline constexpr int kExitErrors = 1;
inline constexpr int kExitCannotRun = 2;

// The program's arguments as UTF-8, without the program's own name: argv on Linux; on Windows the
// wide command line, since argv there is in the ANSI code page, which cannot hold every name.
std::vector<std::string> commandLineArguments(int argc, char* argv[]);

// Whether the arguments ask for the command line rather than the window: one of them is --check,
// --root, --help, -h or --version.
bool isCommandLine(const std::vector<std::string>& arguments);

// Runs the command line, printing in UTF-8 to `out` (the problems, the summary, the help) and to
// `err` (why it cannot run), and gives the exit code. `programFolder` holds the program's own
// data\consists\base.ini (see above).
int runCommandLine(const std::vector<std::string>& arguments, const std::string& programFolder,
                   std::ostream& out, std::ostream& err);

}  // namespace rakewright
