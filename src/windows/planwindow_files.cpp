// The plan window's files: opening, saving, the calendar export, printing, and the
// unsaved changes kept aside when the program ends.
#include "windows/planwindow.h"

#include "desktop/messages.h"
#include "desktop/printing.h"
#include "plan/calendar.h"
#include "plan/history.h"
#include "reports/printlayout.h"
#include "strings/itemlist.h"
#include "strings/stringtable.h"
#include "text/format.h"
#include "windows/historytab.h"
#include "windows/planmodel.h"
#include "windows/purchasepage.h"

#include <QCloseEvent>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

using namespace unctora;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QByteArray fileHash(const QString& path, bool* exists) {
    QFile f(path);
    *exists = f.open(QIODevice::ReadOnly);
    if (!*exists)
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result();
}

QString localDateTime(const QDateTime& t) { return QLocale().toString(t, "yyyy-MM-dd HH:mm"); }

} // namespace

void TfrmPlan::newPlan() {
    m_model->setFile({});
    m_path.clear();
    m_purchases->setPlantPath({});
    loadHistory();
    m_diskHash.clear();
    m_diskExists = false;
    m_openedRecovery.clear();
    updateEncodingNote();
    updateTitle();
}

void TfrmPlan::updateEncodingNote() {
    const bool legacy = m_model->file().dialect.encoding == plan::Encoding::Windows1252;
    m_encodingNote->setText(legacy ? text("strPlanWindows1252") : QString());
    m_encodingNote->setVisible(legacy);
}

void TfrmPlan::rememberDiskState() { m_diskHash = fileHash(m_path, &m_diskExists); }

bool TfrmPlan::changedOnDisk(QDateTime* when) const {
    bool exists = false;
    const QByteArray now = fileHash(m_path, &exists);
    // A file that is gone loses nothing when it is written again.
    if (!exists || (exists == m_diskExists && now == m_diskHash))
        return false;
    if (when)
        *when = QFileInfo(m_path).lastModified();
    return true;
}

QString TfrmPlan::recoveryBase(const QString& plantPath) const {
    const QString folder = m_ctx.recoveryFolder.isEmpty() ? QDir::tempPath() : m_ctx.recoveryFolder;
    if (plantPath.isEmpty())
        return folder + "/untitled";
    const QString whole = QFileInfo(plantPath).absoluteFilePath();
    const QByteArray hash = QCryptographicHash::hash(whole.toUtf8(), QCryptographicHash::Sha256).toHex().left(12);
    return folder + "/" + QFileInfo(plantPath).completeBaseName() + "-" + QString::fromLatin1(hash);
}

QStringList TfrmPlan::recoveryFiles(const QString& plantPath) const {
    const QFileInfo base(recoveryBase(plantPath));
    QDir dir(base.path());
    const QFileInfoList found = dir.entryInfoList({base.fileName() + ".unsaved*.csv"}, QDir::Files, QDir::Time);
    QStringList out;
    for (const QFileInfo& f : found)
        out << f.filePath();
    return out;
}

void TfrmPlan::offerRecovery() {
    if (!m_ctx.messages || !m_ctx.messages->asking() || m_path.isEmpty())
        return;
    const QStringList found = recoveryFiles(m_path);
    if (found.isEmpty())
        return;
    const QString kept = found.first();
    const QString tmpl = text("strPlanRecovery").isEmpty()
                             ? QString("Changes to %s from %s were kept when the program ended. Open them?")
                             : text("strPlanRecovery");
    QString question;
    try {
        question = qs(text::format(tmpl.toStdString(), {QFileInfo(m_path).fileName().toStdString(),
                                                            localDateTime(QFileInfo(kept).lastModified()).toStdString()}));
    } catch (const std::exception&) {
        question = kept;
    }
    QStringList buttons = items("strPlanRecoveryItems");
    if (buttons.size() != 3)
        buttons = {"Open them", "Later", "Discard them"};
    int answer;
    {
        const DialogGuard guard(this);
        answer = m_ctx.messages->askChoice(question, buttons);
    }
    if (answer == 2) {
        QFile::remove(kept);
        return;
    }
    if (answer != 0)
        return;
    plan::PlantFile file;
    std::string error;
    if (!plan::readPlantFile(QFile::encodeName(kept).toStdString(), file, error)) {
        m_ctx.messages->showError(qs(error));
        return;
    }
    m_model->setFile(std::move(file), m_model->history());
    m_model->setModified(true);
    m_openedRecovery = kept;
    updateEncodingNote();
}

