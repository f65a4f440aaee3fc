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
    if (mayCancel && !m_plan->maybeSave())
        return false;
    m_plan->closeWithProgram();
    m_plan.reset();
    return true;
}
