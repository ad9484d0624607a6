#include "consist/check_summary.h"

#include "platform/cp1251.h"
#include "platform/numbers.h"

namespace rakewright {

CheckCounts countChecks(const std::vector<ConsistFileEntry>& entries) {
  CheckCounts counts;
  counts.files = static_cast<int>(entries.size());
  for (const ConsistFileEntry& entry : entries) {
    const int errors = entry.check.errors();
    counts.withErrors += errors > 0 ? 1 : 0;
    counts.withWarningsOnly += errors == 0 && entry.check.warnings() > 0 ? 1 : 0;
  }
  return counts;
}

std::string checkSummary(const CheckCounts& counts, int checked, std::int64_t milliseconds) {
  struct Texts {
    std::string of = cp1251Text(" из ");
    std::string consist = cp1251Text(" состава");  // 1, 21, 31, ... but not 11
    std::string consists = cp1251Text(" составов");
    std::string withErrors = cp1251Text(" с ошибками");
    std::string warningsOnly = cp1251Text(" — только с замечаниями");
    std::string checked = cp1251Text(" (проверено файлов: ");
    std::string in = cp1251Text(" за ");
    std::string milliseconds = cp1251Text(" мс)");
  };
  static const Texts texts;
  const bool single = counts.files % 10 == 1 && counts.files % 100 != 11;
  std::string text = formatWhole(counts.withErrors) + texts.of + formatWhole(counts.files) +
                     (single ? texts.consist : texts.consists) + texts.withErrors;
  if (counts.withWarningsOnly > 0) {
    text += ", " + formatWhole(counts.withWarningsOnly) + texts.warningsOnly;
  }
  if (checked > 0) {
    text += texts.checked + formatWhole(checked) + texts.in + formatWhole(milliseconds) +
            texts.milliseconds;
  }
  return text;
}

}  // namespace rakewright
