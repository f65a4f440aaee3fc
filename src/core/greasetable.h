#pragma once
// The greases: one row per grease, from which the input field's items, the ratings,
// the grease factor, which lubricator takes which grease and the selection chart are
// all derived. Row 0 is "Unspecified", which stands for no particular grease.
//
// A new grease is a row here and its description text (strGrease_ and the chart name
// without blanks) in the language file and the key list.

#include <cstdint>
#include <iterator>
#include <string_view>

namespace unctora::core {

// The grease's column of the selection chart. Colours are six hex digits without
// "#"; the range pattern holds three comma-separated fields (temperature, load,
// speed) with "%s" for the word "to"; the ratings are eight comma-separated symbols.
struct GreaseChartColumn {
    int position = 0; // 1.. in the chart's order; 0: not in the chart
    std::string_view name; // as the chart shows it, "NVGU 2"
    std::string_view strongColour, nameTextColour, lightColour;
    std::string_view rangePattern, ratings;
};

struct GreaseEntry {
    std::string_view name;   // item text and the name in files and the batch output
    double factor = 1.0;     // factor of the corrected interval
    // Suitability by class, one digit per class in class order ('1' suitable):
    // bearing temperature (4), load (4), speed (5).
    std::string_view opTemp, load, speed;
    std::string_view thickener, baseOil;
    std::int32_t viscosity = 0;
    // One digit per lubricator in lubricator order: '1' when it may be filled with it.
    std::string_view lubricators;
    GreaseChartColumn chart;
};

inline constexpr GreaseEntry kGreases[] = {
    {"Unspecified", 1.0, "1111", "0000", "00000", {}, {}, 0, "11111111", {}},
    {"NVKA2", 1.0, "1111", "0011", "10000", "Lithium calcium soap", "mineral oil", 1020, "00000110",
     {12, "NVKA 2", "209775", "FFFFFF", "DEF0EA", "M,VL,H %s VH", "o,-,+,+,+,-,-,+"}},
    {"NVRO2", 1.0, "1111", "0011", "10000", "lithium soap", "mineral oil", 500, "11110010",
     {3, "NVRO 2", "AEB4B7", "0066CC", "EBECED", "M,VL,H %s VH", "o,-,+,+,+,-,-,+"}},
    {"NVTE2", 1.5, "1111", "1110", "01100", "lithium complex soap", "mineral oil", 185, "11111111",
     {4, "NVTE 2", "00CDC4", "FFFFFF", "CCF5F3", "M %s H,L %s M,L %s H", "o,o,o,o,+,-,o,+"}},
    {"NVSU2", 1.7, "1111", "1111", "11100", "complex calcium sulphonate", "mineral oil", 400, "11110111",
     {5, "NVSU 2", "D28700", "FFFFFF", "F4E1BF", "M %s H,VL %s M,L %s VH", "o,+,+,+,+,-,-,+"}},
    {"NVPI1", 1.0, "1111", "0010", "01100", "Lithium soap", "mineral oil", 200, "00000010",
     {13, "NVPI 1", "0066CC", "FFFFFF", "D9E8F7", "L %s M,L %s M,H", "-,-,+,-,+,-,-,+"}},
    {"NVDA2", 1.0, "1111", "0010", "01100", "Lithium soap", "mineral oil", 200, "00000110",
     {10, "NVDA 2", "FF5A00", "FFFFFF", "FFE6D9", "M,L %s M,H", "o,-,o,+,+,-,-,+"}},
    {"NVLO3", 1.0, "1111", "1100", "00100", "Lithium soap", "mineral oil", 120, "00000111",
     {9, "NVLO 3", "5F3A8E", "FFFFFF", "E7E2EE", "M,M,L %s M", "+,o,-,+,-,-,o,o"}},
    {"NVBE2", 1.8, "1111", "1100", "00110", "Di-urea", "mineral oil", 96, "11110111",
     {6, "NVBE 2", "990000", "FFFFFF", "E5BFBF", "M %s H,M %s H,L %s M", "+,-,-,o,o,+,o,+"}},
    {"NVLO2", 1.0, "1111", "1100", "00100", "Lithium soap", "mineral oil", 110, "00000011",
     {8, "NVLO 2", "FFFF00", "000080", "FFFFBF", "M,M,L %s M", "o,-,-,+,-,-,o,+"}},
    {"NVFI2", 1.0, "1111", "1000", "00111", "Lithium soap", "PAO oil", 18, "00000010",
     {11, "NVFI 2", "73A331", "FFFFFF", "EAF1E0", "L %s M,M %s EH,L", "o,-,-,-,o,+,+,o"}},
    {"NVGU2", 0.7, "1110", "0110", "01100", "Lithium-calcium soap", "synthetic ester oil", 110, "01000011",
     {1, "NVGU 2", "008000", "FFFFFF", "BFDFBF", "L %s M,L %s M,M %s H", "o,-,+,+,+,-,o,o"}},
    {"NVHA2", 0.7, "1111", "1100", "00100", "aluminium complex", "medical white oil", 130, "11111111",
     {2, "NVHA 2", "FFFFFF", "0066CC", "FFFFFF", "M,M,L %s M", "o,-,-,-,-,-,o,+"}},
    {"NVPI2", 1.7, "1111", "1110", "01100", "Complex calcium sulphonate", "synthetic PAO oil, mineral oil", 80,
     "01110111", {7, "NVPI 2", "007065", "FFFFFF", "B3D4D1", "L %s M,L %s M,L %s H", "o,o,+,+,+,-,-,+"}},
};
inline constexpr int kGreaseCount = static_cast<int>(std::size(kGreases));

// The columns of the selection chart: every grease with a chart position.
inline constexpr int kChartGreaseCount = [] {
    int n = 0;
    for (const GreaseEntry& g : kGreases)
        n += g.chart.position > 0;
    return n;
}();

namespace greases_detail {
constexpr bool digitsOnly(std::string_view s, std::size_t n) {
    if (s.size() != n)
        return false;
    for (char c : s)
        if (c != '0' && c != '1')
            return false;
    return true;
}
constexpr bool rowsAreSound() {
    for (const GreaseEntry& g : kGreases)
        if (!digitsOnly(g.opTemp, 4) || !digitsOnly(g.load, 4) || !digitsOnly(g.speed, 5) || g.name.empty())
            return false;
    // Every grease fits the lubricators that take any grease.
    for (std::size_t l = 0; l < kGreases[0].lubricators.size(); ++l)
        if (kGreases[0].lubricators[l] != '1')
            return false;
    // The chart positions run 1 .. kChartGreaseCount once each.
    for (int p = 1; p <= kChartGreaseCount; ++p) {
        int n = 0;
        for (const GreaseEntry& g : kGreases)
            n += g.chart.position == p;
        if (n != 1)
            return false;
    }
    return true;
}
static_assert(rowsAreSound(), "grease rows: ratings of 4, 4 and 5 digits, chart positions 1..n once each");
} // namespace greases_detail

} // namespace unctora::core
