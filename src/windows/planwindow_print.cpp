// TfrmPlan: File → Print route… and File → Print labels…, the sheets of the weekly
// round. Each asks what to print in a dialog of its own and then for the printer; with
// Shift held, nothing asks: the last choices go to the default printer, as the main
// window's Print does.

#include "windows/planwindow.h"

#include "core/greases.h"
#include "desktop/messages.h"
#include "files/regini.h"
#include "plan/route.h"
#include "sheets/labelsheet.h"
#include "sheets/routepdf.h"
#include "sheets/routesheet.h"
#include "strings/itemlist.h"
#include "strings/stringtable.h"
#include "text/format.h"
#include "widgets/printcheck.h"
#include "windows/planmodel.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

using namespace unctora;

namespace {

constexpr const char* kSection = "PlantPlan";

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Whether the printer stands for a real printer or a named file: without one, Qt
// would print into a PDF file that has no name.
bool hasPrinter(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? !printer.outputFileName().isEmpty()
                                                         : !printer.printerName().isEmpty();
}

// A menu text as a title: without its accelerator ("&R", "(&R)") and its ellipsis.
QString plainTitle(QString menuText) {
    menuText.remove(QRegularExpression("\\(&.\\)")).remove('&').remove(QChar(0x2026)).remove("...");
    return menuText.trimmed();
}

// A template filled in, or the template as it stands when a translation does not fit.
QString formatted(const QString& tmpl, std::initializer_list<text::FmtArg> args) {
    try {
        return qs(text::format(tmpl.toStdString(), args));
    } catch (const std::exception&) {
        return tmpl;
    }
}

// The default sheet for the locale's paper: the 3 × 8 of A4 or the 3 × 10 of Letter.
int defaultLabelLayout() {
    const auto& layouts = sheets::labelLayouts();
    const QPageSize::PageSizeId paper = sheets::localePaper();
    const auto it = std::find_if(layouts.begin(), layouts.end(),
                                 [paper](const sheets::LabelLayout& l) { return l.page == paper; });
    return it == layouts.end() ? 0 : int(it - layouts.begin());
}

} // namespace

void TfrmPlan::createRoundActions() {
    m_round.route = new QAction("Print &route…", this);
    m_round.route->setObjectName("miPlanPrintRoute");
    connect(m_round.route, &QAction::triggered, this, [this] { printRouteSheet(); });
    m_round.labels = new QAction("Print &labels…", this);
    m_round.labels->setObjectName("miPlanPrintLabels");
    connect(m_round.labels, &QAction::triggered, this, [this] { printPointLabels(); });
    // Below Print…, before whatever follows it.
    const QList<QAction*> actions = m_actions.file->actions();
    const qsizetype at = actions.indexOf(m_actions.print);
    QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
    m_actions.file->insertActions(before, {m_round.route, m_round.labels});
    // A hand scanner types a label's code into the filter like a keyboard: once the
    // filter holds a point's whole Id, that point is the selected one, ready for what
    // is done to it next.
    connect(m_filter, &PlanFilter::filterChanged, this, [this] { selectScannedId(); });
}

void TfrmPlan::selectScannedId() {
    const QString typed = m_filterEdit->text().trimmed();
    if (typed.isEmpty())
        return;
    const std::string id = typed.toStdString();
    const auto& points = m_model->file().points;
    for (std::size_t r = 0; r < points.size(); ++r)
        if (points[r].cell(plan::OwnColumn::Id) == id) {
            m_points->clearSelection();
            selectRow(int(r));
            return;
        }
}

void TfrmPlan::applyRoundTexts() {
    m_round.route->setText(text("strRoutePrint"));
    m_round.labels->setText(text("strLabelPrint"));
}

int TfrmPlan::storedSetting(const char* key, int def, int lo, int hi) const {
    if (m_ctx.settingsFile.isEmpty())
        return def;
    files::TStRegIni ini(m_ctx.settingsFile.toStdString(), true);
    ini.Section = kSection;
    const int value = ini.ReadInteger(key, def);
    return value < lo || value > hi ? def : value;
}

void TfrmPlan::storeSetting(const char* key, int value) {
    if (m_ctx.settingsFile.isEmpty())
        return;
    // Kept at once, so that a choice made survives whatever ends the program.
    try {
        files::TStRegIni ini(m_ctx.settingsFile.toStdString(), true);
        ini.Section = kSection;
        ini.WriteInteger(key, value);
    } catch (const std::exception& e) {
        if (m_ctx.messages)
            m_ctx.messages->showError(qs(e.what()));
    }
}

