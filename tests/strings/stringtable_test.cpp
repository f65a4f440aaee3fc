#include "strings/startcheck.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace unctora::strings;
namespace fs = std::filesystem;

namespace {

StringTable tableOf(std::string_view bytes, std::string_view language = "English") {
    StringTable t;
    t.loadFromBytes(bytes);
    t.SetLanguageByName(language);
    return t;
}

// A fresh folder for one test, removed afterwards.
struct TempDir {
    fs::path path = fs::temp_directory_path() /
                    ("unctora_strings_" +
                     std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                     std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
    std::string write(const std::string& name, std::string_view bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
        return (path / name).string();
    }
};

} // namespace

TEST(StringTableParsing, LinesFromBytes) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"empty file", "", {}},
        {"only a byte-order mark", "\xEF\xBB\xBF", {}},
        {"single CR LF is one empty line", "\r\n", {""}},
        {"final line end adds nothing", "a=1\nb=2\n\n", {"a=1", "b=2", ""}},
        {"CR LF, LF and CR mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"byte-order mark skipped once", "\xEF\xBB\xBF\xEF\xBB\xBFx", {"\xEF\xBB\xBFx"}},
        {"byte-order mark only at the start", "a\n\xEF\xBB\xBF" "b", {"a", "\xEF\xBB\xBF" "b"}},
        {"nothing trimmed", "  k = v  \n\tx", {"  k = v  ", "\tx"}},
        {"NUL is an ordinary character", std::string("a\0b=c\0", 6), {std::string("a\0b=c\0", 6)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitLanguageFileLines(c.bytes), c.lines);
    }
}

TEST(StringTableParsing, InvalidUtf8BecomesReplacementCharacters) {
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"valid text unchanged", "a\xC3\xA4\xE4\xB8\xAD\xF0\x9F\x98\x80", "a\xC3\xA4\xE4\xB8\xAD\xF0\x9F\x98\x80"},
        {"stray continuation bytes, one each", "\x80\xBF", fffd + fffd},
        {"truncated 3-byte sequence is one", "\xE4\xB8" "a", fffd + "a"},
        {"truncated at the end", "a\xF0\x9F\x98", "a" + fffd},
        {"overlong 3-byte form", "\xE0\x80\xAF", fffd + fffd + fffd},
        {"surrogate", "\xED\xA0\x80", fffd + fffd + fffd},
        {"above U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
        {"line end inside a sequence ends it", "\xE4\xB8\nx", fffd + "\nx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toValidUtf8(c.in), c.out);
    }
}

TEST(StringTableParsing, HeaderAndKeys) {
    const std::string body = "strA=a~b\r\nSTRb=x=y\r\nno equals sign\r\n\r\n[Strings]\r\n";
    const StringTable with = tableOf("\xEF\xBB\xBF[Strings]\r\n" + body);
    const StringTable without = tableOf(body);
    EXPECT_EQ(with.lines(), without.lines());
    EXPECT_EQ(with.keys(), without.keys());
    EXPECT_EQ(without.keys(),
              (std::vector<std::string>{"STRA", "STRB", "NO EQUALS SIGN", "", "[STRINGS]"}));

    // Only the exact header text is dropped.
    for (const std::string first : {"[strings]", "[Strings] ", " [Strings]"}) {
        SCOPED_TRACE(first);
        EXPECT_EQ(tableOf(first + "\nstrA=a").lines()[0], first);
    }

    // 1200 lines with the header: the editor reports 1199 strings.
    std::string big = "[Strings]\r\n";
    for (int i = 1; i < 1200; ++i)
        big += "strK" + std::to_string(i) + "=t\r\n";
    EXPECT_EQ(loadStatusText(tableOf(big)), "11 languages, 1199 strings");
}

