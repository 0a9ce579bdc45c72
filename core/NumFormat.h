#pragma once
// Number texts of the pages: "fixed notation with precision p and d decimals".
// The value is taken to at most p significant digits and written without
// exponent with exactly d decimals (halves away from zero), a leading minus for
// negative values (also where the digits round to zero: "-0,00") and at least
// one digit before the separator. A value whose
// integer part needs more than p digits is written in scientific notation:
// p significant digits without trailing zeros, "E", the exponent's sign and at
// least two digits ("1,2346E+05").
#include <QString>

#include <string>

// The user's locale decimal separator ("," under a Russian locale).
char LocaleDecimalSeparator();

std::string FormatFixed(long double Value, int Precision, int Digits);
std::string FormatFixed(long double Value, int Precision, int Digits, char Separator);

// A number text as the pages write it (the locale's separator, blanks around,
// an optional "+"), read without the C library's locale, which follows the
// environment's and would expect its own separator. Raises Exception for a
// text that is no number.
double StrToFloat(const std::string& S);

// A text read as a decimal integer: blanks before it, an optional sign, the
// digits and nothing after them, within the 32-bit range. Raises Exception
// "'<text>' is not a valid integer value" for any other text.
int StrToInt(const QString& S);
