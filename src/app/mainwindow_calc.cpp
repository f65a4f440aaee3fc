// TfrmMain: the input handlers of the "Dial setting" tab and the recalculation.

#include "advice/notebox.h"
#include "app/mainwindow.h"
#include "core/greases.h"
#include "core/suitability.h"
#include "reports/assessment.h"
#include "strings/stringtable.h"
#include "tabs/dialtab.h"

#include <QLocale>

using namespace unctora;

void TfrmMain::connectInputs() {
    connect(m_dial, &DialTab::inputChanged, this, [this](DialTab::Input input) {
        using I = DialTab::Input;
        switch (input) {
        case I::Lubricator:
            applyLubricatorChoice();
            return;
        case I::Grease:
        case I::Outlets:
            recalculate();
            return;
        default:
            // Dimensions, speed, hours, the bearing and its conditions: the greases
            // are rated again before the recalculation.
            checkApplicationSuitability();
            recalculate();
            return;
        }
    });
    connect(m_dial, &DialTab::notePageRequested, this,
            [this](int step) { ShowNotePage(m_notes->currentPage() + step); });
}

unctora::core::CalcInputs TfrmMain::readInputs() const { return m_dial->inputs(); }

void TfrmMain::setInputs(const Inputs& in) {
    m_dial->setInputs(in);
    // One check on the complete inputs keeps the grease wherever they allow it.
    applyLubricatorChoice();
}

strings::QuantityContext TfrmMain::quantityContext() const {
    strings::QuantityContext q;
    q.units = CurrentUnits();
    q.labels = &m_unitLabels;
    q.decimalSeparator = QLocale().decimalPoint().toStdString();
    return q;
}

void TfrmMain::checkApplicationSuitability() {
    core::CalcContext ctx;
    ctx.log = m_logEnabled ? m_logSink.get() : nullptr;
    ctx.decimalSeparator = QLocale().decimalPoint().toStdString();
    m_dial->showSuitability(core::checkApplicationSuitability(readInputs(), ctx));
}

void TfrmMain::applyLubricatorChoice() {
    m_dial->showLubricator();
    checkApplicationSuitability();
    recalculate();
}

void TfrmMain::updateBearingVariantControls() { m_dial->updateBearingVariants(); }

void TfrmMain::recalculate() {
    if (!m_activated)
        return;
    // The notes box keeps its text until the new first page is known (see ShowNotePage).
    m_notes->clear();
    reports::AssessOptions options;
    options.units = CurrentUnits();
    options.log = m_logEnabled ? m_logSink.get() : nullptr;
    // The handlers that run the suitability check have logged it already.
    options.logSuitability = false;
    options.decimalSeparator = QLocale().decimalPoint().toStdString();
    reports::Assessment& a = *m_assessment;
    reports::assess(readInputs(), options, a);
    try {
        m_notes->addPages(a.pages, table(), quantityContext());
    } catch (const std::exception& e) {
        // A text of the language file that does not fit its values fails this
        // calculation like any other error; the pages shown before it stay.
        reports::failAssessment(a, e.what(), static_cast<std::size_t>(m_notes->pageCount()));
        const advice::Pages failure(a.pages.begin() + m_notes->pageCount(), a.pages.end());
        try {
            m_notes->addPages(failure, table(), quantityContext());
        } catch (const std::exception&) {
            m_notes->AddNote(a.error);
        }
    }
    m_dial->showAssessment(a);
    if (!a.ok || m_notes->pageCount() > 0)
        ShowNotePage(0);
    else
        m_dial->showNotePage(QString());
}

void TfrmMain::ShowNotePage(int n) {
    m_dial->showNotePage(QString::fromStdString(m_notes->ShowNotePage(n, table())));
}
