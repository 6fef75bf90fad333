#include "sun/SunMath.h"

#include <bit>
#include <cstdint>

namespace velmora::sunmath {
namespace {

// ---- double-double arithmetic: a value held as the unevaluated sum hi + lo.
// Every step is plain IEEE double arithmetic (the build forbids contraction
// into fused multiply-add), so both builds round every operation alike.

struct DD {
    double hi;
    double lo;
};

DD twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// Requires |a| >= |b| (or a == 0).
DD fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// Veltkamp's split into two halves of 26 bits each.
void split(double a, double& hi, double& lo) {
    const double t = 134217729.0 * a;
    hi = t - (t - a);
    lo = a - hi;
}

// Dekker's exact product.
DD twoProd(double a, double b) {
    const double p = a * b;
    double ah, al, bh, bl;
    split(a, ah, al);
    split(b, bh, bl);
    return {p, (((ah * bh - p) + ah * bl) + al * bh) + al * bl};
}

DD neg(DD a) { return {-a.hi, -a.lo}; }

DD add(DD a, DD b) {
    DD s = twoSum(a.hi, b.hi);
    const DD t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = fastTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return fastTwoSum(s.hi, s.lo);
}

DD add(DD a, double b) {
    DD s = twoSum(a.hi, b);
    s.lo += a.lo;
    return fastTwoSum(s.hi, s.lo);
}

DD mul(DD a, DD b) {
    DD p = twoProd(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return fastTwoSum(p.hi, p.lo);
}

DD mul(DD a, double b) {
    DD p = twoProd(a.hi, b);
    p.lo += a.lo * b;
    return fastTwoSum(p.hi, p.lo);
}

DD div(DD a, DD b) {
    const double q1 = a.hi / b.hi;
    const DD r = add(a, neg(mul(b, q1)));
    return fastTwoSum(q1, r.hi / b.hi);
}

// The cheaper sum for terms that cannot cancel (|b| well below |a|, or of
// the same sign): the series steps below.
DD addSmall(DD a, DD b) {
    DD s = twoSum(a.hi, b.hi);
    s.lo += a.lo + b.lo;
    return fastTwoSum(s.hi, s.lo);
}

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }
int biasedExponent(double x) { return static_cast<int>((bitsOf(x) >> 52) & 0x7FF); }
double absolute(double x) { return std::bit_cast<double>(bitsOf(x) & 0x7FFFFFFFFFFFFFFFull); }
// 2^k for a k in the normal range, built exactly.
double pow2(int k) { return std::bit_cast<double>(static_cast<std::uint64_t>(1023 + k) << 52); }

// ---- constants

const DD kPio2 = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};  // pi/2
const double kPio4 = 0x1.921fb54442d18p-1;
const double kInvPio2 = 0x1.45f306dc9c883p-1;  // 2/pi
// pi/2 in pieces of 33 bits (so that n * piece is exact for n < 2^20) and
// the remainder after each piece.
const double kPio2_1 = 0x1.921fb544p+0;
const double kPio2_1t = 0x1.0b4611a626331p-34;
const double kPio2_2 = 0x1.0b4611a6p-34;
const double kPio2_2t = 0x1.3198a2e037073p-69;
const double kPio2_3 = 0x1.3198a2ep-69;
const double kPio2_3t = 0x1.b839a252049c1p-104;
// Beyond this the quadrant count no longer fits the exact products above.
const double kMediumLimit = 0x1.921fb54442d18p+19;

// The binary digits of 2/pi after the point, 32 to a word.
constexpr int kTwoOverPiWords = 40;
const std::uint32_t kTwoOverPi[kTwoOverPiWords] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041,
    0xFE5163AB, 0xDEBBC561, 0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C,
    0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484, 0xE99C7026, 0xB45F7E41,
    0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D,
    0x7527BAC7, 0xEBE5F17B, 0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08,
    0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D,
};

// ---- argument reduction: x = n * pi/2 + r with |r| <= pi/4 (a hair more
// when n was rounded the other way), r as a double-double.

struct Reduced {
    int quadrant;  // n mod 4
    DD r;
};

