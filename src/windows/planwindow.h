#pragma once
// TfrmPlan, the "Plant plan" window: every lubrication point of a plant in one table,
// with the cartridge changes of the coming year and the cartridges they take to buy.
//
// The window works on a plant file (CSV). It computes each point as the calculator
// does, and talks to the calculator only through the callables of its Context: "Edit
// in calculator" hands the selected point's inputs to the "Dial setting" tab, "Store
// from calculator" takes the tab's inputs into the selected point. "Record change"
// appends the changes done to the history file beside the plant file, which the plan
// follows and the History tab lists. Texts come from the
// string table each time the language is applied; message boxes, file and print
// dialogs go through the message sink, so tests answer them.

#include "core/calcinputs.h"
#include "core/units.h"
#include "plan/date.h"
#include "plan/plan.h"
#include "plan/route.h"

#include <QMainWindow>
#include <functional>

class MessageSink;
class PlanFilter;
class PlanListModel;
class PlanModel;
class PurchasePage;
class HistoryTab;
class TfrmRecordChange;
class QAction;
class QPrinter;
class QComboBox;
class QDateTime;
class QSpinBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTableView;
namespace unctora::strings {
class StringTable;
}

class TfrmPlan : public QMainWindow {
    Q_OBJECT
public:
    struct Context {
        std::function<const unctora::strings::StringTable*()> table;
        std::function<unctora::core::Units()> units;
        std::function<unctora::core::CalcInputs()> calculatorInputs;
        std::function<void(const unctora::core::CalcInputs&)> showInCalculator;
        std::function<QString()> fontFamily;
        MessageSink* messages = nullptr;
        // Where the window keeps its placement and the last plant file; empty: nowhere.
        QString settingsFile;
        // Where a plan with unsaved changes goes when the program is ended by a
        // signal and nobody can be asked.
        QString recoveryFolder;
    };

    explicit TfrmPlan(Context context, QWidget* parent = nullptr);
    ~TfrmPlan() override;

    void applyLanguage();
    void applyUnits();
    // The day the plan is made for; today unless a test says otherwise.
    void setDay(unctora::plan::Date day);

    // File operations; each reports a failure through the message sink and returns
    // false, leaving the plan as it was.
    void newPlan();
    bool openFile(const QString& path);
    bool save();
    bool saveAs(const QString& path);
    bool exportCalendar(const QString& path);
    void print();
    // The sheets of the weekly round (planwindow_print.cpp): the route of the changes
    // due, and a label for each selected point (each point the filter shows when none
    // is selected).
    void printRouteSheet();
    void printPointLabels();
    // Asks about unsaved changes: true when the window may close. With nobody to ask
    // (the program is ended by a signal) the changes are kept aside.
    bool maybeSave();
    // The program is ending: unsaved changes are saved or dropped as answered, and
    // kept aside (<data folder>/<name>.unsaved.csv) when they cannot be saved or
    // nobody can be asked. The plant file is never written unasked.
    void closeWithProgram();
    // Writes the changes to a recovery file of their own and returns its path (empty
    // when nothing was kept).
    QString keepUnsavedAside();
    // The recovery files of a plant file, newest first: named after its whole path, so
    // two plant.csv in different folders keep theirs apart.
    QStringList recoveryFiles(const QString& plantPath) const;
    // Whether a dialog of this window (a question, a file or print dialog) is open.
    bool dialogOpen() const { return m_dialogs > 0; }
    // Closes the open dialogs as cancelled; the window must outlive the calls that
    // opened them.
    void closeDialogs();
    // Writes the window's placement, its last file and its reminder setting.
    void saveSettings();
    // The days ahead of each change that the calendar reminds of it.
    int remindDays() const;
    void setRemindDays(int days);

    void addPoint();
    void duplicatePoint();
    void deletePoints();
    void editInCalculator();
    void storeFromCalculator();
    // Opens the dialog that records a cartridge change of each selected point.
    void recordChange();
    // The dialog while it is open.
    TfrmRecordChange* recordDialog() const { return m_recordDialog; }
    // "<plant>.history.csv" beside the plant file; empty while the plan has no file.
    QString historyPath() const;
    HistoryTab* historyTab() const { return m_history; }

