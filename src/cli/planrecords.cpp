#include "cli/planrecords.h"

#include "core/greases.h"

#include <charconv>
#include <cstdio>

namespace unctora::cli {

namespace {

using S = PlanRecordSource;
using V = std::optional<std::string>;

std::string number(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

std::string oneDecimal(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

const char* statusName(plan::PointStatus s) {
    switch (s) {
    case plan::PointStatus::Ok: return "ok";
    case plan::PointStatus::DueSoon: return "due";
    case plan::PointStatus::Overdue: return "overdue";
    case plan::PointStatus::Failed: return "failed";
    case plan::PointStatus::Invalid: return "invalid";
    case plan::PointStatus::TooSmall: return "unit too small";
    case plan::PointStatus::NotPlanned: return "not planned";
    }
    return "";
}

const char* attentionName(plan::Attention a) {
    switch (a) {
    case plan::Attention::OverGreased: return "over-greased";
    case plan::Attention::GreaseUnsuitable: return "grease unsuitable";
    case plan::Attention::InstalledInFuture: return "installed in the future";
    case plan::Attention::DuplicateId: return "duplicate id";
    case plan::Attention::LifeCapped: return "life capped";
    case plan::Attention::SettingDiffers: return "setting differs";
    }
    return "";
}

V own(const S& s, plan::OwnColumn c) { return s.point->cell(c); }
const plan::StockOrder* order(const S& s) { return s.purchase->stock ? &*s.purchase->stock : nullptr; }

const PlanRecordColumn kColumns[] = {
    {.name = "Kind",
     .change = [](const S&) -> V { return "change"; },
     .point = [](const S&) -> V { return "point"; },
     .purchase = [](const S&) -> V { return "purchase"; }},
    {.name = "Date", .change = [](const S& s) -> V { return plan::isoDate(s.change->date); }},
    // A shared unit is changed once, under its own name.
    {.name = "Id",
     .change = [](const S& s) -> V { return s.plan->unit.empty() ? own(s, plan::OwnColumn::Id) : s.plan->unit; },
     .point = [](const S& s) { return own(s, plan::OwnColumn::Id); }},
    {.name = "Location",
     .change = [](const S& s) { return own(s, plan::OwnColumn::Location); },
     .point = [](const S& s) { return own(s, plan::OwnColumn::Location); }},
    {.name = "Machine",
     .change = [](const S& s) { return own(s, plan::OwnColumn::Machine); },
     .point = [](const S& s) { return own(s, plan::OwnColumn::Machine); }},
    {.name = "Lubricator",
     .change = [](const S& s) -> V { return core::lubricatorName(s.plan->inputs.Lubricator); },
     .purchase = [](const S& s) -> V { return core::lubricatorName(s.purchase->lubricator); }},
    {.name = "Grease",
     .change = [](const S& s) -> V { return core::greaseName(s.plan->inputs.Grease); },
     .purchase = [](const S& s) -> V { return core::greaseName(s.purchase->grease); }},
    {.name = "Setting", .change = [](const S& s) -> V { return s.plan->setting; }},
    {.name = "MonthsPerCartridge", .bare = true, .change = [](const S& s) -> V { return oneDecimal(s.plan->months()); }},
    {.name = "Volume_ml",
     .bare = true,
     .change = [](const S& s) -> V { return number(s.plan->volumeMl); },
     .purchase = [](const S& s) -> V { return number(s.purchase->volumeMl); }},
    // A change due before the first day; an order that should have gone out before it.
    {.name = "Overdue",
     .bare = true,
     .change = [](const S& s) -> V { return s.change->overdue ? "true" : "false"; },
     .purchase = [](const S& s) -> V {
         const plan::StockOrder* o = order(s);
         if (!o || !o->orderBy)
             return std::nullopt;
         return o->overdue ? "true" : "false";
     }},
    {.name = "Cartridges", .bare = true, .purchase = [](const S& s) -> V { return std::to_string(s.purchase->cartridges); }},
    {.name = "Grease_g", .bare = true, .purchase = [](const S& s) -> V { return number(s.purchase->grams); }},
    {.name = "Status",
     .point = [](const S& s) -> V {
         if (!s.note)
             return statusName(s.plan->status);
         if (s.note->kind == plan::Attention::OverGreased)
             return std::string(attentionName(s.note->kind)) + " \u00D7" + oneDecimal(s.plan->overGreasedBy);
         return attentionName(s.note->kind);
     }},
    {.name = "Error",
     .point = [](const S& s) -> V {
         if (s.note)
             return plan::messageText(s.note->message);
         return s.plan->status == plan::PointStatus::Failed ? s.plan->error : plan::messageText(*s.plan->reason);
     }},
    {.name = "Stock",
     .bare = true,
     .stockOnly = true,
     .purchase = [](const S& s) -> V { return order(s) ? V(std::to_string(order(s)->inStore)) : std::nullopt; }},
    {.name = "LeadTime_days",
     .bare = true,
     .stockOnly = true,
     .purchase = [](const S& s) -> V { return order(s) ? V(std::to_string(order(s)->leadDays)) : std::nullopt; }},
    {.name = "OrderBy",
     .stockOnly = true,
     .purchase = [](const S& s) -> V {
         return order(s) && order(s)->orderBy ? V(plan::isoDate(*order(s)->orderBy)) : std::nullopt;
     }},
    {.name = "ToOrder",
     .bare = true,
     .stockOnly = true,
     .purchase = [](const S& s) -> V { return order(s) ? V(std::to_string(order(s)->toOrder)) : std::nullopt; }},
};

} // namespace

std::span<const PlanRecordColumn> planRecordColumns() { return kColumns; }

PlanRecordWriter::PlanRecordWriter(std::FILE* out, bool json, bool withStock)
    : m_output(out), m_json(json), m_withStock(withStock) {}

void PlanRecordWriter::header() {
    if (m_json)
        return;
    bool first = true;
    for (const PlanRecordColumn& c : kColumns) {
        if (!shown(c))
            continue;
        if (!first)
            m_buf.push_back(',');
        first = false;
        m_buf.append(c.name);
    }
    m_buf.append("\r\n");
}

void PlanRecordWriter::record(const PlanRecordSource& s, PlanValue PlanRecordColumn::*value) {
    bool first = true;
    if (m_json)
        m_buf.push_back('{');
    for (const PlanRecordColumn& c : kColumns) {
        if (!shown(c))
            continue;
        const PlanValue get = c.*value;
        const V v = get ? get(s) : std::nullopt;
        if (m_json) {
            // JSON leaves out what a record does not have.
            if (!v)
                continue;
            if (!first)
                m_buf.push_back(',');
            first = false;
            io::appendJsonString(m_buf, c.name);
            m_buf.push_back(':');
            if (c.bare)
                m_buf.append(*v);
            else
                io::appendJsonString(m_buf, *v);
        } else {
            if (!first)
                m_buf.push_back(',');
            first = false;
            if (v)
                io::appendCsvField(m_buf, *v);
        }
    }
    m_buf.append(m_json ? "}\n" : "\r\n");
    m_output.drainIfLarge();
}

int PlanRecordWriter::finish() {
    m_output.flush();
    return m_output.error();
}

} // namespace unctora::cli
