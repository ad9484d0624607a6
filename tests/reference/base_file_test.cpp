#include "reference/base_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/utf8.h"
#include "reference/base_rows.h"
#include "reference/offered_figures.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;

std::string cp(std::string_view utf8) {
  return cp1251Text(utf8);
}

// A Windows-1251 text as an editor saves it in another encoding.
std::string saved(std::string_view cp1251, std::string_view encoding) {
  const std::string utf8 = cp1251ToUtf8(cp1251);
  if (encoding == "cp1251") {
    return std::string(cp1251);
  }
  if (encoding == "utf8") {
    return utf8;
  }
  if (encoding == "utf8-bom") {
    return "\xEF\xBB\xBF" + utf8;
  }
  const bool big = encoding == "utf16be";
  std::string utf16 = big ? "\xFE\xFF" : "\xFF\xFE";
  std::size_t i = 0;
  char32_t cp = 0;
  while (i < utf8.size() && decodeUtf8(utf8, i, cp)) {
    const auto high = static_cast<char>(cp >> 8);
    const auto low = static_cast<char>(cp & 0xFF);
    utf16 += big ? std::string{high, low} : std::string{low, high};
  }
  return utf16;
}

TEST(BaseFile, EditsChangeOnlyTheirLinesInEveryEncoding) {
  // Comments, an unknown section, blank lines, CR LF, LF and CR endings, spaces around a key,
  // quotation marks, letter case and a Ctrl-Z after the last line break.
  const std::string before =
      cp("; база\r\n"
         "[Pass]\r\n"
         "  Cup_Wagon =  24 \r\n"
         "Вагон=\"25\"\n"
         "\r\n"
         "; конец\r\n"
         "[Other]\r"
         "x=1\r\n"
         "[WEIGHTS]\r\n"
         "Вагон=58\r\n"
         "\r\n"
         "\x1A");
  const std::string after =
      cp("; база\r\n"
         "[Pass]\r\n"
         "  Cup_Wagon =  25.5 \r\n"
         "Вагон=\"26\"\n"
         "Новый=14\n"
         "\r\n"
         "; конец\r\n"
         "[Other]\r"
         "x=1\r\n"
         "[WEIGHTS]\r\n"
         "Вагон=60\r\n"
         "[OSI]\r\n"
         "Вагон=6\r\n"
         "\r\n"
         "\x1A");
  for (const std::string_view encoding : {"cp1251", "utf8", "utf8-bom", "utf16le", "utf16be"}) {
    SCOPED_TRACE(encoding);
    // A stray last byte of a UTF-16 file stays last.
    const std::string stray = encoding.starts_with("utf16") ? "!" : "";
    BaseFile base(saved(before, encoding) + stray);

    const BaseEdit comma = base.setLength("cup_wagon", "25,5", LengthSection::Pass);
    EXPECT_TRUE(comma.changed);
    EXPECT_EQ(comma.written, "25.5");
    EXPECT_EQ(cp1251ToUtf8(comma.message), "Запятая заменена точкой: 25.5");
    EXPECT_TRUE(base.setLength(cp("вагон"), "26", LengthSection::Pass).changed);
    EXPECT_TRUE(base.setLength(cp("Новый"), "14", LengthSection::Pass).changed);
    EXPECT_TRUE(base.setWeight(cp("ВАГОН"), "60").changed);
    EXPECT_TRUE(base.setAxles(cp("Вагон"), "6").changed);

    EXPECT_EQ(base.bytes(), saved(after, encoding) + stray);
    EXPECT_EQ(base.view().knownLength(cp("новый")), "14");
    EXPECT_EQ(base.view().knownAxles(cp("вагон")), "6");
    EXPECT_TRUE(base.modified());
  }
}

