#include "reports/assessment.h"

#include "advice/warnings.h"
#include "core/errors.h"

namespace unctora::reports {

void failAssessment(Assessment& a, std::string message, std::size_t keptPages) {
    a.ok = false;
    a.error = std::move(message);
    a.results = core::CalcResults{};
    core::CalcDisplay& d = a.display;
    d.edTf = d.edTfcorr = d.edGp = d.edQf = "0";
    if (a.pages.size() > keptPages)
        a.pages.resize(keptPages);
    advice::appendFailurePages(a.pages, a.inputs.Lubricator, a.error);
    a.setting = SettingDisplay{};
    a.speedRed = false;
    a.pageBarVisible = false;
}

void assess(const core::CalcInputs& inputs, const AssessOptions& options, Assessment& out) {
    out.inputs = inputs;
    out.pages.clear();
    out.speedRed = false;
    out.pageBarVisible = false;
    core::CalcInputs& in = out.inputs;
    core::applyReplenishmentRule(in);

    core::CalcContext ctx;
    ctx.log = options.log;
    ctx.decimalSeparator = options.decimalSeparator;
    core::CalcContext checkCtx = ctx;
    if (!options.logSuitability)
        checkCtx.log = nullptr;
    out.suitability = core::checkApplicationSuitability(in, checkCtx);
    in.Grease = out.suitability.grease;

    core::CalcOutcome calc = core::calculate(in, options.units, ctx);
    out.results = calc.run.results;
    out.display = std::move(calc.run.display);
    out.ok = calc.ok;
    if (!calc.ok) {
        failAssessment(out, std::move(calc.error), 0);
        return;
    }
    // The setting display comes first: the notes it adds for the multi-point units
    // stand before the warnings.
    settingDisplay(in, out.results, options.units, options.decimalSeparator, out.setting);
    if (out.setting.note)
        out.pages.push_back(*out.setting.note);
    advice::Advice advice;
    advice.pages = std::move(out.pages);
    try {
        advice::addWarnings(in, out.results, advice);
    } catch (const core::CalculationError& e) {
        // The warnings are the calculation's last step: their failure is the
        // calculation's, and what they added before it stays.
        out.pages = std::move(advice.pages);
        failAssessment(out, e.what(), out.pages.size());
        return;
    }
    out.pages = std::move(advice.pages);
    out.speedRed = advice.speedRed;
    out.pageBarVisible = advice.pageBarVisible;
}

Assessment assess(const core::CalcInputs& inputs, const AssessOptions& options) {
    Assessment a;
    assess(inputs, options, a);
    return a;
}

} // namespace unctora::reports
