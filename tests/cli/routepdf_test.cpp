// unctora-calc route --format pdf as a program: the route sheet read back with
// pdftotext, where the PDF goes, what is refused, and the program that draws it.
#include "../support/commandline.h"

#include "plan/history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace unctora;

namespace {

class RoutePdf : public testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(fs::path(UNCTORA_CALC).parent_path() / "unctora-sheets"))
            GTEST_SKIP() << "built without the window toolkit: no route sheet";
        dir = fs::temp_directory_path() / ("unctora-routepdf-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        // Six-month cartridges: P1 due 2026-12-20, P2 overdue since 2026-11-15, P4 due
        // 2026-12-14, P5 overdue since 2026-11-01; P3 cannot be read. Hall comes first
        // in the file, and within it the fan before the pump.
        std::ofstream(dir / "plant.csv")
            << "Id,Location,Machine,Lubricator,Speed,D_mm,B_mm,Bore_mm,InstalledOn,Grease\n"
               "P1,Hall,Fan,VOXA 125,1500,180,46,100,2026-06-20,NVTE2\n"
               "P2,Yard,Belt,VOXA 125,1500,180,46,100,2026-05-15,NVTE2\n"
               "P3,Yard,Belt,VOXA 125,3000,90,23,50,someday,\n"
               "P4,Hall,Fan,VOXA 125,1500,180,46,100,2026-06-14,NVTE2\n"
               "P5,Hall,Pump,VOXA 125,1500,180,46,100,2026-05-01,NVTE2\n";
    }
    void TearDown() override {
        if (!dir.empty())
            fs::remove_all(dir);
    }
    testsupport::Outcome sh(const std::string& line) const { return testsupport::runShell(dir, UNCTORA_CALC, line); }
    // The text of a PDF in the folder, pages separated by form feeds.
    std::string text(const std::string& pdf, const std::string& options = "-layout") const {
        return sh("pdftotext " + options + " '" + pdf + "' -").out;
    }
    // The Ids of the stops in the order the sheet lists them.
    static std::vector<std::string> ids(const std::string& text) {
        std::vector<std::string> out;
        const std::regex stop(R"((P\d)\s+(Due|Overdue since): \d{4}-\d\d-\d\d)");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), stop); it != std::sregex_iterator(); ++it)
            out.push_back((*it)[1]);
        return out;
    }
    static std::size_t count(const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }
    fs::path dir;
};

} // namespace

TEST_F(RoutePdf, TheSheetListsWhatTheWorkOrdersList) {
    const auto csv = sh("$CALC route plant.csv --from 2026-12-10 --days 7");
    std::vector<std::string> orderIds;
    for (const auto& r : testsupport::csvRecords(csv.out))
        if (r[0] != "Id")
            orderIds.push_back(r[0]);
    ASSERT_EQ(orderIds, (std::vector<std::string>{"P4", "P5", "P2"}));

    const auto o = sh("$CALC route plant.csv --from 2026-12-10 --days 7 --format pdf --output round.pdf");
    EXPECT_EQ(o.code, 1) << o.err; // P3 is not on the route, and said so
    EXPECT_NE(o.err.find("P3"), std::string::npos);
    EXPECT_TRUE(o.out.empty());
    const std::string t = text("round.pdf");
    EXPECT_EQ(ids(t), orderIds) << t;
    // Grouped by location, then machine, in the order of the plant file.
    const std::size_t hall = t.find("Hall"), fan = t.find("Fan"), pump = t.find("Pump"), yard = t.find("Yard"),
                      belt = t.find("Belt");
    ASSERT_NE(belt, std::string::npos) << t;
    EXPECT_LT(hall, fan);
    EXPECT_LT(fan, pump);
    EXPECT_LT(pump, yard);
    EXPECT_LT(yard, belt);
    EXPECT_NE(t.find("Changes due from 2026-12-10 to 2026-12-16"), std::string::npos) << t;
    EXPECT_NE(t.find("Overdue since: 2026-11-15"), std::string::npos);
    EXPECT_EQ(count(t, "Remarks:"), 3u);
    EXPECT_EQ(count(t, "Noise or heat"), 3u);
    EXPECT_EQ(count(t, "Signature:"), 1u);
    EXPECT_EQ(count(t, "Lubricator: VOXA 125"), 3u);

    // To standard output when that is a file or a pipe: the same sheet.
    EXPECT_EQ(sh("$CALC route plant.csv --from 2026-12-10 --days 7 --format pdf > file.pdf").code, 1);
    EXPECT_EQ(sh("$CALC route plant.csv --from 2026-12-10 --days 7 --format pdf | cat > piped.pdf").code, 0);
    EXPECT_EQ(ids(text("file.pdf")), orderIds);
    EXPECT_EQ(ids(text("piped.pdf")), orderIds);
    // --output takes the CSV too.
    EXPECT_EQ(sh("$CALC route plant.csv --from 2026-12-10 --days 7 --output orders.csv").code, 1);
    EXPECT_EQ(testsupport::readFile(dir / "orders.csv"), csv.out);
}

