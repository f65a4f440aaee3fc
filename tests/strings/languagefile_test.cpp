// The shipped language file against the program's key list: the program cannot
// start without this file, and a missing key or a broken placeholder shows up
// only when a user reaches that text.

#include "strings/itemlist.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

using namespace unctora::strings;
using unctora::text::keys::Kind;

const std::string kPath = std::string(UNCTORA_SOURCE_DIR) + "/resources/unctora.sil";

std::string readBytes() {
    std::ifstream in(kPath, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const StringTable& table() {
    static const StringTable t = [] {
        StringTable t;
        EXPECT_TRUE(t.LoadLanguageFile(kPath)) << kPath;
        return t;
    }();
    return t;
}

// The raw value of the first line with this key (exact, upper-cased match as the
// look-up does); nullopt when there is none.
std::optional<std::string> rawValue(std::string_view key) {
    std::string upper(key);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto& ks = table().keys();
    auto it = std::find(ks.begin(), ks.end(), upper);
    if (it == ks.end())
        return std::nullopt;
    const std::string& line = table().lines()[static_cast<std::size_t>(it - ks.begin())];
    return line.substr(line.find('=') + 1);
}

std::string numberedKey(std::string_view key, int n) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "_%.2d", n);
    return std::string(key) + suffix;
}

// The text of key in language n (1..11), as the program reads it.
std::string textOf(const unctora::text::keys::KeyInfo& info, int n) {
    const std::string_view lang = kLanguageNames[static_cast<std::size_t>(n - 1)];
    return table().ResolveText(info.key, lang, info.kind == Kind::Numbered ? n : 0);
}

std::vector<std::string> conversions(const std::string& text) {
    static const std::regex spec(R"(%[-+ 0#]*[0-9]*(\.([0-9]+|\*))?[dsf%])");
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), spec); it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

// Kinds of the conversions in the signature notation of keys.h.
std::string signatureOf(const std::vector<std::string>& specs) {
    std::string sig;
    for (const std::string& s : specs) {
        if (s == "%%")
            continue;
        if (s.find(".*f") != std::string::npos)
            sig += 'q';
        else
            sig += s.back();
    }
    return sig;
}

