// x^y for the extended model's gas ram and orifice, written once over the element type of the
// step arithmetic so that the lanes and a plain double give the same bits: std::pow cannot be
// matched on vectors, and vector libraries fuse multiply-adds on some instruction sets and not
// on others. Only +, −, ×, ÷, the square root and exact exponent handling are used, each in a
// fixed order.
//
// No include guard, as model/ShotStepArithmetic-inl.h: included once per element type's
// namespace. The includer provides, besides the step arithmetic's element functions, for its
// element type T:
//   SplitExponent(x, mantissa): the exponent e of a positive normal x (as a T), with mantissa
//     set to x / 2^e, from 1 to below 2;
//   PowerOfTwo(k): 2^k for an integer k from −1022 to 1023;
//   ChooseLazily(condition, whenTrue, whenFalse) as in the step arithmetic.
// Both are exact, so they may be done differently for each element type.
//
// Accuracy: within a few units in the last place for |y ln x| up to about 10, which is where
// the model uses it (ratios of pressures and of gas lengths, exponents near 1).

namespace PowerConstants {
// ln 2 in two parts, the first with trailing zero bits so that k × it is exact.
inline constexpr double Ln2High = 6.93147180369123816490e-01;
inline constexpr double Ln2Low = 1.90821492927058770002e-10;
inline constexpr double InverseLn2 = 1.44269504088896338700e+00;
inline constexpr double Sqrt2 = 1.41421356237309504880;
// Adding and subtracting it rounds a number below 2^51 in magnitude to the nearest integer.
inline constexpr double RoundingShift = 6755399441055744.0;  // 1.5 × 2^52
// Beyond this |y ln x| the result has under- or overflowed anyway; the scaling stays exact.
inline constexpr double LargestExponent = 1400;
inline constexpr double SmallestNormal = 2.2250738585072014e-308;
}  // namespace PowerConstants

template <class T>
[[gnu::always_inline]] inline T RoundedToInteger(const T& x) {
    return (x + PowerConstants::RoundingShift) - PowerConstants::RoundingShift;
}

// ln m for m from √½ to √2, with f = m − 1 exact: log(1 + f) = f − s (f − R) with s = f/(2 + f)
// and R = 2 z/3 + 2 z²/5 + … + 2 z⁹/19, z = s² ≤ 0.0295, the series of 2 atanh s less 2 s.
// The terms are summed by Estrin's scheme, pairwise, so that few wait on each other.
template <class T>
[[gnu::always_inline]] inline T LogOfReducedMantissa(const T& f) {
    const T s = f / (2.0 + f);
    const T z = s * s;
    const T z2 = z * z;
    const T z4 = z2 * z2;
    const T z8 = z4 * z4;
    const T a0 = (2.0 / 3.0) + (2.0 / 5.0) * z;
    const T a1 = (2.0 / 7.0) + (2.0 / 9.0) * z;
    const T a2 = (2.0 / 11.0) + (2.0 / 13.0) * z;
    const T a3 = (2.0 / 15.0) + (2.0 / 17.0) * z;
    const T sum = (a0 + a1 * z2) + (a2 + a3 * z2) * z4 + (2.0 / 19.0) * z8;
    return f - s * (f - z * sum);
}

// e^r for |r| ≤ ln 2 / 2 by its Taylor series to r¹³ (the next term is below 4e-18), again
// summed pairwise.
template <class T>
[[gnu::always_inline]] inline T ExpOfReduced(const T& r) {
    const T r2 = r * r;
    const T r4 = r2 * r2;
    const T r8 = r4 * r4;
    const T a0 = 1.0 + r;
    const T a1 = (1.0 / 2) + (1.0 / 6) * r;
    const T a2 = (1.0 / 24) + (1.0 / 120) * r;
    const T a3 = (1.0 / 720) + (1.0 / 5040) * r;
    const T a4 = (1.0 / 40320) + (1.0 / 362880) * r;
    const T a5 = (1.0 / 3628800) + (1.0 / 39916800) * r;
    const T a6 = (1.0 / 479001600) + (1.0 / 6227020800) * r;
    return ((a0 + a1 * r2) + (a2 + a3 * r2) * r4) + ((a4 + a5 * r2) + a6 * r4) * r8;
}

// x^y for finite x ≥ 0 and finite y: e^(y ln x), with ln x = e ln 2 + ln m for x = m 2^e, and
// e^t = 2^k e^r for t = k ln 2 + r. An x below the smallest normal number gives 0 (as 0^y for
// y > 0); a negative x gives NaN and raises the invalid-operation flag, as std::pow does.
//
// Unlike the step's other functions it is called, not inlined: an evaluation raises to a power
// only once or twice, and the lanes' kernels inline many evaluations, whose copies of it took
// the compilers many times longer than all the rest.
template <class T>
[[gnu::noinline]] T Power(const T& x, const T& y) {
    using namespace PowerConstants;
    T mantissa;
    T exponent = SplitExponent(x, mantissa);
    const auto aboveSqrt2 = mantissa > Sqrt2;
    mantissa = Choose(aboveSqrt2, mantissa * 0.5, mantissa);
    exponent = Choose(aboveSqrt2, exponent + 1.0, exponent);
    const T logX = exponent * Ln2High + (LogOfReducedMantissa(mantissa - 1.0) + exponent * Ln2Low);

    T t = y * logX;
    t = Choose(t > LargestExponent, T{} + LargestExponent, t);
    t = Choose(t < -LargestExponent, T{} - LargestExponent, t);
    const T k = RoundedToInteger(t * InverseLn2);
    const T r = (t - k * Ln2High) - k * Ln2Low;
    // 2^k in two halves, each a normal number, so that an under- or overflow happens in the
    // multiplication as it would in the exact result, with its flag.
    const T half = RoundedToInteger(k * 0.5);
    const T power = ExpOfReduced(r) * PowerOfTwo(half) * PowerOfTwo(k - half);
    return ChooseLazily(
        x >= SmallestNormal, [&]() __attribute__((always_inline)) { return power; },
        [&]() __attribute__((always_inline)) { return SquareRoot(Choose(x >= 0.0, T{}, x)); });
}