TEST(StringTableLookup, ColumnEntries) {
    struct Case {
        const char* file;
        const char* language;
        const char* key;
        std::string langStr;
        std::string orEmpty;
    };
    const std::vector<Case> cases = {
        {"strX=a~b", "French", "strX", "a", "a"},
        {"strX=a~b", "German", "strX", "b", "b"},
        {"strX=~b", "English", "strX", "\"strX\"?", ""},
        {"strX=~b", "German", "strX", "b", "b"},
        {"strX=-~b", "English", "strX", "\"strX\"?", ""},
        {"strX=a~-", "German", "strX", "\"strX\"?", ""},
        {"strX=a~b~", "French", "strX", "a", "a"},
        {"strX=a=b", "English", "strX", "a=b", "a=b"},
        {"STRX=a", "English", "strX", "a", "a"},
        {"strX", "English", "strX", "\"strX\"?", ""},
        {"strX = a", "English", "strX", "\"strX\"?", "\"strX\"?"},
        {"strX = a", "English", "strX ", " a", " a"},
        {"strX=a\nstrX=b", "English", "strX", "a", "a"},
        {"strX=1~2~3~4~5~6~7~8~9~10~11", "Japanese", "strX", "11", "11"},
        // A column entry missing but present as KEY_01.
        {"strX_01=one", "German", "strX", "one", "one"},
        // All texts empty, KEY_01 exists: both fall back to it.
        {"strX=~\nstrX_01=one", "English", "strX", "one", ""},
        // Non-ASCII letters are not folded.
        {"str\xC3\xA4=a", "English", "str\xC3\x84", "\"str\xC3\x84\"?", "\"str\xC3\x84\"?"},
        {"=empty key", "English", "", "empty key", "empty key"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " / " + c.language + " / " + c.key);
        const StringTable t = tableOf(c.file, c.language);
        EXPECT_EQ(t.LangStr(c.key), c.langStr);
        EXPECT_EQ(t.LangStrOrEmpty(c.key), c.orEmpty);
    }
}

