// Packs of vector lanes that act as one value: the element type the lane kernels run the step
// arithmetic on. No include guard: a kernel file includes it inside its namespace for each
// instruction set Highway compiles it for (after <hwy/highway.h>), with <array> and <cstddef>
// and model/ShotLanes.h included before.

namespace hn = hwy::HWY_NAMESPACE;

using Tag = hn::ScalableTag<double>;
using Vector = hn::Vec<Tag>;
using VectorMask = hn::Mask<Tag>;

// K vectors of lanes that act as one value: every operation acts on each lane as on a double.
// Trivial to construct, so that the structures of the step arithmetic around it need no code
// of their own (that would be compiled without the instruction set); Pack{} is all zeros.
template <size_t K>
struct Pack {
    Vector v[K];

    Pack() = default;
    HWY_INLINE explicit Pack(double value) {
        for (size_t i = 0; i < K; ++i) {
            v[i] = hn::Set(Tag(), value);
        }
    }
};

template <size_t K>
struct PackMask {
    VectorMask m[K];
};

// The arithmetic of packs, with a plain number standing for a pack of it.
#define VELLORAN_PACK_OPERATOR(op)                                       \
    template <size_t K>                                                  \
    HWY_INLINE Pack<K> operator op(const Pack<K>& a, const Pack<K>& b) { \
        Pack<K> result;                                                  \
        for (size_t i = 0; i < K; ++i) {                                 \
            result.v[i] = a.v[i] op b.v[i];                              \
        }                                                                \
        return result;                                                   \
    }                                                                    \
    template <size_t K>                                                  \
    HWY_INLINE Pack<K> operator op(const Pack<K>& a, double b) {         \
        return a op Pack<K>(b);                                          \
    }                                                                    \
    template <size_t K>                                                  \
    HWY_INLINE Pack<K> operator op(double a, const Pack<K>& b) {         \
        return Pack<K>(a) op b;                                          \
    }
VELLORAN_PACK_OPERATOR(+)
VELLORAN_PACK_OPERATOR(-)
VELLORAN_PACK_OPERATOR(*)
VELLORAN_PACK_OPERATOR(/)
#undef VELLORAN_PACK_OPERATOR

#define VELLORAN_PACK_COMPARISON(op)                                         \
    template <size_t K>                                                      \
    HWY_INLINE PackMask<K> operator op(const Pack<K>& a, const Pack<K>& b) { \
        PackMask<K> result;                                                  \
        for (size_t i = 0; i < K; ++i) {                                     \
            result.m[i] = a.v[i] op b.v[i];                                  \
        }                                                                    \
        return result;                                                       \
    }                                                                        \
    template <size_t K>                                                      \
    HWY_INLINE PackMask<K> operator op(const Pack<K>& a, double b) {         \
        return a op Pack<K>(b);                                              \
    }
VELLORAN_PACK_COMPARISON(>)
VELLORAN_PACK_COMPARISON(>=)
VELLORAN_PACK_COMPARISON(<)
VELLORAN_PACK_COMPARISON(<=)
#undef VELLORAN_PACK_COMPARISON

template <size_t K>
HWY_INLINE Pack<K> operator-(const Pack<K>& a) {
    Pack<K> result;
    for (size_t i = 0; i < K; ++i) {
        result.v[i] = hn::Neg(a.v[i]);
    }
    return result;
}

template <size_t K>
HWY_INLINE Pack<K> SquareRoot(const Pack<K>& a) {
    Pack<K> result;
    for (size_t i = 0; i < K; ++i) {
        result.v[i] = hn::Sqrt(a.v[i]);
    }
    return result;
}

template <size_t K>
HWY_INLINE Pack<K> Choose(const PackMask<K>& condition, const Pack<K>& a, const Pack<K>& b) {
    Pack<K> result;
    for (size_t i = 0; i < K; ++i) {
        result.v[i] = hn::IfThenElse(condition.m[i], a.v[i], b.v[i]);
    }
    return result;
}

// As std::max: the first unless the second is larger.
template <size_t K>
HWY_INLINE Pack<K> Larger(const Pack<K>& a, const Pack<K>& b) {
    return Choose(a < b, b, a);
}

template <size_t K>
HWY_INLINE PackMask<K> AndNot(const PackMask<K>& notThis, const PackMask<K>& that) {
    PackMask<K> result;
    for (size_t i = 0; i < K; ++i) {
        result.m[i] = hn::AndNot(notThis.m[i], that.m[i]);
    }
    return result;
}

template <size_t K>
HWY_INLINE PackMask<K> And(const PackMask<K>& a, const PackMask<K>& b) {
    PackMask<K> result;
    for (size_t i = 0; i < K; ++i) {
        result.m[i] = hn::And(a.m[i], b.m[i]);
    }
    return result;
}

