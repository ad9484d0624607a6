// The text files of the sample folder, as Windows-1251 bytes with CR LF line ends: the traffic
// list, the rolling-stock base and the consist files. The consist files carry the summary line
// that the program would write for them, computed from the base.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sample_world.h"

namespace sample {

// UTF-8 to Windows-1251 for ASCII and the Russian alphabet; throws std::invalid_argument for any
// other character, so a name that the code page cannot hold never slips into the sample files.
std::string toCp1251(std::string_view utf8);

std::string trafficList(const std::vector<Stock>& stock);
std::string rollingStockBase(const std::vector<Stock>& stock);
std::string consistFile(const ConsistDefinition& consist, const std::vector<Stock>& stock);

// A placeholder of a few bytes for a model, texture or bitmap file that is not a real picture.
std::string placeholder(std::string_view folder, std::string_view file);

}  // namespace sample