    QString fileName() const { return m_path; }
    PlanModel* model() const { return m_model; }
    QTableView* pointsView() const { return m_points; }
    // The row of the model the current point is in, or -1.
    int currentRow() const;
    void selectRow(int modelRow);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createRoundActions();
    void selectScannedId();
    void applyRoundTexts();
    int storedSetting(const char* key, int def, int lo, int hi) const;
    void storeSetting(const char* key, int value);
    int routeDays() const;
    bool mayPrint(const QPrinter& printer, bool shift);
    int labelLayout() const;
    std::vector<unctora::plan::RouteStop> routeStops() const;
    void updateTitle();
    void updateLists();
    void updateActions();
    void fitColumns();
    QString text(const char* key) const;
    QStringList items(const char* key) const;
    QString recoveryBase(const QString& plantPath) const;
    void offerRecovery();
    void rememberDiskState();
    bool changedOnDisk(QDateTime* when) const;
    void updateEncodingNote();
    // Reads the history beside the plant file again: the plan follows it.
    void loadHistory();
    // Reads it for the History tab and returns the last change of each point.
    unctora::plan::LastChangeById readHistoryBeside();
    // Enter in the filter field: an Id typed or scanned whole selects its point.
    void selectScanned();
    // Appends the dialog's records; false (with the reason said) keeps it open.
    bool commitRecord(TfrmRecordChange& dialog, const QList<int>& rows);
    QList<int> selectedRows() const;
    // Counts the dialogs open while a call into the message sink runs.
    struct DialogGuard {
        explicit DialogGuard(TfrmPlan* w) : w(w) { ++w->m_dialogs; }
        ~DialogGuard() { --w->m_dialogs; }
        DialogGuard(const DialogGuard&) = delete;
        TfrmPlan* w;
    };

    Context m_ctx;
    // Texts needed while the program ends, when the string table may be gone already.
    struct {
        QString title = "Plant plan";
        QString untitled = "Untitled";
        QString unsaved = "The plant plan has unsaved changes. Save them?";
        QString keptAside = "unsaved changes to %s were kept in %s";
    } m_kept;
    int m_dialogs = 0;
    bool m_settingsSaved = false;
    // What the plant file held when it was opened or last saved.
    QByteArray m_diskHash;
    bool m_diskExists = false;
    // A recovery file whose changes were opened: removed once they are saved.
    QString m_openedRecovery;
    PlanModel* m_model = nullptr;
    PlanFilter* m_filter = nullptr;
    QString m_path;
    unctora::plan::Date m_day;

    struct Actions {
        QMenu* file = nullptr;
        QMenu* points = nullptr;
        QAction *newPlan = nullptr, *open = nullptr, *save = nullptr, *saveAs = nullptr, *exportIcs = nullptr,
                *print = nullptr, *close = nullptr;
        QAction *add = nullptr, *duplicate = nullptr, *remove = nullptr, *edit = nullptr, *store = nullptr,
                *record = nullptr;
    } m_actions;
    struct {
        QAction *route = nullptr, *labels = nullptr;
    } m_round;
    QLabel* m_filterLabel = nullptr;
    QLineEdit* m_filterEdit = nullptr;
    QComboBox* m_show = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableView* m_points = nullptr;
    QTableView* m_changes = nullptr;
    PurchasePage* m_purchases = nullptr;
    PlanListModel* m_changeList = nullptr;
    QLabel* m_period = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_encodingNote = nullptr;
    QLabel* m_remindLabel = nullptr;
    QSpinBox* m_remind = nullptr;
    HistoryTab* m_history = nullptr;
    QLabel* m_historyNote = nullptr;
    TfrmRecordChange* m_recordDialog = nullptr;
    // Who recorded the last change: the next record starts with the name.
    QString m_doneBy;
};
