// TfrmMain: the calculation page and the selection chart, and the display font on
// the window and both pages.

#include "app/mainwindow.h"
#include "desktop/fontapply.h"
#include "reports/calcpage.h"
#include "reports/htmlpage.h"
#include "reports/selchart.h"
#include "tabs/acctab.h"
#include "tabs/dialtab.h"
#include "tabs/opcondtab.h"
#include "tabs/ratetab.h"
#include "widgets/htmlview.h"
#include "widgets/radiogroup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

void TfrmMain::ApplyFont(const QString& name) {
    using T = unctora::app::FontTarget;
    unctora::app::FontApplication a;
    a.setFontName = [this](const QString& n) { m_fontName = n; };
    a.controls = m_dial->fontTargets();
    a.controls << T{m_widgets.pgMain, T::OwnFont} << T{m_widgets.bnQuit, T::OwnFont};
    for (QWidget* w : std::initializer_list<QWidget*>{m_rateTab->labDisprate, m_rateTab->rgRateSelLub,
                                                      m_rateTab->bnCopyRate})
        a.controls << T{w, T::OwnFont};
    a.controls << T{m_rateTab->sgRate, T::Grid};
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_opCondTab->labOpCond, m_opCondTab->labAmountOfLub1, m_opCondTab->rgCond,
             m_opCondTab->rgSetting, m_opCondTab->gbDesc, m_opCondTab->labDialComp,
             m_opCondTab->edDialComp, m_opCondTab->Memo2, m_opCondTab->labPleaseContact,
             m_opCondTab->labBrgSpeedLow1})
        a.controls << T{w, T::OwnFont};
    a.badge = m_dial->badge();
    // Before the first activation is complete the language is still to be applied,
    // which builds both pages anyway: building them here too would only double the
    // start-up work and any error message about an unwritable page.
    a.pages = {{findChild<QLabel*>("labCalc"),
                [this](const QString& n) {
                    m_htmlCalc->setDefaultFontFace(n);
                    if (m_activated)
                        BuildCalcPage();
                }},
               {findChild<QLabel*>("labSelChart"), [this](const QString& n) {
                    m_htmlSelChart->setDefaultFontFace(n);
                    if (m_activated)
                        BuildSelectionChart();
                }}};
    a.accessories << T{m_accTab->labAcc, T::OwnFont} << T{m_accTab->sgAcc, T::Grid};
    a.menu = menuBar();
    unctora::app::ApplyFont(name, a);
    m_dial->fitConditionItems();
}

void TfrmMain::BuildCalcPage() {
    const std::string path = m_env.dataFilePath(QString::fromUtf8(unctora::reports::kCalcPageFile.data())).toStdString();
    unctora::reports::writeCalcPage(path, table()); // the view keeps its page when this fails
    m_htmlCalc->loadFromFile(QString::fromStdString(path));
}

void TfrmMain::BuildSelectionChart() {
    const std::string path = m_env.dataFilePath(QString::fromUtf8(unctora::reports::kChartPageFile.data())).toStdString();
    unctora::reports::writeSelChartPage(path, table(), m_fontName.toStdString());
    m_htmlSelChart->loadFromFile(QString::fromStdString(path));
}

void TfrmMain::rebuildPages(bool calc, bool chart) {
    // A page that cannot be written is reported; the view keeps what it showed and
    // the rest of the operation goes on.
    try {
        if (calc)
            BuildCalcPage();
    } catch (const std::exception& e) {
        showError(QString::fromStdString(e.what()));
    }
    try {
        if (chart)
            BuildSelectionChart();
    } catch (const std::exception& e) {
        showError(QString::fromStdString(e.what()));
    }
}
