// The summary of a check of consist files, as the consist library's status line and the command
// line's last line give it: "1 из 4 составов с ошибками", then ", 2 — только с замечаниями" when
// files have remarks but no errors, then " (проверено файлов: 3 за 12 мс)" after a pass that read
// files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "consist/consist_folder_check.h"

namespace rakewright {

struct CheckCounts {
  int files = 0;
  int withErrors = 0;
  int withWarningsOnly = 0;  // with remarks and without errors
};

CheckCounts countChecks(const std::vector<ConsistFileEntry>& entries);

// The summary in Windows-1251; `checked` files read in `milliseconds`, left out when 0 files.
std::string checkSummary(const CheckCounts& counts, int checked = 0, std::int64_t milliseconds = 0);

}  // namespace rakewright
