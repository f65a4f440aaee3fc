// TfrmMain: the unit system and the texts of the language, handed on to every tab.

#include "app/mainwindow.h"
#include "app/toolkittexts.h"

#include "core/units.h"
#include "strings/itemlist.h"
#include "text/keys.h"
#include "strings/stringtable.h"
#include "tabs/acctab.h"
#include "tabs/dialtab.h"
#include "tabs/opcondtab.h"
#include "tabs/ratetab.h"
#include "widgets/tabbar.h"
#include "windows/fontwindow.h"
#include "windows/planwindow.h"
#include "windows/stringwindow.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

using namespace unctora;
namespace K = unctora::text::keys;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

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
    if (units == 0 || units == 1) {
        setUnitMarks(units);
        m_dial->applyUnits(CurrentUnits(), m_unitLabels);
    }
    m_opCondTab->unitsChanged();
    m_dial->fitTemperatureItems();
    m_dial->fitConditionItems();
    recalculate();
    if (m_plan)
        m_plan->applyUnits();
}

void TfrmMain::ApplyLanguage() {
    if (!m_activated)
        return;
    try {
        SaveLanguageAndUnits();
    } catch (const std::exception& e) {
        showError(qs(e.what()));
    }
    m_toolkitTexts->switchTo(strings::CurrentLanguageNumber(table()));
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
    const std::string current = m_texts ? m_texts->CurrentLanguageName() : "English";
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

    m_dial->applyLanguage(CurrentUnits(), m_unitLabels);
    m_widgets.bnQuit->setText(text(K::strQuit.data()));
    uniqueMenuMnemonics();

    // The operating-conditions tab takes its condition names from the texts just set.
    m_opCondTab->applyLanguage();
    rebuildPages(false, true);
    recalculate();
    // Items may have been rebuilt; names follow the texts just set.
    buildTabOrder();
    applyAccessibleTexts();
}
