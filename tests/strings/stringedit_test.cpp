#include "core/version.h"
#include "files/fileio.h"
#include "strings/stringedit.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace unctora::strings;
namespace fs = std::filesystem;

namespace {

StringTable tableOf(std::string_view bytes) {
    StringTable t;
    t.loadFromBytes(bytes);
    return t;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TempDir {
    fs::path path = fs::temp_directory_path() /
                    ("unctora_edit_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

} // namespace

TEST(StringEdit, LanguageSuffixOfKeys) {
    const struct {
        const char* key;
        int suffix;
    } cases[] = {
        {"strPleaseContact_03", 3}, {"strW_11", 11},       {"strW_123", 123},
        {"strNote1_1", 0},          {"strW_1a", 0},        {"strW_", 0},
        {"strW", 0},                {"strA_1_05", 5},      {"strCalc_07", 0},
        {"strSelChart_03", 0},      {"strSelChartHead_03", 0},
        {"STRCALC_07", 7}, // the families are told apart with letter case
        {"strW_-1", 0},             {"strW_99999999999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(LanguageSuffix(c.key), c.suffix);
    }
    EXPECT_EQ(languageEntryKey("strPleaseContact_01", 1, 5), "strPleaseContact_05");
    EXPECT_EQ(languageEntryKey("strGrease_10", 10, 11), "strGrease_11");
    // Cut at the first occurrence of the suffix.
    EXPECT_EQ(languageEntryKey("strA_03_03", 3, 2), "strA_02");
}

TEST(StringEdit, ColumnEntryRebuiltWithEveryLanguage) {
    const StringTable t = tableOf("strX=a~b\nstrY=-~\"\"~~x\nstrZ=\n");
    // French (3) edited: the others hold their resolved texts, English for the empty ones.
    EXPECT_EQ(editedLine(t, "strX", 3, "c", false), "strX=a~b~c~a~a~a~a~a~a~a~a~");
    // Deliberate blanks keep their markers; the empty German text takes the English
    // marker's (empty) resolution, which reads the same.
    EXPECT_EQ(editedLine(t, "strY", 4, "i", false), "strY=-~\"\"~~i~~~~~~~~");
    EXPECT_EQ(editedLine(t, "strZ", 1, "e", false), "strZ=e~~~~~~~~~~~");

    // Each language reads its text back; the edited one gives exactly what was typed.
    StringTable edited = tableOf("strX=a~b\n");
    edited.replaceLine(0, editedLine(edited, "strX", 3, "c", false));
    const char* expected[] = {"a", "b", "c", "a", "a", "a", "a", "a", "a", "a", "a"};
    for (int n = 1; n <= kLanguageCount; ++n) {
        edited.SetLanguageByNumber(n);
        EXPECT_EQ(edited.LangStr("strX"), expected[n - 1]) << n;
    }
}

TEST(StringEdit, NumberedEntryStoresTheTextAlone) {
    StringTable t = tableOf("strW_01=en\nstrW_05=sv\n");
    const std::string line = editedLine(t, "strW_05", 5, "ny~text = 2", true);
    EXPECT_EQ(line, "strW_05=ny~text = 2");
    t.replaceLine(1, line);
    EXPECT_EQ(t.LangStr("strW", 5), "ny~text = 2");
    EXPECT_EQ(t.LangStr("strW", 1), "en");
    // An emptied entry falls back on the English one, as any empty numbered entry does.
    t.replaceLine(1, editedLine(t, "strW_05", 5, "", true));
    EXPECT_EQ(t.LangStr("strW", 5), "en");
}

TEST(StringEdit, TextsThatWouldBreakTheFile) {
    EXPECT_EQ(editedTextProblem("plain text = fine", false), "");
    EXPECT_EQ(editedTextProblem("a~b", true), "");
    EXPECT_NE(editedTextProblem("a~b", false), "");
    for (const char* text : {"a\nb", "a\rb", "a\r\n"}) {
        EXPECT_NE(editedTextProblem(text, false), "");
        EXPECT_NE(editedTextProblem(text, true), "");
    }
}

TEST(StringEdit, ExportFileBytesAndRoundTrip) {
    const std::string source = "\xEF\xBB\xBF[Strings]\r\nstrX=a~b\r\n\r\nnoequals\nstrU=\xC3\xA9t\xC3\xA9~x=y\rstrW_03=a~b";
    StringTable t = tableOf(source);
    EXPECT_EQ(stringFileBytes(t),
              "\xEF\xBB\xBFstrX=a~b\r\n\r\nnoequals\r\nstrU=\xC3\xA9t\xC3\xA9~x=y\r\nstrW_03=a~b\r\n");
    EXPECT_EQ(stringFileBytes(StringTable{}), "\xEF\xBB\xBF");

    TempDir dir;
    const fs::path six = dir.path / "unctora.six";
    { std::ofstream(six) << "old"; }
    t.replaceLine(0, editedLine(t, "strX", 2, "B", false));
    SaveStringFile(t, six.string());
    EXPECT_EQ(readFile(six), stringFileBytes(t));
    StringTable back;
    ASSERT_TRUE(back.LoadLanguageFile(six.string()));
    EXPECT_EQ(back.lines(), t.lines());
    for (int n = 1; n <= kLanguageCount; ++n) {
        t.SetLanguageByNumber(n);
        back.SetLanguageByNumber(n);
        for (const char* key : {"strX", "strU", "noequals", "strMissing"})
            EXPECT_EQ(back.LangStr(key), t.LangStr(key)) << key << " " << n;
        EXPECT_EQ(back.LangStr("strW", 3), "a~b");
    }

    // A file that cannot be written: the error names it, the old file stays.
    const fs::path blocked = dir.path / "blocked.six";
    fs::create_directories(blocked / "inside");
    try {
        SaveStringFile(t, blocked.string());
        FAIL() << "no error";
    } catch (const unctora::files::WriteError& e) {
        EXPECT_NE(std::string(e.what()).find("Unable to write to " + blocked.string()), std::string::npos);
    }
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
}

TEST(StringEdit, StatusTextCountsTheLinesAfterTheHeader) {
    std::string lines;
    for (int i = 1; i < 1200; ++i)
        lines += "strK" + std::to_string(i) + "=t\r\n";
    EXPECT_EQ(loadStatusText(tableOf("[Strings]\r\n" + lines)), "11 languages, 1199 strings");
    EXPECT_EQ(loadStatusText(tableOf("\r\n" + lines)), "11 languages, 1200 strings"); // a blank line counts
    EXPECT_EQ(loadStatusText(tableOf("")), "11 languages, 0 strings");
}

TEST(Version, TitlesAndLabel) {
    using namespace unctora::core;
    const FileVersion v = ReadFileVersion();
    EXPECT_EQ((std::array{v.major, v.minor, v.release, v.build}), (std::array{6, 0, 4, 67}));
    EXPECT_EQ(BuildNumber(), 67);
    EXPECT_EQ(FullTitle(), "Talvik Unctora v06.00 (291013)");
    EXPECT_EQ(VersionLabel(BuildNumber()), "v06.00 (B67)");
    EXPECT_EQ(VersionLabel(0), "v06.00 (B0)");
}
