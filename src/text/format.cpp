#include "text/format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace unctora::text {

namespace {

constexpr int kMaxWidth = 1000; // widths and precisions beyond this are template faults

struct Spec {
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = 0;
    int precision = -1; // -1: none given
};

std::size_t codePoints(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

// Byte length of the first n code points of s.
std::size_t prefixBytes(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    while (i < s.size() && n > 0) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            ++i;
        --n;
    }
    return i;
}

// "%.Nf" of |v| for the common small cases, exactly as to_chars gives it: the exact
// binary value times 10^N rounded to the nearest integer, ties to even. Returns the
// length written, or 0 when the case is not a small one.
__extension__ typedef unsigned __int128 uint128;

std::size_t smallFixed(double v, int prec, char* out) {
    static constexpr std::uint64_t kPow10[] = {1, 10, 100, 1000, 10000};
    if (prec > 4 || !(v < 1e15))
        return 0;
    std::uint64_t q = 0;
    if (v > 0) {
        // v = m / 2^shift exactly, read from the bits (shift >= 4 below 1e15).
        std::uint64_t bitsOf;
        std::memcpy(&bitsOf, &v, sizeof v);
        const int biased = static_cast<int>(bitsOf >> 52);
        std::uint64_t m = bitsOf & ((std::uint64_t(1) << 52) - 1);
        int shift;
        if (biased == 0) {
            shift = 1074; // subnormal
        } else {
            m |= std::uint64_t(1) << 52;
            shift = 1075 - biased;
        }
        const uint128 n = static_cast<uint128>(m) * kPow10[prec];
        if (shift < 127) {
            const uint128 one = 1;
            const uint128 rem = n & ((one << shift) - 1);
            const uint128 half = one << (shift - 1);
            q = static_cast<std::uint64_t>(n >> shift);
            if (rem > half || (rem == half && (q & 1)))
                ++q;
        }
    }
    char tmp[32];
    auto r = std::to_chars(tmp, tmp + sizeof tmp, q);
    std::size_t len = r.ptr - tmp;
    // At least one integer digit before the decimals.
    std::size_t pad = len <= static_cast<std::size_t>(prec) ? prec + 1 - len : 0;
    std::size_t o = 0;
    const std::size_t intDigits = len + pad - prec;
    for (std::size_t i = 0; i < len + pad; ++i) {
        if (i == intDigits)
            out[o++] = '.';
        out[o++] = i < pad ? '0' : tmp[i - pad];
    }
    return o;
}

class Formatter {
public:
    Formatter(std::string& out, std::string_view tmpl, std::span<const FmtArg> args,
              std::string_view sep)
        : m_out(out), m_tmpl(tmpl), m_args(args), m_sep(sep) {}

    void run() {
        std::size_t i = 0;
        while (i < m_tmpl.size()) {
            std::size_t pct = m_tmpl.find('%', i);
            if (pct == std::string_view::npos) {
                m_out.append(m_tmpl.substr(i));
                return;
            }
            m_out.append(m_tmpl.substr(i, pct - i));
            i = conversion(pct);
        }
    }

private:
    [[noreturn]] void fail(std::size_t pos, const std::string& what) const {
        throw FormatError("Format error at position " + std::to_string(pos + 1) + " of \"" +
                          std::string(m_tmpl) + "\": " + what);
    }

    const FmtArg& nextArg(std::size_t pos) {
        if (m_next >= m_args.size())
            fail(pos, "no value left for this conversion");
        return m_args[m_next++];
    }

    static const char* kindName(const FmtArg& a) {
        switch (a.value().index()) {
        case 0: return "an integer";
        case 1: return "a floating-point number";
        default: return "a text";
        }
    }

    std::int64_t intArg(std::size_t pos, const char* what) {
        const FmtArg& a = nextArg(pos);
        if (auto p = std::get_if<std::int64_t>(&a.value()))
            return *p;
        fail(pos, std::string(what) + " needs an integer, got " + kindName(a));
    }