TEST(StringTableLookup, NumberedEntries) {
    struct Case {
        const char* file;
        const char* key;
        int number;
        std::string langStr;
    };
    const std::string w = "strW_01=en\nstrW_02=de\n";
    const std::vector<Case> cases = {
        {w.c_str(), "strW", 2, "de"},
        {w.c_str(), "strW", 1, "en"},
        {w.c_str(), "strW", 3, "en"},
        // "-" is an empty text, so LangStr retries with _01, read whole.
        {"strW_01=en~x\nstrW_03=-\n", "strW", 3, "en~x"},
        {"strW_01=a~b\nstrW_03=\n", "strW", 3, "a"}, // empty: text 1 of _01
        {"strW_02=\n", "strW", 2, "ExcErr: \"strW\""},
        {"strW_02=a~b~c\n", "strW", 2, "a~b~c"},
        {"strW_10=ten\n", "strW", 10, "ten"},
        {"strW_123=many\n", "strW", 123, "many"},
        {"strW_1=one\n", "strW", 1, "\"strW\"?"},
        {"strW_05=\"\"\nstrW_01=en", "strW", 5, "en"},
        {"strW=col\n", "strW", 4, "\"strW\"?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " / " + c.key + " / " + std::to_string(c.number));
        const StringTable t = tableOf(c.file, "Swedish");
        EXPECT_EQ(t.LangStr(c.key, c.number), c.langStr);
    }

    // The basic resolution alone does not retry with number 1.
    const StringTable t = tableOf(w);
    EXPECT_EQ(t.ResolveText("strW", "German", 3), "\"strW\"?");
    EXPECT_EQ(t.ResolveText("strW", "Klingon", 2), "de");
    EXPECT_EQ(t.ResolveText("strW", "English", -1), "\"strW\"?");
    EXPECT_EQ(tableOf("strW_01=en\nstrW_03=-").LangStrOrEmpty("strW", 3), "");
}

TEST(StringTableLookup, NumbersInTextsTakeTheLocalesSeparator) {
    const struct {
        const char* text;
        const char* shown; // with a decimal comma
    } cases[] = {
        {"M12 × 1.5 male, 0.1 bar, 4.5 V", "M12 × 1,5 male, 0,1 bar, 4,5 V"},
        {"-0.37 and 15.64.", "-0,37 and 15,64."},
        {"<td>0.37</td><td width=\"0.5\">", "<td>0,37</td><td width=\"0.5\">"},
        // Conversions, versions, words with digits and sentences stay as they are.
        {"%.2f %5.2f %.*f %% 1.5", "%.2f %5.2f %.*f %% 1,5"},
        {"v06.00 6.0.4.67 Q4.1 B2.5", "v06.00 6.0.4.67 Q4.1 B2.5"},
        {"in 2024. Then 3.", "in 2024. Then 3."},
        {"Fa/Fr < e and dm > 0.8", "Fa/Fr < e and dm > 0,8"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(withDecimalSeparator(c.text, ","), c.shown);
        EXPECT_EQ(withDecimalSeparator(c.text, "."), c.text);
    }
    // The look-ups show it; the lines keep the point.
    StringTable t = tableOf("strX=0.5 l~0.25 l\nstrN_01=1.5 %.1f\n", "German");
    t.setDecimalSeparator(",");
    EXPECT_EQ(t.LangStr("strX"), "0,25 l");
    EXPECT_EQ(t.LangStrOrEmpty("strX"), "0,25 l");
    EXPECT_EQ(t.LangStr("strN", 2), "1,5 %.1f");
    EXPECT_EQ(t.lines()[0], "strX=0.5 l~0.25 l");
    t.setDecimalSeparator(".");
    EXPECT_EQ(t.LangStr("strX"), "0.25 l");
}

TEST(StringTableLookup, LanguageSelection) {
    StringTable t = tableOf("strX=en~de~fr\n");
    std::vector<int> selected;
    t.setLanguageSelectedHandler([&](int n) { selected.push_back(n); });
    EXPECT_EQ(t.CurrentLanguageNumber(), 1);

    EXPECT_TRUE(t.SetLanguageByName("german"));
    EXPECT_EQ(t.CurrentLanguageName(), "german"); // stored as passed
    EXPECT_EQ(t.CurrentLanguageNumber(), 2);
    EXPECT_EQ(t.LangStr("strX"), "de");
    for (const char* bad : {"Klingon", " German", "German ", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(t.SetLanguageByName(bad));
        EXPECT_EQ(t.CurrentLanguageName(), "german");
    }
    for (int bad : {0, 12, -1}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(t.SetLanguageByNumber(bad));
        EXPECT_EQ(t.CurrentLanguageNumber(), 2);
    }
    EXPECT_TRUE(t.SetLanguageByNumber(3));
    EXPECT_EQ(t.CurrentLanguageName(), "French");
    EXPECT_EQ(t.LangStr("strX"), "fr");
    EXPECT_EQ(selected, (std::vector<int>{2, 3}));

    EXPECT_EQ(LanguageName(&t, 10), "Portuguese");
    EXPECT_EQ(LanguageName(&t, 0), "English");
    EXPECT_EQ(LanguageName(&t, 99), "English");

    // No table (yet): the look-ups still answer.
    EXPECT_EQ(LangStr(nullptr, "strX"), "frmString=nil!");
    EXPECT_EQ(LangStrOrEmpty(nullptr, "strX", 3), "frmString=nil!");
    EXPECT_EQ(LanguageName(nullptr, 2), "frmString=nil!");
    EXPECT_EQ(CurrentLanguageNumber(nullptr), 1);
    EXPECT_EQ(LangStr(&t, "strX"), "fr");
}

TEST(StringTableLookup, EditedLineKeepsItsKey) {
    StringTable t = tableOf("strX=a\nstrY=b");
    // Even a line written with another key keeps answering to its old one.
    ASSERT_TRUE(t.replaceLine(1, "strZ=z~"));
    EXPECT_EQ(t.LangStr("strY"), "z");
    EXPECT_EQ(t.LangStr("strZ"), "\"strZ\"?");
    EXPECT_FALSE(t.replaceLine(2, "x"));
}

TEST(StringTableLoad, FromFile) {
    TempDir dir;
    StringTable t;
    ASSERT_TRUE(t.LoadLanguageFile(dir.write("a.sil", "\xEF\xBB\xBF[Strings]\r\nstrX=a~b\r\n")));
    EXPECT_EQ(t.lines(), std::vector<std::string>{"strX=a~b"});

    // A file that cannot be read leaves the table as it was.
    EXPECT_FALSE(t.LoadLanguageFile((dir.path / "missing.sil").string()));
    EXPECT_FALSE(t.LoadLanguageFile(dir.path.string()));
    EXPECT_EQ(t.lines(), std::vector<std::string>{"strX=a~b"});
    EXPECT_EQ(t.LangStr("strX"), "a");

    // A reload replaces every line and keeps the current language.
    t.SetLanguageByNumber(2);
    ASSERT_TRUE(t.LoadLanguageFile(dir.write("b.sil", "strY=c~d")));
    EXPECT_EQ(t.LangStr("strY"), "d");
    EXPECT_EQ(t.LangStr("strX"), "\"strX\"?");

    // An empty file gives an empty table: every look-up is the not-found marker.
    ASSERT_TRUE(t.LoadLanguageFile(dir.write("c.sil", "")));
    EXPECT_EQ(t.lineCount(), 0u);
    EXPECT_EQ(t.LangStr("strY", 4), "\"strY\"?");
}

TEST(StringTableLoad, BadInputStillAnswers) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string key;
        std::string expected;
    };
    const std::string fffd = "\xEF\xBF\xBD";
    const std::string longText(1 << 20, 'x');
    const std::vector<Case> cases = {
        {"invalid bytes in a text", "strX=a\xFF" "b~\xC3", "strX", "a" + fffd + "b"},
        {"invalid bytes in a key", "str\x80X=a", "str" + fffd + "x", "a"},
        {"NUL bytes", std::string("strX=a\0b\n\0=z", 12), "strX", std::string("a\0b", 3)},
        {"NUL key", std::string("strX=a\0b\n\0=z", 12), std::string("\0", 1), "z"},
        {"a megabyte line", "strX=" + longText + "\nstrY=y", "strY", "y"},
        {"a megabyte of tildes", "strX=" + std::string(1 << 20, '~'), "strX", "\"strX\"?"},
        {"only line ends", "\r\n\n\r\r", "strX", "\"strX\"?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StringTable t = tableOf(c.bytes, "Thai");
        EXPECT_EQ(t.LangStr(c.key), c.expected);
        // Every answer is valid UTF-8, whatever the file held.
        for (int n = 0; n <= 12; ++n) {
            const std::string a = t.LangStr(c.key, n);
            const std::string b = t.LangStrOrEmpty(c.key, n);
            EXPECT_EQ(toValidUtf8(a), a);
            EXPECT_EQ(toValidUtf8(b), b);
        }
    }
}

TEST(StartCheck, MessageAndExistence) {
    EXPECT_EQ(missingLanguageFileMessage("/opt/unctora/unctora.sil"),
              "Language file \"/opt/unctora/unctora.sil\"\r"
              "not found in the program directory.\r \rProgram will be aborted.");

    TempDir dir;
    const std::string path = languageFilePath(dir.path.string());
    EXPECT_EQ(fs::path(path).filename(), "unctora.sil");
    EXPECT_EQ(checkLanguageFile(path), missingLanguageFileMessage(path));

    fs::create_directory(path); // a folder of that name is no language file
    EXPECT_TRUE(checkLanguageFile(path).has_value());
    fs::remove(path);

    dir.write("unctora.sil", ""); // an empty file is there, so the check passes
    EXPECT_EQ(checkLanguageFile(path), std::nullopt);
}
