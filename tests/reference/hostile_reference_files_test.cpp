// The rolling-stock base replaced by what is no file to read: a FIFO, a link to a device. Every
// lookup gives its default, without waiting or running out of memory.
#include <gtest/gtest.h>

#include <string>

#include "platform/hostile_file_support.h"
#include "reference/rolling_stock_base.h"
#include "support/temp_folder.h"

// FIFOs and links to devices are Linux's; tests/platform/windows_files_test.cpp has the
// Windows counterparts.
#ifndef _WIN32
namespace rakewright {
namespace {

using testing::makeFifo;
using testing::makeSymlink;
using testing::outcomeOf;
using testing::TempFolder;

TEST(HostileReferenceFiles, BaseThatIsNoFileGivesTheDefaults) {
  for (const bool fifo : {true, false}) {
    TempFolder root;
    const std::string disk = root / "data/consists/base.ini";
    if (fifo) {
      makeFifo(disk);
    } else {
      makeSymlink("/dev/zero", disk);
    }
    RollingStockBase base(root.path());
    std::string figures;
    EXPECT_EQ(outcomeOf(
                  [&] {
                    const RollingStockBase::View view = base.open();
                    figures =
                        view.weight("A") + " " + view.axles("A") + " " + view.length("A", "9");
                  },
                  disk),
              "no error");
    EXPECT_EQ(figures, "50 4 9") << (fifo ? "FIFO" : "/dev/zero");
  }
}

}  // namespace
}  // namespace rakewright
#endif  // _WIN32
