// The traffic list and the rolling-stock base replaced by what is no file to read: a FIFO, a link
// to a device. Start-up must end with an error or the defaults, never wait or run out of memory.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_error.h"
#include "platform/hostile_file_support.h"
#include "reference/catalogues.h"
#include "reference/rolling_stock_base.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::makeFifo;
using testing::makeSymlink;
using testing::outcomeOf;
using testing::TempFolder;

TEST(HostileReferenceFiles, TrafficListThatIsNoFileEndsTheBuild) {
  for (const bool fifo : {true, false}) {
    TempFolder root;
    const std::string traffic = root / "data/traffic/traffic.ref";
    if (fifo) {
      makeFifo(traffic);
    } else {
      makeSymlink("/dev/zero", traffic);
    }
    Catalogue trafficCatalogue{"old"};
    Catalogue folderCatalogue{"old"};
    EXPECT_EQ(outcomeOf([&] { buildCatalogues(root.path(), trafficCatalogue, folderCatalogue); },
                        traffic),
              "Not a regular file")
        << (fifo ? "FIFO" : "/dev/zero");
    EXPECT_TRUE(trafficCatalogue.empty());
    EXPECT_FALSE(root.exists("data/traffic/consists.ref"));  // the sequence ended at the error
  }
}

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
