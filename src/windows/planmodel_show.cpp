// What the points table shows of a point: its cells as texts in the user's locale, its
// status and what needs looking at, grease and mass texts, the colours of a status.
#include "windows/planmodel.h"

#include "core/greases.h"
#include "strings/stringtable.h"

#include <QColor>
#include <QDate>
#include <QLocale>

using namespace unctora;
using plan::OwnColumn;
using plan::PointStatus;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

} // namespace

QString PlanModel::dateFormat() {
    if (QLocale().language() == QLocale::C)
        return "yyyy-MM-dd";
    // The locale's short format, with the year in full.
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains("yyyy"))
        format.replace("yy", "yyyy");
    return format;
}

QString PlanModel::dateText(const QString& iso) {
    const QDate d = QDate::fromString(iso, Qt::ISODate);
    if (!d.isValid() || iso.size() != 10 || QLocale().language() == QLocale::C)
        return iso;
    return QLocale().toString(d, dateFormat());
}

QDate PlanModel::readDate(const QString& given) {
    const QString text = given.trimmed();
    QDate d = QDate::fromString(text, Qt::ISODate);
    if (d.isValid() && text.size() == 10)
        return d;
    const QLocale locale;
    for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QString format = locale.dateFormat(type);
        for (const QString& f : {format.contains("yyyy") ? format : QString(format).replace("yy", "yyyy"), format}) {
            d = locale.toDate(text, f);
            if (d.isValid())
                return d;
        }
    }
    return {};
}

QString PlanModel::text(int row, int column) const {
    const plan::PlantPoint& point = m_file.points[row];
    const plan::PointPlan& p = m_plan[row];
    if (column >= ColumnCount) {
        const auto k = static_cast<std::size_t>(column - ColumnCount);
        return k < point.extra.size() ? qs(point.extra[k]) : QString();
    }
    if (const auto own = ownColumn(column)) {
        const std::string& cell = point.cell(*own);
        if (column == Volume && cell.empty() && p.volumeMl > 0)
            return QLocale::c().toString(p.volumeMl, 'g', 6);
        if (column == InstalledOn)
            return dateText(qs(cell));
        return qs(cell);
    }
    const core::CalcInputs& in = p.inputs;
    const bool known = p.status != PointStatus::Invalid;
    switch (column) {
    case Bearing: {
        if (!known)
            return {};
        const auto types = core::bearingTypeItems();
        const QString type = in.Type >= 0 && static_cast<std::size_t>(in.Type) < types.size()
                                 ? QString::fromUtf8(types[in.Type].data(), static_cast<int>(types[in.Type].size()))
                                       .trimmed()
                                 : QString();
        return QStringLiteral("%1 %2\u00D7%3\u00D7%4").arg(type).arg(in.Bore_mm).arg(in.D_mm).arg(in.B_mm);
    }
    case Lubricator: return known ? qs(core::lubricatorName(in.Lubricator)) : QString();
    case Grease: return !known ? QString() : greaseText(in.Grease);
    case Setting: return qs(p.setting).replace('|', ' ');
    case Months:
        if (!p.computed())
            return {};
        return QLocale().toString(p.months(), 'f', 1);
    case NextChange: return p.nextChange ? dateText(qs(plan::isoDate(*p.nextChange))) : QString();
    case GreasePerYear: return p.computed() ? massText(p.gramsPerYear) + m_texts.perYear : QString();
    case Status: return statusText(p);
    case LastChange: return p.lastChange ? dateText(qs(plan::isoDate(p.lastChange->date))) : QString();
    case ChangedBy: return p.lastChange ? qs(p.lastChange->doneBy) : QString();
    default: return {};
    }
}

QString PlanModel::statusText(const plan::PointPlan& p) const {
    QString s = m_texts.statuses.value(static_cast<int>(p.status));
    for (const plan::PointPlan::Note& n : p.attention) {
        QString a = m_texts.attention.value(static_cast<int>(n.kind));
        if (n.kind == plan::Attention::OverGreased)
            a += QStringLiteral(" \u00D7") + QLocale().toString(p.overGreasedBy, 'f', 1);
        s += QStringLiteral(" \u00B7 ") + a;
    }
    return s;
}

QString PlanModel::messagesText(const plan::PointPlan& p) const {
    const std::string separator = QLocale().decimalPoint().toStdString();
    QStringList lines;
    if (p.status == PointStatus::TooSmall || p.has(plan::Attention::OverGreased))
        lines << m_texts.outOfRange;
    if (p.reason)
        lines << qs(plan::messageText(*p.reason, m_texts.table, separator));
    for (const plan::PointPlan::Note& n : p.attention)
        lines << qs(plan::messageText(n.message, m_texts.table, separator));
    lines.removeAll(QString());
    return lines.join('\n');
}


QString PlanModel::greaseText(int grease) const {
    return grease == 0 && !m_texts.unspecified.isEmpty() ? m_texts.unspecified : qs(core::greaseName(grease));
}

QString PlanModel::massText(double grams) const {
    const bool si = m_units == core::Units::SI;
    const double amount = si ? grams : core::gramsToOunces(grams);
    return QLocale().toString(amount, 'f', si ? 0 : 1) + " " + (si ? m_texts.gram : m_texts.ounce);
}

QColor PlanModel::statusColour(PointStatus status) {
    switch (status) {
    case PointStatus::Ok: return QColor(214, 240, 214);
    case PointStatus::DueSoon: return QColor(255, 226, 150);
    case PointStatus::Overdue: return QColor(244, 170, 170);
    case PointStatus::Failed: return QColor(222, 200, 240);
    case PointStatus::Invalid: return QColor(210, 210, 210);
    case PointStatus::TooSmall: return QColor(222, 200, 240);
    case PointStatus::NotPlanned: return QColor(200, 224, 250);
    }
    return {};
}

QColor PlanModel::attentionColour() { return QColor(255, 240, 190); }

