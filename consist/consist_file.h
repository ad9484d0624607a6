// Consist files "data\consists\*.con": one consist line per wagon and a summary line
// (";" weight TAB axles TAB wagons), Windows-1251 text with CR LF. Saving replaces the file
// through a temporary file; loading reads the file first and only then replaces the consist,
// expanding amounts of 2 or more into single wagons and counting weight and axles from the base.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "consist/consist_model.h"

namespace rakewright {

// The names of the entries that fit "data\consists\*.con" (folders included), in the stable
// listing order; none when the folder is missing.
std::vector<std::string> listConsistFiles(std::string_view dataRoot);

// ";" Con_Weight TAB Num_Osey TAB Wag_Num
std::string summaryLine(const ConsistModel& model);

// The content of the consist file that saving the consist writes: its lines and the summary line,
// each followed by CR LF.
std::string consistFileText(const ConsistModel& model);

struct SaveResult {
  enum class Outcome {
    Ignored,       // empty name or ".con": nothing happens
    BlankRefused,  // the name holds a blank: the window shows the blank warning
    Saved,
  };
  Outcome outcome = Outcome::Ignored;
  std::string name;  // the combo box's text afterwards (".con" appended where it was missing)
};

// Save's rules for a typed file name, which renaming and copying a consist file follow too:
// Ignored for an empty name and for ".con"; otherwise the name with ".con" appended where it does
// not contain ".con" (letter case significant), BlankRefused when it holds a blank, and Saved (a
// name that may be written) otherwise. Throws
// std::runtime_error with a clear message for a name holding "\" or "/".
SaveResult consistFileName(std::string_view typed);

// Saves the consist under the combo box's text. Throws FileError (with the code of the failure)
// with `Cannot create file "PATH". REASON` when the file cannot be written (the old file stays),
// and std::runtime_error with a clear message for a name holding "\" or "/".
SaveResult saveConsist(std::string_view dataRoot, std::string_view comboText,
                       const ConsistModel& model);

struct LoadResult {
  int skippedLines = 0;       // lines that could not be read and were left out
  bool limitReached = false;  // the file held more than 100 wagons; the first 100 were loaded
  // Where in the file (line numbers from 1, as an editor counts them) the lines left out stand,
  // the line each loaded wagon came from (in consist order), and the line at which the limit
  // stopped loading (0 when it did not); the check of consist files reports by them.
  std::vector<int> skippedLineNumbers;
  std::vector<int> wagonLineNumbers;
  int limitLine = 0;
};

// Replaces the consist by the file named by the combo box's text (no ".con" appended). An empty
// name empties the consist. A file that cannot be read throws FileError with
// `Cannot open file "PATH". REASON` and leaves the consist unchanged; a name holding "\" or "/"
// throws std::runtime_error, also leaving it unchanged.
LoadResult loadConsist(std::string_view dataRoot, std::string_view comboText, ConsistModel& model);

// The reading of a consist file's text into a consist (used by LoadConsist, and by the fuzzer).
// Empties the consist first (page start 1), drops the summary line, then takes the lines in order,
// opening the base once per line: empty lines are dropped; a line that cannot be read (a field
// missing, an amount, length, weight or axle count that is not a number, an empty name, totals
// that would leave their range) is left out and counted; an amount of 2 or more becomes that many
// lines "1 TAB name TAB length" with the length in the usual number format; loading stops at 100
// wagons. The loaded wagons start without remembered pictures.
LoadResult loadConsistText(std::string_view text, ConsistModel& model);

}  // namespace rakewright
