#include "consist/check_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "consist/check_summary.h"
#include "consist/console_stream.h"
#include "platform/cp1251.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;

struct CommandRun {
  int code;
  std::string out;
  std::string err;
};

// A path as the command line shows it: with "\\" on Windows.
std::string shown(std::string path) {
#ifdef _WIN32
  for (char& c : path) {
    c = c == '/' ? '\\' : c;
  }
#endif
  return path;
}

CommandRun run(const std::vector<std::string>& arguments, const std::string& programFolder) {
  std::ostringstream out;
  std::ostringstream err;
  const int code = runCommandLine(arguments, programFolder, out, err);
  return {code, out.str(), err.str()};
}

// A simulator folder: Known is in the traffic list and the base, Ghost nowhere.
void writeSimulator(const TempFolder& root, std::string_view base) {
  root.write("data/traffic/traffic.ref", "Known\tmodel.dmd\r\n");
  root.write("data/consists/base.ini", base);
  root.write("data/consists/Preview/Known.jpg", "");
  root.write("data/consists/Preview/Ghost.jpg", "");
  root.write("data/consists/clean.con", "1\tKnown\t14\r\n");
  root.write("data/consists/broken.con", "1\tKnown\t14\r\n1\tGhost\t12\r\n2\tGhost\t12\r\n");
}

TEST(CheckCommand, PrintsEachProblemAndTheSummaryAndExitsByTheErrors) {
  TempFolder root;
  writeSimulator(root, "[FREIGHT]\r\nKnown=14\r\n[WEIGHTS]\r\nKnown=60\r\n[OSI]\r\nKnown=4\r\n");
  // The folder as the library lists it, against the base of --root.
  const CommandRun all = run({"--check", "--root", root.path()}, "/nonexistent/");
  const std::string consists = shown(root.path() + "data/consists/");
  EXPECT_EQ(all.out, consists +
                         "broken.con:2: ошибка: Строки 2, 3: «Ghost» нет ни в одном каталоге\n" +
                         consists + "broken.con:2: замечание: Строки 2, 3: в базе нет длины " +
                         "«Ghost», длина в файле угадана или введена вручную\n" + consists +
                         "broken.con:2: замечание: Строки 2, 3: в базе нет веса «Ghost», " +
                         "считается 50 т\n" + consists +
                         "broken.con:2: замечание: Строки 2, 3: в базе нет числа осей «Ghost», " +
                         "считается 4\n" + "1 из 2 составов с ошибками\n");
  EXPECT_EQ(all.code, kExitErrors);
  EXPECT_EQ(all.err, "");

  // Named files: as given, or by name in data/consists (".con" added as "Load" adds it). Against
  // a base without Known, whose remarks take one line each.
  root.write("data/consists/base.ini", "");
  const CommandRun named =
      run({"--root=" + root.path(), "--check", "clean"}, root.path() + "elsewhere/");
  EXPECT_EQ(named.out, consists +
                           "clean.con:1: замечание: в базе нет длины «Known», длина в файле "
                           "угадана или введена вручную\n" +
                           consists +
                           "clean.con:1: замечание: в базе нет веса «Known», считается 50 т\n" +
                           consists +
                           "clean.con:1: замечание: в базе нет числа осей «Known», считается 4\n"
                           "0 из 1 состава с ошибками, 1 — только с замечаниями\n");
  EXPECT_EQ(named.code, kExitClean);
}

// A copy the window never ran on has no folder index yet: the folder wagons are still known, and
// the check writes nothing.
TEST(CheckCommand, KnowsTheFolderWagonsWhereTheWindowNeverWroteTheirIndex) {
  TempFolder root;
  writeSimulator(root, "[FREIGHT]\r\nHopper=12\r\n[WEIGHTS]\r\nHopper=20\r\n[OSI]\r\nHopper=4\r\n");
  root.write("data/freight_wags/Hopper/hopper.dmd", "");
  root.write("data/consists/Preview/Hopper.jpg", "");
  root.write("data/consists/broken.con", "1\tHopper\t12\r\n");
  root.write("data/consists/clean.con", "1\tHopper\t12\r\n");
  const CommandRun pass = run({"--check", "--root", root.path()}, "/nonexistent/");
  EXPECT_EQ(pass.out, "0 из 2 составов с ошибками\n");
  EXPECT_EQ(pass.code, kExitClean);
  EXPECT_FALSE(root.exists("data/traffic/consists.ref"));
}

TEST(CheckCommand, WrongArgumentsAndAMissingFolderExitWithTwo) {
  TempFolder root;
  writeSimulator(root, "");
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--check", "--frobnicate"},
                                             {"--root", root.path()},
                                             {"--check", "--root"},
                                             {"--check", "--root", root.path() + "data/"},
                                             {"--check", "--root", root.path(), "nosuch.con"}}) {
    const CommandRun wrong = run(arguments, root.path());
    EXPECT_EQ(wrong.code, kExitCannotRun) << wrong.err;
    EXPECT_TRUE(wrong.err.starts_with("rakewright: ")) << wrong.err;
    EXPECT_EQ(wrong.out, "");
  }
  EXPECT_EQ(run({"--check", "--root", root.path() + "data/"}, "").err,
            "rakewright: в папке «" + shown(root.path() + "data/") +
                "» нет папки data/consists. Справка: rakewright --help\n");

  EXPECT_TRUE(run({"--version"}, "").out.starts_with("Rakewright 2."));
  const CommandRun help = run({"--check", "-h"}, "");
  EXPECT_EQ(help.code, kExitClean);
  EXPECT_NE(help.out.find("rakewright --check [--root ПАПКА] [ФАЙЛ.con ...]"), std::string::npos);

  EXPECT_TRUE(isCommandLine({"x.con", "--root=a"}));
  EXPECT_FALSE(isCommandLine({"-platform", "offscreen"}));
}

TEST(CheckSummary, CountsFilesAsTheLibraryStatusLine) {
  EXPECT_EQ(cp1251ToUtf8(checkSummary({1, 0, 0})), "0 из 1 состава с ошибками");
  EXPECT_EQ(cp1251ToUtf8(checkSummary({11, 1, 0})), "1 из 11 составов с ошибками");
  EXPECT_EQ(cp1251ToUtf8(checkSummary({21, 2, 3}, 5, 40)),
            "2 из 21 состава с ошибками, 3 — только с замечаниями (проверено файлов: 5 за 40 мс)");
}

TEST(ConsoleStream, AConsoleGetsUtf16AndARedirectionUtf8) {
  for (const bool console : {true, false}) {
    std::u16string toConsole;
    std::string bytes;
    {
      ConsoleStreamBuffer buffer({[console] { return console; },
                                  [&](std::u16string_view text) {
                                    toConsole.append(text);
                                    return true;
                                  },
                                  [&](std::string_view text) {
                                    bytes.append(text);
                                    return true;
                                  }});
      std::ostream out(&buffer);
      // A letter cut between two writes is written whole, once its rest came.
      out << "a.con:1: ошибка \xD0";
      out.flush();
      out << "\x96 😀\n"
          << "без конца строки";
    }
    if (console) {
      EXPECT_EQ(toConsole, u"a.con:1: ошибка Ж 😀\nбез конца строки");
      EXPECT_EQ(bytes, "");
    } else {
      EXPECT_EQ(bytes, "a.con:1: ошибка Ж 😀\nбез конца строки");
      EXPECT_EQ(toConsole, u"");
    }
  }
}

}  // namespace
}  // namespace rakewright
