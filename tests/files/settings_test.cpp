#include "files/fileio.h"
#include "files/regini.h"
#include "files/settingsdata.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace unctora;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("unctora-settings-" + std::to_string(::getpid()) + "-" +
                                           testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        path = (dir / "unctora.INI").string();
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string read() {
        std::string s;
        files::readWholeFile(path, s);
        return s;
    }
    fs::path dir;
    std::string path;
};

} // namespace

TEST_F(SettingsFile, ReadsDefaultsClampsAndIgnoresCase) {
    write("[data]\r\nBore_mm=120\r\nCRBSub1=1\r\nCRBSub2=9\r\nType=-4\r\nGrease=-3\r\n"
          "Load=25\r\nSpeed=abc\r\nD_mm= \"250\" \r\nOpHours=99\r\nLubricator=5\r\n");
    files::TStRegIni ini(path, true);
    const core::CalcInputs in = files::readDataSection(ini);
    EXPECT_EQ(in.Bore_mm, 120);
    EXPECT_EQ(in.D_mm, 250);
    EXPECT_EQ(in.CRBsub1, 1); // written with a capital S, read through CRBsub1
    EXPECT_EQ(in.CRBsub2, 3);
    EXPECT_EQ(in.Type, 0);
    EXPECT_EQ(in.Grease, 0);
    EXPECT_EQ(in.Load, 3);
    EXPECT_EQ(in.Speed, 2000);  // not an integer: the default
    EXPECT_EQ(in.OpHours, 99);  // numbers are not clamped here; the spin edits do that
    EXPECT_EQ(in.Lubricator, 1); // never stored: always the designed item
    EXPECT_EQ(in.ContMoist, 1);
    EXPECT_EQ(in.BrgOpTemp, 0);
}

TEST_F(SettingsFile, StoreWritesTheInputsAsTheFileHasAlwaysHeldThem) {
    core::CalcInputs in;
    in.Bore_mm = 62.5; // whole numbers, halves to even
    in.Speed = 1500.5;
    in.Type = 4;
    in.SRBsub2 = 2;
    in.Lubricator = core::ZOLT380; // not stored
    {
        files::TStRegIni ini(path, true);
        ini.setDeferred(true);
        files::writeDataSection(ini, in);
        ini.UpdateFile();
    }
    EXPECT_EQ(read(), "[Data]\nBore_mm=62\nD_mm=180\nB_mm=100\nType=4\nGrease=0\n"
                      "PowerSource=0\nOutlets=0\nSpeed=1500\nOpHours=24\nBrgOpTemp=0\n"
                      "ContMoist=1\nLoad=1\nShockLoad=1\nAmbient=1\nShaftOrientation=1\n"
                      "Replenishment=1\nRotOR=1\nCRBSub1=0\nCRBSub2=0\nSRBSub1=0\n"
                      "SRBSub2=2\nTORBSub1=0\n");
    files::TStRegIni ini(path, true);
    core::CalcInputs back = in;
    back.Bore_mm = 62;
    back.Speed = 1500;
    back.Lubricator = core::CalcInputs{}.Lubricator;
    EXPECT_EQ(files::readDataSection(ini), back);
}

TEST_F(SettingsFile, StoreListsEveryKeyOnce) {
    const std::vector<files::SettingsKey> keys = files::settingsKeys({"frmMain"});
    std::size_t data = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        data += keys[i].section == files::kDataSection;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(keys[i].section == keys[j].section && keys[i].name == keys[j].name)
                << keys[i].name;
    }
    EXPECT_EQ(data, core::inputFields().size() - 1); // all but the lubricator
    EXPECT_EQ(keys.back().name, "RotOR");
}

TEST_F(SettingsFile, MissingOrJunkFileGivesDefaults) {
    {
        files::TStRegIni ini(path, true);
        EXPECT_EQ(files::readDataSection(ini), core::CalcInputs{});
    }
    write(std::string("\x00\xff\xfe[Data\n==\nType\n[Data]\nType=7\nType=2\n\x01\x02", 40));
    files::TStRegIni ini(path, true);
    const core::CalcInputs in = files::readDataSection(ini);
    EXPECT_EQ(in.Type, 7); // the first of duplicate keys
    ini.Section = "Options";
    EXPECT_EQ(ini.ReadString("Language", "English"), "English");
}

