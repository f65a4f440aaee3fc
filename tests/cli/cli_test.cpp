// The batch calculator as a program: options, columns and exit codes are a contract.
#include "io/csv.h"
#include "../support/commandline.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

fs::path tempDir() {
    static fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("unctora-cli-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

// Runs unctora-calc with args, feeding stdin.
Result run(const std::vector<std::string>& args, const std::string& input = "") {
    const fs::path in = tempDir() / "stdin.csv", err = tempDir() / "stderr.txt";
    std::ofstream(in, std::ios::binary) << input;
    std::string cmd = quote(UNCTORA_CALC);
    for (const auto& a : args)
        cmd += " " + quote(a);
    cmd += " < " + quote(in.string()) + " 2> " + quote(err.string());
    Result r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    std::array<char, 65536> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream e(err, std::ios::binary);
    r.err.assign(std::istreambuf_iterator<char>(e), {});
    return r;
}

std::vector<std::vector<std::string>> records(const std::string& text) { return testsupport::csvRecords(text); }

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> v;
    std::stringstream ss(text);
    std::string l;
    while (std::getline(ss, l)) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        v.push_back(l);
    }
    return v;
}

// Column of a CSV row by header name.
std::string cell(const std::string& out, std::size_t row, const std::string& column) {
    const auto recs = records(out);
    const auto& header = recs.at(0);
    const auto& fields = recs.at(row + 1);
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == column)
            return i < fields.size() ? fields[i] : "<missing>";
    return "<no column " + column + ">";
}

} // namespace

TEST(BatchCalculator, HeaderAndFirstStartRow) {
    const Result r = run({}, "Id\nfirst\n");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(lines(r.out).at(0),
              "Id,Bore_mm,D_mm,B_mm,Type,CRBsub1,CRBsub2,SRBsub1,SRBsub2,TORBsub1,Grease,"
              "Lubricator,PowerSource,Outlets,Speed,OpHours,BrgOpTemp,ContMoist,Load,ShockLoad,"
              "Ambient,ShaftOrientation,Replenishment,RotOR,tf,tfc,Gp,Qf,tfcHours,OldQf,DS,"
              "PauseBase,edTf,edTfcorr,edGp,edQf,edBore_in,edD_in,edB_in,SettingText,"
              "SettingColour,SettingPicture,SettingMonth,Greases,Pages,SpeedRed,Status,Error");
    EXPECT_NE(r.out.find("\r\n"), std::string::npos); // RFC 4180 record ends
    EXPECT_EQ(cell(r.out, 0, "Id"), "first");
    EXPECT_EQ(cell(r.out, 0, "Replenishment"), "0"); // the rule for ball bearings
    EXPECT_EQ(cell(r.out, 0, "tf"), "3966.9493819185004");
    EXPECT_EQ(cell(r.out, 0, "Gp"), "90");
    EXPECT_EQ(cell(r.out, 0, "tfcHours"), "694");
    EXPECT_EQ(cell(r.out, 0, "edTf"), "4000");
    EXPECT_EQ(cell(r.out, 0, "edTfcorr"), "700");
    EXPECT_EQ(cell(r.out, 0, "edGp"), "90.0");
    EXPECT_EQ(cell(r.out, 0, "edQf"), "3.11");
    EXPECT_EQ(cell(r.out, 0, "Greases"), "0 8");
    EXPECT_EQ(cell(r.out, 0, "Pages"), "strOUT_RING_ROT_WARN\nstrVERT_SHAFT_WARN\nstrCONTAM_WARN");
    EXPECT_EQ(cell(r.out, 0, "SpeedRed"), "false");
    EXPECT_EQ(cell(r.out, 0, "Status"), "ok");
    // Every double reads back to the same value.
    EXPECT_EQ(std::stod(cell(r.out, 0, "tfc")), 694.2161418357375);
}