TEST_F(RoutePdf, RecordedChangesTakePointsOffTheRound) {
    plan::ChangeRecord r;
    r.pointId = "P2";
    r.date = *plan::parseIsoDate("2026-12-01");
    r.lubricator = "VOXA 125";
    r.grease = "NVTE2";
    r.setting = "6";
    std::string error;
    ASSERT_TRUE(plan::appendHistory((dir / "plant.history.csv").string(), {r}, error)) << error;
    const auto o = sh("$CALC route plant.csv --from 2026-12-10 --days 7 --format pdf --output round.pdf");
    EXPECT_EQ(ids(text("round.pdf")), (std::vector<std::string>{"P4", "P5"}));
    const auto csv = sh("$CALC route plant.csv --from 2026-12-10 --days 7");
    EXPECT_EQ(csv.out.find("\r\nP2,"), std::string::npos) << csv.out;
    // Another history named: P2 is back.
    std::ofstream(dir / "empty.history.csv") << "";
    EXPECT_NE(sh("$CALC route plant.csv --from 2026-12-10 --days 7 --history empty.history.csv").out.find("\r\nP2,"),
              std::string::npos);
    EXPECT_EQ(sh("$CALC route plant.csv --history none.csv").code, 2);
}

TEST_F(RoutePdf, LanguageAndPaper) {
    ASSERT_LE(sh("$CALC route plant.csv --from 2026-12-10 --format pdf --lang Russian --paper letter "
                 "--output ru.pdf")
                  .code,
              1);
    const std::string t = text("ru.pdf", "-raw");
    EXPECT_NE(t.find("Обход смазки"), std::string::npos) << t;
    EXPECT_EQ(count(t, "Подпись:"), 1u);
    EXPECT_EQ(ids(t).size(), 0u); // the Russian captions, not the English ones
    EXPECT_NE(sh("pdfinfo ru.pdf").out.find("612 x 792 pts (letter)"), std::string::npos);
    ASSERT_LE(sh("$CALC route plant.csv --format pdf --paper a4 --output a4.pdf").code, 1);
    EXPECT_NE(sh("pdfinfo a4.pdf").out.find("595 x 842 pts (A4)"), std::string::npos);
    // A language file named with --language-file.
    fs::copy_file(UNCTORA_SOURCE_DIR "/resources/unctora.sil", dir / "texts.sil");
    ASSERT_LE(sh("$CALC route plant.csv --format pdf --lang German --language-file texts.sil --output de.pdf").code,
              1);
    EXPECT_NE(text("de.pdf").find("Schmierrundgang"), std::string::npos);
}