int TfrmPlan::routeDays() const {
    return storedSetting("RouteDays", plan::kDefaultRouteDays, 0, plan::kMaxRouteDays);
}

int TfrmPlan::labelLayout() const {
    return storedSetting("LabelLayout", defaultLabelLayout(), 0, int(sheets::labelLayouts().size()) - 1);
}

std::vector<plan::RouteStop> TfrmPlan::routeStops() const {
    // The points the filter shows, with their next change as the Points tab has it.
    std::vector<plan::RouteStop> stops;
    const auto& points = m_model->file().points;
    const auto& plans = m_model->plan();
    for (std::size_t i = 0; i < plans.size() && i < points.size(); ++i) {
        const plan::PointPlan& p = plans[i];
        if (!m_filter->accepts(int(i)) || !p.computed() || !p.nextChange)
            continue;
        plan::RouteStop s;
        s.pointId = points[i].cell(plan::OwnColumn::Id);
        s.location = points[i].cell(plan::OwnColumn::Location);
        s.machine = points[i].cell(plan::OwnColumn::Machine);
        s.order = i;
        s.due = *p.nextChange;
        s.overdue = p.status == plan::PointStatus::Overdue;
        s.setting = p.setting;
        s.grease = m_model->greaseText(p.inputs.Grease).toStdString();
        s.lubricator = core::lubricatorName(p.inputs.Lubricator);
        stops.push_back(std::move(s));
    }
    return stops;
}

// Asks the days ahead; none when cancelled.
static std::optional<int> askDays(QWidget* parent, int days, const QString& title, const QString& caption,
                                  const QString& note) {
    QDialog dialog(parent);
    dialog.setObjectName("dlgPlanRoute");
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    auto* spin = new QSpinBox;
    spin->setObjectName("spPlanRouteDays");
    spin->setRange(0, plan::kMaxRouteDays);
    spin->setValue(days);
    form->addRow(caption, spin);
    layout->addLayout(form);
    auto* noteLabel = new QLabel(note);
    noteLabel->setObjectName("labPlanRouteNote");
    noteLabel->setWordWrap(true);
    noteLabel->setMinimumWidth(noteLabel->fontMetrics().averageCharWidth() * 50);
    layout->addWidget(noteLabel);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    spin->selectAll();
    spin->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return spin->value();
}

// With Shift held nothing asks, so a missing printer is said; otherwise the dialogs
// may be shown now (none while the program is ending).
bool TfrmPlan::mayPrint(const QPrinter& printer, bool shift) {
    if (!shift)
        return m_ctx.messages->asking();
    if (hasPrinter(printer))
        return true;
    m_ctx.messages->showError(text("strNoPrinter"));
    return false;
}

void TfrmPlan::printRouteSheet() {
    if (!m_ctx.messages)
        return;
    const bool shift = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    const QString title = plainTitle(text("strRoutePrint"));
    int days = routeDays();
    QPrinter printer(QPrinter::HighResolution);
    if (!mayPrint(printer, shift))
        return;
    if (!shift) {
        const bool filtered = m_filter->rowCount() != m_model->rowCount();
        const QString note = text("strRouteDaysNote") + (filtered ? "\n" + text("strRouteFiltered") : QString());
        std::optional<int> asked;
        {
            const DialogGuard guard(this);
            asked = askDays(this, days, title, text("strRouteDays"), note);
        }
        if (!asked)
            return;
        days = *asked;
        storeSetting("RouteDays", days);
        const DialogGuard guard(this);
        if (!m_ctx.messages->choosePrinter(printer))
            return;
    }
    const strings::StringTable* table = m_ctx.table ? m_ctx.table() : nullptr;
    const sheets::RouteSheetTexts texts = sheets::routeSheetTexts(table);
    printer.setDocName(texts.title);
    const plan::Route route = plan::makeRoute(routeStops(), m_day, days);
    const QString family = m_ctx.fontFamily ? m_ctx.fontFamily() : font().family();
    checkPrinted(printer, sheets::printRoute(printer, route, texts, family) > 0);
}

