// TfrmMain: units of measure, condition captions and the texts of the language.

#include "tabs/opcondtab.h"
#include "tabs/dialtab.h"
#include "windows/fontwindow.h"
#include "tabs/acctab.h"
#include "tabs/ratetab.h"
#include "app/mainwindow.h"
#include "windows/planwindow.h"
#include "core/greases.h"
#include "core/round.h"
#include "core/units.h"
#include "strings/format.h"
#include "strings/itemlist.h"
#include "strings/keys.h"
#include "strings/stringtable.h"
#include "windows/stringwindow.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/tabbar.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

using namespace unctora;
namespace K = unctora::strings::keys;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A result caption on two lines; a label breaks lines at "\n", not at CR. The CR
// that ends a caption without a break would be an empty second line, which a label
// centres the text with: it is not shown.
QString twoLines(const QString& text) {
    QString lines = QString::fromStdString(strings::BreakAtNewline(text.toStdString()));
    if (lines.endsWith('\r'))
        lines.chop(1);
    return lines.replace('\r', '\n');
}

} // namespace

core::Units TfrmMain::CurrentUnits() const {
    return m_units == 0 ? core::Units::SI : core::Units::Imperial;
}

void TfrmMain::setUnitMarks(int units) {
    m_units = units == 0 ? 0 : 1;
    for (QAction* a : {m_menus.unitSI, m_menus.unitImp}) {
        QFont f = a->font();
        f.setBold(a == (m_units == 0 ? m_menus.unitSI : m_menus.unitImp));
        a->setFont(f);
    }
}

void TfrmMain::ApplyUnits(int units) {
    DialTab* d = m_dial;
    {
        // Rebuilding the items must not run the groups' click handlers.
        const QSignalBlocker b1(d->rgBrgOpTemp), b2(d->rgAmbTemp);
        if (units == 0 || units == 1) {
            setUnitMarks(units);
            const core::Units u = CurrentUnits();
            d->labUnitGp->setText(qs(m_unitLabels.massUnitLabel(u)));
            d->labUnitQf->setText(qs(m_unitLabels.massUnitLabel(u)) + "/ " + text(K::strDay.data()));
            rebuildTemperatureItems();
        }
        updateConditionCaption(d->rgAmbTemp);
        m_opCondTab->unitsChanged();
    }
    d->fitTemperatureItems();
    d->fitConditionItems();
    recalculate();
    if (m_plan)
        m_plan->applyUnits();
}

void TfrmMain::rebuildTemperatureItems() {
    DialTab* d = m_dial;
    const bool si = CurrentUnits() == core::Units::SI;
    const std::string unit = si ? m_unitLabels.celsiusLabel() : m_unitLabels.fahrenheitLabel();
    const QFontMetrics fm(d->rgBrgOpTemp->font());
    // Class labels padded with blanks in front until the numbers line up.
    QStringList labels;
    for (auto k : {K::strLow, K::strNormal, K::strHigh, K::strVeryHigh})
        labels << text(k.data()) + ":";
    const int widest = fm.horizontalAdvance(labels[3]);
    for (int i = 0; i < 3; ++i)
        while (fm.horizontalAdvance(labels[i]) < widest)
            labels[i].prepend(' ');
    const int bounds[5] = {117, 145, 172, 199, 225};
    auto shown = [si](int f) {
        return si ? static_cast<int>(core::Round(core::fahrenheitToCelsius(f))) : f;
    };
    const int keep = std::max(0, d->rgBrgOpTemp->itemIndex());
    QStringList items;
    for (int i = 0; i < 4; ++i)
        items << qs(strings::format("%s %d %s %d %s",
                                    {labels[i].toStdString(), shown(bounds[i]),
                                     text(K::strTo.data()).toStdString(), shown(bounds[i + 1]), unit}));
    d->rgBrgOpTemp->setItems(items);
    d->rgBrgOpTemp->setItemIndex(keep);

    const int low = si ? static_cast<int>(core::roundToTen(core::fahrenheitToCelsius(15))) : 15;
    const int high = si ? static_cast<int>(core::roundToTen(core::fahrenheitToCelsius(105))) : 105;
    const int ambient = d->rgAmbTemp->itemIndex();
    d->rgAmbTemp->setItems(
        {qs(strings::format("%s %d %s", {text(K::strBelow.data()).toStdString(), low, unit})),
         text(K::strAverage.data()),
         qs(strings::format("%s %d %s", {text(K::strAbove.data()).toStdString(), high, unit}))});
    d->rgAmbTemp->setItemIndex(ambient);
}

