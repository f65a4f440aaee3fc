// Every text of the main window fits where it is shown: each language, both unit
// systems, with and without the "Log" tab, and after a change of the display font.
// The window is walked as a user would see it: every tab, every condition group and
// sub-variant group opened in turn, every lubricator's setting display.

#include "fitcheck.h"
#include "mainwindow_fixture.h"

#include "core/pipeline.h"
#include "reports/assessment.h"
#include "tabs/opcondtab.h"
#include "tabs/ratetab.h"
#include "widgets/badge.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "windows/planwindow.h"

#include <QAction>
#include <iostream>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

namespace {

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
}

// Inputs that give each result and inch field its longest text in units: a sweep
// over the extremes of the dimensions, the speed, every bearing type and variant,
// and the mildest and the harshest conditions.
QList<unctora::core::CalcInputs> longestResults(unctora::core::Units units) {
    namespace core = unctora::core;
    constexpr int kFields = 7;
    std::size_t longest[kFields] = {};
    core::CalcInputs best[kFields];
    const double dims[] = {0, 1, 10000};
    const double speeds[] = {0, 1, 10000};
    for (int type = 0; type < core::kBearingTypeCount; ++type)
        for (int sub1 = 0; sub1 < (type == core::CylindricalRoller ? 2 : type == core::SphericalRoller ? 3 : 1); ++sub1)
            for (int sub2 = 0; sub2 < (type == core::CylindricalRoller ? 4 : type == core::SphericalRoller ? 3 : type == core::ToroidalRoller ? 2 : 1); ++sub2)
                for (double d : dims)
                    for (double D : dims)
                        for (double B : dims)
                            for (double n : speeds)
                                for (int lub : {int(core::VOXA60), int(core::VOXA400)})
                                    for (bool harsh : {false, true}) {
                                        core::CalcInputs in;
                                        in.Type = type;
                                        in.CRBsub1 = in.SRBsub1 = sub1;
                                        in.CRBsub2 = in.SRBsub2 = in.TORBsub1 = sub2;
                                        in.Bore_mm = d, in.D_mm = D, in.B_mm = B, in.Speed = n;
                                        in.Lubricator = lub;
                                        in.BrgOpTemp = harsh ? 3 : 0, in.Load = harsh ? 3 : 0;
                                        in.ContMoist = harsh ? 2 : 0, in.Ambient = harsh ? 2 : 1;
                                        in.ShockLoad = harsh ? 1 : 0, in.RotOR = harsh ? 1 : 0;
                                        const core::CalcDisplay t = core::calculate(in, units, {}).run.display;
                                        const std::string* texts[kFields] = {&t.edTf, &t.edTfcorr, &t.edGp, &t.edQf,
                                                                             &t.edBore_in, &t.edD_in, &t.edB_in};
                                        for (int f = 0; f < kFields; ++f)
                                            if (texts[f]->size() > longest[f])
                                                longest[f] = texts[f]->size(), best[f] = in;
                                    }
    QList<core::CalcInputs> cases;
    for (const auto& in : best)
        if (!cases.contains(in))
            cases << in;
    return cases;
}

const char* const kLanguages[] = {nullptr,   "English", "German",  "French",
                                  "Italian", "Swedish", "Spanish", "Chinese",
                                  "Thai",    "Russian", "Portuguese", "Japanese"};

class FitTest : public MainWindowTest, public testing::WithParamInterface<int> {
protected:
    // The window on the (offscreen) screen, so that every layout is settled.
    TfrmMain& open(const QStringList& args) {
        window.reset();
        strings.reset();
        env.arguments = args;
        window = std::make_unique<TfrmMain>(env);
        strings = std::make_unique<TfrmStrings>(env, texts);
        window->attachWindows(nullptr, nullptr, strings.get());
        window->show();
        window->FirstActivation();
        settle();
        return *window;
    }

    void trigger(const char* action) {
        QAction* a = child<QAction>(action);
        ASSERT_TRUE(a) << action;
        a->trigger();
        settle();
    }

    void chooseLanguage(int number) {
        for (QAction* a : child<QMenu>("Language1")->actions())
            if (a->data().toInt() == number) {
                a->trigger();
                settle();
                return;
            }
        FAIL() << "no menu item for language " << number;
    }

    void note(const QWidget* root, const QString& state) {
        settle();
        for (const QString& line : lines(misfits(root)))
            if (!found.contains(line))
                found[line] = state;
    }

