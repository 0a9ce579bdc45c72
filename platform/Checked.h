#pragma once
// Overflow- and range-checked arithmetic of the program. Quenlit is built with
// LEMV_UNCHECKED and does not test.
#include "Errors.h"
#include <cstdint>
#include <cstddef>

inline void CheckedInc(int32_t& v, int32_t by = 1)
{
#ifndef LEMV_UNCHECKED
    if (__builtin_add_overflow(v, by, &v))
        throw EIntOverflow();
#else
    v = static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(by));
#endif
}

// A + B, A - B and A * B in 32 bits: the overflow error where the result
// leaves the range.
inline int32_t CheckedAdd(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_add_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline int32_t CheckedSub(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline int32_t CheckedMul(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

// A 64-bit intermediate result stored into a 32-bit integer: the overflow
// error outside its range.
inline int32_t CheckedInt32(long long v)
{
#ifndef LEMV_UNCHECKED
    if (v < INT32_MIN || v > INT32_MAX)
        throw EIntOverflow();
#endif
    return static_cast<int32_t>(v);
}

// Trunc of an extended value into a 32-bit integer (the fraction dropped,
// toward zero): the range error outside its range.
inline int32_t TruncInt32(long double v)
{
#ifndef LEMV_UNCHECKED
    if (!(v > -2147483649.0L && v < 2147483648.0L))
        throw ERangeError();
#endif
    return static_cast<int32_t>(v);
}

// The window system's MulDiv: Number * Numerator / Denominator with a 64-bit
// product, rounded to the nearest integer, halves away from zero; -1 when the
// denominator is 0 or the result does not fit.
inline int MulDiv(int Number, int Numerator, int Denominator)
{
    if (Denominator == 0)
        return -1;
    const long long p = static_cast<long long>(Number) * Numerator;
    long long q = p / Denominator;
    const long long r = p % Denominator;
    if (2 * (r < 0 ? -r : r) >= (Denominator < 0 ? -static_cast<long long>(Denominator) : Denominator))
        q += ((p < 0) != (Denominator < 0)) ? -1 : 1;
    if (q < INT32_MIN || q > INT32_MAX)
        return -1;
    return static_cast<int>(q);
}

// A 1-based array of N elements, as the tables and records index them.
template <typename T, int N>
struct Array1 {
    T Items[N] {};

    T& operator[](int i)
    {
#ifndef LEMV_UNCHECKED
        if (i < 1 || i > N)
            throw ERangeError();
#endif
        return Items[i - 1];
    }
    const T& operator[](int i) const
    {
#ifndef LEMV_UNCHECKED
        if (i < 1 || i > N)
            throw ERangeError();
#endif
        return Items[i - 1];
    }
    static constexpr int Size() { return N; }
    T* begin() { return Items; }
    T* end() { return Items + N; }
    const T* begin() const { return Items; }
    const T* end() const { return Items + N; }
};
