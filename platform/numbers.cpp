#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace rakewright {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') {
    text.remove_prefix(1);
  }
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return text;
}

// Whether `text` is exactly: [sign] digits [. digits] [(e|E) [sign] digits], with at least one
// digit in the mantissa.
bool isDecimalSyntax(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  std::size_t mantissaDigits = 0;
  while (i < text.size() && isDigit(text[i])) {
    ++i;
    ++mantissaDigits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) {
    return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      ++i;
    }
    std::size_t exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++exponentDigits;
    }
    if (exponentDigits == 0) {
      return false;
    }
  }
  return i == text.size();
}

std::string quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 40);
  out.push_back('\'');
  out.append(text);
  out.push_back('\'');
  return out;
}

}  // namespace

ConversionError notADecimal(std::string_view text) {
  return ConversionError(quoted(text).append(" is not a valid floating point value"));
}

ConversionError notAWhole(std::string_view text) {
  return ConversionError(quoted(text).append(" is not a valid integer value"));
}

double parseDecimal(std::string_view text) {
  std::string_view number = trimSpaces(text);
  if (!isDecimalSyntax(number)) {
    throw notADecimal(text);
  }
  // from_chars takes no leading '+'.
  if (number.front() == '+') {
    number.remove_prefix(1);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
    throw notADecimal(text);
  }
  return value;
}

std::int32_t parseWhole(std::string_view text) {
  std::string_view number = text;
  while (!number.empty() && number.front() == ' ') {
    number.remove_prefix(1);
  }
  bool negative = false;
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  if (number.empty()) {
    throw notAWhole(text);
  }
  std::int64_t magnitude = 0;
  for (const char c : number) {
    if (!isDigit(c)) {
      throw notAWhole(text);
    }
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
      throw notAWhole(text);
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    throw notAWhole(text);
  }
  return static_cast<std::int32_t>(value);
}

std::string formatDecimal(double value) {
  if (value == 0 || !std::isfinite(value)) {
    // Infinite values cannot come out of parseDecimal; callers check sums before formatting.
    return value == 0 ? "0" : (std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF"));
  }
  // 15 significant digits, rounded: "d.dddddddddddddde+XX".
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));

  const bool negative = scientific.front() == '-';
  const std::size_t ePos = scientific.find('e');
  std::string digits;
  for (const char c : scientific.substr(0, ePos)) {
    if (isDigit(c)) {
      digits.push_back(c);
    }
  }
  const int exponent = std::atoi(std::string(scientific.substr(ePos + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
  }

  std::string out = negative ? "-" : "";
  if (exponent >= -4 && exponent <= 14) {
    if (exponent < 0) {
      out += "0.";
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
      } else {
        out += digits.substr(0, integerDigits);
        out += '.';
        out += digits.substr(integerDigits);
      }
    }
  } else {
    out += digits.front();
    if (digits.size() > 1) {
      out += '.';
      out += digits.substr(1);
    }
    out += 'E';
    if (exponent < 0) {
      out += '-';
    }
    out += std::to_string(std::abs(exponent));
  }
  return out;
}

std::string formatWhole(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace rakewright