void TfrmPlan::printPointLabels() {
    if (!m_ctx.messages)
        return;
    const bool shift = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    // The selected points, or every point the filter shows; in the plant file's order,
    // which is the order of the plant.
    std::vector<int> rows;
    for (const QModelIndex& i : m_points->selectionModel()->selectedRows())
        rows.push_back(m_filter->mapToSource(i).row());
    const bool selection = !rows.empty();
    if (!selection)
        for (int r = 0; r < m_model->rowCount(); ++r)
            if (m_filter->accepts(r))
                rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    if (rows.empty()) {
        m_ctx.messages->showMessage(text("strLabelNone"));
        return;
    }
    const auto& layouts = sheets::labelLayouts();
    int layoutIndex = labelLayout();
    int first = 1;
    QPrinter printer(QPrinter::HighResolution);
    if (!mayPrint(printer, shift))
        return;
    if (!shift) {
        QDialog dialog(this);
        dialog.setObjectName("dlgPlanLabels");
        dialog.setWindowTitle(plainTitle(text("strLabelPrint")));
        auto* layout = new QVBoxLayout(&dialog);
        const bool filtered = m_filter->rowCount() != m_model->rowCount();
        const char* which = selection ? "strLabelSelected" : filtered ? "strLabelAllShown" : "strLabelAll";
        auto* whichLabel = new QLabel(formatted(text(which), {int(rows.size())}));
        whichLabel->setObjectName("labPlanLabelWhich");
        whichLabel->setWordWrap(true);
        whichLabel->setMinimumWidth(whichLabel->fontMetrics().averageCharWidth() * 50);
        layout->addWidget(whichLabel);
        auto* form = new QFormLayout;
        auto* sheet = new QComboBox;
        sheet->setObjectName("cbPlanLabelLayout");
        QStringList names;
        for (const std::string& s : strings::parseItemList(text("strLabelLayoutItems").toStdString()))
            names << qs(s);
        for (std::size_t i = 0; i < layouts.size(); ++i)
            sheet->addItem(i < std::size_t(names.size()) ? names[qsizetype(i)]
                                                         : QString("%1 × %2").arg(layouts[i].columns).arg(layouts[i].rows));
        sheet->setCurrentIndex(layoutIndex);
        form->addRow(text("strLabelSheet"), sheet);
        auto* start = new QSpinBox;
        start->setObjectName("spPlanLabelFirst");
        start->setRange(1, layouts[std::size_t(layoutIndex)].perSheet());
        form->addRow(text("strLabelFirst"), start);
        // A partly used sheet: the labels already taken off it are skipped.
        connect(sheet, &QComboBox::currentIndexChanged, start,
                [start, &layouts](int i) { start->setMaximum(layouts[std::size_t(std::max(i, 0))].perSheet()); });
        layout->addLayout(form);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(buttons);
        int answer;
        {
            const DialogGuard guard(this);
            answer = dialog.exec();
        }
        if (answer != QDialog::Accepted)
            return;
        layoutIndex = sheet->currentIndex();
        first = start->value();
        storeSetting("LabelLayout", layoutIndex);
        const DialogGuard guard(this);
        if (!m_ctx.messages->choosePrinter(printer))
            return;
    }
    std::vector<sheets::PointLabel> labels;
    const auto cellText = [this](int row, int column) { return m_model->index(row, column).data().toString(); };
    for (int r : rows)
        labels.push_back({qs(m_model->file().points[std::size_t(r)].cell(plan::OwnColumn::Id)),
                          cellText(r, PlanModel::Location), cellText(r, PlanModel::Machine),
                          cellText(r, PlanModel::Lubricator), cellText(r, PlanModel::Setting),
                          cellText(r, PlanModel::Grease)});
    printer.setDocName(plainTitle(text("strLabelPrint")));
    const QString family = m_ctx.fontFamily ? m_ctx.fontFamily() : font().family();
    const sheets::LabelResult result =
        sheets::printLabels(printer, layouts[std::size_t(layoutIndex)], labels, family, first - 1);
    switch (result.failure) {
    case sheets::LabelFailure::None: checkPrinted(printer, true); break;
    case sheets::LabelFailure::NoId: m_ctx.messages->showError(text("strLabelNoId")); break;
    case sheets::LabelFailure::IdTooLong:
        m_ctx.messages->showError(formatted(text("strLabelIdTooLong"), {result.id.toStdString()}));
        break;
    case sheets::LabelFailure::DeviceNotStarted: checkPrinted(printer, false); break;
    }
}
