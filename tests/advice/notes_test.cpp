#include "advice/notebox.h"
#include "advice/notetext.h"

#include "core/calcinputs.h"
#include "text/format.h"
#include "text/keys.h"
#include "strings/stringtable.h"

#include <gtest/gtest.h>

#include <string>

using namespace unctora;
using advice::Page;
using core::Units;

namespace {

// A small language file with English and German columns; every template carries
// the conversions of its key, with texts short enough to read in a test.
constexpr std::string_view kLanguageFile =
    "[Strings]\n"
    "strNote=Note~Hinweis\n"
    "strNote1_1=Max %.*f %s. ~Höchstens %.*f %s. \n"
    "strNote1_2=Use the %s.~Nehmen Sie den %s.\n"
    "strNote1_3=Two units.%s~Zwei Geräte.%s\n"
    "strNote2_1=Min %.*f %s. ~Mindestens %.*f %s. \n"
    "strNote2_2=Below %.*f %s use the %s.~Unter %.*f %s den %s.\n"
    "strNote2_3=%s: at most %s months.~%s: höchstens %s Monate.\n"
    "strNote3_1=A~a\nstrNote3_2=B~b\nstrNote3_3=C~c\nstrNote3_4=D~d\n"
    "strNote4_4=E~e\nstrNote4_5=F~f\nstrNote4_6=G~g\n"
    "strCalcFailed=Failed.~Fehlgeschlagen.\n"
    "strNote6_1=Above %.*f %s a day. ~Über %.*f %s am Tag. \n"
    "strNote6_2=Two outlets.~Zwei Auslässe.\n"
    "strNote7_1=Set it.~Einstellen.\n"
    "strNote8_1=Over %d minutes.~Über %d Minuten.\n"
    "strLUB_INTERVAL_WARN_01=ndm %.0f > %.0f, at most %.1f rpm\n"
    "strLUB_INTERVAL_WARN_02=ndm %.0f > %.0f, höchstens %.1f min-1\n"
    "strOUT_RING_ROT_WARN_01=Outer ring: 100%% sure\n"
    "strTOO_LOW_SPEED_WARN=Below %d rpm; run at %d.~Unter %d min-1; mindestens %d.\n"
    "strLOW_SPEED_WARN=Slow.~Langsam.\n"
    "strLOW_AMB_WARN=Below %d %s.~Unter %d %s.\n"
    "strHIGH_AMB_WARN=Above %d %s.~Über %d %s.\n";

strings::StringTable table(std::string_view language = "English") {
    strings::StringTable t;
    t.loadFromBytes(kLanguageFile);
    t.SetLanguageByName(language);
    return t;
}

strings::QuantityContext units(Units u, std::string separator = ".") {
    return {u, nullptr, std::move(separator)};
}

} // namespace

TEST(NoteText, EveryNoteInBothUnitSystems) {
    const strings::StringTable t = table();
    const struct {
        int lubricator, code;
        Units units;
        const char* text;
    } cases[] = {
        // Note 1: the shortest setting's monthly amount with one decimal.
        {core::VOXA125, 1, Units::SI, "Max 110.0 g. Two units."},
        {core::VOXA125, 1, Units::Imperial, "Max 3.9 oz. Two units."},
        {core::VOXA60, 1, Units::SI, "Max 55.0 g. Use the VOXA 125."},
        {core::TENO125, 1, Units::SI, "Max 110.0 g. Use the TENO 250."},
        {core::ZOLT120, 1, Units::Imperial, "Max 3.9 oz. Use the ZOLT 380ml."},
        {core::ZOLT380, 1, Units::SI, "Max 341.9 g. Two units."},
        {core::ZOLT380, 1, Units::Imperial, "Max 12.1 oz. Two units."},
        // Note 2: automatic decimals, none from 1 up and two below.
        {core::VOXA60, 2, Units::SI, "Min 4 g. VOXA 60: at most 12 months."},
        {core::VOXA60, 2, Units::Imperial, "Min 0.15 oz. VOXA 60: at most 12 months."},
        {core::VOXA125, 2, Units::SI, "Min 9 g. Below 9 g use the VOXA 60."},
        {core::TENO250, 2, Units::Imperial, "Min 0.60 oz. Below 0.60 oz use the TENO 125."},
        {core::ZOLT120, 2, Units::SI, "Min 5 g. ZOLT 120ml: at most 24 months."},
        {core::ZOLT380, 2, Units::SI, "Min 14 g. Below 14 g use the ZOLT 120ml."},
        {core::VOXA400, 2, Units::SI, "Min 9 g. VOXA 400: at most 12 months."},
        {core::VOXA125, 3, Units::SI, "ABCD"},
        {core::VOXA125, 4, Units::SI, "EFG"},
        {core::ZOLT380, 5, Units::SI, "Failed."},
        // Note 6 shows its amount as a volume.
        {core::VOXA400, 6, Units::SI, "Above 10 ml a day. Two outlets."},
        {core::VOXA400, 6, Units::Imperial, "Above 0.35 fl oz. a day. Two outlets."},
        {core::VOXA400, 7, Units::SI, "Set it."},
        {core::VOXA1000, 8, Units::SI, "Over 5 minutes."},
        {core::VOXA125, 0, Units::SI, ""},
        {core::VOXA125, 9, Units::SI, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "lubricator " << c.lubricator << ", note " << c.code
                                          << (c.units == Units::SI ? ", SI" : ", imperial"));
        EXPECT_EQ(advice::NoteText(c.lubricator, c.code, &t, units(c.units)), c.text);
    }
}

