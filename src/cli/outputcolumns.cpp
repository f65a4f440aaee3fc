#include "cli/outputcolumns.h"

#include <vector>

namespace unctora::cli {

namespace {

using R = core::CalcResults;
using D = core::CalcDisplay;
using Optional = std::optional<double>;

// The columns after the inputs, in output order.
const OutputColumn kAfterInputs[] = {
    {.name = "tf", .cell = Cell::Result, .result = [](const R& r) -> Optional { return r.tf; }},
    {.name = "tfc", .cell = Cell::Result, .result = [](const R& r) -> Optional { return r.tfc; }},
    {.name = "Gp", .cell = Cell::Result, .result = [](const R& r) -> Optional { return r.Gp; }},
    {.name = "Qf", .cell = Cell::Result, .result = [](const R& r) -> Optional { return r.Qf; }},
    {.name = "tfcHours",
     .cell = Cell::Result,
     .result = [](const R& r) -> Optional {
         return r.tfcHours ? Optional(static_cast<double>(*r.tfcHours)) : std::nullopt;
     },
     .integer = true},
    {.name = "OldQf", .cell = Cell::Result, .result = [](const R& r) -> Optional { return r.OldQf; }},
    {.name = "DS", .cell = Cell::Result, .result = [](const R& r) -> Optional { return r.DS; }},
    {.name = "PauseBase", .cell = Cell::Result, .result = [](const R& r) -> Optional { return r.PauseBase; }},
    {.name = "edTf", .cell = Cell::Display, .display = &D::edTf},
    {.name = "edTfcorr", .cell = Cell::Display, .display = &D::edTfcorr},
    {.name = "edGp", .cell = Cell::Display, .display = &D::edGp},
    {.name = "edQf", .cell = Cell::Display, .display = &D::edQf},
    {.name = "edBore_in", .cell = Cell::Display, .display = &D::edBore_in},
    {.name = "edD_in", .cell = Cell::Display, .display = &D::edD_in},
    {.name = "edB_in", .cell = Cell::Display, .display = &D::edB_in},
    {.name = "SettingText", .cell = Cell::SettingText, .jsonObject = "Setting", .jsonKey = "Text"},
    {.name = "SettingColour", .cell = Cell::SettingColour, .jsonObject = "Setting", .jsonKey = "Colour"},
    {.name = "SettingPicture", .cell = Cell::SettingPicture, .jsonObject = "Setting", .jsonKey = "Picture"},
    {.name = "SettingMonth", .cell = Cell::SettingMonth, .jsonObject = "Setting", .jsonKey = "Month"},
    {.name = "Greases", .cell = Cell::Greases},
    {.name = "Pages", .cell = Cell::Pages},
    {.name = "SpeedRed", .cell = Cell::SpeedRed},
    {.name = "Status", .cell = Cell::Status},
    {.name = "Error", .cell = Cell::Error},
    {.name = "Log", .cell = Cell::Log, .logOnly = true},
};

std::vector<OutputColumn> makeColumns() {
    std::vector<OutputColumn> columns;
    columns.push_back({.name = "Id", .cell = Cell::Id});
    for (const core::InputField& f : core::inputFields())
        columns.push_back({.name = f.name, .cell = Cell::Input, .input = &f});
    columns.insert(columns.end(), std::begin(kAfterInputs), std::end(kAfterInputs));
    return columns;
}

} // namespace

std::span<const OutputColumn> outputColumns() {
    static const std::vector<OutputColumn> columns = makeColumns();
    return columns;
}

} // namespace unctora::cli
