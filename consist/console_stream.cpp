#include "consist/console_stream.h"

#include <algorithm>
#include <utility>

#include "platform/cp1251.h"
#include "platform/utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace rakewright {

namespace {

// How many bytes at the end of `text` begin a UTF-8 sequence that is not complete yet.
std::size_t cutSequence(std::string_view text) {
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const auto byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) {
      continue;  // a continuation byte: look further back for the lead
    }
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? back : 0;
  }
  return 0;
}

}  // namespace

ConsoleStreamBuffer::ConsoleStreamBuffer(Calls calls)
    : calls_(std::move(calls)), console_(calls_.isConsole && calls_.isConsole()) {}

ConsoleStreamBuffer::~ConsoleStreamBuffer() {
  flushPending(true);
}

ConsoleStreamBuffer::int_type ConsoleStreamBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) {
    return traits_type::not_eof(c);
  }
  pending_.push_back(traits_type::to_char_type(c));
  if (pending_.back() == '\n' && !flushPending(false)) {
    return traits_type::eof();
  }
  return c;
}

std::streamsize ConsoleStreamBuffer::xsputn(const char* text, std::streamsize count) {
  pending_.append(text, static_cast<std::size_t>(count));
  if (pending_.find('\n') != std::string::npos && !flushPending(false)) {
    return 0;
  }
  return count;
}

int ConsoleStreamBuffer::sync() {
  return flushPending(false) ? 0 : -1;
}

bool ConsoleStreamBuffer::flushPending(bool all) {
  const std::size_t keep = all ? 0 : cutSequence(pending_);
  const std::string_view ready = std::string_view(pending_).substr(0, pending_.size() - keep);
  bool written = true;
  if (!ready.empty()) {
    written = console_ ? calls_.writeConsole(utf16FromUtf8<char16_t>(ready)) : calls_.writeBytes(ready);
  }
  pending_.erase(0, ready.size());
  return written;
}

#ifdef _WIN32
ConsoleStreamBuffer::Calls consoleCalls(unsigned long standardHandle) {
  const HANDLE handle = GetStdHandle(standardHandle);
  ConsoleStreamBuffer::Calls calls;
  calls.isConsole = [handle] {
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr &&
           GetConsoleMode(handle, &mode) != FALSE;
  };
  calls.writeConsole = [handle](std::u16string_view text) {
    while (!text.empty()) {
      DWORD written = 0;
      // Pieces of at most 8,192 characters: older consoles refuse long writes.
      auto piece = static_cast<DWORD>(std::min<std::size_t>(text.size(), 8192));
      if (piece < text.size() && text[piece - 1] >= 0xD800 && text[piece - 1] <= 0xDBFF) {
        --piece;  // a surrogate pair stays whole
      }
      if (WriteConsoleW(handle, text.data(), piece, &written, nullptr) == FALSE || written == 0) {
        return false;
      }
      text.remove_prefix(written);
    }
    return true;
  };
  calls.writeBytes = [handle](std::string_view bytes) {
    while (!bytes.empty()) {
      DWORD written = 0;
      const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
      if (WriteFile(handle, bytes.data(), piece, &written, nullptr) == FALSE || written == 0) {
        return false;
      }
      bytes.remove_prefix(written);
    }
    return true;
  };
  return calls;
}
#endif

}  // namespace rakewright
