// Recording the changes done on the round: the dialog, the history file it appends to,
// and a point picked by its Id typed or scanned into the filter field.
#include "windows/planwindow.h"

#include "core/greases.h"
#include "core/greasetable.h"
#include "desktop/messages.h"
#include "files/regini.h"
#include "plan/greasemix.h"
#include "plan/history.h"
#include "strings/itemlist.h"
#include "strings/stringtable.h"
#include "text/format.h"
#include "windows/historytab.h"
#include "windows/planmodel.h"
#include "windows/recorddialog.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

#include <charconv>

using namespace unctora;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

std::string utf8(const QString& s) { return s.toStdString(); }

// A template of the language file filled in, or the English one when the translation
// does not take the values.
QString formatted(const QString& tmpl, const char* english, std::initializer_list<text::FmtArg> args) {
    try {
        return qs(text::format(tmpl.isEmpty() ? std::string(english) : tmpl.toStdString(), args));
    } catch (const std::exception&) {
        return qs(text::format(english, args));
    }
}

// The setting as a number when the whole text is one ("7", "0.5").
std::optional<double> settingNumber(const std::string& text) {
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size())
        return std::nullopt;
    return v;
}

} // namespace

QString TfrmPlan::historyPath() const {
    if (m_path.isEmpty())
        return {};
    return QFile::decodeName(QByteArray::fromStdString(plan::historyPathFor(QFile::encodeName(m_path).toStdString())));
}

void TfrmPlan::loadHistory() { m_model->setHistory(readHistoryBeside()); }

plan::LastChangeById TfrmPlan::readHistoryBeside() {
    plan::HistoryFile history;
    std::string error;
    QString note;
    if (!m_path.isEmpty()) {
        const std::string path = QFile::encodeName(historyPath()).toStdString();
        // A history that cannot be read is said, and the plan is made from the file alone.
        if (!plan::readHistory(path, history, error) && m_ctx.messages)
            m_ctx.messages->showError(qs(error));
        // Lines cut short by a program killed while writing stay in the file (it is
        // never rewritten) and are said each time it is read, without a box to close.
        QStringList lines;
        for (const plan::SetAsideLine& s : history.setAside)
            lines << formatted(text("strHistTorn"),
                               "Line %d of the history %s is incomplete or unreadable and was set aside; every "
                               "other record is kept.",
                               {static_cast<int>(s.line), utf8(QFileInfo(historyPath()).fileName())});
        note = lines.join('\n');
    }
    m_historyNote->setText(note.section('\n', 0, 0));
    m_historyNote->setToolTip(note);
    m_historyNote->setVisible(!note.isEmpty());
    plan::LastChangeById last = plan::lastChangeById(history.records);
    m_history->setRecords(std::move(history.records), note);
    return last;
}

QList<int> TfrmPlan::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& i : m_points->selectionModel()->selectedRows())
        rows << m_filter->mapToSource(i).row();
    if (rows.isEmpty() && currentRow() >= 0)
        rows << currentRow();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TfrmPlan::recordChange() {
    if (m_recordDialog) {
        m_recordDialog->activateWindow();
        return;
    }
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        if (m_ctx.messages)
            m_ctx.messages->showMessage(text("strPlanNoPoint"));
        return;
    }
    // The history lives beside the plant file: a plan never saved has none yet.
    if (m_path.isEmpty()) {
        if (m_ctx.messages)
            m_ctx.messages->showMessage(text("strHistSaveFirst"));
        return;
    }
    std::vector<TfrmRecordChange::Point> points;
    for (int row : rows) {
        const plan::PlantPoint& p = m_model->file().points[static_cast<std::size_t>(row)];
        const plan::PointPlan& pp = m_model->plan()[static_cast<std::size_t>(row)];
        const bool known = pp.status != plan::PointStatus::Invalid;
        points.push_back({qs(p.cell(plan::OwnColumn::Id)).trimmed(), qs(p.cell(plan::OwnColumn::Location)),
                          qs(p.cell(plan::OwnColumn::Machine)),
                          known ? qs(core::lubricatorName(pp.inputs.Lubricator)) : QString(), qs(pp.setting),
                          known && pp.inputs.Grease > 0 ? qs(core::greaseName(pp.inputs.Grease)) : QString()});
    }
    QStringList greases;
    for (int g = 1; g < core::kGreaseCount; ++g)
        greases << qs(core::greaseName(g));
    TfrmRecordChange::Texts t;
    if (m_ctx.table && m_ctx.table()) {
        t.title = text("strHistRecordTitle");
        t.fields = items("strHistFieldItems");
        const QStringList columns = items("strHistColumnItems");
        t.columns = {columns.value(1), columns.value(2), columns.value(3), columns.value(4)};
    }
    const std::chrono::year_month_day ymd(m_day);
    const QDate day(int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()));
    // A window left open overnight still takes the day's changes.
    const QDate latest = std::max(day, QDate::currentDate());
    m_recordDialog = new TfrmRecordChange(t, points, day, latest, m_doneBy, greases, this);
    m_recordDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_recordDialog->setWindowModality(Qt::WindowModal);
    TfrmRecordChange* dialog = m_recordDialog;
    dialog->commit = [this, dialog, rows] { return commitRecord(*dialog, rows); };
    ++m_dialogs;
    connect(dialog, &QDialog::finished, this, [this] {
        --m_dialogs;
        m_recordDialog = nullptr;
    });
    dialog->open();
}