std::u32string decode(const std::string& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
        for (int k = 1; k < len && i + static_cast<std::size_t>(k) < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
        out.push_back(cp);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

// Texts that are meant to read the same in every language: the names of the
// languages in their own script, the English title in the font window, units.
const std::set<std::string_view> kSameInEveryLanguage = {
    "strEnglish", "strGerman", "strFrench",     "strItalian", "strSwedish", "strSpanish",
    "strChinese", "strThai",   "strRussian",    "strPortuguese", "strJapanese",
    "strSelFont_UK", "strSelChartHeadCount", "strGram", "stroz", "strDegC", "strDegF",
};

TEST(LanguageFile, IsUtf8WithHeaderAndCrLfLines) {
    const std::string bytes = readBytes();
    ASSERT_FALSE(bytes.empty()) << kPath;
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(bytes.substr(3, 11), "[Strings]\r\n");
    EXPECT_EQ(toValidUtf8(bytes), bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        } else if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    std::set<std::string> seen;
    for (const std::string& k : table().keys())
        EXPECT_TRUE(seen.insert(k).second) << "duplicate key " << k;
}

TEST(LanguageFile, HoldsEveryKeyInElevenLanguages) {
    for (const unctora::text::keys::KeyInfo& info : unctora::text::keys::allKeys()) {
        SCOPED_TRACE(std::string(info.key));
        if (info.kind == Kind::Column) {
            const auto value = rawValue(info.key);
            ASSERT_TRUE(value) << "missing";
            EXPECT_EQ(std::count(value->begin(), value->end(), '~'), kLanguageCount - 1);
        } else {
            EXPECT_FALSE(rawValue(info.key)) << "a numbered text needs no column entry";
            for (int n = 1; n <= kLanguageCount; ++n)
                EXPECT_TRUE(rawValue(numberedKey(info.key, n))) << "missing _" << n;
        }
        for (int n = 1; n <= kLanguageCount; ++n) {
            const std::string text = textOf(info, n);
            EXPECT_FALSE(text.empty()) << kLanguageNames[static_cast<std::size_t>(n - 1)];
            EXPECT_EQ(text.find('\r'), std::string::npos);
            EXPECT_NE(text, notFoundMarker(info.key));
        }
    }
}

TEST(LanguageFile, TranslationsTakeTheSameValuesAsTheProgramPasses) {
    for (const unctora::text::keys::KeyInfo& info : unctora::text::keys::allKeys()) {
        SCOPED_TRACE(std::string(info.key));
        const auto english = conversions(textOf(info, 1));
        EXPECT_EQ(signatureOf(english), info.signature);
        for (int n = 2; n <= kLanguageCount; ++n)
            EXPECT_EQ(conversions(textOf(info, n)), english)
                << kLanguageNames[static_cast<std::size_t>(n - 1)];
    }
}

TEST(LanguageFile, ItemListsAndChartTextsKeepTheirShape) {
    for (int n = 1; n <= kLanguageCount; ++n) {
        SCOPED_TRACE(std::string(kLanguageNames[static_cast<std::size_t>(n - 1)]));
        for (const unctora::text::keys::KeyInfo& info : unctora::text::keys::allKeys()) {
            if (info.items > 0) {
                const auto items = parseItemList(textOf(info, n));
                EXPECT_EQ(items.size(), static_cast<std::size_t>(info.items)) << info.key;
                for (const std::string& item : items)
                    EXPECT_FALSE(item.empty()) << info.key;
            }
            // The chart shows a description as four rows split at its commas.
            if (info.key.starts_with("strGrease_")) {
                const std::string text = textOf(info, n);
                EXPECT_EQ(std::count(text.begin(), text.end(), ','), 3) << info.key << ": " << text;
            }
        }
        EXPECT_EQ(textOf(*unctora::text::keys::findKey(unctora::text::keys::strSelChartHeadCount), n),
                  std::to_string(unctora::text::keys::kSelChartHeadRows));
    }
}

TEST(LanguageFile, EveryLanguageIsReallyTranslated) {
    // Characters a text in that language cannot do without.
    const std::map<int, std::pair<char32_t, char32_t>> script = {
        {7, {0x4E00, 0x9FFF}}, {8, {0x0E00, 0x0E7F}}, {9, {0x0400, 0x04FF}}, {11, {0x3040, 0x9FFF}}};
    for (int n = 2; n <= kLanguageCount; ++n) {
        SCOPED_TRACE(std::string(kLanguageNames[static_cast<std::size_t>(n - 1)]));
        int texts = 0, sameAsEnglish = 0, withoutScript = 0;
        for (const unctora::text::keys::KeyInfo& info : unctora::text::keys::allKeys()) {
            const std::string english = textOf(info, 1);
            // Model names, numbers and units may stay as they are.
            if (kSameInEveryLanguage.contains(info.key) ||
                !std::regex_search(english, std::regex("[a-z]{4}")))
                continue;
            ++texts;
            const std::string text = textOf(info, n);
            if (text == english)
                ++sameAsEnglish;
            if (auto range = script.find(n); range != script.end()) {
                const std::u32string cps = decode(text);
                if (std::none_of(cps.begin(), cps.end(), [&](char32_t c) {
                        return c >= range->second.first && c <= range->second.second;
                    }))
                    ++withoutScript;
            }
        }
        ASSERT_GT(texts, 150);
        EXPECT_LE(sameAsEnglish * 20, texts) << sameAsEnglish << " of " << texts << " texts are English";
        EXPECT_LE(withoutScript * 20, texts) << withoutScript << " of " << texts << " texts lack the script";
    }
}

TEST(LanguageFile, EachLanguageWritesItsDecimalNumbersWithAPoint) {
    // The look-ups turn the point into the separator of the user's locale, as the
    // computed numbers have it; a comma written here would stay a comma beside them.
    static const std::regex number(R"((?:^|[^\d.,%])(\d+)([.,])(\d+)(?![.,]?\d))");
    for (int n = 1; n <= kLanguageCount; ++n) {
        SCOPED_TRACE(std::string(kLanguageNames[static_cast<std::size_t>(n - 1)]));
        for (const unctora::text::keys::KeyInfo& info : unctora::text::keys::allKeys()) {
            const std::string text = textOf(info, n);
            for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
                EXPECT_EQ((*it)[2].str(), ".") << info.key << ": " << (*it)[0].str();
        }
    }
}

TEST(LanguageFile, TermsReadAsTechniciansUseThem) {
    // A word that means something else to the trade, and what the texts say instead.
    const struct {
        int language;
        std::string_view key; // empty: every text of the language
        std::string wrong;
        std::string right;    // what the key's text holds (with a key only)
    } cases[] = {
        {3, "strLubricator", "", "Graisseur automatique"},
        {7, "", "注油器", ""},
        {7, "strLubricator", "", "注脂器"},
        {7, "strAverage", "一般", "平均"},
        {9, "", "пересмаз", ""},
        {9, "strTf", "", "повторного смазывания"},
        {5, "strDispRate", "Doseringsmängd", "Doseringsflöde"},
        {11, "", "給脂量", ""},
        {11, "strQf", "", "給脂速度"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(kLanguageNames[static_cast<std::size_t>(c.language - 1)]) + " " +
                     (c.wrong.empty() ? c.right : c.wrong));
        for (const unctora::text::keys::KeyInfo& info : unctora::text::keys::allKeys()) {
            if (!c.key.empty() && info.key != c.key)
                continue;
            const std::string text = textOf(info, c.language);
            if (!c.wrong.empty()) {
                EXPECT_EQ(text.find(c.wrong), std::string::npos) << info.key << ": " << text;
            }
            if (!c.right.empty()) {
                EXPECT_NE(text.find(c.right), std::string::npos) << info.key << ": " << text;
            }
        }
    }
    // "Graisseur" alone is a grease nipple: every French text says which it is.
    static const std::regex bare("[Gg]raisseurs?(?!s| automatique)");
    for (const unctora::text::keys::KeyInfo& info : unctora::text::keys::allKeys())
        EXPECT_FALSE(std::regex_search(textOf(info, 3), bare)) << info.key << ": " << textOf(info, 3);
}

} // namespace