TEST(BatchCalculator, InputsByTextOrIndexClampedAndRuled) {
    const Result r = run({"--units", "imperial"},
                         "ID,lubricator,Grease,Type,Speed,Replenishment,OpHours,BrgOpTemp\n"
                         "a,ZOLT 120ml,NVSU2,Cylindrical roller bearings,12000,1,0,very high\n"
                         "b,zolt 120ml,nvte2,3,800,Through Q47 groove,8.5,2\n");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(cell(r.out, 0, "Lubricator"), "4");
    EXPECT_EQ(cell(r.out, 0, "Speed"), "10000"); // the spin edit's bound
    EXPECT_EQ(cell(r.out, 0, "OpHours"), "1");
    EXPECT_EQ(cell(r.out, 0, "Grease"), "0");    // NVSU2 does not fit the ZOLT 120ml
    EXPECT_EQ(cell(r.out, 0, "Replenishment"), "1");
    EXPECT_EQ(cell(r.out, 1, "Grease"), "3");
    EXPECT_EQ(cell(r.out, 1, "OpHours"), "8"); // whole values, halves to even
    // Imperial display texts.
    const std::string gp = cell(r.out, 1, "edGp");
    EXPECT_EQ(std::stod(gp), std::round(std::stod(cell(r.out, 1, "Gp")) / 28.3495 * 10) / 10);
}

TEST(BatchCalculator, BadRowsAndFailedCalculations) {
    const Result r = run({}, "Id,D_mm,Grease,Speed\n"
                             "ok,180,,\n"
                             "zero,0,,\n"
                             "letters,abc,,\n"
                             "short,180\n"
                             "unknown,180,NVXX9,\n"
                             "\"quoted,id\",180,1,100\n");
    EXPECT_EQ(r.code, 1);
    ASSERT_EQ(records(r.out).size(), 7u) << r.out;
    EXPECT_EQ(cell(r.out, 0, "Status"), "ok");
    EXPECT_EQ(cell(r.out, 1, "Status"), "failed");
    EXPECT_EQ(cell(r.out, 1, "Error"), "Invalid floating point operation");
    EXPECT_EQ(cell(r.out, 1, "tf"), ""); // results of a failed row stay empty
    EXPECT_EQ(cell(r.out, 1, "edTf"), "0");
    EXPECT_EQ(cell(r.out, 2, "Status"), "invalid");
    EXPECT_EQ(cell(r.out, 2, "Error"), "line 4: column D_mm: \"abc\" is not a number");
    EXPECT_EQ(cell(r.out, 3, "Error"), "line 5: expected 4 fields, found 2");
    EXPECT_NE(cell(r.out, 4, "Error").find("line 6: column Grease"), std::string::npos);
    EXPECT_NE(r.out.find("\r\n\"quoted,id\","), std::string::npos);
}

TEST(BatchCalculator, OtherColumnsAreReadPastAndMistypedOnesStopTheRun) {
    // A column of another program: named once on stderr, the records as without it.
    const Result r = run({}, "Id,Speed,Colour\n1,2,3\n");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("the column \"Colour\" is not used"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, run({}, "Id,Speed\n1,2\n").out);
    // One of ours mistyped, or twice: stopped before any row.
    for (const char* text : {"Id,Sped\n1,2\n", "Id,Installed On\n1,2\n", "Speed,speed\n1,2\n"}) {
        const Result bad = run({}, text);
        EXPECT_EQ(bad.code, 2) << text;
        EXPECT_TRUE(bad.out.empty()) << text;
    }
    EXPECT_NE(run({}, "Id,Sped\n1,2\n").err.find("is \"Speed\" meant?"), std::string::npos);
}