template <size_t K>
HWY_INLINE PackMask<K> Or(const PackMask<K>& a, const PackMask<K>& b) {
    PackMask<K> result;
    for (size_t i = 0; i < K; ++i) {
        result.m[i] = hn::Or(a.m[i], b.m[i]);
    }
    return result;
}

template <size_t K>
HWY_INLINE bool AnyTrue(const PackMask<K>& mask) {
    VectorMask any = mask.m[0];
    for (size_t i = 1; i < K; ++i) {
        any = hn::Or(any, mask.m[i]);
    }
    return !hn::AllFalse(Tag(), any);
}

// The exponent handling of Power (model/PowerArithmetic-inl.h), exact on the bits as a plain
// double's: the exponent field read as an integer through the bits of 2^52 + e, and 2^k
// written from the low bits of 1.5 × 2^52 + k.
template <size_t K>
HWY_INLINE Pack<K> SplitExponent(const Pack<K>& x, Pack<K>& mantissa) {
    const Tag tag;
    const hn::RebindToUnsigned<Tag> bitsTag;
    const auto mantissaBits = hn::Set(bitsTag, 0x000F'FFFF'FFFF'FFFFu);
    const auto oneBits = hn::Set(bitsTag, 0x3FF0'0000'0000'0000u);
    const auto twoToThe52Bits = hn::Set(bitsTag, 0x4330'0000'0000'0000u);
    Pack<K> exponent;
    for (size_t i = 0; i < K; ++i) {
        const auto bits = hn::BitCast(bitsTag, x.v[i]);
        mantissa.v[i] = hn::BitCast(tag, hn::Or(hn::And(bits, mantissaBits), oneBits));
        exponent.v[i] = hn::Sub(hn::BitCast(tag, hn::Or(hn::ShiftRight<52>(bits), twoToThe52Bits)),
                                hn::Set(tag, 4503599627370496.0 + 1023));
    }
    return exponent;
}

template <size_t K>
HWY_INLINE Pack<K> PowerOfTwo(const Pack<K>& k) {
    const Tag tag;
    const hn::RebindToUnsigned<Tag> bitsTag;
    Pack<K> power;
    for (size_t i = 0; i < K; ++i) {
        const auto shifted =
            hn::BitCast(bitsTag, hn::Add(k.v[i], hn::Set(tag, 6755399441055744.0)));
        power.v[i] =
            hn::BitCast(tag, hn::ShiftLeft<52>(hn::Add(shifted, hn::Set(bitsTag, uint64_t{1023}))));
    }
    return power;
}

// Computes a side only when some lane takes it: lanes whose shots all take one side do not
// pay for the other, nor raise its floating-point flags. Each side's code stands here once, so
// that sides nested in sides do not multiply the kernels' code.
template <size_t K, class WhenTrue, class WhenFalse>
HWY_INLINE auto ChooseLazily(const PackMask<K>& condition, WhenTrue&& whenTrue,
                             WhenFalse&& whenFalse) {
    PackMask<K> otherwise;
    for (size_t i = 0; i < K; ++i) {
        otherwise.m[i] = hn::Not(condition.m[i]);
    }
    decltype(whenTrue()) chosen{};
    decltype(whenFalse()) other{};
    if (AnyTrue(condition)) {
        chosen = whenTrue();
    }
    if (AnyTrue(otherwise)) {
        other = whenFalse();
    }
    return Choose(condition, chosen, other);
}

// The K vectors of a column from its vector first on.
template <size_t K>
HWY_INLINE Pack<K> Load(const LaneColumn& column, size_t first = 0) {
    const Tag tag;
    Pack<K> pack;
    for (size_t i = 0; i < K; ++i) {
        pack.v[i] = hn::Load(tag, column.data() + (first + i) * hn::Lanes(tag));
    }
    return pack;
}

template <size_t K>
HWY_INLINE void Store(const Pack<K>& pack, LaneColumn& column, size_t first = 0) {
    const Tag tag;
    for (size_t i = 0; i < K; ++i) {
        hn::Store(pack.v[i], tag, column.data() + (first + i) * hn::Lanes(tag));
    }
}

template <size_t K>
HWY_INLINE void Store(const PackMask<K>& mask, LaneColumn& column, size_t first = 0) {
    const Tag tag;
    for (size_t i = 0; i < K; ++i) {
        hn::Store(hn::IfThenElseZero(mask.m[i], hn::Set(tag, 1.0)), tag,
                  column.data() + (first + i) * hn::Lanes(tag));
    }
}