    // Every tab, then the inputs that change what the "Dial setting" tab shows.
    void walk(const QString& state) {
        auto* pg = child<QTabWidget>("pgMain");
        for (int i = 0; i < pg->count(); ++i)
            if (pg->isTabVisible(i)) {
                pg->setCurrentIndex(i);
                note(window.get(), state + ", tab " + pg->widget(i)->objectName());
            }
        pg->setCurrentIndex(0);
        // The controls by their names, however the tab keeps them.
        const auto& d = dial();
        const int type = d.cbBrgType->currentIndex();
        for (int t : {3, 4, 7}) {
            d.cbBrgType->setCurrentIndex(t);
            for (TGroupBar* bar : d.subVariantBars())
                if (bar->isVisible())
                    for (int g = 0; g < bar->count(); ++g) {
                        bar->captionButton(g)->click();
                        note(bar, state + QString(", bearing type %1 group %2").arg(t).arg(g));
                    }
        }
        d.cbBrgType->setCurrentIndex(type);
        const int condition = d.ocOpCond->openGroupIndex();
        for (int g = 0; g < d.ocOpCond->count(); ++g) {
            d.ocOpCond->captionButton(g)->click();
            note(d.gbOpCond, state + QString(", condition group %1").arg(g));
        }
        d.ocOpCond->captionButton(std::max(condition, 0))->click();
        const int lub = d.rgLubricator->itemIndex();
        for (int l = 0; l < d.rgLubricator->count(); ++l) {
            d.rgLubricator->button(l)->click();
            note(window->dialTab(), state + QString(", lubricator %1").arg(l));
        }
        d.rgLubricator->button(lub)->click();
        // The longest numbers the results and inch read-outs show.
        const unctora::core::CalcInputs inputs = window->readInputs();
        for (const auto& in : longestResults(window->CurrentUnits())) {
            window->setInputs(in);
            note(window->dialTab(), state + QString(", results %1 %2").arg(dial().edQf->text(), dial().edGp->text()));
        }
        window->setInputs(inputs);
        auto* rate = window->findChild<RateTab*>();
        pg->setCurrentWidget(rate);
        for (int i = 0; i < rate->rgRateSelLub->count(); ++i) {
            rate->rgRateSelLub->button(i)->click();
            note(rate, state + QString(", dispense rate item %1").arg(i));
        }
        pg->setCurrentIndex(0);
        settle();
    }

    // The plant plan window with the example plant: its menu titles, tab captions and
    // the texts above and below the tables. The column headers are left out: the user
    // sizes those columns.
    void walkPlan(const QString& state) {
        TfrmPlan* plan = window->ShowPlanWindow();
        ASSERT_TRUE(plan);
        ASSERT_TRUE(plan->openFile(UNCTORA_SOURCE_DIR "/examples/plant.csv"));
        settle();
        auto* tabs = plan->findChild<QTabWidget*>("pgPlan");
        ASSERT_TRUE(tabs);
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            note(plan, state + QString(", plant plan tab %1").arg(i));
        }
        tabs->setCurrentIndex(0);
    }

    void expectNothingFound() {
        QStringList report;
        for (auto it = found.cbegin(); it != found.cend(); ++it)
            report << it.key() + "   [" + it.value() + "]";
        EXPECT_TRUE(report.isEmpty()) << report.size() << " texts do not fit:\n"
                                      << report.join('\n').toStdString();
    }

    QMap<QString, QString> found; // what does not fit, and the first state it was seen in
};

} // namespace

TEST(FitCheck, TheCheckSeesMissingCharactersAndCutTexts) {
    // Without the fonts of a script its texts would show boxes: the check must see
    // that, or every language would pass for want of anything to measure.
    QFont font;
    EXPECT_FALSE(missingGlyphs(QString::fromUcs4(U"\U0010FFFD"), font).isEmpty());
    for (const char* sample : {"Ölschmierung", "Смазка", "润滑脂", "グリース", "จาระบี"})
        EXPECT_EQ(missingGlyphs(QString::fromUtf8(sample), font), QString())
            << sample << ": the Chinese, Japanese and Thai fonts are installed by make test";

    QWidget window;
    window.setObjectName("w");
    window.resize(200, 100);
    auto* fitting = new QLabel("short", &window);
    fitting->setObjectName("fitting");
    fitting->setGeometry(5, 5, 150, 20);
    auto* cut = new QLabel("a caption far too long for its label", &window);
    cut->setObjectName("cut");
    cut->setGeometry(5, 30, 40, 20);
    auto* outside = new QRadioButton("below the window", &window);
    outside->setObjectName("outside");
    outside->setGeometry(5, 90, 150, 20);
    window.show();
    settle();
    const QStringList found = lines(misfits(&window));
    ASSERT_EQ(found.size(), 2) << found.join('\n').toStdString();
    EXPECT_TRUE(found[0].startsWith("w/cut ")) << found[0].toStdString();
    EXPECT_TRUE(found[1].startsWith("w/outside ") && found[1].contains("shown")) << found[1].toStdString();
}