TEST(BatchCalculator, JsonLinesWithLog) {
    const Result r = run({"--format", "jsonl", "--log"}, "Id,D_mm\n7,180\nz,0\n");
    ASSERT_EQ(r.code, 0) << r.err;
    const auto ls = lines(r.out);
    ASSERT_EQ(ls.size(), 2u);
    EXPECT_EQ(ls[0].rfind("{\"Id\":\"7\",\"Bore_mm\":100,", 0), 0u) << ls[0];
    EXPECT_NE(ls[0].find("\"tfcHours\":694,"), std::string::npos);
    EXPECT_NE(ls[0].find("\"Greases\":[0,8],\"Pages\":[{\"Key\":\"strOUT_RING_ROT_WARN\",\"Values\":[]},"
                         "{\"Key\":\"strVERT_SHAFT_WARN\",\"Values\":[]},"
                         "{\"Key\":\"strCONTAM_WARN\",\"Values\":[]}],\"SpeedRed\":false,"
                         "\"Status\":\"ok\",\"Error\":null,\"Log\":["
                         "\"Lubricator=1=VOXA 125, brg=0 (0/0)\""),
              std::string::npos);
    EXPECT_NE(ls[0].find("\"calculateFeedRate\",\"  Result=3.11\",\"Old Qf=0.1297, "
                         "Qf/Old_Qf=24.0\",\"DS=1.16\"]}"),
              std::string::npos);
    EXPECT_NE(ls[1].find("\"tf\":null,\"tfc\":null"), std::string::npos);
    EXPECT_NE(ls[1].find("\"Status\":\"failed\",\"Error\":\"Invalid floating point operation\""),
              std::string::npos);
}

TEST(BatchCalculator, SingleApplicationFromSettingsOrCommandLine) {
    const fs::path ini = tempDir() / "unctora.INI";
    std::ofstream(ini) << "[Options]\nUnits=0\n[Data]\nType=4\nSRBSub1=2\nSpeed=900\nGrease=99\n";
    Result r = run({"--ini", ini.string(), "--set", "Lubricator=VOXA 400"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(cell(r.out, 0, "Type"), "4");
    EXPECT_EQ(cell(r.out, 0, "SRBsub1"), "2");
    EXPECT_EQ(cell(r.out, 0, "Speed"), "900");
    EXPECT_EQ(cell(r.out, 0, "Lubricator"), "6");

    r = run({"--set", "Speed=0", "--set", "Id=one", "--format", "jsonl"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"Id\":\"one\""), std::string::npos);
    EXPECT_NE(r.out.find("\"edTf\":\"30000\""), std::string::npos);

    EXPECT_EQ(run({"--set", "Speed=fast"}).code, 1);
    EXPECT_EQ(run({"--set", "Colour=red"}).code, 2);
    EXPECT_EQ(run({"--ini", (tempDir() / "none.INI").string()}).code, 2);
}

TEST(BatchCalculator, UsageErrors) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--format", "xml"}, {"--units"}, {"--bogus"},
                                               {"a.csv", "b.csv"}, {"missing-file.csv"}}) {
        const Result r = run(args);
        EXPECT_EQ(r.code, 2) << args[0];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(run({"--help"}).code, 0);
}

