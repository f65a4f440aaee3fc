#pragma once
// Everything one set of inputs shows, decided once for the window and the batch
// calculator alike.
//
// assess() runs the whole sequence of a recalculation on the inputs: the
// replenishment rule, the grease suitability check, the calculation with its result
// texts, the setting display and the warnings. The window draws the assessment; the
// batch calculator writes it out. Neither decides anything of its own, so they
// cannot disagree.
//
// One failure policy: a step that fails ends the sequence there. The results are
// then those of a failed run (zeros, PauseBase 0), the four result fields show "0",
// the inch read-outs stay, and the pages added before the failure are followed by
// note 5 of the lubricator and the error's message. A failed assessment has no
// setting display, no speed colour and no page-bar state: the window keeps what the
// last successful one showed.

#include "advice/pages.h"
#include "core/calcinputs.h"
#include "core/pipeline.h"
#include "core/suitability.h"
#include "core/units.h"
#include "reports/setting.h"

#include <string>

namespace unctora::core {
class LogSink;
}

namespace unctora::reports {

struct AssessOptions {
    core::Units units = core::Units::SI;
    // The calculation log; nullptr switches it off.
    core::LogSink* log = nullptr;
    // Whether the suitability check writes its lines too. The window's handlers run
    // the check on their own before recalculating, and only those that do log it.
    bool logSuitability = true;
    std::string decimalSeparator = ".";
};

struct Assessment {
    // The inputs as used: the replenishment rule applied, the grease the
    // suitability check leaves selected.
    core::CalcInputs inputs;
    core::Suitability suitability;
    bool ok = false;
    std::string error; // the message of the step that failed
    core::CalcResults results;
    core::CalcDisplay display; // result and inch fields
    // Meaningful only when ok.
    SettingDisplay setting;
    bool speedRed = false;
    bool pageBarVisible = false;
    // The notes box, first page first.
    advice::Pages pages;
};

// Assesses inputs into out, reusing its storage (the batch calculator keeps one
// assessment for a whole plant list). Never raises for a failed calculation.
void assess(const core::CalcInputs& inputs, const AssessOptions& options, Assessment& out);
Assessment assess(const core::CalcInputs& inputs, const AssessOptions& options);

// Turns an assessment into a failed one, as a failing step does: the first
// keptPages pages stay, then come the failure pages. The window uses it when a page
// text of the language file does not fit its values.
void failAssessment(Assessment& a, std::string message, std::size_t keptPages);

} // namespace unctora::reports