// Cody-Waite with two or three pieces of pi/2, the further pieces taken
// only when the earlier ones cancelled many leading bits.
Reduced reduceMedium(double ax) {
    const double fn = (ax * kInvPio2 + 0x1.8p52) - 0x1.8p52;  // nearest integer
    const int n = static_cast<int>(fn);
    double r = ax - fn * kPio2_1;  // exact
    double w = fn * kPio2_1t;
    double y0 = r - w;
    const int top = biasedExponent(ax);
    if (top - biasedExponent(y0) > 10) {
        const DD s2 = twoSum(r, -(fn * kPio2_2));
        r = s2.hi;
        w = fn * kPio2_2t - s2.lo;
        y0 = r - w;
        if (top - biasedExponent(y0) > 40) {
            const DD s3 = twoSum(r, -(fn * kPio2_3));
            r = s3.hi;
            w = fn * kPio2_3t - (s3.lo + s2.lo);
            y0 = r - w;
        }
    }
    const double y1 = (r - y0) - w;
    return {n & 3, {y0, y1}};
}

// 32 bits of 2/pi starting at bit position pos (1 is the first bit after
// the point); positions before the point are 0.
std::uint32_t twoOverPiBits(int pos) {
    const int index = pos - 1;
    auto word = [](int i) -> std::uint64_t { return i >= 0 && i < kTwoOverPiWords ? kTwoOverPi[i] : 0; };
    if (index >= 0) {
        const int w = index / 32, shift = index % 32;
        if (shift == 0) return static_cast<std::uint32_t>(word(w));
        return static_cast<std::uint32_t>((word(w) << shift) | (word(w + 1) >> (32 - shift)));
    }
    if (index <= -32) return 0;
    return static_cast<std::uint32_t>(word(0) >> -index);
}

// 64 bits of a bit string held in words (most significant first), starting
// at bit pos (0 is the top bit of words[0]); zeros past the end.
template <int N>
std::uint64_t bitsAt(const std::uint32_t (&words)[N], int pos) {
    auto word = [&](int i) -> std::uint64_t { return i < N ? words[i] : 0; };
    const int w = pos / 32, shift = pos % 32;
    const std::uint64_t top = (word(w) << 32) | word(w + 1);
    if (shift == 0) return top;
    return (top << shift) | (word(w + 2) >> (32 - shift));
}

// Payne-Hanek: with ax = m * 2^e, only the bits of 2/pi from position
// e - 1 onward matter modulo 4, so ax * 2/pi mod 4 = 4 * frac(m * G) where
// G holds those bits. 224 bits of G leave more than 150 correct bits of the
// remainder, more than any double needs (the worst cancellation costs about
// 61 bits).
Reduced reduceLarge(double ax) {
    constexpr int K = 7;
    const std::uint64_t b = bitsOf(ax);
    const int e = static_cast<int>(b >> 52) - 1075;
    const std::uint64_t m = (b & 0xFFFFFFFFFFFFFull) | (1ull << 52);
    std::uint32_t g[K];
    for (int k = 0; k < K; ++k) g[k] = twoOverPiBits(e - 1 + 32 * k);

    // m * G as words of 32 bits: acc[0], acc[1] before the point.
    std::uint64_t acc[K + 2] = {};
    const std::uint64_t mh = m >> 32, ml = m & 0xFFFFFFFFu;
    for (int j = 0; j < K; ++j) {
        const std::uint64_t lo = ml * g[j];
        acc[j + 2] += lo & 0xFFFFFFFFu;
        acc[j + 1] += lo >> 32;
        const std::uint64_t hi = mh * g[j];
        acc[j + 1] += hi & 0xFFFFFFFFu;
        acc[j] += hi >> 32;
    }
    for (int i = K + 1; i > 0; --i) {
        acc[i - 1] += acc[i] >> 32;
        acc[i] &= 0xFFFFFFFFu;
    }
    // The fraction times 4: the top two bits are the quadrant.
    std::uint32_t f[K];
    for (int i = 0; i < K; ++i) {
        const std::uint64_t cur = acc[i + 2];
        const std::uint64_t next = i + 3 < K + 2 ? acc[i + 3] : 0;
        f[i] = static_cast<std::uint32_t>(((cur << 2) | (next >> 30)) & 0xFFFFFFFFu);
    }
    int n = static_cast<int>((acc[2] >> 30) & 3);
    bool negative = false;
    if (f[0] & 0x80000000u) {  // nearer the next quadrant: r = -(1 - f)
        ++n;
        negative = true;
        std::uint64_t borrow = 0;
        for (int i = K - 1; i >= 0; --i) {
            const std::uint64_t d = 0x100000000ull - f[i] - borrow;
            f[i] = static_cast<std::uint32_t>(d & 0xFFFFFFFFu);
            borrow = (d >> 32) ? 0 : 1;
        }
    }
    int lead = 0;
    while (lead < 32 * K && !(f[lead / 32] & (0x80000000u >> (lead % 32)))) ++lead;
    if (lead == 32 * K) return {n & 3, {0.0, 0.0}};
    const std::uint64_t a = bitsAt(f, lead);
    const std::uint64_t c = bitsAt(f, lead + 64);
    const double hiPart = static_cast<double>(a >> 11) * pow2(-(lead + 53));
    const double loPart = static_cast<double>(((a & 0x7FFu) << 42) | (c >> 22)) * pow2(-(lead + 106));
    DD r = mul(fastTwoSum(hiPart, loPart), kPio2);
    if (negative) r = neg(r);
    return {n & 3, r};
}

