#include "consist/check_command.h"

#include <optional>
#include <ostream>
#include <string_view>

#include "consist/check_summary.h"
#include "consist/consist_check.h"
#include "consist/consist_folder_check.h"
#include "platform/cp1251.h"
#include "platform/utf8.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "reference/data_paths.h"
#include "reference/rolling_stock_base.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32.h"
#endif

#ifndef RAKEWRIGHT_VERSION
#error "RAKEWRIGHT_VERSION is defined by the build"
#endif

namespace rakewright {

namespace {

constexpr std::string_view kHelp =
    "Rakewright " RAKEWRIGHT_VERSION
    " — составитель составов для симулятора поезда.\n"
    "\n"
    "Использование:\n"
    "  rakewright                        открыть окно программы\n"
    "  rakewright --check [--root ПАПКА] [ФАЙЛ.con ...]\n"
    "                                    проверить файлы составов, как окно «Составы»\n"
    "  rakewright --help                 эта справка\n"
    "  rakewright --version              версия программы\n"
    "\n"
    "--check проверяет все файлы data/consists/*.con или только названные ФАЙЛЫ (путь к файлу\n"
    "или имя файла в data/consists) и печатает каждую ошибку и каждое замечание строкой\n"
    "«файл:строка: ошибка|замечание: текст», а затем итог, как в строке состояния окна «Составы».\n"
    "\n"
    "--root ПАПКА — корневая папка симулятора (та, в которой лежит data); без него — текущая\n"
    "папка. Базу подвижного состава data/consists/base.ini программа берёт, как при обычном\n"
    "запуске, рядом со своим исполняемым файлом; с --root — из ПАПКИ, как если бы программа\n"
    "лежала в ней.\n"
    "\n"
    "Код выхода: 0 — ни в одном файле нет ошибок (замечания не в счёт), 1 — хотя бы в одном\n"
    "файле есть ошибки, 2 — папку data/consists не прочитать, названного файла нет или\n"
    "параметры неверны.\n";

constexpr std::string_view kProgram = "rakewright: ";
constexpr std::string_view kSeeHelp = ". Справка: rakewright --help\n";

struct Options {
  bool check = false;
  bool help = false;
  bool version = false;
  std::optional<std::string> root;
  std::vector<std::string> files;
};

bool validUtf8(std::string_view text) {
  std::size_t i = 0;
  char32_t cp = 0;
  while (i < text.size()) {
    if (!decodeUtf8(text, i, cp)) {
      return false;
    }
  }
  return true;
}

// A disk name or path for the terminal: UTF-8 as it is; bytes that are no UTF-8 (a Windows-1251
// name unpacked as it was) converted from Windows-1251, as the program reads such names. On
// Windows with the system's separator.
std::string shownPath(std::string_view diskPath) {
  std::string shown = validUtf8(diskPath) ? std::string(diskPath) : cp1251ToUtf8(diskPath);
#ifdef _WIN32
  for (char& c : shown) {
    c = c == '/' ? '\\' : c;
  }
#endif
  return shown;
}

// Parses the arguments; the text of what is wrong with them, or nullopt.
std::optional<std::string> parse(const std::vector<std::string>& arguments, Options& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--check") {
      options.check = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--root" || argument.starts_with("--root=")) {
      if (options.root) {
        return "--root задан дважды";
      }
      if (argument == "--root") {
        if (i + 1 == arguments.size()) {
          return "после --root нужна папка";
        }
        options.root = arguments[++i];
      } else {
        options.root = argument.substr(7);
      }
      if (options.root->empty()) {
        return "после --root нужна папка";
      }
    } else if (argument == "--") {
      options.files.insert(options.files.end(), arguments.begin() + static_cast<long>(i) + 1,
                           arguments.end());
      break;
    } else if (argument.size() > 1 && argument.front() == '-') {
      return "неизвестный параметр «" + shownPath(argument) + "»";
    } else {
      options.files.push_back(argument);
    }
  }
  if (!options.check && !options.help && !options.version) {
    return "--root и файлы составов задаются только вместе с --check";
  }
  return std::nullopt;
}

// A consist file named on the command line: the path as given, else a file of the consist folder
// by that name (with ".con" added where it lacks one, as "Load" finds it).
std::optional<std::string> findNamedFile(const std::string& dataRoot, const std::string& argument) {
  if (entryKind(argument) != EntryKind::Missing) {
    return argument;
  }
  std::string name = nameFromDisk(argument);
  for (int attempt = 0; attempt < 2; ++attempt) {
    const ResolvedPath resolved = resolvePath(dataRoot, paths::consistFile(name));
    if (resolved.status == ResolvedPath::Status::Found) {
      return resolved.diskPath;
    }
    if (name.size() >= 4 && equalsIgnoreCase(name.substr(name.size() - 4), ".con")) {
      break;
    }
    name += ".con";
  }
  return std::nullopt;
}

