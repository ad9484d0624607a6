// Stands in for rakewright.exe in the test of rakewright.com (console_test.sh): writes the command
// line it was started with, as UTF-16, to started.txt in the working folder, and ends.
#include <windows.h>

int main() {
  const HANDLE file =
      CreateFileW(L"started.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return 1;
  }
  const wchar_t* line = GetCommandLineW();
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