    int readNumber(std::size_t& i, std::size_t pos) {
        long v = 0;
        while (i < m_tmpl.size() && m_tmpl[i] >= '0' && m_tmpl[i] <= '9') {
            v = v * 10 + (m_tmpl[i] - '0');
            if (v > kMaxWidth)
                fail(pos, "width or precision larger than " + std::to_string(kMaxWidth));
            ++i;
        }
        return static_cast<int>(v);
    }

    std::size_t conversion(std::size_t pos) {
        std::size_t i = pos + 1;
        if (i < m_tmpl.size() && m_tmpl[i] == '%') {
            m_out.push_back('%');
            return i + 1;
        }
        Spec s;
        for (; i < m_tmpl.size(); ++i) {
            char c = m_tmpl[i];
            if (c == '-') s.left = true;
            else if (c == '+') s.plus = true;
            else if (c == ' ') s.space = true;
            else if (c == '0') s.zero = true;
            else if (c == '#') s.alt = true;
            else break;
        }
        if (i < m_tmpl.size() && m_tmpl[i] == '*') {
            std::int64_t w = intArg(pos, "the width \"*\"");
            if (w < 0) {
                s.left = true;
                w = -w;
            }
            if (w > kMaxWidth)
                fail(pos, "width larger than " + std::to_string(kMaxWidth));
            s.width = static_cast<int>(w);
            ++i;
        } else {
            s.width = readNumber(i, pos);
        }
        if (i < m_tmpl.size() && m_tmpl[i] == '.') {
            ++i;
            if (i < m_tmpl.size() && m_tmpl[i] == '*') {
                std::int64_t p = intArg(pos, "the precision \"*\"");
                if (p > kMaxWidth)
                    fail(pos, "precision larger than " + std::to_string(kMaxWidth));
                s.precision = p < 0 ? -1 : static_cast<int>(p);
                ++i;
            } else {
                s.precision = readNumber(i, pos);
            }
        }
        if (i >= m_tmpl.size())
            fail(pos, "the template ends inside a conversion");
        char conv = m_tmpl[i];
        switch (conv) {
        case 'd': integer(pos, s); break;
        case 'f': floating(pos, s); break;
        case 's': text(pos, s); break;
        default: fail(pos, std::string("unknown conversion \"%") + conv + "\"");
        }
        return i + 1;
    }

    void pad(std::string_view body, std::size_t bodyChars, const Spec& s) {
        std::size_t fill = s.width > static_cast<int>(bodyChars) ? s.width - bodyChars : 0;
        if (fill && !s.left)
            m_out.append(fill, ' ');
        m_out.append(body);
        if (fill && s.left)
            m_out.append(fill, ' ');
    }

    // sign + digits, zero-padded to the width when asked (after the sign).
    void number(std::string_view sign, std::string_view digits, std::size_t digitChars,
                const Spec& s, bool zeroAllowed) {
        std::size_t len = sign.size() + digitChars;
        if (s.zero && !s.left && zeroAllowed && s.width > static_cast<int>(len)) {
            m_out.append(sign);
            m_out.append(s.width - len, '0');
            m_out.append(digits);
            return;
        }
        const std::size_t fill = s.width > static_cast<int>(len) ? s.width - len : 0;
        if (fill && !s.left)
            m_out.append(fill, ' ');
        if (!sign.empty())
            m_out.append(sign);
        m_out.append(digits);
        if (fill && s.left)
            m_out.append(fill, ' ');
    }

    void integer(std::size_t pos, const Spec& s) {
        std::int64_t v = intArg(pos, "\"%d\"");
        char buf[32];
        std::uint64_t mag = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        auto r = std::to_chars(buf, buf + sizeof buf, mag);
        std::string_view digits(buf, r.ptr - buf);
        char padded[kMaxWidth + 32];
        if (s.precision >= 0) {
            if (s.precision == 0 && mag == 0) {
                digits = {};
            } else if (static_cast<int>(digits.size()) < s.precision) {
                const std::size_t zeros = s.precision - digits.size();
                std::memset(padded, '0', zeros);
                std::memcpy(padded + zeros, digits.data(), digits.size());
                digits = std::string_view(padded, zeros + digits.size());
            }
        }
        const char* sign = v < 0 ? "-" : s.plus ? "+" : s.space ? " " : "";
        number(sign, digits, digits.size(), s, s.precision < 0);
    }

