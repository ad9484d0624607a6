// The readers against files that other programs or people may leave in a simulator folder: FIFOs,
// links to devices, files past the size limit.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_error.h"
#include "platform/hostile_file_support.h"
#include "platform/profile_reader.h"
#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

#ifndef _WIN32
using testing::makeFifo;
using testing::makeSymlink;
#endif
using testing::makeSparseFile;
using testing::outcomeOf;
using testing::TempFolder;

// The outcome of reading `path` below the folder whole, with the text limit.
std::string readOutcome(const TempFolder& root, std::string_view path,
                        const std::string& fifo = {}) {
  return outcomeOf([&] { readWholeFile(root.path(), path); }, fifo);
}

#ifndef _WIN32
TEST(GuardedReading, FifoIsRefusedWithoutWaitingForAWriter) {
  TempFolder root;
  const std::string fifo = root / "data/consists/x.con";
  makeFifo(fifo);
  EXPECT_EQ(readOutcome(root, "data\\consists\\x.con", fifo), "Not a regular file");
  makeSymlink(fifo, root / "data/consists/link.con");
  EXPECT_EQ(readOutcome(root, "data\\consists\\link.con", fifo), "Not a regular file");

  // The refusal has no errno, so that a message quoting the reason shows its text.
  std::string codes = "no error";
  outcomeOf(
      [&] {
        try {
          readDiskFile(fifo);
        } catch (const FileError& error) {
          codes = std::to_string(error.code()) + " " + std::to_string(error.systemError());
        }
      },
      fifo);
  EXPECT_EQ(codes, std::to_string(FileError::kNotRegularFile) + " 0");
}
#endif  // _WIN32

#ifndef _WIN32
TEST(GuardedReading, LinksToDevicesAreRefused) {
  TempFolder root;
  makeSymlink("/dev/zero", root / "data/traffic/traffic.ref");
  makeSymlink("/dev/urandom", root / "data/consists/Preview/Logo.jpg");
  makeSymlink("/dev/null", root / "data/consists/base.ini");
  EXPECT_EQ(readOutcome(root, "data\\traffic\\traffic.ref"), "Not a regular file");
  EXPECT_EQ(outcomeOf([&] {
              readWholeFile(root.path(), "data\\consists\\preview\\Logo.jpg", kPictureFileLimit);
            }),
            "Not a regular file");
  EXPECT_EQ(readOutcome(root, "data\\consists\\base.ini"), "Not a regular file");
  // A folder keeps its own refusal.
  makeSymlink(root / "data/consists", root / "data/folder.con");
  EXPECT_EQ(readOutcome(root, "data/folder.con"), "File access denied");
}
#endif  // _WIN32

TEST(GuardedReading, FilesPastTheirLimitAreRefused) {
  TempFolder root;
  makeSparseFile(root / "big.con", kTextFileLimit + 1, "1\tA\t25\r\n");
  EXPECT_EQ(readOutcome(root, "big.con"), "File too large");
  try {
    readWholeFile(root.path(), "big.con");
    ADD_FAILURE() << "a file past the limit was read";
  } catch (const FileError& error) {
    EXPECT_EQ(error.code(), FileError::kFileTooLarge);
    EXPECT_EQ(error.systemError(), 0);
  }

  // The limit itself is allowed.
  makeSparseFile(root / "full.con", kTextFileLimit);
  EXPECT_EQ(readWholeFile(root.path(), "full.con").size(), kTextFileLimit);

  // The limit is the caller's: a picture's is smaller than a text's.
  EXPECT_LT(kPictureFileLimit, kTextFileLimit);
  root.write("five.jpg", "12345");
  EXPECT_EQ(readWholeFile(root.path(), "five.jpg", 5), "12345");
  EXPECT_EQ(outcomeOf([&] { readWholeFile(root.path(), "five.jpg", 4); }), "File too large");
  EXPECT_EQ(outcomeOf([&] { readDiskFile(root / "five.jpg", 4); }), "File too large");
}

#ifndef _WIN32
TEST(GuardedReading, AFileThatTellsNoSizeIsHeldToTheLimitWhileRead) {
  // Files of /proc claim a size of 0 and have content.
  EXPECT_FALSE(readDiskFile("/proc/self/status").empty());
  EXPECT_EQ(outcomeOf([] { readDiskFile("/proc/self/status", 16); }), "File too large");
}
#endif  // _WIN32

TEST(GuardedReading, RefusedBaseReadsAsMissingUntilItIsAFileAgain) {
  TempFolder root;
  ProfileFile base(root.path(), "data\\consists\\base.ini");
  const std::string disk = root / "data/consists/base.ini";

  // Past the limit, although it starts with a readable base.
  makeSparseFile(disk, kTextFileLimit + 1, "[S]\nk=1\n");
  EXPECT_EQ(base.current()->value("S", "k", "def"), "def");

  root.write("data/consists/base.ini", "[S]\nk=2\n");
  EXPECT_EQ(base.current()->value("S", "k", "def"), "2");

#ifndef _WIN32
  std::filesystem::remove(disk);
  makeFifo(disk);
  EXPECT_EQ(outcomeOf(
                [&] {
                  if (base.current()->value("S", "k", "def") != "def") {
                    throw std::runtime_error("a FIFO gave a value");
                  }
                },
                disk),
            "no error");
#endif
}

}  // namespace
}  // namespace rakewright
