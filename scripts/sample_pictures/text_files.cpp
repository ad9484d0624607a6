#include "text_files.h"

#include "platform/cp1251.h"
#include "reference/rolling_stock_base.h"

#include <QString>
#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>

namespace sample {
namespace {

constexpr std::string_view kCrLf = "\r\n";

const Stock* find(const std::vector<Stock>& stock, std::string_view name) {
  const auto it =
      std::find_if(stock.begin(), stock.end(), [&](const Stock& s) { return s.name == name; });
  return it == stock.end() ? nullptr : &*it;
}

std::string sectionName(Section section) {
  switch (section) {
    case Section::Pass:
      return "PASS";
    case Section::Freight:
      return "FREIGHT";
    case Section::Locos:
      return "LOCOS";
    case Section::Mvps:
      return "MVPS";
    case Section::Special:
      return "SPEC";
  }
  return {};
}

// The folder of the traffic list's model and texture columns, and the group comment before it.
struct Group {
  std::string folder;
  std::string title;
};

Group groupOf(const Stock& s) {
  Section section = Section::Special;
  bool known = false;
  for (const auto& [sec, value] : s.lengths) {
    if (value != "-1") {
      section = sec;
      known = true;
      break;
    }
  }
  if (!known) {
    return {"misc", "Прочий подвижной состав"};
  }
  switch (section) {
    case Section::Pass:
      return {"pass", "Пассажирские вагоны"};
    case Section::Freight:
      return {"freight", "Грузовые вагоны"};
    case Section::Locos:
      return {"locos", "Локомотивы"};
    case Section::Mvps:
      return {"mvps", "Моторвагонный подвижной состав"};
    case Section::Special:
      return {"special", "Спецтехника"};
  }
  return {};
}

std::string value(const Stock* s, Section section) {
  if (s != nullptr) {
    for (const auto& [sec, v] : s->lengths) {
      if (sec == section) {
        return v;
      }
    }
  }
  return "-1";
}

std::string asciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

// The length the program shows for a name: the base's length chain, else its guess from the name.
std::string lengthOf(const std::vector<Stock>& stock, std::string_view name) {
  const Stock* s = find(stock, name);
  for (Section section : {Section::Pass, Section::Freight, Section::Locos, Section::Mvps}) {
    if (const std::string v = value(s, section); v != "-1") {
      return v;
    }
  }
  if (const std::string v = value(s, Section::Special); v != "-1") {
    return v;
  }
  // The guesses are the program's own.
  const bool traffic = s == nullptr || s->traffic;
  return traffic ? rakewright::trafficLengthGuess(name) : rakewright::folderLengthGuess(name);
}

// Weights of the sample base have at most one decimal, so tenths add them up exactly.
long long tenths(std::string_view text) {
  const auto point = text.find('.');
  const std::string whole(text.substr(0, point));
  long long result = std::stoll(whole) * 10;
  if (point != std::string_view::npos) {
    const std::string_view fraction = text.substr(point + 1);
    if (fraction.size() != 1) {
      throw std::invalid_argument("sample weights have one decimal at most: " + std::string(text));
    }
    result += fraction[0] - '0';
  }
  return result;
}

std::string formatTenths(long long value) {
  std::string text = std::to_string(value / 10);
  if (value % 10 != 0) {
    text += "." + std::to_string(value % 10);
  }
  return text;
}

}  // namespace

std::string toCp1251(std::string_view utf8) {
  std::optional<std::string> bytes = rakewright::utf8ToCp1251(utf8);
  if (!bytes) {
    throw std::invalid_argument("not in the sample's code page: " + std::string(utf8));
  }
  return *std::move(bytes);
}

std::string trafficList(const std::vector<Stock>& stock) {
  std::string text;
  auto line = [&text](std::string_view utf8) {
    text += toCp1251(utf8);
    text += kCrLf;
  };
  line("; Rakewright sample simulator: traffic list");
  line("; name<TAB>model<TAB>texture<TAB>max speed, km/h<TAB>frequency");
  std::string previousTitle;
  for (const Stock& s : stock) {
    if (!s.traffic) {
      continue;
    }
    const Group group = groupOf(s);
    if (group.title != previousTitle) {
      if (group.folder == "freight") {
        line("");  // an empty line is no entry
      }
      line("; --- " + group.title + " ---");
      previousTitle = group.title;
    }
    if (s.bareLine) {
      line(s.name);
      continue;
    }
    const std::string path = group.folder + "\\" + s.name + "\\" + s.name;
    const int frequency = 1 + static_cast<int>(s.name.size() % 4);
    line(s.name + "\t" + path + ".dmd\t" + path + ".tga\t" + std::to_string(s.speed) + "\t" +
         std::to_string(frequency));
  }
  return text;
}

std::string rollingStockBase(const std::vector<Stock>& stock) {
  std::string text;
  auto line = [&text](std::string_view utf8) {
    text += toCp1251(utf8);
    text += kCrLf;
  };
  line("; Rakewright sample rolling-stock base");
  line("; lengths in metres, WEIGHTS in tonnes, OSI: number of axles");
  for (Section section :
       {Section::Pass, Section::Freight, Section::Locos, Section::Mvps, Section::Special}) {
    line("");
    std::string header = sectionName(section);
    header.insert(header.begin(), '[');
    header += ']';
    line(header);
    for (const Stock& s : stock) {
      for (const auto& [sec, v] : s.lengths) {
        if (sec == section) {
          line(s.name + "=" + v);
        }
      }
    }
  }
  line("");
  line("[WEIGHTS]");
  for (const Stock& s : stock) {
    if (!s.weight.empty()) {
      line(s.name + "=" + s.weight);
    }
  }
  line("");
  line("[OSI]");
  for (const Stock& s : stock) {
    if (!s.axles.empty()) {
      line(s.name + "=" + s.axles);
    }
  }
  return text;
}

std::string consistFile(const ConsistDefinition& consist, const std::vector<Stock>& stock) {
  std::string text;
  long long weight = 0;
  long long axles = 0;
  int wagons = 0;
  for (const ConsistEntry& entry : consist.entries) {
    const Stock* s = find(stock, entry.name);
    text += toCp1251(std::to_string(entry.amount) + "\t" + entry.name + "\t" +
                     (entry.length.empty() ? lengthOf(stock, entry.name) : entry.length));
    text += kCrLf;
    const int count = std::max(entry.amount, 1);
    wagons += count;
    weight += count * tenths(s != nullptr && !s->weight.empty() ? s->weight : "50");
    axles += count * std::stoll(s != nullptr && !s->axles.empty() ? s->axles : "4");
  }
  text += ";" + formatTenths(weight) + "\t" + std::to_string(axles) + "\t" + std::to_string(wagons);
  text += kCrLf;
  return text;
}

std::string placeholder(std::string_view folder, std::string_view file) {
  std::string text = "Rakewright sample placeholder, not a real ";
  if (file.ends_with(".txt")) {
    return "Rakewright sample: a wagon folder without model, texture or bitmap files.\r\n";
  }
  const std::string lower = asciiLower(std::string(file));
  text += lower.ends_with(".dmd") ? "model" : lower.ends_with(".tga") ? "texture" : "bitmap";
  text += ": ";
  text += toCp1251(folder);
  text += "/";
  text += toCp1251(file);
  text += "\r\n";
  return text;
}

}  // namespace sample