TEST(BatchCalculator, ExamplePlantListRunsClean) {
    const Result r = run({std::string(UNCTORA_SOURCE_DIR) + "/examples/plant.csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::size_t rows = records(r.out).size() - 1;
    EXPECT_GE(rows, 20u);
    EXPECT_LE(rows, 40u);
    for (std::size_t i = 0; i < rows; ++i)
        EXPECT_EQ(cell(r.out, i, "Status"), "ok") << cell(r.out, i, "Id");
}

namespace {

// A quiet bearing (inner ring rotating, horizontal shaft, clean) in five states.
const char* kAdviceList = "Id,Lubricator,Speed,D_mm,RotOR,ShaftOrientation,ContMoist,Load\n"
                          "quiet,VOXA 125,2000,180,No,Horizontal,Low,Moderate\n"
                          "fast,VOXA 125,3000,180,No,Horizontal,Low,Moderate\n"
                          "slow,VOXA 125,1,180,No,Horizontal,Low,Moderate\n"
                          "failed,VOXA 125,2000,0,No,Horizontal,Low,Moderate\n"
                          "invalid,VOXA 125,fast,180,No,Horizontal,Low,Moderate\n";

// The JSON object of the row whose Id is id.
std::string jsonRow(const std::string& out, const std::string& id) {
    for (const std::string& l : lines(out))
        if (l.rfind("{\"Id\":\"" + id + "\"", 0) == 0)
            return l;
    return "<no row " + id + ">";
}

// The text between "key": and the next key of a JSON row (enough for these columns).
std::string jsonValue(const std::string& row, const std::string& key, const std::string& next) {
    const std::string open = "\"" + key + "\":", close = ",\"" + next + "\":";
    const auto b = row.find(open);
    const auto e = row.find(close, b);
    if (b == std::string::npos || e == std::string::npos)
        return "<no " + key + " in " + row + ">";
    return row.substr(b + open.size(), e - b - open.size());
}

} // namespace

TEST(BatchCalculator, AdvicePagesAsData) {
    Result csv = run({}, kAdviceList);
    EXPECT_EQ(csv.code, 1) << csv.err;
    Result json = run({"--format", "jsonl"}, kAdviceList);
    EXPECT_EQ(json.code, 1) << json.err;
    const struct {
        const char* id;
        const char* csvPages;
        const char* csvSpeedRed;
        const char* jsonPages;
        const char* jsonSpeedRed;
    } cases[] = {
        {"quiet", "", "false", "[]", "false"},
        {"fast", "strLUB_INTERVAL_WARN", "false",
         R"([{"Key":"strLUB_INTERVAL_WARN","Values":[420000,400000,2857.1428571428573]}])",
         "false"},
        {"slow", "Note 2\nstrTOO_LOW_SPEED_WARN\nstrLOW_SPEED_WARN", "true",
         R"([{"Note":2},{"Key":"strTOO_LOW_SPEED_WARN","Values":[144,144]},)"
         R"({"Key":"strLOW_SPEED_WARN","Values":[]}])",
         "true"},
        {"failed", "Note 5\nInvalid floating point operation", "",
         R"([{"Note":5},{"Error":"Invalid floating point operation"}])", "null"},
        {"invalid", "", "", "[]", "null"},
    };
    const auto header = records(csv.out).at(0);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.id);
        EXPECT_EQ(records(csv.out).at(i + 1).size(), header.size());
        EXPECT_EQ(cell(csv.out, i, "Pages"), c.csvPages);
        EXPECT_EQ(cell(csv.out, i, "SpeedRed"), c.csvSpeedRed);
        const std::string row = jsonRow(json.out, c.id);
        EXPECT_EQ(jsonValue(row, "Pages", "SpeedRed"), c.jsonPages);
        EXPECT_EQ(jsonValue(row, "SpeedRed", "Status"), c.jsonSpeedRed);
        EXPECT_NE(row.find("\"Greases\":"), std::string::npos); // Pages follow Greases
        EXPECT_LT(row.find("\"Greases\":"), row.find("\"Pages\":"));
    }
}

