// The system calls through which moveToTrash() moves a file, as replaceable pointers: a test puts
// its own call in their place to give a failure that no real situation gives reliably (the tests
// may run as root, whom no permission stops, and a Recycle Bin cannot be switched off from a test).
// The program never changes them.
#pragma once

#ifdef _WIN32
#include <windows.h>
// <windows.h> leaves the shell's API out under WIN32_LEAN_AND_MEAN.
#include <shellapi.h>
#endif

namespace rakewright::trash_calls {

#ifdef _WIN32
// SHFileOperationW: 0 when done, else the shell's code.
extern int (*fileOperation)(SHFILEOPSTRUCTW* operation);
// SHQueryRecycleBinW for a drive's root folder: S_OK where the drive has a Recycle Bin.
extern HRESULT (*queryRecycleBin)(const wchar_t* rootPath, SHQUERYRBINFO* info);
#else
// Renames `from` to `to` unless `to` exists: 0, or -1 with errno set (EEXIST when `to` exists).
extern int (*renameNoReplace)(const char* from, const char* to);
#endif

}  // namespace rakewright::trash_calls
