#include "reports/calcpage.h"
#include "reports/htmlpage.h"

#include "files/fileio.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace unctora;
namespace fs = std::filesystem;

namespace {

std::string fixture(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(files::readWholeFile(std::string(UNCTORA_FIXTURES) + "/" + name, bytes)) << name;
    return bytes;
}

strings::StringTable fixtureTable(std::string_view language) {
    strings::StringTable table;
    EXPECT_TRUE(table.LoadLanguageFile(std::string(UNCTORA_FIXTURES) + "/calcpage.sil"));
    table.SetLanguageByName(language);
    return table;
}

struct TempDir {
    fs::path path = fs::temp_directory_path() /
                    ("unctora_calcpage_" + std::to_string(::getpid()) + "_" +
                     std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

} // namespace

// The fixture pages were written by hand from the rules: a missing slot shows the
// not-found marker, "-" and "" give empty lines without a second look-up (the
// fixture's strCalc_07_01 must not appear), a German gap falls back to English,
// and markup, "=" and trailing blanks pass through untouched.
TEST(CalcPage, DocumentIsByteExactInEachLanguage) {
    for (const auto& [language, file] : {std::pair{"English", "calcpage_en.html"},
                                         std::pair{"German", "calcpage_de.html"}}) {
        SCOPED_TRACE(language);
        const strings::StringTable table = fixtureTable(language);
        EXPECT_EQ(reports::calcPageDocument(&table), fixture(file));
    }
}

TEST(CalcPage, EmptyTextsKeepTheirLinesAndTheTitleStays) {
    std::string sil = "[Strings]\n";
    for (int slot = 1; slot <= 35; ++slot)
        sil += "strCalc_" + std::string(slot < 10 ? "0" : "") + std::to_string(slot) + "=-~-~-\n";
    strings::StringTable table;
    table.loadFromBytes(sil);
    table.SetLanguageByName("French");
    const std::string head = "\xEF\xBB\xBF<html>\r\n<head>\r\n<title>Calculations</title>\r\n"
                             "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                             "charset=UTF-8\"/>\r\n</head>\r\n<body>\r\n";
    std::string body;
    for (int slot = 1; slot <= 35; ++slot)
        body += "\r\n";
    EXPECT_EQ(reports::calcPageDocument(&table), head + body + "</body>\r\n</html>\r\n");

    // Without a table every slot shows the table's marker; the page is built all the same.
    const auto lines = reports::calcPageLines(nullptr);
    ASSERT_EQ(lines.size(), 43u);
    EXPECT_EQ(lines[6], "frmString=nil!");
    EXPECT_EQ(lines[40], "frmString=nil!");
}

TEST(CalcPage, WritesTheFileAndFailsLoudly) {
    TempDir dir;
    const strings::StringTable table = fixtureTable("English");
    const std::string path = reports::htmlFilePath(dir.path.string(), reports::kCalcPageFile);
    const std::string written = reports::writeCalcPage(path, &table);
    EXPECT_EQ(written, fixture("calcpage_en.html"));
    std::string onDisk;
    ASSERT_TRUE(files::readWholeFile(path, onDisk));
    EXPECT_EQ(onDisk, written);

    // A data folder that cannot be written: the error names the file, nothing is
    // reported as done.
    const std::string blocked = (dir.path / "calc.html" / "calc.html").string();
    try {
        reports::writeCalcPage(blocked, &table);
        ADD_FAILURE() << "no error";
    } catch (const files::WriteError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Unable to write to " + blocked, 0), 0u) << e.what();
    }
    ASSERT_TRUE(files::readWholeFile(path, onDisk));
    EXPECT_EQ(onDisk, written);
}

TEST(CalcPage, OnlyTheExactLinkTargetIsSwallowed) {
    EXPECT_TRUE(reports::calcLinkHandled("VOXA400"));
    for (const char* other : {"voxa400", "VOXA 400", "VOXA4000", " VOXA400", ""})
        EXPECT_FALSE(reports::calcLinkHandled(other)) << other;
}

TEST(HtmlPage, SaveWritesTheSourceUnchangedAndSaysWhere) {
    TempDir dir;
    const std::string path = reports::htmlFilePath(dir.path.string() + "/", reports::kChartSaveFile);
    EXPECT_EQ(path, (dir.path / "selchart.html").string());
    const std::string source = "\xEF\xBB\xBF<html>\r\nnot even \x01 HTML\n\r\n";
    EXPECT_EQ(reports::saveHtmlSource(path, source), "HTML has been saved as " + path + ".");
    std::string onDisk;
    ASSERT_TRUE(files::readWholeFile(path, onDisk));
    EXPECT_EQ(onDisk, source);
}
