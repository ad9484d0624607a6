// Numbers as text, independent of the C locale: "." is always the decimal separator. Totals,
// lengths and weights are decimal numbers in general format with 15 significant digits; axle and
// wagon counts are 32-bit whole numbers.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rakewright {

// A text that is not a number: "'%s' is not a valid floating point value" or
// "'%s' is not a valid integer value", with the text as given (Windows-1251 bytes).
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A decimal number: optional blanks around it, an optional sign, digits with an optional ".", an
// optional exponent (e or E, optional sign, digits). Nothing else: no comma, no grouping, no
// "nan", "inf" or hex. Values beyond the double range fail too.
double parseDecimal(std::string_view text);

// A whole number: optional leading blanks, an optional sign, decimal digits, within 32 bits signed.
std::int32_t parseWhole(std::string_view text);

// General format with 15 significant digits: fixed notation while the decimal exponent is from -4
// to 14, otherwise mantissa "E" exponent ("1E15", "4.42615029219009E-5"); no trailing zeros, no
// dangling point, "-0" written as "0".
std::string formatDecimal(double value);

std::string formatWhole(std::int64_t value);

// The errors, for callers that detect a failure of their own (an overflowing sum).
ConversionError notADecimal(std::string_view text);
ConversionError notAWhole(std::string_view text);

}  // namespace rakewright