TEST(BaseFile, CategoryChangeMovesTheLengthAndDuplicatesAreRemarked) {
  BaseFile base(
      "[PASS]\r\n"
      "a=25\r\n"
      "A=26\r\n"
      "b=-1\r\n"
      "[FREIGHT]\r\n"
      "[LOCOS]\r\n"
      "a=17\r\n"
      "[Pass]\r\n"
      "c=9\r\n"
      "[MVPS]");
  EXPECT_EQ(base.category("a"), LengthSection::Pass);
  const std::vector<BaseRow> rows = baseRows(base, {}, {}, {});
  ASSERT_EQ(rows.size(), 3u);
  std::vector<std::string> remarks;
  for (const std::string& remark : rows[0].remarks) {
    remarks.push_back(cp1251ToUtf8(remark));
  }
  EXPECT_EQ(remarks, (std::vector<std::string>{
                         "Строка 3: «a» в [PASS] ещё раз; действует строка 2",
                         "Строка 7: длина в [LOCOS] не действует: длину даёт [PASS]"}));
  EXPECT_EQ(cp1251ToUtf8(rows[2].remarks.at(0)),
            "Строка 9: «c» стоит в повторном разделе [PASS], его программа не читает");

  // The length leaves every section where it counts, duplicates included, for a new section at
  // the end of the file (which has no line break to end it).
  const BaseEdit moved = base.setCategory("a", LengthSection::Mvps);
  EXPECT_TRUE(moved.changed);
  EXPECT_EQ(moved.written, "25");
  EXPECT_EQ(base.bytes(),
            "[PASS]\r\n"
            "b=-1\r\n"
            "[FREIGHT]\r\n"
            "[LOCOS]\r\n"
            "[Pass]\r\n"
            "c=9\r\n"
            "[MVPS]\r\n"
            "a=25");
  EXPECT_EQ(base.category("a"), LengthSection::Mvps);

  // A name without a length has no category to change; its "-1" is the line a length rewrites.
  const BaseEdit refused = base.setCategory("b", LengthSection::Freight);
  EXPECT_TRUE(refused.refused);
  EXPECT_EQ(cp1251ToUtf8(refused.message),
            "«b»: в базе нет длины, её категорию не сменить. Сначала введите длину");
  EXPECT_TRUE(base.setLength("b", "14", LengthSection::Pass).changed);
  EXPECT_EQ(base.bytes().substr(0, 14), "[PASS]\r\nb=14\r\n");
}

TEST(BaseFile, RefusesValuesAndNamesItCannotWrite) {
  struct Case {
    CheckedFigure checked;
    std::optional<std::string> text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {checkLength(" 024.50 "), "24.5", ""},
      {checkLength("+7"), "7", ""},
      {checkLength("abc"), std::nullopt,
       "«abc» — не число. Длина записывается десятичным числом с точкой, например 24.5"},
      {checkLength("1,2,3"), std::nullopt, ""},
      {checkLength("1e3"), std::nullopt, ""},
      {checkLength(""), std::nullopt, ""},
      {checkWeight("0"), std::nullopt, "Вес должен быть больше нуля"},
      {checkWeight("-3,5"), std::nullopt, "Вес должен быть больше нуля"},
      {checkAxles("6"), "6", ""},
      {checkAxles("6.5"), std::nullopt,
       "«6.5» — не целое число. Число осей записывается целым числом, например 4"},
      {checkAxles("99999999999"), std::nullopt, ""},
      {checkAxles("-2"), std::nullopt, "Число осей должно быть больше нуля"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.checked.text, c.text) << cp1251ToUtf8(c.checked.message);
    if (!c.message.empty()) {
      EXPECT_EQ(cp1251ToUtf8(c.checked.message), c.message);
    }
    EXPECT_EQ(c.checked.text.has_value(), c.checked.message.empty() || c.text.has_value());
  }

  for (const std::string_view name : {"a=b", "[x]", "a\nb", "\tx", "  "}) {
    EXPECT_TRUE(baseNameProblem(name)) << name;
  }
  EXPECT_FALSE(baseNameProblem(" x "));
  EXPECT_EQ(cp1251ToUtf8(nameForBase("漢字").message),
            "«??» нельзя записать в base.ini: в нём есть знаки вне кодировки Windows-1251, в "
            "которой программа читает base.ini");
  EXPECT_EQ(nameForBase("Вагон").name, cp("Вагон"));

  // In a file of ASCII only, "Рѕ" in Windows-1251 is the UTF-8 of "о": the file would be read as
  // UTF-8 from then on, so the edit is refused and the bytes stay.
  const std::string ascii = "[PASS]\r\nx=1\r\n";
  BaseFile base(ascii);
  const BaseEdit flip = base.setLength(cp("Рѕ"), "5", LengthSection::Pass);
  EXPECT_TRUE(flip.refused);
  EXPECT_EQ(base.bytes(), ascii);
  EXPECT_TRUE(base.setLength(cp("Вагон"), "5", LengthSection::Pass).changed);
  EXPECT_TRUE(base.setWeight("x", "abc").refused);
  EXPECT_TRUE(base.setWeight("a=b", "5").refused);
  EXPECT_EQ(base.bytes(), ascii.substr(0, 13) + cp("Вагон=5\r\n"));
}