TEST(BatchCalculator, SettingDisplayAndItsNotes) {
    const char* list = "Id,Lubricator,Outlets,PowerSource,D_mm,B_mm,Bore_mm,Speed\n"
                       "dial,VOXA 125,,,,,,\n"
                       "dip,ZOLT 380ml,,,,,,\n"
                       "feed,VOXA 400,,,,,,\n"
                       "slow feed,VOXA 400,,,30,10,10,1000\n"
                       "too fast,VOXA 400,,,,,,9000\n"
                       "pump,VOXA 1000,12,AC,,,,\n"
                       "pump beyond,VOXA 1000,20,DC,1000,500,800,100\n"
                       "failed,VOXA 400,,,0,,,\n"
                       "invalid,VOXA 400,,,x,,,\n";
    const Result csv = run({}, list);
    EXPECT_EQ(csv.code, 1) << csv.err;
    const Result json = run({"--format", "jsonl"}, list);
    const Result imperial = run({"--format", "jsonl", "--units", "imperial"}, list);
    const char* kWarnings = "strOUT_RING_ROT_WARN\nstrVERT_SHAFT_WARN\nstrCONTAM_WARN";
    const struct {
        const char* id;
        std::array<std::string, 4> csv; // text, colour, picture, month
        const char* json;
        std::string pages; // CSV
        const char* imperialText;
    } cases[] = {
        {"dial", {"1", "white", "2", "strMonth"},
         R"({"Text":"1","Colour":"white","Picture":2,"Month":"strMonth"})", kWarnings, "1"},
        {"dip", {"3", "white", "92", "strMonths"},
         R"({"Text":"3","Colour":"white","Picture":92,"Month":"strMonths"})", kWarnings, "3"},
        {"feed", {"Feed rate:|3.50 ml/day", "white", "", ""},
         R"({"Text":"Feed rate:|3.50 ml/day","Colour":"white","Picture":null,"Month":null})",
         std::string("Note 7\n") + kWarnings, "Feed rate:|0.125 fl oz/day"},
        {"slow feed", {"Feed rate:|0.10 ml/day", "white", "", ""},
         R"({"Text":"Feed rate:|0.10 ml/day","Colour":"white","Picture":null,"Month":null})",
         std::string("Note 7\n") + kWarnings, "Feed rate:|0.004 fl oz/day"},
        {"too fast", {"--", "red", "", ""},
         R"({"Text":"--","Colour":"red","Picture":null,"Month":null})",
         std::string("Note 6\nstrLUB_INTERVAL_WARN\n") + kWarnings, "--"},
        {"pump", {"tCo=1.2 min|tPa=1.4 hs", "white", "", ""},
         R"({"Text":"tCo=1.2 min|tPa=1.4 hs","Colour":"white","Picture":null,"Month":null})",
         kWarnings, "tCo=1.2 min|tPa=1.4 hs"},
        {"pump beyond", {"--", "red", "", ""},
         R"({"Text":"--","Colour":"red","Picture":null,"Month":null})",
         std::string("Note 8\n") + kWarnings, "--"},
        // A failed calculation shows no setting and no note of the setting display.
        {"failed", {"", "", "", ""}, "null", "Note 5\nInvalid floating point operation", nullptr},
        {"invalid", {"", "", "", ""}, "null", "", nullptr},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.id);
        EXPECT_EQ(cell(csv.out, i, "SettingText"), c.csv[0]);
        EXPECT_EQ(cell(csv.out, i, "SettingColour"), c.csv[1]);
        EXPECT_EQ(cell(csv.out, i, "SettingPicture"), c.csv[2]);
        EXPECT_EQ(cell(csv.out, i, "SettingMonth"), c.csv[3]);
        EXPECT_EQ(cell(csv.out, i, "Pages"), c.pages);
        EXPECT_EQ(jsonValue(jsonRow(json.out, c.id), "Setting", "Greases"), c.json);
        const std::string text = jsonValue(jsonRow(imperial.out, c.id), "Setting", "Greases");
        if (c.imperialText) {
            EXPECT_EQ(text.substr(0, text.find(",\"Colour\"")),
                      "{\"Text\":\"" + std::string(c.imperialText) + "\"");
        } else {
            EXPECT_EQ(text, "null");
        }
    }
}

class BatchTexts : public ::testing::Test {
protected:
    void SetUp() override {
        // English and German columns; the German mass labels differ from the English.
        std::ofstream(file, std::ios::binary)
            << "[Strings]\r\n"
               "strGram=g~Gramm\r\nstroz=oz~Unz\r\n"
               "strNote2_1=Min %.*f %s. ~Mindestens %.*f %s. \r\n"
               "strNote2_2=Below %.*f %s use the %s.~Unter %.*f %s den %s.\r\n"
               "strCalcFailed=Failed.~Fehlgeschlagen.\r\n"
               "strLUB_INTERVAL_WARN_01=ndm %.0f > %.0f, at most %.1f rpm\r\n"
               "strLUB_INTERVAL_WARN_02=ndm %.0f > %.0f, höchstens %.1f min-1\r\n"
               "strTOO_LOW_SPEED_WARN=Below %d rpm, run at %d.~Unter %d, mindestens %d.\r\n"
               "strLOW_SPEED_WARN=Slow, \"sealing\".~Langsam.\r\n";
    }
    void TearDown() override { fs::remove(file); }
    fs::path file = tempDir() / "texts.sil";
};

