// The "Operating conditions" tab against input groups filled the way the main
// window fills them, with the shipped language file.

#include "tabs/opcondtab.h"

#include "text/format.h"
#include "strings/itemlist.h"
#include "text/keys.h"
#include "strings/stringtable.h"
#include "widgets/radiogroup.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <memory>

using namespace unctora;
namespace K = unctora::text::keys;

namespace {

class OpCondTabTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(texts.LoadLanguageFile(UNCTORA_SOURCE_DIR "/resources/unctora.sil"));
        for (int i = 0; i < 8; ++i)
            inputs << new TRadioGroup(&owner);
        fillInputs();
        tab = std::make_unique<OpCondTab>(OpCondTab::Context{
            inputs, [this] { return &texts; }, [this] { return units; },
            [this]() -> const strings::UnitLabels& { return labels; }});
        tab->applyLanguage();
    }

    QString text(std::string_view key, int number = 0) const {
        return QString::fromStdString(strings::LangStr(&texts, key, number));
    }

    // What the main window puts on the input groups for the current language and
    // unit system: the item lists, and the temperature items with their ranges
    // (class labels padded in front so the numbers line up).
    void fillInputs() {
        const std::pair<int, std::string_view> lists[] = {
            {0, K::strContMoistItems}, {1, K::strLoadItems},      {2, K::strShockLoadItems},
            {4, K::strShaftOriItems},  {6, K::strReplenishItems}, {7, K::strRotORItems}};
        for (auto [i, key] : lists) {
            QStringList items;
            for (const std::string& item : strings::parseItemList(text(key).toStdString()))
                items << QString::fromStdString(item);
            inputs[i]->setItems(items);
        }
        inputs[3]->setTitle(text(K::strBrgOpTemp));
        setTemperatureItems();
    }

    void setTemperatureItems() {
        const bool si = units == core::Units::SI;
        const QString unit = QString::fromStdString(si ? labels.celsiusLabel() : labels.fahrenheitLabel());
        QStringList classes;
        for (auto k : {K::strLow, K::strNormal, K::strHigh, K::strVeryHigh})
            classes << text(k) + ":";
        const int bounds[2][5] = {{47, 63, 78, 93, 107}, {117, 145, 172, 199, 225}};
        QStringList items;
        for (int i = 0; i < 4; ++i)
            items << QString("%1 %2 %3 %4 %5")
                         .arg(classes[i], classes[3].size())
                         .arg(bounds[si ? 0 : 1][i])
                         .arg(text(K::strTo))
                         .arg(bounds[si ? 0 : 1][i + 1])
                         .arg(unit);
        inputs[3]->setItems(items);
        auto bound = [&](std::string_view key, int value) {
            return QString::fromStdString(text::format(text(key).toStdString(), {value, unit.toStdString()}));
        };
        inputs[5]->setItems({bound(K::strBelow, si ? -10 : 15), text(K::strAverage),
                             bound(K::strAbove, si ? 40 : 105)});
    }

    void switchUnits(core::Units u) {
        units = u;
        setTemperatureItems();
        tab->unitsChanged();
    }

    void clickCondition(int i) { tab->rgCond->button(i)->click(); }
    void clickSetting(int i) { tab->rgSetting->button(i)->click(); }
    QStringList memoLines() const { return tab->Memo2->toPlainText().split('\n'); }

    strings::StringTable texts;
    core::Units units = core::Units::SI;
    strings::UnitLabels labels;
    QWidget owner;
    QList<TRadioGroup*> inputs;
    std::unique_ptr<OpCondTab> tab;
};

} // namespace