TEST_F(RoutePdf, ThePaperIsTheLocales) {
    // A locale whose paper is Letter, made for the test (the machine may have none).
    if (sh("command -v localedef && test -e /usr/share/i18n/locales/en_US").code != 0 ||
        sh("mkdir -p loc; localedef -i en_US -f UTF-8 loc/en_US.UTF-8; test -e loc/en_US.UTF-8/LC_PAPER").code != 0)
        GTEST_SKIP() << "no locale with Letter paper can be made here";
    ASSERT_LE(sh("LOCPATH=loc LC_PAPER=en_US.UTF-8 $CALC route plant.csv --format pdf --output us.pdf").code, 1);
    EXPECT_NE(sh("pdfinfo us.pdf").out.find("612 x 792 pts (letter)"), std::string::npos);
    ASSERT_LE(sh("LOCPATH=loc LC_ALL=C LC_PAPER=C $CALC route plant.csv --format pdf --output c.pdf").code, 1);
    EXPECT_NE(sh("pdfinfo c.pdf").out.find("595 x 842 pts (A4)"), std::string::npos);
    // --paper goes before the locale.
    ASSERT_LE(sh("LOCPATH=loc LC_PAPER=en_US.UTF-8 $CALC route plant.csv --format pdf --paper a4 --output a4.pdf").code,
              1);
    EXPECT_NE(sh("pdfinfo a4.pdf").out.find("(A4)"), std::string::npos);
}

TEST_F(RoutePdf, RefusesWhatWouldLoseOrGarbleSomething) {
    const std::string plant = testsupport::readFile(dir / "plant.csv");
    const struct {
        const char* line;
        const char* says;
    } cases[] = {
        {"$CALC route plant.csv --format pdf --output plant.csv", "plant file"},
        {"$CALC route plant.csv --output plant.csv", "plant file"},
        {"$CALC route plant.csv --format pdf --output ./plant.history.csv", "plant file or its history"},
        {"$CALC route plant.csv --lang German", "go with --format pdf"},
        {"$CALC route plant.csv --paper a4", "go with --format pdf"},
        {"$CALC route plant.csv --format pdf --paper a3 --output x.pdf", "--paper takes a4 or letter"},
        {"$CALC route plant.csv --format pdf --lang Klingon --output x.pdf", "--lang takes a language name"},
        {"$CALC route plant.csv --format pdf --language-file x.sil --output x.pdf", "goes with --lang"},
        {"$CALC route plant.csv --format pdf --lang German --language-file none.sil --output x.pdf", "none.sil"},
        {"$CALC route plant.csv --format pdf --output", "--output needs a file name"},
        {"$CALC route plant.csv --format pdf --output no/such/folder/x.pdf", "no/such/folder/x.pdf"},
        {"$CALC route plant.csv --format pdf > /dev/full", "cannot be written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto o = sh(c.line);
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
    }
    EXPECT_EQ(testsupport::readFile(dir / "plant.csv"), plant);
    EXPECT_FALSE(fs::exists(dir / "x.pdf"));
    EXPECT_FALSE(fs::exists(dir / "plant.history.csv"));
}

TEST_F(RoutePdf, NotOntoATerminal) {
    if (sh("command -v script").code != 0)
        GTEST_SKIP() << "no script(1) to give the program a terminal";
    // script runs the command on a terminal of its own and copies what it writes.
    const auto o = sh("script -qec \"$CALC route plant.csv --format pdf\" /dev/null");
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.out.find("a PDF is not written to a terminal"), std::string::npos) << o.out;
    EXPECT_EQ(o.out.find("%PDF"), std::string::npos);
    // With --output the terminal does not matter.
    EXPECT_LE(sh("script -qec \"$CALC route plant.csv --format pdf --output t.pdf\" /dev/null").code, 1);
    EXPECT_EQ(testsupport::readFile(dir / "t.pdf").substr(0, 5), "%PDF-");
}

TEST_F(RoutePdf, WithoutTheProgramThatDraws) {
    // unctora-calc alone in a folder: the CSV as ever, the PDF refused with the reason.
    fs::create_directories(dir / "alone");
    fs::copy_file(UNCTORA_CALC, dir / "alone/unctora-calc");
    const auto o = testsupport::runShell(dir, (dir / "alone/unctora-calc").string(),
                                         "$CALC route plant.csv --format pdf --output x.pdf");
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("unctora-sheets, which cannot be started: No such file or directory"), std::string::npos)
        << o.err;
    EXPECT_FALSE(fs::exists(dir / "x.pdf"));
    EXPECT_EQ(testsupport::runShell(dir, (dir / "alone/unctora-calc").string(), "$CALC route plant.csv").code, 1);
}