Reduced reduce(double x) {
    const double ax = absolute(x);
    Reduced red;
    if (ax <= kPio4)
        red = {0, {ax, 0.0}};
    else if (ax < kMediumLimit)
        red = reduceMedium(ax);
    else
        red = reduceLarge(ax);
    if (x < 0) red = {(4 - red.quadrant) & 3, neg(red.r)};
    return red;
}

// ---- kernels on |r| <= pi/4: Taylor series, the leading terms in
// double-double, the small tail in double.

const DD kSin3 = {-0x1.5555555555555p-3, -0x1.5555555555555p-57};
const DD kSin5 = {0x1.1111111111111p-7, 0x1.1111111111111p-63};
const DD kSin7 = {-0x1.a01a01a01a01ap-13, -0x1.a01a01a01a01ap-73};
const double kSinTail[] = {
    0x1.3f3ccdd165fa9p-84,   // 1/25!
    -0x1.761b41316381ap-75,  // -1/23!
    0x1.71b8ef6dcf572p-66,   // 1/21!
    -0x1.2f49b46814157p-57,  // -1/19!
    0x1.952c77030ad4ap-49,   // 1/17!
    -0x1.ae7f3e733b81fp-41,  // -1/15!
    0x1.6124613a86d09p-33,   // 1/13!
    -0x1.ae64567f544e4p-26,  // -1/11!
    0x1.71de3a556c734p-19,   // 1/9!
};
const DD kCos4 = {0x1.5555555555555p-5, 0x1.5555555555555p-59};
const DD kCos6 = {-0x1.6c16c16c16c17p-10, 0x1.f49f49f49f49fp-65};
const DD kCos8 = {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76};
const double kCosTail[] = {
    0x1.f2cf01972f578p-80,   // 1/24!
    -0x1.0ce396db7f853p-70,  // -1/22!
    0x1.e542ba4020225p-62,   // 1/20!
    -0x1.6827863b97d97p-53,  // -1/18!
    0x1.ae7f3e733b81fp-45,   // 1/16!
    -0x1.93974a8c07c9dp-37,  // -1/14!
    0x1.1eed8eff8d898p-29,   // 1/12!
    -0x1.27e4fb7789f5cp-22,  // -1/10!
};

DD square(DD r) {
    DD z = twoProd(r.hi, r.hi);
    z.lo += 2.0 * r.hi * r.lo;
    return fastTwoSum(z.hi, z.lo);
}

DD sinKernel(DD r) {
    const DD z = square(r);
    double t = 0.0;
    for (double c : kSinTail) t = c + z.hi * t;
    DD p = addSmall(kSin7, mul(z, t));
    p = addSmall(kSin5, mul(z, p));
    p = addSmall(kSin3, mul(z, p));
    return addSmall(r, mul(r, mul(z, p)));
}

DD cosKernel(DD r) {
    const DD z = square(r);
    double t = 0.0;
    for (double c : kCosTail) t = c + z.hi * t;
    DD p = addSmall(kCos8, mul(z, t));
    p = addSmall(kCos6, mul(z, p));
    p = addSmall(kCos4, mul(z, p));
    p = add(mul(z, p), -0.5);
    return add(mul(z, p), 1.0);
}