bool TfrmPlan::openFile(const QString& path) {
    plan::PlantFile file;
    std::string error;
    if (!plan::readPlantFile(QFile::encodeName(path).toStdString(), file, error)) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(error));
        return false;
    }
    m_path = path;
    // The changes recorded beside the plant file date its cartridges.
    m_model->setFile(std::move(file), readHistoryBeside());
    // So does the stock list, when the plant keeps one.
    m_purchases->setPlantPath(path);
    m_openedRecovery.clear();
    rememberDiskState();
    updateEncodingNote();
    offerRecovery();
    fitColumns();
    updateTitle();
    return true;
}

bool TfrmPlan::save() { return m_path.isEmpty() ? saveAs({}) : saveAs(m_path); }

bool TfrmPlan::saveAs(const QString& given) {
    QString path = given;
    if (path.isEmpty() && m_ctx.messages) {
        const DialogGuard guard(this);
        path = m_ctx.messages->chooseFile(MessageSink::FileMode::Save, text("strPlanSaveAs").remove('&'),
                                          text("strPlanCsvFiles") + " (*.csv)", m_path);
    }
    if (path.isEmpty())
        return false;
    // Another program (or another window) wrote the file since it was opened: its
    // changes are not overwritten unasked.
    QDateTime when;
    if (!m_path.isEmpty() && QFileInfo(path) == QFileInfo(m_path) && changedOnDisk(&when)) {
        if (!m_ctx.messages || !m_ctx.messages->asking())
            return false;
        QString question;
        try {
            question = qs(text::format(text("strPlanChangedOnDisk").toStdString(),
                                          {QFileInfo(m_path).fileName().toStdString(), localDateTime(when).toStdString()}));
        } catch (const std::exception&) {
            question = m_path;
        }
        QStringList buttons = items("strPlanChangedItems");
        if (buttons.size() != 3)
            buttons = {"Overwrite", "Save as", "Cancel"};
        int answer;
        {
            const DialogGuard guard(this);
            answer = m_ctx.messages->askChoice(question, buttons);
        }
        if (answer == 1)
            return saveAs({});
        if (answer != 0)
            return false;
    }
    plan::CsvDialect written;
    try {
        written = plan::writePlantFile(QFile::encodeName(path).toStdString(), m_model->file());
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
        return false;
    }
    m_model->setDialect(written);
    // A plan saved under another name has the stock list of that name, if any.
    if (path != m_path)
        m_purchases->setPlantPath(path);
    m_path = path;
    rememberDiskState();
    // The changes a recovery file held are in the plant file now.
    if (!m_openedRecovery.isEmpty())
        QFile::remove(m_openedRecovery);
    m_openedRecovery.clear();
    m_model->setModified(false);
    updateEncodingNote();
    updateTitle();
    return true;
}

bool TfrmPlan::exportCalendar(const QString& given) {
    QString path = given;
    if (path.isEmpty() && m_ctx.messages) {
        const QString start = m_path.isEmpty() ? QString() : QFileInfo(m_path).path() + "/" +
                                                                   QFileInfo(m_path).completeBaseName() + ".ics";
        const DialogGuard guard(this);
        path = m_ctx.messages->chooseFile(MessageSink::FileMode::Save, text("strPlanExportIcs").remove('&'),
                                          text("strPlanIcsFiles") + " (*.ics)", start);
    }
    if (path.isEmpty())
        return false;
    const auto& changes = m_changeList->changes();
    plan::CalendarTexts texts;
    if (!text("strPlanIcsSummary").isEmpty()) {
        texts.summary = text("strPlanIcsSummary").toStdString();
        texts.lubricator = text("strLubricator").toStdString();
        texts.grease = text("strGrease").toStdString();
        texts.setting = items("strPlanColumnItems").value(PlanModel::Setting).toStdString();
        texts.overdueSince = text("strPlanOverdueSince").toStdString();
        texts.refillSummary = text("strPlanIcsRefill").toStdString();
    }
    plan::CalendarOptions options;
    options.firstDay = m_day;
    options.remindDays = m_remind->value();
    try {
        plan::writeCalendar(QFile::encodeName(path).toStdString(), m_model->file(), m_model->plan(), changes, texts,
                            options);
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
        return false;
    }
    if (m_ctx.messages) {
        const std::string tmpl = text("strPlanExported").toStdString();
        try {
            m_ctx.messages->showMessage(
                qs(text::format(tmpl, {static_cast<int>(changes.size()), path.toStdString()})));
        } catch (const std::exception&) {
            m_ctx.messages->showMessage(path);
        }
    }
    return true;
}

