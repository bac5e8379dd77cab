#pragma once
// The two number kinds of the turn data file: whole numbers and real numbers.
// A value that does not convert makes the reader stop; these functions only say "no".
//
// Accepted syntax, the same for both kinds (sign, digits and one decimal point, and beyond them
// an exponent):
//
//     value    = { " " } [ "+" | "-" ] mantissa [ exponent ] { " " }
//     mantissa = digit { digit } [ "." { digit } ]  |  "." digit { digit }
//     exponent = ( "E" | "e" ) [ "+" | "-" ] digit { digit }
//
// Only the space character is a blank (as for the keys). The optional exponent is accepted
// because turn files come from game-master programs whose number printing writes small and large
// values that way ("3.051758E-05"). Everything else fails: the empty value, blanks only, tabs,
// a comma as point or as digit grouping, two points, a sign without digits, "inf", "nan", hex,
// text after the number. A value whose magnitude is too small for the type reads as zero of its
// sign; one too large fails.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

// A decimal number of the syntax above in double precision, without rounding; nothing for text
// that is not such a number or whose magnitude is beyond double range.
std::optional<double> ParseDecimal(std::string_view text);

struct WholeNumber {
    int16_t Value;  // rounded half to even
    double Exact;   // as read, before rounding (HEADING= takes its sector from this)
};

// A whole number: the decimal number rounded half to even into -32768..32767 (32767.5 fails,
// -32768.5 gives -32768); nothing when it does not convert or is out of range. The digits
// themselves decide a tie, not their nearest double: 4501.49999999999999999999 gives 4501.
std::optional<WholeNumber> ParseWholeNumber(std::string_view text);

// A real number in single precision (correctly rounded from the decimal text); nothing when it
// does not convert or its magnitude is beyond single range (never infinity).
std::optional<float> ParseRealNumber(std::string_view text);

}  // namespace velmora
