#include "NumFormat.h"

#include "Errors.h"
#include "Win1251.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

char LocaleDecimalSeparator()
{
    const QString sep = QLocale::system().decimalPoint();
    return !sep.isEmpty() && sep.at(0).unicode() < 0x80 ? static_cast<char>(sep.at(0).unicode()) : '.';
}

namespace {

constexpr int kMaxDigits = 18; // what an extended value carries in decimal

// Decimal digits of |v|: v = 0.d1 d2 ... x 10^exp.
struct Decimal {
    std::string digits; // kMaxDigits digits, or empty for zero
    int exp = 0;
};

Decimal ToDecimal(long double a)
{
    Decimal d;
    if (a == 0)
        return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", kMaxDigits - 1, a);
    for (const char* s = buf; *s && *s != 'e'; ++s)
        if (*s >= '0' && *s <= '9')
            d.digits += *s;
    const char* e = std::strchr(buf, 'e');
    d.exp = (e ? std::atoi(e + 1) : 0) + 1;
    return d;
}

// Keeps the first n digits, rounding the rest half away from zero.
void RoundTo(Decimal& d, int n)
{
    if (d.digits.empty() || n >= static_cast<int>(d.digits.size()))
        return;
    if (n < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<size_t>(n)] >= '5';
    d.digits.resize(static_cast<size_t>(n));
    if (up) {
        int k = n - 1;
        while (k >= 0 && d.digits[static_cast<size_t>(k)] == '9')
            d.digits[static_cast<size_t>(k--)] = '0';
        if (k >= 0) {
            d.digits[static_cast<size_t>(k)] += 1;
        } else {
            d.digits.insert(d.digits.begin(), '1');
            d.exp += 1;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exp = 0;
}

char DigitAt(const Decimal& d, int pos) // pos 0 = first digit
{
    return pos >= 0 && pos < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(pos)] : '0';
}

std::string Scientific(bool negative, Decimal d, int precision, char sep)
{
    RoundTo(d, precision);
    std::string s = negative ? "-" : "";
    s += DigitAt(d, 0);
    if (d.digits.size() > 1) {
        s += sep;
        s.append(d.digits, 1, std::string::npos);
    }
    const int e = d.exp - 1;
    char buf[16];
    std::snprintf(buf, sizeof buf, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
    return s + buf;
}

} // namespace

std::string FormatFixed(long double Value, int Precision, int Digits, char Separator)
{
    if (std::isnan(Value))
        return "NAN";
    if (std::isinf(Value))
        return Value < 0 ? "-INF" : "INF";
    const int p = std::clamp(Precision, 1, kMaxDigits);
    const int dec = std::clamp(Digits, 0, kMaxDigits);
    // A leading minus for every negative value, also one that rounds to zero
    // ("-0,00"); zero itself, of either sign, has none.
    const bool negative = Value < 0;
    Decimal d = ToDecimal(std::fabs(Value));
    if (d.exp > p)
        return Scientific(negative, d, p, Separator);

    RoundTo(d, std::min(p, d.exp + dec));
    if (d.exp > p) // rounding carried into one more integer digit
        return Scientific(negative, d, p, Separator);

    std::string s = negative ? "-" : "";
    if (d.exp <= 0) {
        s += '0';
    } else {
        for (int k = 0; k < d.exp; ++k)
            s += DigitAt(d, k);
    }
    if (dec > 0) {
        s += Separator;
        for (int k = 0; k < dec; ++k)
            s += DigitAt(d, d.exp + k);
    }
    return s;
}

std::string FormatFixed(long double Value, int Precision, int Digits)
{
    return FormatFixed(Value, Precision, Digits, LocaleDecimalSeparator());
}

double StrToFloat(const std::string& S)
{
    std::string t = S;
    const char sep = LocaleDecimalSeparator();
    for (char& c : t)
        if (c == sep)
            c = '.';
    const char* begin = t.data();
    const char* const last = t.data() + t.size();
    while (begin != last && *begin == ' ')
        ++begin;
    if (begin != last && *begin == '+')
        ++begin;
    double v = 0;
    auto [end, error] = std::from_chars(begin, last, v);
    while (error == std::errc() && end != last && *end == ' ')
        ++end;
    if (error != std::errc() || end != last)
        throw Exception("'" + AnsiToQString(S).toStdString() + "' is not a valid floating point value");
    return v;
}

int StrToInt(const QString& S)
{
    qsizetype i = 0;
    while (i < S.size() && S[i] == QLatin1Char(' '))
        ++i;
    const bool negative = i < S.size() && S[i] == QLatin1Char('-');
    if (i < S.size() && (S[i] == QLatin1Char('-') || S[i] == QLatin1Char('+')))
        ++i;
    long long v = 0;
    const qsizetype digits = i;
    for (; i < S.size() && S[i] >= QLatin1Char('0') && S[i] <= QLatin1Char('9') && v <= INT32_MAX + 1LL; ++i)
        v = v * 10 + (S[i].unicode() - '0');
    if (negative)
        v = -v;
    if (i == digits || i != S.size() || v < INT32_MIN || v > INT32_MAX)
        throw Exception("'" + S.toStdString() + "' is not a valid integer value");
    return static_cast<int>(v);
}