void TfrmPlan::print() {
    if (!m_ctx.messages)
        return;
    QPrinter printer(QPrinter::HighResolution);
    {
        const DialogGuard guard(this);
        if (!m_ctx.messages->choosePrinter(printer))
            return;
    }
    const strings::StringTable* t = m_ctx.table ? m_ctx.table() : nullptr;
    const QString footer = qs(reports::printFooterText(t));
    const QString family = m_ctx.fontFamily ? m_ctx.fontFamily() : font().family();
    const int tab = m_tabs->currentIndex();
    const QString title = text("strPlanTitle") + " \u2013 " + m_tabs->tabText(tab);
    printer.setDocName(title);
    const QTableView* grid = tab == 0                              ? m_points
                             : tab == 1                            ? m_changes
                             : m_tabs->widget(tab) == m_history ? m_history->view()
                                                                  : m_purchases->view();
    reports::printGrid(printer, *grid, reports::GridWidth::ShrinkToPage, family, title, footer);
}

bool TfrmPlan::maybeSave() {
    if (!m_model->modified() || !m_ctx.messages)
        return true;
    if (!m_ctx.messages->asking()) {
        keepUnsavedAside();
        return true;
    }
    MessageSink::Answer answer;
    {
        const DialogGuard guard(this);
        answer = m_ctx.messages->askSaveChanges(m_kept.unsaved);
    }
    // The program may have been ended while the question was open.
    if (!m_ctx.messages->asking()) {
        keepUnsavedAside();
        return answer != MessageSink::Answer::Cancel;
    }
    switch (answer) {
    case MessageSink::Answer::Save: return save();
    case MessageSink::Answer::Discard: return true;
    case MessageSink::Answer::Cancel: return false;
    }
    return false;
}

void TfrmPlan::closeWithProgram() {
    if (!m_model->modified() || !m_ctx.messages)
        return;
    if (m_ctx.messages->asking()) {
        // The program ends whatever is answered: going back is no choice here.
        MessageSink::Answer answer;
        {
            const DialogGuard guard(this);
            answer = m_ctx.messages->askSaveChanges(m_kept.unsaved);
        }
        switch (answer) {
        case MessageSink::Answer::Save:
            // Only to the file it came from: no dialog while the program ends.
            if (!m_path.isEmpty() && saveAs(m_path))
                return;
            break;
        case MessageSink::Answer::Discard:
            m_model->setModified(false);
            return;
        case MessageSink::Answer::Cancel:
            break;
        }
    }
    keepUnsavedAside();
}

QString TfrmPlan::keepUnsavedAside() {
    if (!m_model->modified())
        return {};
    // The plant file stays as it was; the changes go to a file of their own, next to
    // any kept earlier.
    const QString base = recoveryBase(m_path);
    QString path = base + ".unsaved.csv";
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QString(".unsaved-%1.csv").arg(n);
    try {
        QDir().mkpath(QFileInfo(base).path());
        plan::writePlantFile(QFile::encodeName(path).toStdString(), m_model->file());
        m_model->setModified(false);
        if (m_ctx.messages) {
            const std::string name = m_path.isEmpty() ? m_kept.untitled.toStdString() : m_path.toStdString();
            try {
                m_ctx.messages->showMessage(
                    qs(text::format(m_kept.keptAside.toStdString(), {name, path.toStdString()})));
            } catch (const std::exception&) {
                m_ctx.messages->showMessage(path);
            }
        }
        return path;
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
        return {};
    }
}

void TfrmPlan::closeEvent(QCloseEvent* event) {
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

