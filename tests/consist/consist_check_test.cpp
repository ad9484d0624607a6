#include "consist/consist_check.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <string>
#include <vector>

#include "consist/consist_file.h"
#include "consist/consist_fixture.h"
#include "consist/consist_folder_check.h"
#include "platform/cp1251.h"

namespace rakewright {
namespace {

using testing::ConsistFixture;
using Kind = ConsistProblem::Kind;

// A data folder where Known is known everywhere, NoPic everywhere but in the preview pictures,
// and Ghost nowhere.
void writeReferences(const ConsistFixture& f) {
  f.writeBase(
      "[FREIGHT]\nKnown=14\nNoPic=10\n[WEIGHTS]\nKnown=60\nNoPic=20\n[OSI]\nNoPic=6\n"
      "Known=4\n");
  f.folder.write("data/traffic/traffic.ref", "; list\r\nKnown\tmodel.dmd\r\n");
  f.folder.write("data/traffic/consists.ref", "NoPic\t../freight_wags/NoPic/a.dmd\t\r\n");
  f.folder.write("data/consists/preview/known.jpg", "");  // found ignoring letter case
}

std::vector<std::string> textsOf(const ConsistCheck& check) {
  std::vector<std::string> texts;
  for (const ConsistProblem& problem : check.problems) {
    texts.push_back(cp1251ToUtf8(problem.text));
  }
  return texts;
}

TEST(ConsistCheck, ReportsEachProblemByItsLinesAndCountsAsLoadDoes) {
  ConsistFixture f;
  writeReferences(f);
  // Every kind of line break counts a line, and an empty line too.
  const std::string file =
      "1\tKnown\t14\r\ngarbage\r\n3\tGhost\t12.5\r\n\r\n1\tNoPic\t10\r1\tGhost\t12.5\n"
      "2\tGhost\t12.5\r\n1\tGhost\t12.5\r\nx\tKnown\t1\r\n;480\t38\t9\r\n";
  const ConsistCheck check = checkConsistText(file, f.base, readCheckReferences(f.folder.path()));

  // The totals are the ones loading the file shows.
  f.folder.write("data/consists/t.con", file);
  loadConsist(f.folder.path(), "t.con", f.model);
  EXPECT_EQ(check.wagons, 9);
  EXPECT_EQ(check.length, f.model.lengthText());
  EXPECT_EQ(check.weight, f.model.weightText());
  EXPECT_EQ(check.axles, f.model.axlesText());
  EXPECT_EQ(check.length + " " + check.weight + " " + check.axles, "111.5 430 38");
  EXPECT_EQ(check.names, (std::vector<std::string>{"Known", "Ghost", "NoPic"}));

  EXPECT_EQ(textsOf(check),
            (std::vector<std::string>{
                "Строки 2, 9: не читаются и в состав не войдут",
                "Строки 3, 6–8: «Ghost» нет ни в одном каталоге",
                "Строки 3, 6–8: в базе нет длины «Ghost», длина в файле угадана или введена "
                "вручную",
                "Строки 3, 6–8: в базе нет веса «Ghost», считается 50 т",
                "Строки 3, 6–8: в базе нет числа осей «Ghost», считается 4",
                "Строки 3, 6–8: нет картинки «Ghost» в data\\consists\\Preview, в ленте будет "
                "«нет изображения»",
                "Строка 5: нет картинки «NoPic» в data\\consists\\Preview, в ленте будет «нет "
                "изображения»",
            }));
  EXPECT_EQ(check.errors(), 2);
  EXPECT_EQ(check.warnings(), 5);

  // More than 100 wagons: an error at the line where loading stops.
  const ConsistCheck tooMany = checkConsistText("1\tKnown\t14\r\n150\tKnown\t14\r\n", f.base,
                                                readCheckReferences(f.folder.path()));
  EXPECT_EQ(tooMany.wagons, 100);
  ASSERT_EQ(tooMany.problems.size(), 1U);
  EXPECT_EQ(tooMany.problems[0].kind, Kind::TooManyWagons);
  EXPECT_EQ(tooMany.problems[0].lines, std::vector<int>{2});
  EXPECT_TRUE(tooMany.problems[0].isError());
}

TEST(ConsistCheck, FolderPassChecksWhatChangedAndEverythingWhenTheBaseChanges) {
  ConsistFixture f;
  writeReferences(f);
  f.folder.write("data/consists/a.con", "1\tKnown\t14\r\n");
  f.folder.write("data/consists/b.con", "1\tGhost\t14\r\n");
  f.folder.mkdir("data/consists/folder.con");  // a folder is no consist file
#ifndef _WIN32
  ASSERT_EQ(mkfifo((f.folder / "data/consists/pipe.con").c_str(), 0600), 0);
  constexpr std::size_t kFiles = 3;
#else
  constexpr std::size_t kFiles = 2;  // Windows has no FIFOs
#endif

  ConsistFolderCheck folder(f.folder.path(), f.folder.path());
  std::vector<ConsistFileEntry> entries = folder.pass();
  ASSERT_EQ(entries.size(), kFiles);
  EXPECT_EQ(folder.lastChecked(), static_cast<int>(kFiles));
  EXPECT_EQ(entries[0].name, "a.con");
  EXPECT_TRUE(entries[0].check.problems.empty());
  EXPECT_EQ(entries[1].check.errors(), 1);
#ifndef _WIN32
  // A FIFO is refused without blocking the pass.
  EXPECT_EQ(entries[2].name, "pipe.con");
  ASSERT_EQ(entries[2].check.problems.size(), 1U);
  EXPECT_EQ(cp1251ToUtf8(entries[2].check.problems[0].text),
            "Файл не читается: Not a regular file");
#endif

  // Nothing changed: nothing is read again. A file rewritten is.
  folder.pass();
  EXPECT_EQ(folder.lastChecked(), 0);
  f.folder.write("data/consists/a.con", "1\tKnown\t14\r\n1\tKnown\t14\r\n");
  entries = folder.pass();
  EXPECT_EQ(folder.lastChecked(), 1);
  EXPECT_EQ(entries[0].check.wagons, 2);

  // Ghost enters the base and the traffic list: every file is checked again.
  f.writeBase(
      "[FREIGHT]\nKnown=14\nGhost=14\n[WEIGHTS]\nKnown=60\nGhost=1\n[OSI]\nGhost=2\n"
      "Known=4\n");
  f.folder.write("data/traffic/traffic.ref", "Known\r\nGhost\r\n");
  entries = folder.pass();
  EXPECT_EQ(folder.lastChecked(), static_cast<int>(kFiles));
  EXPECT_EQ(entries[1].check.errors(), 0);
  EXPECT_EQ(entries[1].check.weight, "1");

  // A removed file leaves the list.
  std::remove((f.folder / "data/consists/b.con").c_str());
  EXPECT_EQ(folder.pass().size(), kFiles - 1);
}

}  // namespace
}  // namespace rakewright