TEST(NoteText, LanguageLabelsAndSeparator) {
    const strings::StringTable de = table("German");
    strings::UnitLabels labels;
    labels.setMassUnitLabel(Units::Imperial, "Unzen");
    const strings::QuantityContext q{Units::Imperial, &labels, ","};
    EXPECT_EQ(advice::NoteText(core::VOXA125, 1, &de, q), "Höchstens 3,9 Unzen. Zwei Geräte.");
    EXPECT_EQ(advice::NoteText(core::VOXA60, 2, &de, q),
              "Mindestens 0,15 Unzen. VOXA 60: höchstens 12 Monate.");
    // Without a table every look-up shows the marker, and nothing fails.
    EXPECT_EQ(advice::NoteText(core::VOXA125, 5, nullptr, q), "frmString=nil!");
    EXPECT_EQ(advice::NoteText(core::VOXA60, 1, nullptr, q), "frmString=nil!frmString=nil!");
}

TEST(NoteText, TemplateThatDoesNotFitRaises) {
    strings::StringTable t;
    t.loadFromBytes("strNote8_1=Over %s minutes.\nstrNote1_2=Use %d.\nstrNote1_1=%.*f %s %d\n");
    EXPECT_THROW(advice::NoteText(core::VOXA1000, 8, &t, units(Units::SI)), text::FormatError);
    EXPECT_THROW(advice::NoteText(core::VOXA60, 1, &t, units(Units::SI)), text::FormatError);
}

