// rakewright.com, the console program beside rakewright.exe on Windows. rakewright.exe is a window
// program: cmd.exe and PowerShell neither wait for it nor show what it prints. Typed as
// "rakewright", cmd and PowerShell find rakewright.com first (.COM comes before .EXE in PATHEXT),
// and this program runs the command line itself (--check, --help, --version), with the console's
// own output, waiting shell and exit code; given no option of the command line, it starts
// rakewright.exe from its own folder with the same arguments and returns, so typing "rakewright"
// still opens the window. It needs no Qt.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "consist/check_command.h"
#include "consist/console_stream.h"
#include "platform/paths.h"
#include "platform/win32.h"

namespace {

// The command line after the program's own name, as the system handed it over, so that
// rakewright.exe gets exactly the same arguments.
std::wstring argumentsText() {
  std::wstring_view line = GetCommandLineW();
  // The name runs to the next quotation mark when it starts with one, else to the first blank.
  if (!line.empty() && line.front() == L'"') {
    const std::size_t close = line.find(L'"', 1);
    line.remove_prefix(close == std::wstring_view::npos ? line.size() : close + 1);
  } else {
    const std::size_t blank = line.find_first_of(L" \t");
    line.remove_prefix(blank == std::wstring_view::npos ? line.size() : blank);
  }
  while (!line.empty() && (line.front() == L' ' || line.front() == L'\t')) {
    line.remove_prefix(1);
  }
  return std::wstring(line);
}

std::wstring programPath() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Starts rakewright.exe beside this program; false, with the reason in `error`, when it cannot.
bool startWindowProgram(DWORD& error) {
  std::wstring exe = programPath();
  const std::size_t slash = exe.find_last_of(L"\\/");
  exe =
      (slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash + 1)) + L"rakewright.exe";
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (const std::wstring arguments = argumentsText(); !arguments.empty()) {
    commandLine += L" " + arguments;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process) == FALSE) {
    error = GetLastError();
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace rakewright;
  const std::vector<std::string> arguments = commandLineArguments(argc, argv);
  ConsoleStreamBuffer outBuffer(consoleCalls(STD_OUTPUT_HANDLE));
  ConsoleStreamBuffer errBuffer(consoleCalls(STD_ERROR_HANDLE));
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  if (isCommandLine(arguments)) {
    return runCommandLine(arguments, programFolder(), out, err);
  }
  DWORD error = 0;
  if (!startWindowProgram(error)) {
    err << "rakewright: rakewright.exe не запустить: " << reasonOf(fileErrorFromWin32(error))
        << '\n';
    return kExitCannotRun;
  }
  return kExitClean;
}