// atan(i/64) for i = 0..64.
const DD kAtanTable[65] = {
    {0x0.0p+0, 0x0.0p+0},  // atan(0/64)
    {0x1.fff555bbb729bp-7, -0x1.220c39d4dff50p-61},  // atan(1/64)
    {0x1.ffd55bba97625p-6, -0x1.5ec431444912cp-60},  // atan(2/64)
    {0x1.7fb818430da2ap-5, -0x1.86ef8f794f105p-63},  // atan(3/64)
    {0x1.ff55bb72cfdeap-5, -0x1.c934d86d23f1dp-60},  // atan(4/64)
    {0x1.3f59f0e7c559dp-4, 0x1.ac4ce285df847p-58},  // atan(5/64)
    {0x1.7ee182602f10fp-4, -0x1.cfb654c0c3d98p-58},  // atan(6/64)
    {0x1.be39ebe6f07c3p-4, 0x1.f7b8f29a05987p-58},  // atan(7/64)
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},  // atan(8/64)
    {0x1.1e1fafb043727p-3, -0x1.b485914dacf8cp-59},  // atan(9/64)
    {0x1.3d6eee8c6626cp-3, 0x1.61a3b0ce9281bp-57},  // atan(10/64)
    {0x1.5c9811e3ec26ap-3, -0x1.054ab2c010f3dp-58},  // atan(11/64)
    {0x1.7b97b4bce5b02p-3, 0x1.347b0b4f881cap-58},  // atan(12/64)
    {0x1.9a6a8e96c8626p-3, 0x1.cf601e7b4348ep-59},  // atan(13/64)
    {0x1.b90d7529260a2p-3, 0x1.17b10d2e0e5abp-61},  // atan(14/64)
    {0x1.d77d5df205736p-3, 0x1.c648d1534597ep-57},  // atan(15/64)
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},  // atan(16/64)
    {0x1.09dc597d86362p-2, 0x1.62e47390cb865p-56},  // atan(17/64)
    {0x1.18bf5a30bf178p-2, 0x1.30ca4748b1bf9p-57},  // atan(18/64)
    {0x1.278372057ef46p-2, -0x1.077cdd36dfc81p-56},  // atan(19/64)
    {0x1.362773707ebccp-2, -0x1.963a544b672d8p-57},  // atan(20/64)
    {0x1.44aa436c2af0ap-2, -0x1.5d5e43c55b3bap-56},  // atan(21/64)
    {0x1.530ad9951cd4ap-2, -0x1.2566480884082p-57},  // atan(22/64)
    {0x1.614840309cfe2p-2, -0x1.a725715711f00p-56},  // atan(23/64)
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},  // atan(24/64)
    {0x1.7d5604b63b3f7p-2, 0x1.69c885c2b249ap-56},  // atan(25/64)
    {0x1.8b24d394a1b25p-2, 0x1.b6d0ba3748fa8p-56},  // atan(26/64)
    {0x1.98cd5454d6b18p-2, 0x1.9e6c988fd0a77p-56},  // atan(27/64)
    {0x1.a64eec3cc23fdp-2, -0x1.24dec1b50b7ffp-56},  // atan(28/64)
    {0x1.b3a911da65c6cp-2, 0x1.ae187b1ca5040p-56},  // atan(29/64)
    {0x1.c0db4c94ec9f0p-2, -0x1.cc1ce70934c34p-56},  // atan(30/64)
    {0x1.cde53432c1351p-2, -0x1.a2cfa4418f1adp-56},  // atan(31/64)
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},  // atan(32/64)
    {0x1.e77eb7f175a34p-2, 0x1.0e53dc1bf3435p-56},  // atan(33/64)
    {0x1.f40dd0b541418p-2, -0x1.a3992dc382a23p-57},  // atan(34/64)
    {0x1.0039c73c1a40cp-1, -0x1.b32c949c9d593p-55},  // atan(35/64)
    {0x1.0657e94db30d0p-1, -0x1.d5b495f6349e6p-56},  // atan(36/64)
    {0x1.0c6145b5b43dap-1, 0x1.974fa13b5404fp-58},  // atan(37/64)
    {0x1.1255d9bfbd2a9p-1, -0x1.2bdaee1c0ee35p-58},  // atan(38/64)
    {0x1.1835a88be7c13p-1, 0x1.c621cec00c301p-55},  // atan(39/64)
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},  // atan(40/64)
    {0x1.23b71e2cc9e6ap-1, 0x1.c421c9f38224ep-57},  // atan(41/64)
    {0x1.2958e59308e31p-1, -0x1.09e73b0c6c087p-56},  // atan(42/64)
    {0x1.2ee628406cbcap-1, 0x1.c5d5e9ff0cf8dp-55},  // atan(43/64)
    {0x1.345f01cce37bbp-1, 0x1.1021137c71102p-55},  // atan(44/64)
    {0x1.39c391cd4171ap-1, -0x1.2304331d8bf46p-55},  // atan(45/64)
    {0x1.3f13fb89e96f4p-1, 0x1.ecf8b492644f0p-56},  // atan(46/64)
    {0x1.445065b795b56p-1, -0x1.f76d0163f79c8p-56},  // atan(47/64)
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},  // atan(48/64)
    {0x1.4e8de5bb6ec04p-1, 0x1.4a33dbeb3796cp-55},  // atan(49/64)
    {0x1.538f57b89061fp-1, -0x1.1bb74abda520cp-55},  // atan(50/64)
    {0x1.587d81f732fbbp-1, -0x1.5e5c9d8c5a950p-56},  // atan(51/64)
    {0x1.5d58987169b18p-1, 0x1.0028e4bc5e7cap-57},  // atan(52/64)
    {0x1.6220d115d7b8ep-1, -0x1.2b785350ee8c1p-57},  // atan(53/64)
    {0x1.66d663923e087p-1, -0x1.6ea6febe8bbbap-56},  // atan(54/64)
    {0x1.6b798920b3d99p-1, -0x1.a80386188c50ep-55},  // atan(55/64)
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},  // atan(56/64)
    {0x1.748978fba8e0fp-1, 0x1.7b2a6165884a1p-59},  // atan(57/64)
    {0x1.78f6bbd5d315ep-1, 0x1.406a089803740p-55},  // atan(58/64)
    {0x1.7d528289fa093p-1, 0x1.560821e2f3aa9p-55},  // atan(59/64)
    {0x1.819d0b7158a4dp-1, -0x1.bf76229d3b917p-56},  // atan(60/64)
    {0x1.85d69576cc2c5p-1, 0x1.6b66e7fc8b8c3p-57},  // atan(61/64)
    {0x1.89ff5ff57f1f8p-1, -0x1.55b9a5e177a1bp-55},  // atan(62/64)
    {0x1.8e17aa99cc05ep-1, -0x1.ec182ab042f61p-56},  // atan(63/64)
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},  // atan(64/64)
};
const DD kMinusThird = {-0x1.5555555555555p-2, -0x1.5555555555555p-56};
const double kAtanTail[] = {
    0x1.3b13b13b13b14p-4,   // 1/13
    -0x1.745d1745d1746p-4,  // -1/11
    0x1.c71c71c71c71cp-4,   // 1/9
    -0x1.2492492492492p-3,  // -1/7
    0x1.999999999999ap-3,   // 1/5
};

}  // namespace

