// The leading decimal number of an identifier or UUID text, the first sort criterion of both.
#pragma once

namespace geoproj {

// What "%ld" reads from the start of text (blanks skipped, an optional sign); none when text
// does not begin with a number. Never overflows: out-of-range numbers saturate.
long LeadingNumber(const char* text, long none);

// The number an identifier without one sorts by: after every numbered identifier.
inline constexpr long kNoLeadingNumber = 99999999;

}  // namespace geoproj
