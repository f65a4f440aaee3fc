#include "text/format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>

using unctora::text::FmtArg;
using unctora::text::format;
using unctora::text::FormatError;

TEST(Format, Conversions) {
    // A value outlives the table that refers to it, as it does in every real call.
    const std::string b = "b";
    const struct {
        const char* tmpl;
        std::vector<FmtArg> args;
        const char* expected;
    } cases[] = {
        {"%d", {42}, "42"},
        {"%5d|%-5d|%05d", {42, 42, 42}, "   42|42   |00042"},
        {"%+d % d %d", {7, 7, -7}, "+7  7 -7"},
        {"%.3d", {7}, "007"},
        {"%.2f", {3.14159}, "3.14"},
        {"%.0f", {140.5}, "140"}, // exact tie: to even
        {"%.0f", {141.5}, "142"},
        {"%.2f", {0.125}, "0.12"},
        {"%.2f", {0.375}, "0.38"},
        {"%.1f", {0.05}, "0.1"},  // 0.05 is slightly above the tie in binary
        {"%f", {1.5}, "1.500000"},
        {"%8.2f|%-8.2f|%08.2f", {-3.14159, 3.14159, -3.14159}, "   -3.14|3.14    |-0003.14"},
        {"%.*f", {3, 2.0}, "2.000"},
        {"%.*f", {-1, 2.0}, "2.000000"}, // a negative count is no count
        {"%*d", {4, 1}, "   1"},
        {"%.2f", {-0.001}, "-0.00"},
        {"%#.0f", {3.0}, "3."},
        {"%s and %s", {"a", b}, "a and b"},
        {"%5s|%-5s|%.2s", {"ab", "ab", "abc"}, "   ab|ab   |ab"},
        {"%3s|", {"\u00e4"}, "  \u00e4|"}, // widths count characters, not bytes
        {"%.1s", {"\u00e4bc"}, "\u00e4"},
        {"100%% sure", {}, "100% sure"},
        {"no conversions", {1, 2}, "no conversions"}, // surplus values are ignored
        {"%.2f %s", {1e300, "x"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tmpl);
        const std::string out = format(c.tmpl, c.args);
        if (c.expected)
            EXPECT_EQ(out, c.expected);
        else
            EXPECT_EQ(out.size(), 301u + 3 + 2); // 1e300 printed in full, then " x"
    }
}

TEST(Format, DecimalSeparator) {
    EXPECT_EQ(format("%.2f", {3.14159}, ","), "3,14");
    EXPECT_EQ(format("%06.1f", {2.25}, ","), "0002,2");
    EXPECT_EQ(format("%d", {1000}, ","), "1000"); // integers are left alone
    EXPECT_EQ(format("%.2f", {1.5}, "\u066b"), "1\u066b50");
    EXPECT_EQ(unctora::text::fixed(2.345, 1, ","), "2,3");
}

TEST(Format, TemplatesThatDoNotFitTheirValues) {
    const struct {
        const char* tmpl;
        std::vector<FmtArg> args;
        const char* mentions;
    } cases[] = {
        {"%d", {}, "no value"},
        {"%d and %d", {1}, "no value"},
        {"%d", {"text"}, "integer"},
        {"%d", {1.5}, "integer"},
        {"%f", {1}, "floating-point"},
        {"%s", {1}, "text"},
        {"%s", {2.0}, "text"},
        {"%.*f", {1.0, 2.0}, "integer"},
        {"%x", {1}, "unknown conversion"},
        {"%n", {1}, "unknown conversion"},
        {"%ld", {1}, "unknown conversion"},
        {"%0:s", {"a"}, "unknown conversion"},
        {"abc %", {}, "ends inside"},
        {"%5", {1}, "ends inside"},
        {"%99999d", {1}, "larger than"},
        {"%.99999f", {1.0}, "larger than"},
        {"%*d", {100000, 1}, "larger than"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tmpl);
        try {
            format(c.tmpl, c.args);
            ADD_FAILURE() << "no error";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.mentions), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.tmpl), std::string::npos) << e.what();
        }
    }
}

TEST(Format, FixedPointAgreesWithExactRounding) {
    // Small precisions take a fast path; it must agree with the exact conversion on
    // ties, near-ties and negative values.
    std::uint64_t x = 88172645463325252ULL;
    auto next = [&x] {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        return x;
    };
    int mismatches = 0;
    for (int i = 0; i < 50000; ++i) {
        double v;
        switch (i % 3) {
        case 0: v = std::ldexp(static_cast<double>(next() >> 11), -static_cast<int>(next() % 70)); break;
        case 1: v = static_cast<double>(next() % 100000) / 8.0; break; // exact ties
        default: v = std::nextafter(static_cast<double>(next() % 100000) / 1000.0, (i & 1) ? 1e9 : 0);
        }
        if (next() & 1)
            v = -v;
        for (int p = 0; p <= 6; ++p) {
            char buf[400];
            const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, p);
            if (format("%.*f", {p, v}) != std::string(buf, r.ptr))
                ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
}