TEST_P(FitTest, EveryTextFitsInEveryState) {
    const int language = GetParam();
    for (const bool log : {false, true}) {
        open(log ? QStringList{"-Log"} : QStringList{});
        chooseLanguage(language);
        for (const char* units : {"miUnitSI", "miUnitImp"}) {
            trigger(units);
            walk(QString("%1%2, %3").arg(kLanguages[language], log ? " -Log" : "",
                                         units == std::string("miUnitSI") ? "SI" : "imperial"));
        }
    }
    // Another display font reaches every item and still fits.
    const QString designed = window->FontName();
    window->ApplyFont("DejaVu Serif");
    settle();
    const auto& d = dial();
    for (TRadioGroup* g : d.conditionGroups())
        for (int i = 0; i < g->count(); ++i)
            EXPECT_EQ(g->button(i)->font().family(), "DejaVu Serif") << g->objectName().toStdString() << i;
    for (int i = 0; i < d.rgLubricator->count(); ++i)
        EXPECT_EQ(d.rgLubricator->button(i)->font().family(), "DejaVu Serif") << i;
    walk(QString("%1, DejaVu Serif").arg(kLanguages[language]));
    walkPlan(QString("%1, DejaVu Serif").arg(kLanguages[language]));
    window->ApplyFont(designed);
    walkPlan(QString(kLanguages[language]));
    expectNothingFound();
}

INSTANTIATE_TEST_SUITE_P(Languages, FitTest, testing::Range(1, 12),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(kLanguages[info.param]);
                         });

TEST_F(FitTest, ANumberIsShownWholeOrInAShorterNotationNeverCut) {
    open({});
    auto d = dial();
    // A full-complement cylindrical roller bearing with no bore at 10000 rpm.
    unctora::core::CalcInputs in = window->readInputs();
    in.Type = unctora::core::CylindricalRoller;
    in.CRBsub2 = unctora::core::kCrbFullComplement;
    in.Bore_mm = 0;
    in.Speed = 10000;
    window->setInputs(in);
    settle();
    const QString whole = QString::fromStdString(unctora::reports::assess(window->readInputs(), {}).display.edQf);
    ASSERT_GT(whole.size(), 18) << whole.toStdString();
    EXPECT_EQ(d.edQf->text(), whole);
    EXPECT_TRUE(d.edQf->toolTip().isEmpty());
    EXPECT_EQ(lines(misfits(d.gbResults)), QStringList());
    // The other fields of the column keep their place beside it.
    EXPECT_EQ(d.edTf->width(), d.edQf->width());

    // Too long for any width its group allows: a shorter notation of the same number,
    // the whole text in the tooltip.
    const auto cases = longestResults(window->CurrentUnits());
    bool shortened = false;
    for (const auto& c : cases) {
        window->setInputs(c);
        settle();
        const QString full = QString::fromStdString(unctora::reports::assess(window->readInputs(), {}).display.edQf);
        if (d.edQf->text() == full)
            continue;
        shortened = true;
        EXPECT_EQ(d.edQf->toolTip(), full);
        EXPECT_TRUE(d.edQf->text().contains("E+")) << d.edQf->text().toStdString();
        const double shown = d.edQf->text().toDouble(), value = full.toDouble();
        EXPECT_NEAR(shown / value, 1.0, 1e-4) << d.edQf->text().toStdString() << " for " << full.toStdString();
        EXPECT_EQ(lines(misfits(d.gbResults)), QStringList());
    }
    EXPECT_TRUE(shortened) << "the sweep finds a feed rate too long for the field";
    // A short number again: the designed width.
    window->setInputs(in);
    in.Type = unctora::core::DeepGrooveBall;
    in.Bore_mm = 100, in.Speed = 2000;
    window->setInputs(in);
    settle();
    EXPECT_EQ(d.edQf->width(), 70);
    EXPECT_TRUE(d.edQf->toolTip().isEmpty());
}

