// The rolling-stock base base.ini: length, weight and axle count per rolling-stock name, and the
// five length sections that double as the categories of the traffic filter. Values are handed on
// as text, unchecked; they are parsed where they are added up.
//
// Each group of lookups (one selection, one filtered item, one added, removed or loaded wagon)
// takes a View: the file as it is at that moment. A parsed copy is reused only while the file is
// unchanged, so an edit takes effect at the next lookup.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/profile_reader.h"

namespace rakewright {

namespace sections {
inline constexpr std::string_view kPass = "PASS";
inline constexpr std::string_view kFreight = "FREIGHT";
inline constexpr std::string_view kLocos = "LOCOS";
inline constexpr std::string_view kMvps = "MVPS";
inline constexpr std::string_view kSpec = "SPEC";
inline constexpr std::string_view kWeights = "WEIGHTS";
inline constexpr std::string_view kAxles = "OSI";
}  // namespace sections

// The not-found marker of the length sections.
inline constexpr std::string_view kNoLength = "-1";
inline constexpr std::string_view kDefaultWeight = "50";
inline constexpr std::string_view kDefaultAxles = "4";

class RollingStockBase {
 public:
  // The base is programFolder + "data\consists\base.ini".
  explicit RollingStockBase(std::string programFolder);

  class View {
   public:
    explicit View(std::shared_ptr<const ProfileData> data);
    // With the length of the longest name the base holds, measured before.
    View(std::shared_ptr<const ProfileData> data, std::size_t longestName)
        : data_(std::move(data)), longestName_(longestName) {}

    // PASS, FREIGHT, LOCOS, MVPS with default "-1": the first result that is not exactly "-1";
    // else SPEC read with `finalDefault`.
    std::string length(std::string_view name, std::string_view finalDefault) const;
    // WEIGHTS, default "50".
    std::string weight(std::string_view name) const;
    // OSI, default "4".
    std::string axles(std::string_view name) const;
    // Whether the length section holds a value other than "-1" for the name (empty text and 0
    // included).
    bool isMember(std::string_view section, std::string_view name) const;

    // The members of a length section, to test many names against one look at the base.
    class Members {
     public:
      // Whether `name` is a member, as isMember() says.
      bool contains(std::string_view name) const;

     private:
      friend class View;
      std::unordered_set<std::string_view> names_;  // upper-cased, in the View's data
      std::size_t longest_ = 0;
      mutable std::string upper_;  // the name asked for, upper-cased
    };
    // The members of `section`; valid while this View lives.
    Members members(std::string_view section) const;

    // The same lookups without their defaults: nullopt where the base has no value, so a caller
    // can tell a figure of the base from a default. knownLength() follows the length chain and
    // gives nullopt when every length section lacks the name or holds "-1".
    std::optional<std::string> knownLength(std::string_view name) const;
    std::optional<std::string> knownWeight(std::string_view name) const;
    std::optional<std::string> knownAxles(std::string_view name) const;

    // The length of the longest name with a value in any section the lookups read.
    static std::size_t longestName(const ProfileData& data);

   private:
    // The value, or `fallback`. A name longer than every name of the base is in no section, and
    // is not upper-cased for a lookup that cannot find it (a catalogue name may be megabytes).
    std::string value(std::string_view section, std::string_view name,
                      std::string_view fallback) const;
    std::optional<std::string> find(std::string_view section, std::string_view name) const;

    std::shared_ptr<const ProfileData> data_;
    std::size_t longestName_ = 0;
  };

  // The base as it is now. Throws FileError (`Cannot open file "data\consists\base.ini". REASON`)
  // when another program holds the file beyond the waits of the read (Windows), so that no lookup
  // silently gets its default.
  View open();

 private:
  ProfileFile file_;
  // The parsed base last opened and the length of its longest name, measured once per parse.
  std::shared_ptr<const ProfileData> measured_;
  std::size_t longestName_ = 0;
};

// For a traffic-catalogue name: the first of the fragments cup_wag, plac_wag, avto_pass,
// auto_pass, bagaz, tank, flat, avto, auto, box, hop, gon found in the name with A-Z folded to
// lower case; "15" when none is.
std::string trafficLengthGuess(std::string_view name);

// For a folder-catalogue name: the last of the fragments cup, plac, chme, skop found, letter case
// significant; "14" when none is.
std::string folderLengthGuess(std::string_view name);

}  // namespace rakewright
