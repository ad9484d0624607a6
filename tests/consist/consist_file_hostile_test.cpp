// Consist files that other programs or people left in the consist folder: a FIFO or a device in
// the place of a file, a file past the size limit, a file the user protected, the longest names.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "consist/consist_file.h"
#include "consist/consist_fixture.h"
#include "platform/file_error.h"
#include "platform/hostile_file_support.h"
#include "platform/text_file.h"

namespace rakewright {
namespace {

using testing::ConsistFixture;
using testing::makeFifo;
using testing::makeSparseFile;
using testing::makeSymlink;
using testing::outcomeOf;
using Lines = std::vector<std::string>;

TEST(HostileConsistFile, LoadRefusesWhatIsNoFileAndKeepsTheConsist) {
  ConsistFixture f;
  f.model.add("A", "25", "50");
  const std::string folder = f.folder / "data/consists/";
  makeFifo(folder + "x.con");
  makeSymlink("/dev/zero", folder + "zero.con");
  makeSparseFile(folder + "big.con", kTextFileLimit + 1, "1\tB\t10\r\n");

  const auto loadOutcome = [&](const std::string& name) {
    return outcomeOf([&] { LoadConsist(f.folder.path(), name, f.model); }, folder + "x.con");
  };
  EXPECT_EQ(loadOutcome("x.con"), "Cannot open file \"data\\consists\\x.con\". Not a regular file");
  EXPECT_EQ(loadOutcome("zero.con"),
            "Cannot open file \"data\\consists\\zero.con\". Not a regular file");
  EXPECT_EQ(loadOutcome("big.con"), "Cannot open file \"data\\consists\\big.con\". File too large");
  EXPECT_EQ(f.model.lines(), Lines{"1\tA\t25"});
  EXPECT_EQ(f.model.ConsistLength(), "25");
}

TEST(HostileConsistFile, SaveLeavesAProtectedFileAlone) {
  ConsistFixture f;
  f.model.add("A", "25", "50");
  f.folder.write("data/consists/keep.con", "1\tB\t10\r\n;50\t4\t1\r\n");
  ASSERT_EQ(chmod((f.folder / "data/consists/keep.con").c_str(), 0444), 0);
  try {
    SaveConsist(f.folder.path(), "keep", f.model);
    ADD_FAILURE() << "a read-only consist file was replaced";
  } catch (const FileError& error) {
    EXPECT_STREQ(error.what(),
                 "Cannot create file \"data\\consists\\keep.con\". Permission denied");
  }
  EXPECT_EQ(f.folder.read("data/consists/keep.con"), "1\tB\t10\r\n;50\t4\t1\r\n");
  EXPECT_EQ(listConsistFiles(f.folder.path()), Lines{"keep.con"});
}

TEST(HostileConsistFile, TheLongestNamesSaveAndLoadBack) {
  ConsistFixture f;
  f.folder.mkdir("data/consists");
  f.model.add("A", "25", "50");
  const std::string name = std::string(246, 'a') + ".con";  // 250 bytes
  EXPECT_EQ(SaveConsist(f.folder.path(), name, f.model).outcome, SaveResult::Outcome::Saved);
  EXPECT_EQ(f.folder.read("data/consists/" + name), "1\tA\t25\r\n;50\t4\t1\r\n");
  f.model.clear();
  LoadConsist(f.folder.path(), name, f.model);
  EXPECT_EQ(f.model.lines(), Lines{"1\tA\t25"});
  EXPECT_EQ(listConsistFiles(f.folder.path()), Lines{name});
}

}  // namespace
}  // namespace rakewright
