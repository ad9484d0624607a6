#include "reference/offered_pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rakewright {
namespace {

std::vector<std::string> paths(const std::vector<OfferedPicture>& pictures) {
  std::vector<std::string> found;
  for (const OfferedPicture& picture : pictures) {
    found.push_back(picture.path);
  }
  return found;
}

// The order of the chains is checked through the window; here, the pictures no file system could
// hold, which are left out before their paths are made.
TEST(OfferedPictures, LeavesOutNamesNoFileSystemHolds) {
  const std::string noPreview = "data/consists/Preview/Not_Wag_Img.jpg";
  const std::string longest(251, 'x');  // with ".jpg", 255 characters
  EXPECT_EQ(paths(offeredPictures(longest, CatalogueSide::Traffic)),
            (std::vector<std::string>{"data/consists/Preview/" + longest + ".jpg", noPreview}));
  EXPECT_EQ(paths(offeredPictures(longest + "x", CatalogueSide::Traffic)),
            std::vector<std::string>{noPreview});
  // A long folder part of the name counts without the extension.
  const std::string folder(255, 'f');
  EXPECT_EQ(paths(offeredPictures(folder + "\\a", CatalogueSide::Traffic)).size(), 2u);
  EXPECT_EQ(paths(offeredPictures(folder + "f\\a", CatalogueSide::Traffic)).size(), 1u);

  // The folder side: the bitmap goes with the wagon, the no-preview picture is not the wagon's own.
  const std::vector<OfferedPicture> folderChain =
      offeredPictures("Blue-cup", CatalogueSide::Folder);
  ASSERT_EQ(folderChain.size(), 3u);
  EXPECT_TRUE(folderChain[0].goesWithWagon && folderChain[0].ownPicture);
  EXPECT_TRUE(!folderChain[1].goesWithWagon && folderChain[1].ownPicture);
  EXPECT_TRUE(!folderChain[2].goesWithWagon && !folderChain[2].ownPicture);
  EXPECT_EQ(offeredPictures(std::string(300, 'y') + "-cup", CatalogueSide::Folder).size(), 1u);
}

}  // namespace
}  // namespace rakewright