TEST(PageText, WarningsErrorsAndNotes) {
    const strings::StringTable en = table(), de = table("German");
    const Page interval = Page::warning(text::keys::strLUB_INTERVAL_WARN,
                                        Page::Lookup::Numbered, {420000.0, 400000.0, 400000.0 / 140});
    const Page tooSlow = Page::warning(text::keys::strTOO_LOW_SPEED_WARN, Page::Lookup::Column,
                                       {std::int64_t{144}, std::int64_t{144}});
    const Page outerRing =
        Page::warning(text::keys::strOUT_RING_ROT_WARN, Page::Lookup::Numbered);
    const struct {
        const char* what;
        Page page;
        const strings::StringTable* texts;
        const char* separator;
        const char* text;
    } cases[] = {
        {"numbered warning in English", interval, &en, ".",
         "ndm 420000 > 400000, at most 2857.1 rpm"},
        {"numbered warning in German", interval, &de, ",",
         "ndm 420000 > 400000, höchstens 2857,1 min-1"},
        {"column warning with integers", tooSlow, &de, ".", "Unter 144 min-1; mindestens 144."},
        {"a text without values is not formatted", outerRing, &en, ".", "Outer ring: 100%% sure"},
        {"missing numbered entry of a language falls back to English", outerRing, &de, ".",
         "Outer ring: 100%% sure"},
        {"error message as it is", Page::error("Floating point division by zero"), &en, ".",
         "Floating point division by zero"},
        {"note", Page::note(core::VOXA1000, 8), &de, ".", "Über 5 Minuten."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(advice::pageText(c.page, c.texts, units(Units::SI, c.separator)), c.text);
    }
}

TEST(PageText, AmbientWarningsQuoteTheirBoundInTheUnits) {
    const strings::StringTable en = table(), de = table("German");
    strings::UnitLabels labels;
    labels.setTemperatureLabels("Grad C", "Grad F");
    const Page cold = Page::warning(text::keys::strLOW_AMB_WARN, Page::Lookup::Column);
    const Page hot = Page::warning(text::keys::strHIGH_AMB_WARN, Page::Lookup::Column);
    const strings::QuantityContext si{Units::SI, nullptr, "."}, imperial{Units::Imperial, nullptr, "."},
        germanImperial{Units::Imperial, &labels, ","};
    EXPECT_EQ(advice::pageText(cold, &en, si), "Below -10 \u00B0C.");
    EXPECT_EQ(advice::pageText(hot, &en, si), "Above 40 \u00B0C.");
    EXPECT_EQ(advice::pageText(cold, &en, imperial), "Below 15 \u00B0F.");
    EXPECT_EQ(advice::pageText(hot, &de, germanImperial), "Über 105 Grad F.");
    // A language file of its own without the numbers still shows its text.
    strings::StringTable plain;
    plain.loadFromBytes("strLOW_AMB_WARN=Cold.\n");
    EXPECT_EQ(advice::pageText(cold, &plain, imperial), "Cold.");
}

TEST(FailurePages, NoteFiveThenTheMessage) {
    const advice::Pages pages = advice::failurePages(core::TENO250, "Invalid floating point operation");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], Page::note(core::TENO250, advice::kFailureNote));
    EXPECT_EQ(pages[1], Page::error("Invalid floating point operation"));
    // Pages added before the failure stay in front.
    advice::Pages kept{Page::note(core::VOXA400, 7)};
    advice::appendFailurePages(kept, core::VOXA400, "x");
    EXPECT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[1].code, advice::kFailureNote);
}

TEST(NoteBox, PagingWrapsAround) {
    const strings::StringTable t = table();
    advice::NoteBox box;
    for (const char* text : {"one", "two", "three"})
        box.AddNote(text);
    const struct {
        const char* action;
        int n; // for "show"
        const char* text;
        int current;
    } steps[] = {
        {"show", 0, "Note: 1/3\none", 0},   {"next", 0, "Note: 2/3\ntwo", 1},
        {"next", 0, "Note: 3/3\nthree", 2}, {"next", 0, "Note: 1/3\none", 0},
        {"prev", 0, "Note: 3/3\nthree", 2}, {"prev", 0, "Note: 2/3\ntwo", 1},
        {"show", -1, "Note: 3/3\nthree", 2}, {"show", -7, "Note: 3/3\nthree", 2},
        {"show", 3, "Note: 1/3\none", 0},
    };
    int i = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(::testing::Message() << "step " << ++i << ": " << s.action << " " << s.n);
        const std::string a = s.action;
        const std::string text = a == "show"   ? box.ShowNotePage(s.n, &t)
                                 : a == "next" ? box.NextNotePage(&t)
                                               : box.PrevNotePage(&t);
        EXPECT_EQ(text, s.text);
        EXPECT_EQ(box.currentPage(), s.current);
    }
}

TEST(NoteBox, OnePageEmptyBoxAndClearing) {
    const strings::StringTable de = table("German");
    advice::NoteBox box;
    // Nothing to show: paging an empty box shows nothing and stays on page 0.
    EXPECT_EQ(box.ShowNotePage(0, &de), "");
    EXPECT_EQ(box.NextNotePage(&de), "");
    EXPECT_EQ(box.PrevNotePage(&de), "");
    EXPECT_EQ(box.currentPage(), 0);

    box.AddNote("line 1\nline 2");
    EXPECT_EQ(box.ShowNotePage(0, &de), "Hinweis: 1/1\nline 1\nline 2");
    EXPECT_EQ(box.NextNotePage(&de), "Hinweis: 1/1\nline 1\nline 2");
    EXPECT_EQ(box.ShowNotePage(0, nullptr), "frmString=nil!: 1/1\nline 1\nline 2");

    box.AddNote("second");
    box.NextNotePage(&de);
    EXPECT_EQ(box.currentPage(), 1);
    box.clear();
    EXPECT_EQ(box.pageCount(), 0);
    EXPECT_EQ(box.currentPage(), 0);
}