// "file:line: ошибка: text" for each problem; a problem of one line drops the "Строка N: " its
// text begins with, which the line number says already.
void printProblems(std::ostream& out, const std::string& shown, const ConsistCheck& check) {
  static const std::string oneLine = cp1251Text("Строка ");
  for (const ConsistProblem& problem : check.problems) {
    out << shown;
    std::string_view text = problem.text;
    if (!problem.lines.empty()) {
      const std::string line = formatWhole(problem.lines.front());
      out << ':' << line;
      const std::string prefix = oneLine + line + ": ";
      if (problem.lines.size() == 1 && text.starts_with(prefix)) {
        text.remove_prefix(prefix.size());
      }
    }
    out << (problem.isError() ? ": ошибка: " : ": замечание: ") << cp1251ToUtf8(text) << '\n';
  }
}

}  // namespace

#ifdef _WIN32
std::vector<std::string> commandLineArguments(int /*argc*/, char* /*argv*/[]) {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    return arguments;
  }
  for (int i = 1; i < count; ++i) {
    arguments.push_back(narrow(wide[i]));
  }
  LocalFree(wide);
  return arguments;
}
#else
std::vector<std::string> commandLineArguments(int argc, char* argv[]) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
#endif

bool isCommandLine(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--check" || argument == "--help" || argument == "-h" ||
        argument == "--version" || argument == "--root" || argument.starts_with("--root=")) {
      return true;
    }
  }
  return false;
}

int runCommandLine(const std::vector<std::string>& arguments, const std::string& programFolder,
                   std::ostream& out, std::ostream& err) {
  Options options;
  if (const std::optional<std::string> wrong = parse(arguments, options)) {
    err << kProgram << *wrong << kSeeHelp;
    return kExitCannotRun;
  }
  if (options.help) {
    out << kHelp;
    return kExitClean;
  }
  if (options.version) {
    out << "Rakewright " RAKEWRIGHT_VERSION "\n";
    return kExitClean;
  }

  const std::string dataRoot = options.root.value_or("");
  const std::string baseFolder = options.root.value_or(programFolder);
  const ResolvedPath folder = resolvePath(dataRoot, paths::kConsistFolder);
  const std::string shownRoot = options.root ? shownPath(*options.root) : std::string(".");
  if (folder.status != ResolvedPath::Status::Found) {
    err << kProgram << "в папке «" << shownRoot << "» нет папки data/consists" << kSeeHelp;
    return kExitCannotRun;
  }
  if (!readFolder(folder.diskPath)) {
    err << kProgram << "папку «" << shownPath(folder.diskPath) << "» не прочитать\n";
    return kExitCannotRun;
  }

  std::vector<ConsistFileEntry> entries;
  if (options.files.empty()) {
    ConsistFolderCheck folderCheck(dataRoot, baseFolder);
    entries = folderCheck.pass(true);
    for (ConsistFileEntry& entry : entries) {
      entry.name = shownPath(entry.diskPath);
    }
  } else {
    // The same references and base as a pass over the folder, for the files named.
    std::vector<std::string> diskPaths;
    for (const std::string& argument : options.files) {
      const std::optional<std::string> found = findNamedFile(dataRoot, argument);
      if (!found) {
        err << kProgram << "нет файла «" << shownPath(argument) << "»\n";
        return kExitCannotRun;
      }
      diskPaths.push_back(*found);
    }
    RollingStockBase base(baseFolder);
    const CheckReferences references = readCheckReferences(dataRoot);
    for (std::size_t i = 0; i < diskPaths.size(); ++i) {
      ConsistFileEntry entry;
      entry.name = shownPath(diskPaths[i] == options.files[i] ? options.files[i] : diskPaths[i]);
      entry.diskPath = diskPaths[i];
      try {
        entry.check = checkConsistText(readDiskFile(entry.diskPath), base, references);
      } catch (const FileError& error) {
        entry.check = unreadableConsistFile(reasonOf(error));
      }
      entries.push_back(std::move(entry));
    }
  }

  for (const ConsistFileEntry& entry : entries) {
    printProblems(out, entry.name, entry.check);
  }
  const CheckCounts counts = countChecks(entries);
  out << cp1251ToUtf8(checkSummary(counts)) << '\n';
  out.flush();
  return counts.withErrors > 0 ? kExitErrors : kExitClean;
}

}  // namespace rakewright