TEST(BaseFile, SaveIsSeenByTheLookupsAndNeverOverwritesAnotherEdit) {
  TempFolder folder;
  folder.mkdir("data/consists");
  RollingStockBase lookups(folder.path());

  // No base yet: an empty one, created by the save.
  BaseFile base = BaseFile::read(folder.path());
  EXPECT_TRUE(base.setLength("x", "5", LengthSection::Freight).changed);
  EXPECT_EQ(base.save(folder.path()), BaseFile::SaveOutcome::Saved);
  EXPECT_FALSE(base.modified());
  EXPECT_EQ(folder.read("data/consists/base.ini"), "[FREIGHT]\r\nx=5\r\n");
  EXPECT_EQ(lookups.open().knownLength("x"), "5");

  EXPECT_TRUE(base.setWeight("x", "20").changed);
  EXPECT_EQ(base.save(folder.path()), BaseFile::SaveOutcome::Saved);
  EXPECT_EQ(lookups.open().weight("x"), "20");

  // Another program changed the file since: it stays, until the player says to overwrite it.
  folder.write("data/consists/base.ini", "[FREIGHT]\r\nx=7\r\n");
  EXPECT_TRUE(base.setAxles("x", "8").changed);
  EXPECT_EQ(base.save(folder.path()), BaseFile::SaveOutcome::ChangedOnDisk);
  EXPECT_EQ(folder.read("data/consists/base.ini"), "[FREIGHT]\r\nx=7\r\n");
  EXPECT_EQ(base.save(folder.path(), true), BaseFile::SaveOutcome::Saved);
  EXPECT_EQ(lookups.open().axles("x"), "8");
}

TEST(BaseRows, OneRowPerNameWithTheFiguresALookupGives) {
  BaseFile base(
      "[LOCOS]\r\n"
      "Loco=17\r\n"
      "[WEIGHTS]\r\n"
      "loco=120\r\n"
      "odd=heavy\r\n");
  Catalogue traffic = {"cup_wag_1", " LOCO "};
  Catalogue folder = {"x-chme", "Loco", "  "};
  const std::vector<BaseRow> rows = baseRows(base, traffic, folder, {"ghost", "cup_wag_1"});
  ASSERT_EQ(rows.size(), 5u);

  EXPECT_EQ(rows[0].name, "cup_wag_1");
  EXPECT_EQ(rows[0].length.text, "25");
  EXPECT_EQ(rows[0].length.source, FigureSource::Guess);
  EXPECT_TRUE(rows[0].inTraffic && rows[0].inConsists && !rows[0].inBase);

  // The names a lookup takes for one are one row, spelled as the traffic list spells it.
  EXPECT_EQ(rows[1].name, " LOCO ");
  EXPECT_TRUE(rows[1].inTraffic && rows[1].inFolder && rows[1].inBase);
  EXPECT_EQ(rows[1].category, LengthSection::Locos);
  EXPECT_EQ(rows[1].length.text + "/" + rows[1].weight.text + "/" + rows[1].axles.text, "17/120/4");
  EXPECT_EQ(rows[1].axles.source, FigureSource::Default);

  // The folder catalogue's guess, letter case significant.
  EXPECT_EQ(rows[2].length.text, "17");
  // What selecting each catalogue name offers.
  for (std::size_t i = 0; i < 3; ++i) {
    const OfferedFigures offered =
        offeredFigures(base.view(), rows[i].name,
                       rows[i].inTraffic ? CatalogueSide::Traffic : CatalogueSide::Folder);
    EXPECT_EQ(rows[i].length.text + "/" + rows[i].weight.text,
              offered.length + "/" + offered.weight);
    EXPECT_EQ(rows[i].length.source, offered.lengthSource);
  }

  // A figure that is no number is remarked; a name of no catalogue has no length guess.
  EXPECT_EQ(rows[3].name, "odd");
  EXPECT_EQ(cp1251ToUtf8(rows[3].remarks.at(0)), "Строка 5: вес «heavy» — не число");
  EXPECT_EQ(rows[4].name, "ghost");
  EXPECT_EQ(rows[4].length.text, "");
  EXPECT_EQ(rows[4].length.source, FigureSource::Default);
  EXPECT_EQ(rows[4].weight.text, "50");
  EXPECT_FALSE(rows[4].inCatalogues());
}

}  // namespace
}  // namespace rakewright