TEST_F(OpCondTabTest, ChosenSettingCarriesOverToTheNextCondition) {
    for (const char* name : {"tabOpCond", "labOpCond", "labAmountOfLub1", "labPleaseContact",
                             "labBrgSpeedLow1", "rgCond", "rgSetting", "labDialComp", "edDialComp",
                             "gbDesc", "Memo2"})
        EXPECT_TRUE(tab->objectName() == name || tab->findChild<QWidget*>(name)) << name;
    // Starts on the first condition with its first setting.
    EXPECT_EQ(tab->rgCond->itemIndex(), 0);
    EXPECT_EQ(tab->rgSetting->items(), inputs[0]->items());
    EXPECT_EQ(tab->edDialComp->text(), text(K::strNone));
    EXPECT_EQ(memoLines(), QStringList{text(K::strNormalSituation)});

    clickCondition(1);
    clickSetting(3);
    EXPECT_EQ(tab->edDialComp->text(), "x 0.15");
    EXPECT_EQ(memoLines(), (QStringList{text(K::strLoadsVeryHigh), text(K::strIncFlowRate)}));

    // Shaft orientation has two settings: Very High becomes the last, Vertical.
    clickCondition(4);
    EXPECT_EQ(tab->rgSetting->items(), inputs[4]->items());
    EXPECT_EQ(tab->rgSetting->itemIndex(), 1);
    EXPECT_EQ(tab->rgSetting->columns(), 2);
    EXPECT_EQ(tab->edDialComp->text(), "x 0.5");
    EXPECT_EQ(memoLines(), (QStringList{text(K::strVertShaft_1), text(K::strVertShaft_2),
                                        text(K::strVertShaft_3), text(K::strVertShaft_4)}));

    // Back on Load the setting is still the second one.
    clickCondition(1);
    EXPECT_EQ(tab->rgSetting->itemIndex(), 1);
    EXPECT_EQ(tab->rgSetting->columns(), 4);
    EXPECT_EQ(tab->edDialComp->text(), "x 0.7");
    EXPECT_FALSE(tab->Memo2->isHidden());
}

// The shock load's factor is the one the calculation takes at the load chosen on
// the Dial setting tab, also after the load changed while the tab was hidden.
TEST_F(OpCondTabTest, ShockLoadFactorFollowsTheChosenLoad) {
    inputs[1]->setItemIndex(1);
    clickCondition(2);
    clickSetting(1);
    EXPECT_EQ(tab->edDialComp->text(), "x 0.5");
    const char* expected[] = {"x 0.7", "x 0.5", "x 0.43", "x 0.67"};
    for (int load = 0; load < 4; ++load) {
        tab->hide();
        inputs[1]->setItemIndex(load);
        tab->show();
        EXPECT_EQ(tab->edDialComp->text(), expected[load]) << load;
    }
    // No load chosen: the factor at a moderate load.
    inputs[1]->setItemIndex(-1);
    clickSetting(1);
    EXPECT_EQ(tab->edDialComp->text(), "x 0.5");
    tab->hide();
}

TEST_F(OpCondTabTest, BearingTemperatureListsClassNamesOnly) {
    clickCondition(3);
    EXPECT_EQ(tab->rgSetting->items(),
              (QStringList{text(K::strLow), text(K::strNormal), text(K::strHigh), text(K::strVeryHigh)}));
    clickSetting(0);
    EXPECT_EQ(tab->edDialComp->text(), "x 2.0");
    clickSetting(1);
    EXPECT_EQ(tab->edDialComp->text(), text(K::strNone));
    EXPECT_EQ(memoLines(), QStringList{QString::fromStdString(text::format(
                               strings::LangStr(&texts, K::strNormalBrgTemp), {63, 78, "\u00B0C"}))});
}