TEST_F(SettingsFile, WritesInPlaceKeepingUnknownKeys) {
    write("[Options]\r\nUnits=0\r\nMine=keep me\r\n[Data]\r\nType=3\r\n");
    files::TStRegIni ini(path, true);
    ini.Section = "Options";
    ini.WriteInteger("Units", 1);
    ini.WriteString("Language", "German");
    ini.Section = "frmMain";
    ini.WriteInteger("WinLeft", -4);
    EXPECT_EQ(read(), "[Options]\nUnits=1\nMine=keep me\nLanguage=German\n\n\n"
                      "[Data]\nType=3\n\n\n[frmMain]\nWinLeft=-4\n");
    files::TStRegIni again(path, true);
    again.Section = "FRMMAIN";
    EXPECT_EQ(again.ReadInteger("winleft", 0), -4);
    again.Section = "Options";
    EXPECT_EQ(again.ReadString("language", ""), "German");
}

TEST_F(SettingsFile, RefusedWriteRaisesAndKeepsTheOldFile) {
    write("[Options]\nUnits=0\n");
    ::chmod(path.c_str(), 0444);
    files::TStRegIni ini(path, true);
    ini.Section = "Options";
    try {
        ini.WriteInteger("Units", 1);
        ADD_FAILURE() << "a read-only file was written";
    } catch (const files::WriteError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Unable to write to " + path, 0), 0u) << e.what();
    }
    EXPECT_EQ(read(), "[Options]\nUnits=0\n");
    // A missing folder is refused too, and leaves no temporary file behind.
    files::TStRegIni lost((dir / "missing" / "unctora.INI").string(), true);
    lost.Section = "Options";
    EXPECT_THROW(lost.WriteInteger("Units", 1), files::WriteError);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(SettingsFile, ValueWithLineBreakStaysOneLine) {
    write("[Options]\nLanguage=German\n");
    {
        files::TStRegIni ini(path, true);
        ini.Section = "Options";
        ini.WriteString("FontName", "Sans\r\n[Data]\nType=3\nUnits=1");
    }
    files::TStRegIni ini(path, true);
    ini.Section = "Options";
    EXPECT_EQ(ini.ReadString("FontName", ""), "Sans  [Data] Type=3 Units=1");
    EXPECT_EQ(ini.ReadInteger("Units", 0), 0);
    EXPECT_EQ(ini.ReadString("Language", ""), "German");
    ini.Section = "Data";
    EXPECT_EQ(ini.ReadInteger("Type", 0), 0);
}

TEST_F(SettingsFile, OverlongValueIsCutBeforeACharacter) {
    const std::string a(2046, 'a');
    write("[Options]\nFontName=" + a + "\xC3\xA4\n" + "Language=" + std::string(2045, 'b') +
          "   x\nVersion=" + a + "\xF0\x9F\x98\x80\n");
    files::TStRegIni ini(path, true);
    ini.Section = "Options";
    EXPECT_EQ(ini.ReadString("FontName", ""), a); // not the first byte of the last letter
    // No blanks at the end of a cut value: they would not survive being written back.
    EXPECT_EQ(ini.ReadString("Language", ""), std::string(2045, 'b'));
    EXPECT_EQ(ini.ReadString("Version", ""), a);
    // Bytes that are no UTF-8 are cut at the limit as they are.
    write("[Options]\nFontName=" + std::string(2100, '\xE4') + "\n");
    files::TStRegIni latin(path, true);
    latin.Section = "Options";
    EXPECT_EQ(latin.ReadString("FontName", ""), std::string(2047, '\xE4'));
}

TEST(IniInteger, Parsing) {
    int v = 0;
    EXPECT_TRUE(files::parseIniInteger(" -12 ", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(files::parseIniInteger("+7", v));
    EXPECT_EQ(v, 7);
    for (const char* bad : {"", " ", "1.5", "12a", "0x10", "99999999999", "--1", "+"})
        EXPECT_FALSE(files::parseIniInteger(bad, v)) << bad;
}
