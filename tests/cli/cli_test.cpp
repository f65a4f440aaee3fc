// The batch calculator as a program: options, columns and exit codes are a contract.
#include "cli/csv.h"

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

// The records of a CSV text, read with the program's own reader.
std::vector<std::vector<std::string>> records(const std::string& text) {
    std::FILE* f = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    unctora::cli::CsvReader reader(f);
    unctora::cli::CsvRecord rec;
    std::vector<std::vector<std::string>> out;
    while (reader.next(rec))
        out.emplace_back(rec.fields.begin(), rec.fields.begin() + rec.count);
    std::fclose(f);
    return out;
}

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
              "PauseBase,edTf,edTfcorr,edGp,edQf,edBore_in,edD_in,edB_in,Greases,Status,Error");
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
    const auto ls = lines(r.out);
    ASSERT_EQ(ls.size(), 7u) << r.out;
    EXPECT_EQ(cell(r.out, 0, "Status"), "ok");
    EXPECT_EQ(cell(r.out, 1, "Status"), "failed");
    EXPECT_EQ(cell(r.out, 1, "Error"), "Invalid floating point operation");
    EXPECT_EQ(cell(r.out, 1, "tf"), ""); // results of a failed row stay empty
    EXPECT_EQ(cell(r.out, 1, "edTf"), "0");
    EXPECT_EQ(cell(r.out, 2, "Status"), "invalid");
    EXPECT_EQ(cell(r.out, 2, "Error"), "line 4: column D_mm: \"abc\" is not a number");
    EXPECT_EQ(cell(r.out, 3, "Error"), "line 5: expected 4 fields, found 2");
    EXPECT_NE(cell(r.out, 4, "Error").find("line 6: column Grease"), std::string::npos);
    EXPECT_EQ(ls[6].substr(0, 11), "\"quoted,id\"");
}

TEST(BatchCalculator, UnknownColumnStopsBeforeAnyRow) {
    const Result r = run({}, "Id,Speed,Colour\n1,2,3\n");
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("\"Colour\""), std::string::npos) << r.err;
    EXPECT_EQ(run({}, "Speed,speed\n1,2\n").code, 2);
}

TEST(BatchCalculator, JsonLinesWithLog) {
    const Result r = run({"--format", "jsonl", "--log"}, "Id,D_mm\n7,180\nz,0\n");
    ASSERT_EQ(r.code, 0) << r.err;
    const auto ls = lines(r.out);
    ASSERT_EQ(ls.size(), 2u);
    EXPECT_EQ(ls[0].rfind("{\"Id\":\"7\",\"Bore_mm\":100,", 0), 0u) << ls[0];
    EXPECT_NE(ls[0].find("\"tfcHours\":694,"), std::string::npos);
    EXPECT_NE(ls[0].find("\"Greases\":[0,8],\"Status\":\"ok\",\"Error\":null,\"Log\":["
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
    const auto ls = lines(r.out);
    EXPECT_GE(ls.size(), 21u);
    EXPECT_LE(ls.size(), 41u);
    for (std::size_t i = 1; i < ls.size(); ++i)
        EXPECT_NE(ls[i].find(",ok,"), std::string::npos) << ls[i];
}
