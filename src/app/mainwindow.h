#pragma once
// TfrmMain, the main window.
//
// TfrmMain keeps the menus, sets up the tabs, runs the first activation and wires the
// tabs together; each tab owns its controls.
//
// How an input change reaches the screen: a control of the "Dial setting" tab changes
// -> DialTab reports it (inputChanged) -> the handler here runs
// core::checkApplicationSuitability on the tab's inputs, which enables the suitable
// greases and may set the grease back to "Unspecified" -> recalculate(): the inputs are
// read afresh, reports::assess() decides everything the tab shows (log lines to memoLog
// with the "Log" switch), the note texts are made in the current language, and
// DialTab::showAssessment() puts it on the controls; the first note page is shown. A
// failed calculation shows zeros and the failure pages instead. Nothing is computed
// before the first activation has loaded the settings and applied the language.

#include "desktop/environment.h"
#include "core/calcinputs.h"
#include "core/log.h"
#include "strings/quantity.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class AccTab;
class DialTab;
class OpCondTab;
class RateTab;
class QAction;
class QMenu;
class QPlainTextEdit;
class QLabel;
class QTabWidget;
class QPushButton;
class TClickLabel;
class TfrmAccPic;
class THtmlView;
class TfrmSelFont;
class TfrmStrings;
class ToolkitTexts;
class TfrmPlan;
class TPageTabBar;
class TRadioGroup;
namespace unctora::advice {
class NoteBox;
struct Advice;
}
namespace unctora::reports {
struct Assessment;
}
namespace unctora::strings {
class StringTable;
}

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(AppEnvironment env, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // False when the language file was missing: the program is ending.
    bool created() const { return m_created; }
    // The windows created after this one. The string window edits the program's string
    // table, which outlives both windows; this window reads its texts from it.
    void attachWindows(TfrmAccPic* accPic, TfrmSelFont* selFont, TfrmStrings* strings);

    // The first activation: settings, units, language and the first calculation. Runs
    // once; later activations do nothing.
    void FirstActivation();
    bool Activated() const { return m_activated; }
    bool LogEnabled() const { return m_logEnabled; }

    unctora::core::CalcInputs readInputs() const;
    // Puts inputs on the window as a user would: every control, the grease last, then
    // the bearing variants and the lubricator, which ends with the suitability check
    // and the recalculation.
    void setInputs(const unctora::core::CalcInputs& in);
    void recalculate();
    void checkApplicationSuitability();
    void applyLubricatorChoice();
    void updateBearingVariantControls();
    void ApplyUnits(int units);
    unctora::core::Units CurrentUnits() const;
    void SaveSettings();
    void LoadSettings();
    void SaveLanguageAndUnits();
    void ApplyLanguage();
    void ShowNotePage(int n);
    // The calculation page and the selection chart: written to the data folder and
    // loaded into their views. A file that cannot be written raises files::WriteError.
    void BuildCalcPage();
    // The display font on the window, the badge, the grids and both pages.
    void ApplyFont(const QString& name);
    void BuildSelectionChart();
    // Prints what the active tab shows; with Shift held, copies it instead.
    void PrintCommand();
    QString FontName() const { return m_fontName; }
    static bool FontInstalled(const QString& name);
    DialTab* dialTab() const { return m_dial; }
    // On a screen at most 520 pixels high (available area) the window scrolls: it
    // fits the screen's height, is wider by the scroll bar and stands at the top edge.
    // The first activation calls it with the screen the window is on.
    void fitToScreen(const QRect& available);
    // The "Plant plan" window, made when it is first asked for (menu bar, Ctrl+L).
    TfrmPlan* ShowPlanWindow();
    TfrmPlan* planWindow() const { return m_plan.get(); }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    using Inputs = unctora::core::CalcInputs;

    void createMenus();
    void createTabs();
    void createFooter();
    THtmlView* addHtmlPage(const char* tab, const char* label, const char* heading, const char* view);
    void rebuildPages(bool calc, bool chart);
    void showAccessoryPicture();
    void saveHtml(THtmlView* view, std::string_view fileName);
    void connectInputs();
    void setUnitMarks(int units);
    void showError(const QString& text);
    void addLogLine(const std::string& line);
    void shutdown();
    // Closes the plant plan: with mayCancel the user may go back to it (false is
    // returned); otherwise its unsaved changes are saved, kept aside or dropped as
    // answered, and the window goes.
    bool closePlanWindow(bool mayCancel);
    void RestoreWindowPlacement();
    void SaveWindowPlacement();
    // Keyboard and accessibility (mainwindow_keys.cpp).
    void setupKeyboard();
    void buildTabOrder();
    void applyAccessibleTexts();
    void namePictures();
    void uniqueMenuMnemonics();
    void switchTab(int step);

    QString text(const char* key, int number = 0) const;
    unctora::strings::QuantityContext quantityContext() const;
    const unctora::strings::StringTable* table() const;

    AppEnvironment m_env;
    bool m_created = false;
    bool m_activated = false;
    bool m_logEnabled = false;
    bool m_shutDown = false;
    QString m_fontName = "Arial Unicode MS";
    int m_units = -1; // no mark until the settings are read
    unctora::strings::UnitLabels m_unitLabels;

    struct Menus {
        QMenu* options = nullptr;
        QAction* unitSI = nullptr;
        QAction* unitImp = nullptr;
        QAction* selectFont = nullptr;
        QAction* print = nullptr;
        QMenu* language = nullptr;
        QList<QAction*> languages; // in menu order; data() holds the language number
        QAction* editSeparator = nullptr;
        QAction* editText = nullptr;
        QAction* about = nullptr;
        QAction* plan = nullptr;
    } m_menus;

    struct Widgets {
        QTabWidget* pgMain = nullptr;
        TPageTabBar* tabBar = nullptr;
        QPlainTextEdit* memoLog = nullptr;
        QWidget* pnFooter = nullptr;
        QPushButton* bnQuit = nullptr;
        TClickLabel* imgLogo = nullptr;
    } m_widgets;
    DialTab* m_dial = nullptr;
    RateTab* m_rateTab = nullptr;
    OpCondTab* m_opCondTab = nullptr;
    AccTab* m_accTab = nullptr;
    THtmlView* m_htmlCalc = nullptr;
    THtmlView* m_htmlSelChart = nullptr;

    TfrmAccPic* m_accPic = nullptr;
    TfrmSelFont* m_selFont = nullptr;
    // The string window may be gone before this window: the program ends its windows
    // in the reverse order of their making. A guarded pointer reads as none then.
    QPointer<TfrmStrings> m_strings;
    // The program's string table; it outlives this window, so texts asked for while
    // this window ends are still in the chosen language.
    unctora::strings::StringTable* m_texts = nullptr;

    std::unique_ptr<unctora::advice::NoteBox> m_notes;
    std::unique_ptr<unctora::reports::Assessment> m_assessment; // reused across calculations
    std::unique_ptr<unctora::core::LogSink> m_logSink;
    std::unique_ptr<TfrmPlan> m_plan;
    // Message-box buttons and key names in the chosen language.
    std::unique_ptr<ToolkitTexts> m_toolkitTexts;
    // A plan window closed while one of its dialogs was open: the call that opened the
    // dialog still runs in it, so it lives on, hidden, until the program's end.
    std::unique_ptr<TfrmPlan> m_closedPlan;
};
