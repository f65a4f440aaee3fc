#include "advice/warnings.h"

#include "core/bearings.h"
#include "core/lubricators.h"
#include "core/round.h"
#include "text/keys.h"

#include <algorithm>

namespace unctora::advice {

namespace {

using Lookup = Page::Lookup;
namespace keys = text::keys;

// Indexes of the enumerations the check reads.
constexpr int kLoadLow = 0;
constexpr int kContMoistLow = 0;
constexpr int kVertical = 1;
constexpr int kRotORYes = 1;
constexpr int kAmbientBelowMinus10 = 0;
constexpr int kAmbientAbove40 = 2;

// Below this n x dm x bf no lubricating film forms.
constexpr double kMinSpeedFactor = 20000;

// The interval note of a single-point lubricator; 0 when none applies. The tests
// are written as "not >=" so that a NaN counts as out of range.
int intervalNote(int lubricator, const core::CalcResults& r) {
    if (!(r.tf >= 0))
        return 3;
    if (!(r.tfc > 100))
        return 4;
    if (!(r.DS >= 0.5))
        return 1;
    const core::LubricatorModel* m = core::lubricatorModel(lubricator);
    const double maxSetting = (m ? core::slowestMonths(*m) : 12) + 0.5;
    if (r.DS > maxSetting)
        return 2;
    return 0;
}

} // namespace

std::int64_t minimumSpeed(double dmTimesBf) {
    if (!(dmTimesBf > 0))
        return 0;
    return core::Round(kMinSpeedFactor / dmTimesBf + 1);
}

void addWarnings(const core::CalcInputs& in, const core::CalcResults& r, Advice& advice) {
    Pages& pages = advice.pages;
    const int lub = in.Lubricator;

    if (!core::isMultiPoint(lub))
        if (const int code = intervalNote(lub, r))
            pages.push_back(Page::note(lub, code));

    const core::BearingKey bk = core::bearingKey(in);
    const core::TBrgData brg = core::getBearingData(bk.type, bk.sub1, bk.sub2);

    // Speed factor against the limit of the load class; Very High shares High's.
    const double dm = core::meanDiameter(in);
    const double ndm = in.Speed * dm;
    const double limit = brg.LoadLimits[std::clamp(in.Load, 0, 2)];
    const double maxSpeed = dm > 0 ? limit / dm : 0;
    if (ndm > limit)
        pages.push_back(Page::warning(keys::strLUB_INTERVAL_WARN, Lookup::Numbered,
                                      {ndm, limit, maxSpeed}));

    if (in.RotOR == kRotORYes)
        pages.push_back(Page::warning(keys::strOUT_RING_ROT_WARN, Lookup::Numbered));
    if (in.ShaftOrientation == kVertical)
        pages.push_back(Page::warning(keys::strVERT_SHAFT_WARN, Lookup::Numbered));
    if (in.ContMoist > kContMoistLow)
        pages.push_back(Page::warning(keys::strCONTAM_WARN, Lookup::Numbered));
    if (brg.OilLubCheck && in.Load != kLoadLow && ndm > limit)
        pages.push_back(Page::warning(keys::strOIL_LUB_WARN, Lookup::Column));
    // The full-complement variants have no limit under low and moderate load.
    if (limit == 0 && brg.FullComplement)
        pages.push_back(Page::warning(keys::strCAGE_BEARING_WARN, Lookup::Column));

    const double dmBf = dm * brg.BearingFactor;
    const bool tooSlow = ndm * brg.BearingFactor < kMinSpeedFactor;
    if (tooSlow) {
        const std::int64_t nMin = minimumSpeed(dmBf);
        pages.push_back(Page::warning(keys::strTOO_LOW_SPEED_WARN, Lookup::Column, {nMin, nMin}));
        pages.push_back(Page::warning(keys::strLOW_SPEED_WARN, Lookup::Column));
    }
    advice.speedRed = tooSlow;

    // Only the gas-driven units correct their setting for the ambient temperature.
    if (core::isGasDriven(lub)) {
        if (in.Ambient == kAmbientBelowMinus10)
            pages.push_back(Page::warning(keys::strLOW_AMB_WARN, Lookup::Column));
        else if (in.Ambient == kAmbientAbove40)
            pages.push_back(Page::warning(keys::strHIGH_AMB_WARN, Lookup::Column));
    }

    advice.pageBarVisible = pages.size() > 1;
}

Advice warnings(const core::CalcInputs& in, const core::CalcResults& results, Pages earlier) {
    Advice advice;
    advice.pages = std::move(earlier);
    addWarnings(in, results, advice);
    return advice;
}

} // namespace unctora::advice
