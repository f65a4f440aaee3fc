// TfrmMain: the "Plant plan" window and what it asks of the calculator.

#include "app/mainwindow.h"

#include "windows/planwindow.h"

#include <QTabWidget>

TfrmPlan* TfrmMain::ShowPlanWindow() {
    if (!m_plan) {
        TfrmPlan::Context c;
        c.table = [this] { return table(); };
        c.units = [this] { return CurrentUnits(); };
        c.calculatorInputs = [this] { return readInputs(); };
        c.showInCalculator = [this](const unctora::core::CalcInputs& in) {
            setInputs(in);
            m_widgets.pgMain->setCurrentIndex(0);
            raise();
            activateWindow();
        };
        c.fontFamily = [this] { return m_fontName; };
        c.messages = m_env.messages;
        c.settingsFile = m_env.settingsFile();
        c.recoveryFolder = m_env.dataDir;
        m_plan = std::make_unique<TfrmPlan>(std::move(c));
    }
    m_plan->show();
    m_plan->raise();
    m_plan->activateWindow();
    return m_plan.get();
}

bool TfrmMain::closePlanWindow(bool mayCancel) {
    if (!m_plan)
        return true;
    // Ended (by a signal, the session) while a dialog of the plan window is open: the
    // dialog is closed as cancelled, and the window is not destroyed under the call
    // that is still waiting for it.
    const bool busy = m_plan->dialogOpen();
    if (busy)
        m_plan->closeDialogs();
    if (mayCancel && !busy && !m_plan->maybeSave())
        return false;
    if (busy)
        m_plan->keepUnsavedAside();
    m_plan->closeWithProgram();
    if (busy) {
        m_plan->saveSettings();
        m_plan->hide();
        m_closedPlan = std::move(m_plan);
        return true;
    }
    m_plan.reset();
    return true;
}