bool TfrmPlan::commitRecord(TfrmRecordChange& dialog, const QList<int>& rows) {
    const QDate d = dialog.date();
    const std::optional<plan::Date> date = plan::parseIsoDate(utf8(d.toString(Qt::ISODate)));
    std::vector<plan::ChangeRecord> records;
    QStringList mixes;
    for (int i = 0; i < dialog.pointCount() && i < rows.size(); ++i) {
        const TfrmRecordChange::Point& p = dialog.point(i);
        plan::ChangeRecord r;
        r.pointId = utf8(p.id);
        r.date = date.value_or(m_day);
        r.doneBy = utf8(dialog.doneBy());
        r.batch = utf8(dialog.batch());
        r.location = utf8(p.location);
        r.machine = utf8(p.machine);
        r.lubricator = utf8(p.lubricator);
        r.grease = utf8(dialog.grease(i));
        r.setting = utf8(dialog.setting(i));
        r.settingValue = settingNumber(r.setting);
        r.remarks = utf8(dialog.remarks());
        // A grease of another thickener than the one in the bearing: the two may not mix.
        const auto last = m_model->history().find(r.pointId);
        if (last != m_model->history().end()) {
            const std::string warning = plan::greaseMixWarning(m_ctx.table ? m_ctx.table() : nullptr,
                                                               last->second.grease, r.grease);
            if (!warning.empty())
                mixes << (rows.size() > 1 ? p.id + ": " + qs(warning) : qs(warning));
        }
        records.push_back(std::move(r));
    }
    if (!mixes.isEmpty() && m_ctx.messages) {
        QStringList buttons = items("strHistMixItems");
        if (buttons.size() != 2)
            buttons = {"Record anyway", "Go back"};
        int answer;
        {
            const DialogGuard guard(this);
            answer = m_ctx.messages->askChoice(mixes.join("\n\n"), buttons);
        }
        if (answer != 0)
            return false;
    }
    const QString path = historyPath();
    const std::string file = QFile::encodeName(path).toStdString();
    plan::HistoryWriter writer;
    std::string error;
    if (!writer.open(file, error) || !writer.append(records, error)) {
        // Nothing is written, and the dialog keeps what was typed for another try.
        const QString name = QFileInfo(path).fileName();
        const QString message =
            writer.lastFailure() == plan::HistoryFailure::Locked
                ? formatted(text("strHistLocked"),
                            "The history %s is being written by another program. Try again when it has finished.",
                            {utf8(name)})
                : formatted(text("strHistWriteFailed"), "The change could not be recorded in %s: %s",
                            {utf8(name), error});
        if (m_ctx.messages) {
            const DialogGuard guard(this);
            m_ctx.messages->showError(message);
        }
        return false;
    }
    writer.close();
    m_doneBy = dialog.doneBy();
    if (!m_ctx.settingsFile.isEmpty()) {
        try {
            files::TStRegIni ini(m_ctx.settingsFile.toStdString(), true);
            ini.Section = "PlantPlan";
            ini.WriteString("DoneBy", utf8(m_doneBy));
        } catch (const std::exception&) {
            // The name is only a convenience; the record is written.
        }
    }
    // The plan follows the history, with what other programs recorded meanwhile too.
    const int current = currentRow();
    loadHistory();
    if (current >= 0)
        selectRow(current);
    for (int row : rows)
        m_points->selectionModel()->select(m_filter->mapFromSource(m_model->index(row, 0)),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    statusBar()->showMessage(formatted(text("strHistRecorded"), "Changes recorded in %s: %d",
                                       {utf8(QFileInfo(path).fileName()), static_cast<int>(records.size())}),
                             8000);
    return true;
}

void TfrmPlan::selectScanned() {
    const QString typed = m_filterEdit->text().trimmed();
    if (typed.isEmpty())
        return;
    const auto& points = m_model->file().points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (QString::fromStdString(points[i].cell(plan::OwnColumn::Id)).trimmed() != typed)
            continue;
        // The point is picked even when only those needing attention are shown.
        if (!m_filter->accepts(static_cast<int>(i)))
            m_show->setCurrentIndex(0);
        m_tabs->setCurrentIndex(0);
        m_points->clearSelection();
        selectRow(static_cast<int>(i));
        // The next scan replaces the Id instead of joining it.
        m_filterEdit->selectAll();
        return;
    }
}
