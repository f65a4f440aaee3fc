// The plan window's menus and the texts of its controls in the chosen language.
#include "windows/planwindow.h"

#include "desktop/messages.h"
#include "strings/itemlist.h"
#include "strings/stringtable.h"
#include "windows/historytab.h"
#include "windows/planmodel.h"
#include "windows/purchasepage.h"

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

using namespace unctora;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

} // namespace

void TfrmPlan::createActions() {
    m_actions.file = menuBar()->addMenu("&File");
    m_actions.file->setObjectName("mnuPlanFile");
    auto add = [this](QMenu* menu, const char* name, QKeySequence keys, auto slot) {
        QAction* a = menu->addAction(name);
        a->setObjectName(name);
        if (!keys.isEmpty())
            a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_actions.newPlan = add(m_actions.file, "miPlanNew", QKeySequence::New, [this] {
        if (maybeSave())
            newPlan();
    });
    m_actions.open = add(m_actions.file, "miPlanOpen", QKeySequence::Open, [this] {
        if (!maybeSave() || !m_ctx.messages)
            return;
        const DialogGuard guard(this);
        const QString path = m_ctx.messages->chooseFile(MessageSink::FileMode::Open, text("strPlanOpen").remove('&'),
                                                        text("strPlanCsvFiles") + " (*.csv)", m_path);
        if (!path.isEmpty())
            openFile(path);
    });
    m_actions.save = add(m_actions.file, "miPlanSave", QKeySequence::Save, [this] { save(); });
    m_actions.saveAs = add(m_actions.file, "miPlanSaveAs", QKeySequence::SaveAs, [this] { saveAs({}); });
    m_actions.file->addSeparator();
    m_actions.exportIcs = add(m_actions.file, "miPlanExportIcs", QKeySequence(), [this] { exportCalendar({}); });
    m_actions.print = add(m_actions.file, "miPlanPrint", QKeySequence::Print, [this] { print(); });
    m_actions.file->addSeparator();
    m_actions.close = add(m_actions.file, "miPlanClose", QKeySequence::Close, [this] { close(); });

    m_actions.points = menuBar()->addMenu("P&oints");
    m_actions.points->setObjectName("mnuPlanPoints");
    m_actions.add = add(m_actions.points, "miPlanAdd", QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { addPoint(); });
    m_actions.duplicate =
        add(m_actions.points, "miPlanDuplicate", QKeySequence(Qt::CTRL | Qt::Key_D), [this] { duplicatePoint(); });
    m_actions.remove = add(m_actions.points, "miPlanDelete", QKeySequence::Delete, [this] { deletePoints(); });
    // Delete belongs to the cell editor while one is open.
    m_actions.remove->setShortcutContext(Qt::WidgetShortcut);
    m_points->addAction(m_actions.remove);
    m_actions.points->addSeparator();
    m_actions.edit = add(m_actions.points, "miPlanEdit", QKeySequence(Qt::CTRL | Qt::Key_E), [this] { editInCalculator(); });
    // Ctrl+R records the change of the point just scanned; storing the calculator's
    // inputs, which writes over the point's, takes a key less easily pressed: Shift
    // added to the Ctrl+E that took them to the calculator.
    m_actions.store = add(m_actions.points, "miPlanStore", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                          [this] { storeFromCalculator(); });
    m_actions.points->addSeparator();
    m_actions.record = add(m_actions.points, "miPlanRecord", QKeySequence(Qt::CTRL | Qt::Key_R), [this] { recordChange(); });
}

QString TfrmPlan::text(const char* key) const {
    const strings::StringTable* t = m_ctx.table ? m_ctx.table() : nullptr;
    return t ? qs(strings::LangStr(t, key)) : QString();
}

QStringList TfrmPlan::items(const char* key) const {
    QStringList out;
    for (const std::string& s : strings::parseItemList(text(key).toStdString()))
        out << qs(s);
    return out;
}

void TfrmPlan::applyLanguage() {
    if (!m_ctx.table || !m_ctx.table())
        return;
    m_actions.file->setTitle(text("strPlanFile"));
    m_actions.newPlan->setText(text("strPlanNew"));
    m_actions.open->setText(text("strPlanOpen"));
    m_actions.save->setText(text("strPlanSave"));
    m_actions.saveAs->setText(text("strPlanSaveAs"));
    m_actions.exportIcs->setText(text("strPlanExportIcs"));
    m_actions.print->setText(text("strPlanPrint"));
    m_actions.close->setText(text("strPlanClose"));
    m_actions.points->setTitle(text("strPlanPointsMenu"));
    m_actions.add->setText(text("strPlanAdd"));
    m_actions.duplicate->setText(text("strPlanDuplicate"));
    m_actions.remove->setText(text("strPlanDelete"));
    m_actions.edit->setText(text("strPlanEdit"));
    m_actions.store->setText(text("strPlanStore"));
    applyRoundTexts();
    m_actions.record->setText(text("strHistRecord"));
    m_filterLabel->setText(text("strPlanFilter"));
    const int shown = m_show->currentIndex();
    const QStringList show = items("strPlanShowItems");
    for (int i = 0; i < m_show->count() && i < show.size(); ++i)
        m_show->setItemText(i, show[i]);
    m_show->setCurrentIndex(shown);
    m_tabs->setTabText(0, text("strPlanTabPoints"));
    m_tabs->setTabText(1, text("strPlanTabChanges"));
    m_tabs->setTabText(2, text("strPlanTabPurchases"));
    m_tabs->setTabText(m_tabs->indexOf(m_history), text("strHistTab"));
    m_history->setTexts({items("strHistColumnItems"), items("strHistFilterItems"), text("strHistAll")});
    PlanModel::Texts t;
    t.headers = items("strPlanColumnItems") + items("strHistLastItems");
    t.statuses = items("strPlanStatusItems");
    t.attention = items("strPlanAttentionItems");
    t.outOfRange = text("strPlanOutOfRange");
    t.table = m_ctx.table();
    t.unspecified = text("strUnspecified");
    t.gram = text("strGram");
    t.ounce = text("stroz");
    t.perYear = QString();
    m_model->setTexts(t);
    m_kept.title = text("strPlanTitle");
    m_kept.untitled = text("strPlanUntitled");
    m_kept.unsaved = text("strPlanUnsaved");
    m_kept.keptAside = text("strPlanKeptAside");
    m_remindLabel->setText(text("strPlanRemind"));
    m_remind->setAccessibleName(text("strPlanRemind").remove(':'));
    updateEncodingNote();
    m_points->setAccessibleName(text("strPlanTabPoints"));
    m_changes->setAccessibleName(text("strPlanTabChanges"));
    m_purchases->applyLanguage(m_ctx.table());
    m_filterEdit->setAccessibleName(text("strPlanFilter").remove(':'));
    m_show->setAccessibleName(text("strPlanFilter").remove(':'));
    fitColumns();
    updateTitle();
    updateLists();
}

