#include "strings/format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace unctora::strings {

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
        if (!s.left)
            m_out.append(fill, ' ');
        m_out.append(body);
        if (s.left)
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
        std::string body(sign);
        body.append(digits);
        pad(body, len, s);
    }

    void integer(std::size_t pos, const Spec& s) {
        std::int64_t v = intArg(pos, "\"%d\"");
        char buf[32];
        std::uint64_t mag = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        auto r = std::to_chars(buf, buf + sizeof buf, mag);
        std::string digits(buf, r.ptr);
        if (s.precision >= 0) {
            if (s.precision == 0 && mag == 0)
                digits.clear();
            else if (static_cast<int>(digits.size()) < s.precision)
                digits.insert(0, s.precision - digits.size(), '0');
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
        std::string digits(340 + prec, '\0');
        auto r = std::to_chars(digits.data(), digits.data() + digits.size(), std::fabs(v),
                               std::chars_format::fixed, prec);
        digits.resize(r.ptr - digits.data());
        std::size_t chars = digits.size();
        if (prec == 0 && s.alt) {
            digits.push_back('.');
            ++chars;
        }
        if (m_sep != ".") {
            std::size_t dot = digits.find('.');
            if (dot != std::string::npos)
                digits.replace(dot, 1, m_sep);
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
    out.reserve(tmpl.size() + 16);
    formatTo(out, tmpl, args, decimalSeparator);
    return out;
}

std::string fixed(double v, int decimals, std::string_view decimalSeparator) {
    const FmtArg args[] = {decimals, v};
    return format("%.*f", args, decimalSeparator);
}

} // namespace unctora::strings