void TfrmMain::updateConditionCaption(TRadioGroup* group) {
    static constexpr std::string_view kCaptionKeys[] = {
        K::strContMoist, K::strLoad, K::strShockLoad, K::strAmbTemp,
        K::strShaftOri, K::strReplenish, K::strRotOR};
    const QList<TRadioGroup*> groups = m_dial->conditionGroups();
    const int index = groups.indexOf(group);
    const QString title = index >= 0 ? text(kCaptionKeys[index].data()) : "OpCondStr not found";
    // The chosen item; an index out of range is brought into it without a click.
    QString chosen = "?";
    if (group->count() > 0) {
        const int i = std::clamp(group->itemIndex(), 0, group->count() - 1);
        if (i != group->itemIndex()) {
            const QSignalBlocker block(group);
            group->setItemIndex(i);
        }
        chosen = group->itemText(i);
    }
    if (index >= 0) {
        m_dial->ocOpCond->setCaption(index, title + ": " + chosen);
        group->setAccessibleName(title);
    }
}

void TfrmMain::UpdateConditionCaptions() {
    for (TRadioGroup* g : m_dial->conditionGroups())
        updateConditionCaption(g);
}

void TfrmMain::ApplyLanguage() {
    if (!m_activated)
        return;
    DialTab* d = m_dial;
    try {
        SaveLanguageAndUnits();
    } catch (const std::exception& e) {
        showError(qs(e.what()));
    }
    m_unitLabels.setMassUnitLabel(core::Units::SI, text(K::strGram.data()).toStdString());
    m_unitLabels.setMassUnitLabel(core::Units::Imperial, text(K::stroz.data()).toStdString());
    m_unitLabels.setTemperatureLabels(text(K::strDegC.data()).toStdString(),
                                      text(K::strDegF.data()).toStdString());
    rebuildPages(true, false);
    m_opCondTab->ShowConditionDescription();
    m_rateTab->applyLanguage();
    m_accTab->applyLanguage();
    ApplyUnits(static_cast<int>(CurrentUnits()));
    if (m_selFont)
        m_selFont->applyLanguage(table());

    m_menus.options->setTitle(text(K::strOptions1.data()));
    m_menus.unitSI->setText(text(K::strUnitSI.data()));
    m_menus.unitImp->setText(text(K::strUnitImp.data()));
    m_menus.selectFont->setText(text(K::strSelFont2.data()));
    m_menus.print->setText(text(K::strPrint1.data()));
    m_menus.language->setTitle(text(K::strLanguage1.data()));
    m_menus.about->setText(text(K::strAbout1.data()));
    m_menus.plan->setText(text(K::strPlantPlan1.data()));
    if (m_plan)
        m_plan->applyLanguage();
    const std::string current = m_strings ? m_strings->table()->CurrentLanguageName() : "English";
    for (QAction* a : m_menus.languages) {
        const std::string name = strings::LanguageName(table(), a->data().toInt());
        a->setText(text(("str" + name).c_str()) + " (" + qs(name) + ")");
        QFont f = a->font();
        f.setBold(a->text().contains(qs(current)));
        a->setFont(f);
    }

    QTabWidget* pg = m_widgets.pgMain;
    const std::string_view tabKeys[] = {K::strDial_Setting, K::strDispRate, K::strOpCond,
                                        K::strCalculations, K::strSelChart, K::strAcc};
    for (int i = 0; i < 6; ++i)
        pg->setTabText(i, text(tabKeys[i].data()));
    pg->setTabText(7, "Log");
    auto heading = [this](const char* name, const QString& t) {
        if (auto* l = findChild<QLabel*>(name))
            l->setText(t);
    };
    heading("labCalc", text(K::strCalculations.data()));
    heading("labSelChart", text(K::strSelectionChartTitle.data()));

    d->gbBrgBasic->setTitle(text(K::strBrgBasic.data()));
    d->gbBrgDim->setTitle(text(K::strBrgDim.data()));
    d->gbBrgType->setTitle(text(K::strBrgType.data()));
    {
        const QSignalBlocker block(d->cbBrgType);
        const int keep = d->cbBrgType->currentIndex();
        d->cbBrgType->clear();
        for (std::string_view t : core::bearingTypeItems())
            d->cbBrgType->addItem(QString::fromUtf8(t.data(), static_cast<int>(t.size())));
        d->cbBrgType->setCurrentIndex(keep);
    }
    d->gbGreaseType->setTitle(text(K::strGrease.data()));
    d->rgGreaseType->setItemText(0, text(K::strUnspecified.data()));
    d->gbLubricator->setTitle(text(K::strLubricator.data()));
    d->rgPowerSource->setTitle(text(K::strPowerSource.data()));
    d->rgOutlets->setTitle(text(K::strOutlets.data()));
    d->gbOpCond->setTitle(text(K::strOpCond.data()));
    d->labSpeed->setText(text(K::strSpeed.data()));
    d->labOpHrs->setText(text(K::strOpHrs.data()));
    d->labOpHrsUnit->setText(text(K::strOpHrsUnit.data()));
    d->rgBrgOpTemp->setTitle(text(K::strBrgOpTemp.data()));
    const struct {
        TRadioGroup* group;
        std::string_view key;
    } lists[] = {{d->rgContMoist, K::strContMoistItems}, {d->rgLoad, K::strLoadItems},
                 {d->rgShockLoad, K::strShockLoadItems}, {d->rgShaftOri, K::strShaftOriItems},
                 {d->rgReplenish, K::strReplenishItems}, {d->rgRotOR, K::strRotORItems}};
    for (const auto& l : lists) {
        QStringList items;
        for (const std::string& item : strings::parseItemList(text(l.key.data()).toStdString()))
            items << qs(item);
        const QSignalBlocker block(l.group);
        l.group->setItems(items);
    }
    d->fitConditionItems();
    UpdateConditionCaptions();

    d->gbResults->setTitle(text(K::strResults.data()));
    d->labTf->setText(twoLines(text(K::strTf.data())));
    d->labTcorr->setText(twoLines(text(K::strTcorr.data())));
    d->labGp->setText(twoLines(text(K::strGp.data())));
    d->labQf->setText(twoLines(text(K::strQf.data())));
    d->labUnitTf->setText(text(K::strUnitTf.data()));
    d->labUnitTcorr->setText(text(K::strUnitTcorr.data()));
    d->labUnitGp->setText(qs(m_unitLabels.massUnitLabel(CurrentUnits())));
    d->labUnitQf->setText(qs(m_unitLabels.massUnitLabel(CurrentUnits())) + "/" + text(K::strDay.data()));
    m_widgets.bnQuit->setText(text(K::strQuit.data()));
    uniqueMenuMnemonics();

    const QString series = text(K::strSRB_Series.data()) + " ";
    const struct {
        TGroupBar* bar;
        QList<QLabel*> labels;
        QStringList captions, descriptions;
    } bars[] = {
        {d->rbCRB_Cage.bar, d->rbCRB_Cage.labels,
         {text(K::strCRB_Cage1.data()), text(K::strCRB_Cage2.data())},
         {text(K::strCRB_TextCage1.data()), text(K::strCRB_TextCage2.data())}},
        {d->rbCRB_Locating.bar, d->rbCRB_Locating.labels,
         {text(K::strCRB_NonLoc.data()), text(K::strCRB_LocI.data()), text(K::strCRB_LocII.data()),
          text(K::strCRB_NoCage.data())},
         {text(K::strCRB_NonLoc.data()), text(K::strCRB_TextLocI.data()),
          text(K::strCRB_TextLocII.data()), text(K::strCRB_TextNoCage.data())}},
        {d->rbSRB_LoadRatio.bar, d->rbSRB_LoadRatio.labels,
         {text(K::strSRB_LoadRatio1.data()), text(K::strSRB_LoadRatio2.data()),
          text(K::strSRB_LoadRatio3.data())},
         {text(K::strSRB_LoadRatio1.data()), text(K::strSRB_LoadRatio2.data()),
          text(K::strSRB_LoadRatio3.data())}},
        {d->rbSRB_Series.bar, d->rbSRB_Series.labels,
         {series + "213, 222, 238, 239", series + "223, 230, 231, 232, 240, 248, 249", series + "241"},
         {series + "213, 222, 238, 239", series + "223, 230, 231, 232, 240, 248, 249", series + "241"}},
        {d->rbTORB_Cage.bar, d->rbTORB_Cage.labels,
         {text(K::strTORB_Cage.data()), text(K::strTORB_NoCage.data())},
         {text(K::strTORB_Cage.data()), text(K::strTORB_TextNoCage.data())}},
    };
    for (const auto& b : bars)
        for (int i = 0; i < b.bar->count(); ++i) {
            b.bar->setCaption(i, b.captions[i]);
            b.labels[i]->setText(b.descriptions[i]);
            // The spherical roller bearings' descriptions are their captions again.
            b.bar->setContentShown(i, b.descriptions[i] != b.captions[i]);
        }
    // The operating-conditions tab takes its condition names from the texts just set.
    m_opCondTab->applyLanguage();
    rebuildPages(false, true);
    const int lub = d->rgLubricator->itemIndex();
    const auto systemKey = core::isZolt(lub) ? K::strDipSwitchSetting : K::strMeridoseDS;
    d->labSystem->setText(text(systemKey.data()) + " " + qs(core::lubricatorName(lub)));
    recalculate();
    // Items may have been rebuilt; names follow the texts just set.
    buildTabOrder();
    applyAccessibleTexts();
}