TEST_F(OpCondTabTest, UnitSwitchRefreshesTheTemperatureConditions) {
    clickCondition(5);
    clickSetting(2);
    EXPECT_EQ(tab->edDialComp->text(), "x 2.0");
    switchUnits(core::Units::Imperial);
    EXPECT_EQ(tab->rgSetting->items(), inputs[5]->items());
    EXPECT_TRUE(tab->rgSetting->itemText(0).contains("15 \u00B0F"));
    EXPECT_EQ(tab->rgSetting->itemIndex(), 2);
    EXPECT_EQ(memoLines().size(), 6);
    EXPECT_EQ(memoLines()[0], text(K::strDecResReq, 1));

    clickCondition(3);
    clickSetting(1);
    EXPECT_TRUE(memoLines()[0].contains("145") && memoLines()[0].contains("172 \u00B0F"))
        << memoLines()[0].toStdString();
    switchUnits(core::Units::SI);
    EXPECT_TRUE(memoLines()[0].contains("63") && memoLines()[0].contains("78 \u00B0C"))
        << memoLines()[0].toStdString();
    // The class names did not change, so the settings stay as they were.
    EXPECT_EQ(tab->rgSetting->itemText(1), text(K::strNormal));

    // Other conditions are left alone by a unit switch.
    clickCondition(0);
    tab->Memo2->setPlainText("untouched");
    switchUnits(core::Units::Imperial);
    EXPECT_EQ(tab->Memo2->toPlainText(), "untouched");
}

TEST_F(OpCondTabTest, LanguageChangeKeepsTheSelections) {
    clickCondition(1);
    clickSetting(2);
    ASSERT_TRUE(texts.SetLanguageByName("German"));
    fillInputs();
    tab->applyLanguage();

    EXPECT_EQ(tab->rgCond->itemIndex(), 1);
    EXPECT_EQ(tab->rgSetting->itemIndex(), 2);
    EXPECT_EQ(tab->rgSetting->items(), inputs[1]->items());
    EXPECT_EQ(tab->rgCond->itemText(3), text(K::strBrgOpTemp));
    EXPECT_EQ(tab->rgCond->itemText(5), text(K::strAmbTemp));
    EXPECT_EQ(tab->rgCond->title(), text(K::strCond));
    EXPECT_EQ(tab->labPleaseContact->text(), text(K::strPleaseContact, 2));
    EXPECT_EQ(tab->edDialComp->text(), "x 0.35");
    EXPECT_EQ(memoLines(), (QStringList{text(K::strLoadsHigh), text(K::strIncFlowRate)}));
}

TEST_F(OpCondTabTest, SettingWithoutDescriptionKeepsTheCompensation) {
    // An item list whose last item lost its quotes has one setting too many.
    clickCondition(1);
    clickSetting(3);
    inputs[1]->setItems({"Low", "Moderate", "High", "Very", "High"});
    clickCondition(1);
    clickSetting(4);
    EXPECT_EQ(tab->edDialComp->text(), "x 0.15");
    EXPECT_TRUE(tab->Memo2->toPlainText().isEmpty());
    EXPECT_FALSE(tab->Memo2->isHidden());

    // A condition whose input group is missing has no settings at all.
    auto bare = std::make_unique<OpCondTab>(OpCondTab::Context{});
    bare->FillConditionSettings();
    EXPECT_EQ(bare->rgSetting->count(), 0);
    EXPECT_TRUE(bare->edDialComp->text().isEmpty());
}

TEST_F(OpCondTabTest, FailingTemplateStillShowsTheMemo) {
    strings::StringTable bad;
    bad.loadFromBytes("strNone=none\nstrNormalBrgTemp=%s to %d\n");
    OpCondTab::Context context;
    context.inputs = inputs;
    context.table = [&bad] { return &bad; };
    OpCondTab broken(context);
    broken.rgCond->setItemIndex(3);
    broken.FillConditionSettings();
    EXPECT_EQ(broken.edDialComp->text(), "x 2.0");
    broken.rgSetting->setItemIndex(1);
    broken.Memo2->setPlainText("old");
    EXPECT_THROW(broken.ShowConditionDescription(), text::FormatError);
    EXPECT_FALSE(broken.Memo2->isHidden());
    EXPECT_TRUE(broken.Memo2->toPlainText().isEmpty());
    EXPECT_EQ(broken.edDialComp->text(), "none");
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
