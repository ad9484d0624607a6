#include "consist/consist_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <clocale>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "consist/consist_fixture.h"
#include "platform/cp1251.h"
#include "platform/file_error.h"
#include "platform/numbers.h"

namespace rakewright {
namespace {

using testing::ConsistFixture;
using Outcome = SaveResult::Outcome;
using Lines = std::vector<std::string>;

constexpr std::string_view kBase =
    "[OSI]\nA=6\nB=2\n[WEIGHTS]\nA=60.5\nB=20\nBadWeight=heavy\n[PASS]\nA=24.5\n";

std::string cp1251(std::string_view utf8) {
  return utf8ToCp1251(utf8).value();
}

// Loads `content` written as data/consists/t.con.
LoadResult loadText(ConsistFixture& f, std::string_view content) {
  f.folder.write("data/consists/t.con", content);
  return loadConsist(f.folder.path(), "t.con", f.model);
}

std::vector<std::string> wagonNames(const ConsistModel& model) {
  std::vector<std::string> names;
  for (int p = 1; !model.wagonName(p).empty(); ++p) {
    names.push_back(model.wagonName(p));
  }
  return names;
}

TEST(ConsistFile, SaveWritesLinesAndSummaryExactly) {
  ConsistFixture f;
  f.folder.mkdir("data/consists");
  SaveResult empty = saveConsist(f.folder.path(), "empty", f.model);
  EXPECT_EQ(empty.outcome, Outcome::Saved);
  EXPECT_EQ(empty.name, "empty.con");
  EXPECT_EQ(f.folder.read("data/consists/empty.con"), ";0\t0\t0\r\n");

  f.model.add("A", "25", "50");
  EXPECT_EQ(saveConsist(f.folder.path(), "one", f.model).outcome, Outcome::Saved);
  EXPECT_EQ(f.folder.read("data/consists/one.con"), "1\tA\t25\r\n;50\t4\t1\r\n");

  f.writeBase(kBase);
  f.model.add("B", "16.50", "58.5");
  saveConsist(f.folder.path(), "one.con", f.model);  // replaces the file
  EXPECT_EQ(f.folder.read("data/consists/one.con"), "1\tA\t25\r\n1\tB\t16.50\r\n;108.5\t6\t2\r\n");
  EXPECT_EQ(f.model.lines(), (Lines{"1\tA\t25", "1\tB\t16.50"}));  // no summary line left behind

  EXPECT_EQ(listConsistFiles(f.folder.path()), (Lines{"empty.con", "one.con"}));

  // The empty consist's file loads as an empty consist.
  EXPECT_EQ(loadConsist(f.folder.path(), "empty.con", f.model).skippedLines, 0);
  EXPECT_EQ(f.model.wagonCount(), 0);
  EXPECT_EQ(f.model.lengthText(), "0");
}

TEST(ConsistFile, FileNameRules) {
  ConsistFixture f;
  f.folder.mkdir("data/consists");
  const std::string root = f.folder.path();

  EXPECT_EQ(saveConsist(root, "Train.CON", f.model).name, "Train.CON.con");
  EXPECT_TRUE(f.folder.exists("data/consists/Train.CON.con"));
  EXPECT_EQ(saveConsist(root, "my.conf", f.model).name, "my.conf");
  EXPECT_TRUE(f.folder.exists("data/consists/my.conf"));

  const SaveResult blank = saveConsist(root, "my train", f.model);
  EXPECT_EQ(blank.outcome, Outcome::BlankRefused);
  EXPECT_EQ(blank.name, "my train.con");
  EXPECT_EQ(saveConsist(root, "", f.model).outcome, Outcome::Ignored);
  EXPECT_EQ(saveConsist(root, ".con", f.model).outcome, Outcome::Ignored);
  EXPECT_EQ(saveConsist(root, ".con", f.model).name, ".con");
  EXPECT_EQ(listConsistFiles(root), Lines{"Train.CON.con"});  // my.conf does not end in .con

  // Loading finds a name typed without ".con" where saving it put it; a file of exactly the
  // typed name still comes first.
  f.folder.write("data/consists/short.con", "1\tS\t5\r\n");
  loadConsist(root, "short", f.model);
  EXPECT_EQ(f.model.lines(), Lines{"1\tS\t5"});
  f.folder.write("data/consists/short", "1\tPlain\t5\r\n");
  loadConsist(root, "short", f.model);
  EXPECT_EQ(f.model.lines(), Lines{"1\tPlain\t5"});
  EXPECT_THROW(loadConsist(root, "absent", f.model), FileError);
  f.model.clear();

  // A separator would reach out of the consist folder: refused both ways, nothing touched.
  f.folder.write("data/other.con", "1\tX\t5\r\n");
  f.model.add("A", "25", "50");
  const std::string separators = cp1251("Нельзя использовать символы \\ и / в названии файла!");
  for (const char* name : {"../other.con", "..\\other.con", "sub/x"}) {
    try {
      saveConsist(root, name, f.model);
      ADD_FAILURE() << "saved " << name;
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(error.what(), separators);
    }
    try {
      loadConsist(root, name, f.model);
      ADD_FAILURE() << "loaded " << name;
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(error.what(), separators);
    }
    EXPECT_EQ(f.model.lines(), Lines{"1\tA\t25"});
  }
  EXPECT_EQ(f.folder.read("data/other.con"), "1\tX\t5\r\n");
}

TEST(ConsistFile, FailedSaveKeepsWhatWasThere) {
  ConsistFixture f;
  f.model.add("A", "25", "50");
  const std::string root = f.folder.path();

  // No consist folder.
  try {
    saveConsist(root, "t", f.model);
    ADD_FAILURE() << "saved without a folder";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(error.what(), "Cannot create file \"data\\consists\\t.con\". " +
                                reasonOf(FileError(FileError::kPathNotFound, ENOENT)));
  }
  EXPECT_EQ(f.model.lines(), Lines{"1\tA\t25"});

  // A folder where the file should be stays a folder.
  f.folder.mkdir("data/consists/t.con");
  try {
    saveConsist(root, "t", f.model);
    ADD_FAILURE() << "saved over a folder";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(error.what(), "Cannot create file \"data\\consists\\t.con\". " +
                                reasonOf(fileErrorFromErrno(EISDIR)));
  }
  EXPECT_TRUE(f.folder.exists("data/consists/t.con/"));
  EXPECT_EQ(listConsistFiles(root), Lines{"t.con"});  // folders are listed too
  EXPECT_EQ(f.model.lines(), Lines{"1\tA\t25"});
}

#ifndef _WIN32
// Runs `save` as an ordinary user, whom permission bits stop: in this process when it is one, else
// in a child process that gives up root for the user "nobody". True when `save` threw FileError.
bool failsAsOrdinaryUser(const std::function<void()>& save) {
  const auto attempt = [&save] {
    try {
      save();
    } catch (const FileError&) {
      return true;
    }
    return false;
  };
  if (geteuid() != 0) {
    return attempt();
  }
  const pid_t child = fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    const bool dropped = setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
    _exit(!dropped ? 3 : attempt() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#endif  // _WIN32

#ifndef _WIN32
TEST(ConsistFile, FailedSaveInReadOnlyFolderKeepsOldFile) {
  ConsistFixture f;
  f.folder.write("data/consists/t.con", "old\r\n");
  // The user may pass through the folders and write the file, but not write into the folder.
  chmod((f.folder / "data/consists/t.con").c_str(), 0666);
  chmod(f.folder.path().c_str(), 0755);
  chmod((f.folder / "data").c_str(), 0755);
  chmod((f.folder / "data/consists").c_str(), 0555);
  f.model.add("A", "25", "50");
  EXPECT_TRUE(failsAsOrdinaryUser([&] { saveConsist(f.folder.path(), "t", f.model); }));
  EXPECT_EQ(f.folder.read("data/consists/t.con"), "old\r\n");
  EXPECT_EQ(f.model.lines(), Lines{"1\tA\t25"});
}
#endif  // _WIN32

TEST(ConsistFile, SavedConsistLoadsBackTheSame) {
  ConsistFixture f;
  f.writeBase(kBase);
  f.model.add("A", "24.5", "60.5");
  f.model.add("B", "016", "20");
  f.model.add("Unknown", "12.25", "50");
  f.model.add("A", "24.5", "60.5");
  ASSERT_EQ(saveConsist(f.folder.path(), "round", f.model).outcome, Outcome::Saved);

  ConsistModel loaded(f.base);
  loaded.setWagonPicture(1, "stale.bmp");
  loaded.setPageStart(3);
  const LoadResult result = loadConsist(f.folder.path(), "round.con", loaded);
  EXPECT_EQ(result.skippedLines, 0);
  EXPECT_FALSE(result.limitReached);
  EXPECT_EQ(loaded.lines(), f.model.lines());
  EXPECT_EQ(wagonNames(loaded), (Lines{"A", "B", "Unknown", "A"}));
  EXPECT_EQ(loaded.lengthText(), f.model.lengthText());
  EXPECT_EQ(loaded.weightText(), "191");
  EXPECT_EQ(loaded.axlesText(), "18");
  EXPECT_EQ(loaded.wagonCountText(), "4");
  EXPECT_EQ(loaded.pageStart(), 1);
  EXPECT_EQ(loaded.wagonPicture(1), "");

  // A weight typed when adding gives way to the base's weight on loading.
  f.model.clear();
  f.model.add("A", "24.5", "70");
  saveConsist(f.folder.path(), "typed", f.model);
  loadConsist(f.folder.path(), "typed.con", loaded);
  EXPECT_EQ(loaded.weightText(), "60.5");
}

TEST(ConsistFile, AmountsExpandIntoSingleWagons) {
  ConsistFixture f;
  f.writeBase(kBase);
  loadText(f, "3\tA\t24.50\r\n1\tB\t16.5\r\n;1\t2\t3\r\n");
  EXPECT_EQ(f.model.lines(), (Lines{"1\tA\t24.5", "1\tA\t24.5", "1\tA\t24.5", "1\tB\t16.5"}));
  EXPECT_EQ(f.model.wagonCount(), 4);
  EXPECT_EQ(f.model.wagonCountText(), "4");
  EXPECT_EQ(f.model.lengthText(), "90");
  EXPECT_EQ(f.model.weightText(), "201.5");  // 3 x 60.5 + 20
  EXPECT_EQ(f.model.axlesText(), "20");
  EXPECT_EQ(wagonNames(f.model), (Lines{"A", "A", "A", "B"}));

  // Amounts of 1 or less are one wagon each, their lines kept as written.
  loadText(f, "0\tB\t016\r\n-2\tB\t1.50\r\n1\tA\t24.50\r\n2\tB\t1e1\r\n");
  EXPECT_EQ(f.model.lines(),
            (Lines{"0\tB\t016", "-2\tB\t1.50", "1\tA\t24.50", "1\tB\t10", "1\tB\t10"}));
  EXPECT_EQ(f.model.lengthText(), "62");
  // Removing a loaded wagon reports its length field as written.
  EXPECT_EQ(f.model.removeAt(0).lengthText, "016");
}

TEST(ConsistFile, SummaryLineIsDropped) {
  ConsistFixture f;
  loadText(f, "1\tA\t25\r\n1\tB\t10\r\n");
  EXPECT_EQ(wagonNames(f.model), (Lines{"A", "B"}));

  loadText(f, "1\tA\t25\r\n1\tB\t10\r\n;\r\n");
  EXPECT_EQ(wagonNames(f.model), (Lines{"A", "B"}));

  // Two semicolons take the line before as well.
  loadText(f, "1\tA\t25\r\n1\tB\t10\r\n;;50\t4\t1\r\n");
  EXPECT_EQ(wagonNames(f.model), Lines{"A"});

  // A semicolon second alone takes the last line itself.
  loadText(f, "1\tA\t25\r\n1\tB\t10\r\nx;\r\n");
  EXPECT_EQ(wagonNames(f.model), (Lines{"A", "B"}));

  // Only the last line is looked at.
  const LoadResult result = loadText(f, ";50\t4\t1\r\n1\tA\t25\r\n");
  EXPECT_EQ(wagonNames(f.model), Lines{"A"});
  EXPECT_EQ(result.skippedLines, 1);
}

TEST(ConsistFile, EveryLineBreakFormReads) {
  ConsistFixture f;
  const Lines expected{"1\tA\t25", "1\tB\t10", "1\tC\t5"};
  for (std::string_view text : {
           "1\tA\t25\r\n1\tB\t10\r\n1\tC\t5\r\n;50\t4\t1\r\n",
           "1\tA\t25\n1\tB\t10\n1\tC\t5\n;50\t4\t1\n",
           "1\tA\t25\r1\tB\t10\r1\tC\t5\r;50\t4\t1\r",
           "1\tA\t25\r\n1\tB\t10\n1\tC\t5\r;50\t4\t1",
           "1\tA\t25\r\n\r\n1\tB\t10\n\n\r\r1\tC\t5",
       }) {
    const LoadResult result = loadText(f, text);
    EXPECT_EQ(f.model.lines(), expected) << text;
    EXPECT_EQ(result.skippedLines, 0) << text;
    EXPECT_EQ(f.model.lengthText(), "40") << text;
  }
}

TEST(ConsistFile, UnreadableLinesAreSkipped) {
  ConsistFixture f;
  f.writeBase(kBase);
  const LoadResult result = loadText(f,
                                     "1\tA\t25\r\n"
                                     "garbage\r\n"
                                     "1\t\t25\r\n"          // empty name
                                     "x\tB\t3\r\n"          // amount not a number
                                     "\t1\tB\t3\r\n"        // amount is a TAB
                                     "1\tB\t2,5\r\n"        // decimal comma
                                     "1\tB\r\n"             // no length field
                                     "1\t\r\n"              // nothing after the amount
                                     "3\tBadWeight\t5\r\n"  // the base's weight is no number
                                     "1\tB\t10\r\n"
                                     ";\r\n");
  EXPECT_EQ(result.skippedLines, 8);
  EXPECT_FALSE(result.limitReached);
  EXPECT_EQ(f.model.lines(), (Lines{"1\tA\t25", "1\tB\t10"}));
  EXPECT_EQ(wagonNames(f.model), (Lines{"A", "B"}));
  EXPECT_EQ(f.model.lengthText(), "35");
  EXPECT_EQ(f.model.weightText(), "80.5");
  EXPECT_EQ(f.model.axlesText(), "8");
  EXPECT_EQ(f.model.wagonCountText(), "2");
}

TEST(ConsistFile, LoadingStopsAtOneHundredWagons) {
  ConsistFixture f;
  const auto started = std::chrono::steady_clock::now();
  LoadResult result = loadText(f, "999999999\tA\t10\r\n1\tB\t5\r\n");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  EXPECT_TRUE(result.limitReached);
  EXPECT_EQ(f.model.wagonCount(), 100);
  EXPECT_EQ(f.model.lengthText(), "1000");
  EXPECT_EQ(f.model.axlesText(), "400");
  EXPECT_EQ(f.model.wagonName(100), "A");
  EXPECT_EQ(f.model.add("C", "1", "1"), ConsistModel::AddOutcome::LimitReached);

  std::string sixty;
  for (int i = 0; i < 60; ++i) {
    sixty += "1\tA\t1\r\n";
  }
  result = loadText(f, sixty + "50\tB\t2\r\n" + sixty);
  EXPECT_TRUE(result.limitReached);
  EXPECT_EQ(f.model.wagonCount(), 100);
  EXPECT_EQ(f.model.wagonName(61), "B");
  EXPECT_EQ(f.model.wagonName(100), "B");
  EXPECT_EQ(f.model.lengthText(), "140");

  // Exactly one hundred is not beyond the limit.
  result = loadText(f, sixty + "40\tB\t2\r\n;0\t0\t100\r\n");
  EXPECT_FALSE(result.limitReached);
  EXPECT_EQ(f.model.wagonCount(), 100);
}

TEST(ConsistFile, FailedLoadLeavesConsistAlone) {
  ConsistFixture f;
  f.folder.mkdir("data/consists/folder.con");
  f.model.add("A", "25", "50");
  f.model.setPageStart(1);

  const auto expectOpenError = [&](std::string_view name, int error) {
    try {
      loadConsist(f.folder.path(), name, f.model);
      ADD_FAILURE() << "loaded " << name;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(e.what(), "Cannot open file \"data\\consists\\" + std::string(name) + "\". " +
                              reasonOf(fileErrorFromErrno(error)));
    }
    EXPECT_EQ(f.model.lines(), Lines{"1\tA\t25"});
    EXPECT_EQ(f.model.lengthText(), "25");
  };
  expectOpenError("missing.con", ENOENT);
  expectOpenError("folder.con", EISDIR);

  // No name: the consist is emptied, nothing is read.
  EXPECT_EQ(loadConsist(f.folder.path(), "", f.model).skippedLines, 0);
  EXPECT_EQ(f.model.wagonCount(), 0);
  EXPECT_EQ(f.model.axlesText(), "0");
}

TEST(ConsistFile, ListingIsStable) {
  ConsistFixture f;
  EXPECT_TRUE(listConsistFiles(f.folder.path()).empty());  // no folder, no items
  f.folder.write("data/consists/b.con", "");
  f.folder.write("data/consists/A.con", "");
  f.folder.write("data/consists/c.CON", "");
  f.folder.write("data/consists/notes.txt", "");
  f.folder.write("data/consists/base.ini", "");
  f.folder.mkdir("data/consists/d.con");
  EXPECT_EQ(listConsistFiles(f.folder.path()), (Lines{"A.con", "b.con", "c.CON", "d.con"}));
}

TEST(ConsistFile, NumbersIgnoreADecimalCommaLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "Russian_Russia.1251") == nullptr) {  // Windows' name
    GTEST_SKIP() << "no locale with a decimal comma";
  }
  ConsistFixture f;
  f.writeBase(kBase);
  f.model.add("A", "25", "60.5");
  f.model.add("B", "24.5", "0.25");
  EXPECT_THROW(f.model.add("B", "24,5", "1"), ConversionError);
  EXPECT_EQ(f.model.lengthText(), "49.5");
  saveConsist(f.folder.path(), "comma", f.model);
  EXPECT_EQ(f.folder.read("data/consists/comma.con"), "1\tA\t25\r\n1\tB\t24.5\r\n;60.75\t8\t2\r\n");
  loadText(f, "2\tA\t24.50\r\n1\tB\t1,5\r\n");
  EXPECT_EQ(f.model.lines(), (Lines{"1\tA\t24.5", "1\tA\t24.5"}));
  EXPECT_EQ(f.model.weightText(), "121");
  std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
}  // namespace rakewright
