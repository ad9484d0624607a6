// An output stream for the command line on Windows: the text (UTF-8 inside the program) reaches a
// console window through WriteConsoleW as UTF-16, so Cyrillic letters show whatever code page the
// console has, and reaches a file or pipe that the output is redirected to as UTF-8 bytes. The
// system calls are passed in, so that each way can be tested with calls of the test's own.
#pragma once

#include <functional>
#include <streambuf>
#include <string>
#include <string_view>

namespace rakewright {

class ConsoleStreamBuffer : public std::streambuf {
 public:
  struct Calls {
    // Whether the output is a console window (GetConsoleMode succeeds on its handle).
    std::function<bool()> isConsole;
    // WriteConsoleW and WriteFile; false when the system refuses.
    std::function<bool(std::u16string_view text)> writeConsole;
    std::function<bool(std::string_view bytes)> writeBytes;
  };

  explicit ConsoleStreamBuffer(Calls calls);
  ~ConsoleStreamBuffer() override;
  ConsoleStreamBuffer(const ConsoleStreamBuffer&) = delete;
  ConsoleStreamBuffer& operator=(const ConsoleStreamBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  // Writes what is pending; a UTF-8 sequence cut at the end waits for its rest.
  bool flushPending(bool all);

  Calls calls_;
  bool console_ = false;
  std::string pending_;
};


#ifdef _WIN32
// The calls for a standard handle (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE).
ConsoleStreamBuffer::Calls consoleCalls(unsigned long standardHandle);
#endif

}  // namespace rakewright
