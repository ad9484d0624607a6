// The disk's floor of the start-up on Windows, timed from outside the process by
// scripts/bench-startup beside the program: the files the start-up reads, read the way a plain
// Windows program reads them, with nothing of ours in between. FindFirstFileW and FindNextFileW
// walk every folder below data\freight_wags and data\pass_wags (as `find` does on Linux), and
// CreateFileW and ReadFile read traffic.ref, Logo.jpg and Not_Wagon.jpg (as `cat` does).
//   startup_files_floor FOLDER    the walk and the reads below the simulator root FOLDER
//   startup_files_floor           starts and ends at once: what a process alone costs
// Prints the entries found and the bytes read.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Every entry below `folder`, subfolders included; returns how many.
unsigned long long walk(const std::wstring& folder) {
  unsigned long long entries = 0;
  std::vector<std::wstring> pending{folder};
  while (!pending.empty()) {
    const std::wstring current = pending.back();
    pending.pop_back();
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((current + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      continue;
    }
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") {
        continue;
      }
      ++entries;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        pending.push_back(current + L"\\" + name);
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return entries;
}

// Reads a whole file; returns its bytes, or 0 when it cannot be opened.
unsigned long long readAll(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return 0;
  }
  unsigned long long total = 0;
  std::vector<char> buffer(1 << 16);
  DWORD got = 0;
  while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
         got > 0) {
    total += got;
  }
  CloseHandle(file);
  return total;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  if (argc < 2) {
    return 0;
  }
  std::wstring root = argv[1];
  while (!root.empty() && (root.back() == L'\\' || root.back() == L'/')) {
    root.pop_back();
  }
  const unsigned long long entries =
      walk(root + L"\\data\\freight_wags") + walk(root + L"\\data\\pass_wags");
  const unsigned long long bytes = readAll(root + L"\\data\\traffic\\traffic.ref") +
                                   readAll(root + L"\\data\\consists\\Preview\\Logo.jpg") +
                                   readAll(root + L"\\data\\consists\\Preview\\Not_Wagon.jpg");
  std::printf("%llu entries, %llu bytes\n", entries, bytes);
  return entries == 0 || bytes == 0 ? 1 : 0;
}