TEST_F(BatchTexts, PagesCarryTheirTexts) {
    const Result json = run({"--format", "jsonl", "--units", "imperial", "--lang", "german",
                             "--language-file", file.string()},
                            kAdviceList);
    EXPECT_EQ(json.code, 1) << json.err;
    const struct {
        const char* id;
        const char* pages;
    } cases[] = {
        {"fast", R"([{"Key":"strLUB_INTERVAL_WARN","Values":[420000,400000,2857.1428571428573],)"
                 R"("Text":"ndm 420000 > 400000, höchstens 2857.1 min-1"}])"},
        // Note 2 of the VOXA 125 in ounces, with the German ounce label.
        {"slow", R"([{"Note":2,"Text":"Mindestens 0.30 Unz. Unter 0.30 Unz den VOXA 60."},)"
                 R"({"Key":"strTOO_LOW_SPEED_WARN","Values":[144,144],)"
                 R"("Text":"Unter 144, mindestens 144."},)"
                 R"({"Key":"strLOW_SPEED_WARN","Values":[],"Text":"Langsam."}])"},
        {"failed", R"([{"Note":5,"Text":"Fehlgeschlagen."},)"
                   R"({"Error":"Invalid floating point operation",)"
                   R"("Text":"Invalid floating point operation"}])"},
        {"invalid", "[]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(jsonValue(jsonRow(json.out, c.id), "Pages", "SpeedRed"), c.pages);
    }

    const Result csv = run({"--lang", "English", "--language-file", file.string()}, kAdviceList);
    EXPECT_EQ(cell(csv.out, 2, "Pages"),
              "Min 9 g. Below 9 g use the VOXA 60.\nBelow 144 rpm, run at 144.\nSlow, \"sealing\".");
    EXPECT_EQ(cell(csv.out, 3, "Pages"), "Failed.\nInvalid floating point operation");
}

TEST_F(BatchTexts, LanguageFileBesideTheProgramByDefault) {
    const Result r = run({"--lang", "English", "--set", "D_mm=0"});
    ASSERT_EQ(r.code, 0) << r.err;
    const Result text = run({"text", "strCalcFailed"});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(cell(r.out, 0, "Pages"),
              text.out.substr(0, text.out.size() - 1) + "\nInvalid floating point operation");
}

TEST_F(BatchTexts, LanguageErrorsEndTheRun) {
    // A template that does not fit its values ends the run at the first page that uses it.
    std::ofstream(tempDir() / "bad.sil", std::ios::binary) << "strTOO_LOW_SPEED_WARN=%s\n";
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--lang", "Klingon"}, "--lang takes a language name"},
        {{"--lang"}, "--lang takes a language name"},
        {{"--language-file", file.string()}, "--language-file goes with --lang"},
        // A file the user named is reported by that name, not as missing from the
        // program's folder.
        {{"--lang", "English", "--language-file", (tempDir() / "none.sil").string()},
         "the language file \"" + (tempDir() / "none.sil").string() + "\" is not a readable file"},
        {{"--lang", "English", "--language-file", tempDir().string()},
         "the language file \"" + tempDir().string() + "\" is not a readable file"},
        {{"--lang", "English", "--language-file", (tempDir() / "bad.sil").string()},
         "language file: Format error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const Result r = run(c.args, "Id,Speed\nx,1\n");
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(BatchCalculator, PlantFileColumnsArePassedOver) {
    const Result plain = run({}, "Id,Speed\nP1,900\n");
    const Result plant = run({}, "Location,Id,InstalledOn,Speed,Machine,Volume_ml,Remarks\n"
                                 "Hall,P1,2026-11-02,900,Fan,250,\"a, b\"\n");
    ASSERT_EQ(plant.code, 0) << plant.err;
    EXPECT_EQ(plant.out, plain.out); // the output keeps its columns to the letter
    EXPECT_EQ(cell(plant.out, 0, "Id"), "P1");
    EXPECT_EQ(run({}, "Id,Machine,machine\nP1,a,b\n").code, 2);
}