double sin(double x) {
    const double ax = absolute(x);
    if (!(ax <= 0x1.fffffffffffffp+1023)) return x - x;  // infinity or NaN: NaN
    if (ax < 0x1p-26) return x;
    const Reduced red = reduce(x);
    switch (red.quadrant) {
        case 0: return sinKernel(red.r).hi;
        case 1: return cosKernel(red.r).hi;
        case 2: return -sinKernel(red.r).hi;
        default: return -cosKernel(red.r).hi;
    }
}

double cos(double x) {
    const double ax = absolute(x);
    if (!(ax <= 0x1.fffffffffffffp+1023)) return x - x;
    if (ax < 0x1p-26) return 1.0;
    const Reduced red = reduce(x);
    switch (red.quadrant) {
        case 0: return cosKernel(red.r).hi;
        case 1: return -sinKernel(red.r).hi;
        case 2: return -cosKernel(red.r).hi;
        default: return sinKernel(red.r).hi;
    }
}

// atan(X) = atan(c) + atan((X - c) / (1 + c X)) with c = i/64 nearest to X
// leaves an argument below 1/128 for the series; beyond 1 the identity
// atan(x) = pi/2 - atan(1/x) applies first.
double atan(double x) {
    if (x != x) return x + x;
    const double ax = absolute(x);
    if (ax >= 0x1p66) return x > 0 ? kPio2.hi : -kPio2.hi;
    if (ax < 0x1p-27) return x;
    const bool inverted = ax > 1.0;
    const DD big = inverted ? div({1.0, 0.0}, {ax, 0.0}) : DD{ax, 0.0};
    const int i = static_cast<int>(big.hi * 64.0 + 0.5);
    const double c = i / 64.0;
    const DD t = div(add(big, -c), add(mul(big, c), 1.0));
    const DD z = square(t);
    double tail = 0.0;
    for (double k : kAtanTail) tail = k + z.hi * tail;
    const DD p = add(kMinusThird, z.hi * tail);
    DD a = add(kAtanTable[i], addSmall(t, mul(mul(t, z), p)));
    if (inverted) a = add(kPio2, neg(a));
    return x < 0 ? -a.hi : a.hi;
}

}  // namespace velmora::sunmath
