// A consist over a rolling-stock base in a temporary folder that is both the data root and the
// program folder, as in normal use.
#pragma once

#include <string>
#include <string_view>

#include "consist/consist_model.h"
#include "reference/rolling_stock_base.h"
#include "support/temp_folder.h"

namespace rakewright::testing {

struct ConsistFixture {
  // Writes data/consists/base.ini. The base notices a rewrite by its size and modification time,
  // so a test that rewrites it changes its size.
  void writeBase(std::string_view content) const {
    folder.write("data/consists/base.ini", content);
  }

  // Adds wagons W1, W2, ... of the given length and 50 t.
  void addWagons(int count, std::string_view length = "10") {
    for (int i = 1; i <= count; ++i) {
      model.add("W" + std::to_string(i), length, "50");
    }
  }

  TempFolder folder;
  RollingStockBase base{folder.path()};
  ConsistModel model{base};
};

}  // namespace rakewright::testing
