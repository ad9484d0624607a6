// Replacing files safely: protected and special targets stay as they are, names up to the longest
// a folder allows can be saved, and temporary files of killed saves are cleaned up without
// touching anything else, not even the temporary file of a save running in another instance.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_error.h"
#include "platform/hostile_file_support.h"
#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

namespace fs = std::filesystem;
using testing::outcomeOf;
using testing::TempFolder;
using Names = std::vector<std::string>;

// The names in a folder, sorted, dot files included.
Names namesIn(const std::string& folder) {
  Names names;
  for (const fs::directory_entry& entry : fs::directory_iterator(testing::fsPath(folder))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReplaceFile, NamesUpToTheLongestAFolderAllows) {
  TempFolder root;
  root.mkdir("data");
  for (const std::size_t length : {248u, 250u, 255u}) {
    const std::string name = std::string(length - 4, 'n') + ".con";
    replaceFile(root.path(), "data\\" + name, "x\r\n");
    EXPECT_EQ(root.read("data/" + name), "x\r\n") << length;
    replaceFile(root.path(), "data\\" + name, "y\r\n");  // over the file saved before
    EXPECT_EQ(root.read("data/" + name), "y\r\n") << length;
  }
  EXPECT_EQ(namesIn(root / "data").size(), 3u);

  // One byte more is refused, and nothing is left behind.
  EXPECT_THROW(replaceFile(root.path(), "data\\" + std::string(252, 'n') + ".con", "x"), FileError);
  EXPECT_EQ(namesIn(root / "data").size(), 3u);
}

TEST(StaleTemporaryFiles, AMissingFolderIsNothingToDo) {
  TempFolder root;
  EXPECT_EQ(removeStaleTemporaryFiles(root.path(), "data\\traffic"), 0u);
  root.write("data/traffic", "a file, not a folder");
  EXPECT_EQ(removeStaleTemporaryFiles(root.path(), "data\\traffic"), 0u);
  EXPECT_EQ(root.read("data/traffic"), "a file, not a folder");
}

TEST(StaleTemporaryFiles, SavesBesideACleanerSucceedAndKeepTheirFiles) {
  TempFolder root;
  root.mkdir("data/consists");
  // Large enough that each save spends a while writing its temporary file.
  const std::string content(8 * 1024 * 1024, 'w');
  std::atomic<bool> saving{true};
  std::atomic<std::size_t> removedAtTheUsualAge{0};
  std::thread cleaner([&] {
    while (saving) {
      removedAtTheUsualAge += removeStaleTemporaryFiles(root.path(), "data\\consists");
#ifndef _WIN32
      // Without the age rule only the save's lock protects its file. (ReplaceFileW needs the
      // file unshared, so on Windows the age rule alone covers the moment of the replace.)
      removeStaleTemporaryFiles(root.path(), "data\\consists", std::chrono::seconds{0});
#endif
    }
  });
  std::string failure;
  for (int i = 0; i < 6 && failure.empty(); ++i) {
    failure = outcomeOf([&] { replaceFile(root.path(), "data\\consists\\t.con", content); });
    failure = failure == "no error" ? "" : failure;
  }
  saving = false;
  cleaner.join();
  EXPECT_EQ(failure, "");
  EXPECT_EQ(removedAtTheUsualAge, 0u);
  EXPECT_EQ(root.read("data/consists/t.con").size(), content.size());
  EXPECT_EQ(namesIn(root / "data/consists"), Names{"t.con"});
}

// Modes, FIFOs, links and flock: what Linux has; tests/platform/windows_files_test.cpp holds the
// Windows counterparts.
#ifndef _WIN32

using testing::makeFifo;
using testing::makeSymlink;

// Sets a file's (or link's) modification time ten minutes back, as a leftover of a save killed
// before this start would have it.
void backdate(const std::string& diskPath) {
  timespec times[2] = {};
  clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= 600;
  times[1] = times[0];
  ASSERT_EQ(utimensat(AT_FDCWD, diskPath.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << diskPath;
}

mode_t modeOf(const std::string& diskPath) {
  struct stat info {};
  EXPECT_EQ(lstat(diskPath.c_str(), &info), 0) << diskPath;
  return info.st_mode;
}

TEST(ReplaceFile, AProtectedFileStaysByteForByte) {
  TempFolder root;
  root.write("data/keep.con", "1\tA\t25\r\n;50\t4\t1\r\n");
  ASSERT_EQ(chmod((root / "data/keep.con").c_str(), 0444), 0);
  try {
    replaceFile(root.path(), "data\\keep.con", "lost?");
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const FileError& error) {
    EXPECT_EQ(error.code(), FileError::kAccessDenied);
    EXPECT_EQ(error.systemError(), EACCES);
  }
  EXPECT_EQ(root.read("data/keep.con"), "1\tA\t25\r\n;50\t4\t1\r\n");
  EXPECT_EQ(modeOf(root / "data/keep.con") & 07777, 0444u);
  EXPECT_EQ(namesIn(root / "data"), Names{"keep.con"});

  // A link to a protected file protects it as well.
  makeSymlink(root / "data/keep.con", root / "data/link.con");
  EXPECT_THROW(replaceFile(root.path(), "data\\link.con", "lost?"), FileError);
  EXPECT_TRUE(S_ISLNK(modeOf(root / "data/link.con")));

  // The owner's write permission is enough.
  root.write("data/open.con", "old");
  ASSERT_EQ(chmod((root / "data/open.con").c_str(), 0644), 0);
  replaceFile(root.path(), "data\\open.con", "new");
  EXPECT_EQ(root.read("data/open.con"), "new");
  EXPECT_EQ(modeOf(root / "data/open.con") & 07777, 0644u);
}

TEST(ReplaceFile, ATargetThatIsNoRegularFileStays) {
  TempFolder root;
  makeFifo(root / "data/pipe.con");
  makeSymlink("/dev/null", root / "data/null.con");
  for (const char* name : {"data/pipe.con", "data/null.con"}) {
    EXPECT_EQ(outcomeOf([&] { replaceFile(root.path(), name, "x"); }, root / "data/pipe.con"),
              "Not a regular file")
        << name;
  }
  EXPECT_TRUE(S_ISFIFO(modeOf(root / "data/pipe.con")));
  EXPECT_TRUE(S_ISLNK(modeOf(root / "data/null.con")));
  EXPECT_EQ(namesIn(root / "data"), (Names{"null.con", "pipe.con"}));
}

TEST(PermitsWrite, ModeBitsByClassOfTheUser) {
  struct Row {
    const char* name;
    mode_t mode;
    uid_t owner;
    gid_t group;
    uid_t uid;
    bool expected;
  };
  // The user 1000 is in the groups 100 and 1000.
  const Row rows[] = {
      {"owner with write", 0644, 1000, 0, 1000, true},
      {"owner without write, group with", 0464, 1000, 100, 1000, false},
      {"group member with group write", 0464, 0, 100, 1000, true},
      {"group member without, others with", 0446, 0, 100, 1000, false},
      {"other with others' write", 0646, 0, 0, 1000, true},
      {"other without", 0664, 0, 0, 1000, false},
      {"superuser, read-only file", 0444, 1000, 1000, 0, false},
      {"superuser, no permission at all", 0000, 1000, 1000, 0, false},
      {"superuser, owner write only", 0200, 1000, 1000, 0, true},
      {"superuser, group write only", 0020, 1000, 1000, 0, true},
      {"superuser, others' write only", 0002, 1000, 1000, 0, true},
  };
  const gid_t groups[] = {1000, 100};
  for (const Row& row : rows) {
    struct stat info {};
    info.st_mode = S_IFREG | row.mode;
    info.st_uid = row.owner;
    info.st_gid = row.group;
    EXPECT_EQ(permitsWrite(info, row.uid, groups), row.expected) << row.name;
  }
}

TEST(StaleTemporaryFiles, OnlyOldUnlockedLeftoversOfSavesGo) {
  TempFolder root;
  const std::string folder = root / "data/consists/";
  // Leftovers of killed saves, one made read-only.
  root.write("data/consists/.rakewright-Ab3xY9", "half");
  root.write("data/consists/.rakewright-000000", "half");
  ASSERT_EQ(chmod((folder + ".rakewright-000000").c_str(), 0444), 0);
  // Everything else stays.
  const Names kept = {
      ".Rakewright-abcdef",  ".hidden",       ".rakewright-abc",   ".rakewright-ab_def",
      ".rakewright-abcdefg", ".t.con.abcdef", "rakewright-abcdef", "t.con"};
  for (const std::string& name : kept) {
    root.write("data/consists/" + name, "mine");
  }
  root.mkdir("data/consists/.rakewright-folder");
  root.write("data/consists/sub/.rakewright-nested", "half");
  root.write("data/victim.con", "mine");
  makeSymlink("../victim.con", folder + ".rakewright-link01");
  makeFifo(folder + ".rakewright-fifo01");
  // The temporary file of a save running elsewhere: locked by a description of its own.
  root.write("data/consists/.rakewright-Saving", "half");
  const int saving = open((folder + ".rakewright-Saving").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(saving, 0);
  ASSERT_EQ(flock(saving, LOCK_EX), 0);
  for (const std::string& name : namesIn(folder)) {
    backdate(folder + name);
  }
  backdate(root / "data/victim.con");
  backdate(folder + "sub/.rakewright-nested");
  // A save that has only just created its file and not yet locked it.
  root.write("data/consists/.rakewright-Fresh1", "");

  std::size_t removed = 0;
  EXPECT_EQ(outcomeOf([&] { removed = removeStaleTemporaryFiles(root.path(), "DATA\\Consists"); },
                      folder + ".rakewright-fifo01"),
            "no error");
  EXPECT_EQ(removed, 2u);
  Names expected = kept;
  expected.insert(expected.end(), {".rakewright-Fresh1", ".rakewright-Saving", ".rakewright-fifo01",
                                   ".rakewright-folder", ".rakewright-link01", "sub"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(namesIn(folder), expected);
  EXPECT_EQ(root.read("data/victim.con"), "mine");
  EXPECT_EQ(root.read("data/consists/sub/.rakewright-nested"), "half");

  // Once that save is gone, its file is a leftover too; the fresh one only once it is old enough.
  close(saving);
  EXPECT_EQ(removeStaleTemporaryFiles(root.path(), "data\\consists"), 1u);
  EXPECT_FALSE(root.exists("data/consists/.rakewright-Saving"));
  EXPECT_TRUE(root.exists("data/consists/.rakewright-Fresh1"));
  EXPECT_EQ(removeStaleTemporaryFiles(root.path(), "data\\consists", std::chrono::seconds{0}), 1u);
  EXPECT_FALSE(root.exists("data/consists/.rakewright-Fresh1"));
}

#endif  // _WIN32

}  // namespace
}  // namespace rakewright