    void floating(std::size_t pos, const Spec& s) {
        const FmtArg& a = nextArg(pos);
        auto p = std::get_if<double>(&a.value());
        if (!p)
            fail(pos, std::string("\"%f\" needs a floating-point number, got ") + kindName(a));
        double v = *p;
        const char* sign = std::signbit(v) ? "-" : s.plus ? "+" : s.space ? " " : "";
        if (!std::isfinite(v)) {
            std::string_view t = std::isnan(v) ? "nan" : "inf";
            number(sign, t, t.size(), s, false);
            return;
        }
        int prec = s.precision < 0 ? 6 : s.precision;
        // Up to 309 integer digits, the point and the decimals.
        char stackBuf[400];
        std::string heapBuf;
        char* buf = stackBuf;
        std::size_t cap = sizeof stackBuf;
        if (prec > 80) {
            heapBuf.resize(320 + prec);
            buf = heapBuf.data();
            cap = heapBuf.size();
        }
        std::string_view digits;
        if (std::size_t n = smallFixed(std::fabs(v), prec, buf)) {
            digits = std::string_view(buf, n);
        } else {
            auto r = std::to_chars(buf, buf + cap, std::fabs(v), std::chars_format::fixed, prec);
            digits = std::string_view(buf, r.ptr - buf);
        }
        std::size_t chars = digits.size();
        std::string withSep;
        if (prec == 0 && s.alt) {
            withSep.assign(digits);
            withSep.push_back('.');
            ++chars;
            digits = withSep;
        }
        if (m_sep != ".") {
            std::size_t dot = digits.find('.');
            if (dot != std::string_view::npos) {
                withSep.assign(digits);
                withSep.replace(dot, 1, m_sep);
                digits = withSep;
            }
        }
        number(sign, digits, chars, s, true);
    }

    void text(std::size_t pos, const Spec& s) {
        const FmtArg& a = nextArg(pos);
        auto p = std::get_if<std::string_view>(&a.value());
        if (!p)
            fail(pos, std::string("\"%s\" needs a text, got ") + kindName(a));
        std::string_view t = *p;
        if (s.precision >= 0)
            t = t.substr(0, prefixBytes(t, s.precision));
        pad(t, codePoints(t), s);
    }

    std::string& m_out;
    std::string_view m_tmpl;
    std::span<const FmtArg> m_args;
    std::string_view m_sep;
    std::size_t m_next = 0;
};

} // namespace

void formatTo(std::string& out, std::string_view tmpl, std::span<const FmtArg> args,
              std::string_view decimalSeparator) {
    Formatter(out, tmpl, args, decimalSeparator).run();
}

std::string format(std::string_view tmpl, std::span<const FmtArg> args,
                   std::string_view decimalSeparator) {
    std::string out;
    if (tmpl.size() > 15)
        out.reserve(tmpl.size() + 16);
    formatTo(out, tmpl, args, decimalSeparator);
    return out;
}

std::string fixed(double v, int decimals, std::string_view decimalSeparator) {
    char buf[40];
    if (std::isfinite(v) && decimals >= 0) {
        buf[0] = '-';
        const std::size_t sign = std::signbit(v) ? 1 : 0;
        if (std::size_t n = smallFixed(std::fabs(v), decimals, buf + sign)) {
            std::string out(buf, n + sign);
            if (decimalSeparator != "." && decimals > 0)
                out.replace(out.size() - decimals - 1, 1, decimalSeparator);
            return out;
        }
    }
    const FmtArg args[] = {decimals, v};
    return format("%.*f", args, decimalSeparator);
}

} // namespace unctora::text