TEST_F(MainWindowTest, ASmallScreenLetsTheWindowScrollFromTheTopEdge) {
    writeSettings("[frmMain]\r\nWinLeft=100\r\nWinTop=-1\r\n");
    TfrmMain& w = start();
    const QSize designed = w.size();
    // A tall screen changes nothing.
    w.fitToScreen(QRect(0, 0, 1280, 1024));
    EXPECT_FALSE(qobject_cast<QScrollArea*>(w.centralWidget()));
    EXPECT_EQ(w.size(), designed);
    w.fitToScreen(QRect(0, 0, 1024, 521));
    EXPECT_FALSE(qobject_cast<QScrollArea*>(w.centralWidget()));

    // 1024 x 480: the window fits the screen's height, starts at its top edge and
    // scrolls over the whole client area, down to the results and the footer.
    w.fitToScreen(QRect(0, 0, 1024, 480));
    auto* scroll = qobject_cast<QScrollArea*>(w.centralWidget());
    ASSERT_TRUE(scroll);
    EXPECT_EQ(w.y(), 0);
    EXPECT_GE(w.x(), 0);
    EXPECT_LE(w.frameGeometry().right(), 1023);
    EXPECT_LE(w.frameGeometry().bottom(), 479);
    EXPECT_GE(w.width(), designed.width() + 10);
    const int client = scroll->widget()->height();
    EXPECT_EQ(client, 659);
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), client - scroll->viewport()->height());
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    scroll->ensureWidgetVisible(dial().gbResults);
    const QPoint bottom = dial().gbResults->mapTo(scroll->viewport(), QPoint(0, dial().gbResults->height()));
    EXPECT_LE(bottom.y(), scroll->viewport()->height());
    // Running it again (another activation) changes nothing.
    const QSize fitted = w.size();
    w.fitToScreen(QRect(0, 0, 1024, 480));
    EXPECT_EQ(w.size(), fitted);
    // The position saved is the one on screen, not one above its top edge.
    quit();
    EXPECT_TRUE(readSettings().contains("WinTop=0")) << readSettings().toStdString();
}

TEST_F(MainWindowTest, TheFirstConditionGroupsItemsAreBoldAndFollowTheFont) {
    start();
    const auto& d = dial();
    EXPECT_TRUE(d.rgContMoist->font().bold());
    for (int i = 0; i < d.rgContMoist->count(); ++i)
        EXPECT_TRUE(d.rgContMoist->button(i)->font().bold()) << i;
    EXPECT_FALSE(d.rgLoad->button(0)->font().bold());
    window->ApplyFont("DejaVu Serif");
    for (TRadioGroup* g : d.conditionGroups())
        for (int i = 0; i < g->count(); ++i)
            EXPECT_EQ(g->button(i)->font().family(), "DejaVu Serif") << g->objectName().toStdString() << i;
    EXPECT_TRUE(d.rgContMoist->button(0)->font().bold());
    EXPECT_EQ(d.rgBrgOpTemp->button(0)->font().family(), "DejaVu Serif");
}

TEST(GroupBar, AContentThatOnlyRepeatsItsCaptionStaysHidden) {
    TGroupBar bar;
    auto* first = new QLabel("first");
    auto* second = new QLabel("second");
    bar.addGroup("a", "first", first);
    bar.addGroup("b", "second, described", second);
    bar.resize(200, 120);
    bar.show();
    bar.openGroup(0);
    settle();
    EXPECT_TRUE(first->isVisible());
    bar.setContentShown(0, false);
    EXPECT_FALSE(first->isVisible());
    // Opening it again keeps it hidden; another group shows its content as before.
    bar.openGroup(1);
    bar.openGroup(0);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(bar.captionButton(0)->isChecked());
    bar.openGroup(1);
    EXPECT_TRUE(second->isVisible());
    bar.setContentShown(0, true);
    EXPECT_FALSE(first->isVisible()) << "a closed group stays closed";
    bar.openGroup(0);
    EXPECT_TRUE(first->isVisible());
    bar.setContentShown(7, false); // out of range: nothing happens
}

TEST_F(FitTest, SubVariantsAndConditionsUseTheRoomTheyHave) {
    open({});
    const auto& d = dial();
    // The spherical roller bearings' descriptions repeat their captions and are not
    // shown again; the cage descriptions say more and are.
    d.cbBrgType->setCurrentIndex(4);
    settle();
    d.rbSRB_LoadRatio.bar->captionButton(0)->click();
    settle();
    EXPECT_TRUE(d.rbSRB_LoadRatio.bar->isVisible());
    auto* loadRatio = child<QLabel>("labLoadRatio1");
    ASSERT_TRUE(loadRatio);
    EXPECT_FALSE(loadRatio->isVisible());
    EXPECT_EQ(loadRatio->text(), d.rbSRB_LoadRatio.bar->caption(0));
    d.cbBrgType->setCurrentIndex(3);
    settle();
    d.rbCRB_Cage.bar->captionButton(0)->click();
    settle();
    ASSERT_TRUE(child<QLabel>("labCageGlass"));
    EXPECT_TRUE(child<QLabel>("labCageGlass")->isVisible());
    // Short condition items stand in one row.
    d.ocOpCond->captionButton(0)->click();
    settle();
    ASSERT_EQ(d.rgContMoist->count(), 3);
    EXPECT_EQ(d.rgContMoist->button(0)->y(), d.rgContMoist->button(2)->y());
    EXPECT_LT(d.rgContMoist->button(0)->x(), d.rgContMoist->button(1)->x());
}
