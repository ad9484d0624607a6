// Every path the program uses, spelled exactly as the simulator's tools spell them, with "\" in
// some and "/" in others. The platform layer treats both as separators and ignores letter case,
// so "data\consists\preview\Logo.jpg" and "data/consists/Preview/" name the same folder.
//
// Two anchors: the data root (the working folder at start-up), against which every path is
// resolved, and the program folder (the executable's folder), against which only the
// rolling-stock base is resolved.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace rakewright::paths {

// Resolved against the program folder.
inline constexpr std::string_view kBaseIni = "data\\consists\\base.ini";

// Resolved against the data root.
inline constexpr std::string_view kTrafficFolder = "data\\traffic\\";
inline constexpr std::string_view kTrafficRef = "data\\traffic\\traffic.ref";
inline constexpr std::string_view kConsistsRef = "data\\traffic\\consists.ref";
inline constexpr std::string_view kFreightWags = "data/freight_wags/";
inline constexpr std::string_view kPassWags = "data/pass_wags/";
inline constexpr std::array<std::string_view, 3> kFreightMasks = {"*.dmd", "*.tga", "*.bmp"};
inline constexpr std::array<std::string_view, 4> kCupSet = {"cup_wagon.dmd", "cup_wagon.tga",
                                                            "cup_wagon.bmp", "cup_wagon_night.bmp"};
inline constexpr std::array<std::string_view, 4> kPlacSet = {
    "plac_wagon.dmd", "plac_wagon.tga", "plac_wagon.bmp", "plac_wagon_night.bmp"};
inline constexpr std::string_view kLogo = "data\\consists\\preview\\Logo.jpg";
inline constexpr std::string_view kPreviewFolder = "data/consists/Preview/";
inline constexpr std::string_view kPreviewExtension = ".jpg";
inline constexpr std::string_view kNoPreviewPicture = "data/consists/Preview/Not_Wag_Img.jpg";
inline constexpr std::string_view kNoWagonPicture = "data/consists/Preview/Not_Wagon.jpg";
inline constexpr std::string_view kConsistFolder = "data\\consists\\";
inline constexpr std::string_view kConsistFiles = "data\\consists\\*.con";
inline constexpr std::string_view kConsistExtension = ".con";
inline constexpr std::string_view kWagonBitmapSuffix = "_wagon.bmp";

// Written into the folder index, relative to the folder that holds it ("data\traffic").
inline constexpr std::string_view kFreightIndexPrefix = "../freight_wags/";
inline constexpr std::string_view kPassIndexPrefix = "../pass_wags/";

// "data/consists/Preview/" + name + ".jpg"
std::string previewPicture(std::string_view name);

// "data/pass_wags/" + folder + "/" + kind + "_wagon.bmp"
std::string folderWagonBitmap(std::string_view folder, std::string_view kind);

// "data\consists\" + file
std::string consistFile(std::string_view file);

}  // namespace rakewright::paths

namespace rakewright {

// The two anchors, as disk paths ("" or "." for the working folder).
struct Anchors {
  std::string dataRoot;
  std::string programFolder;
};

}  // namespace rakewright
