#include "core/suitability.h"

#include "core/bearings.h"
#include "core/calculation.h"
#include "core/greases.h"
#include "core/log.h"
#include "text/format.h"

namespace unctora::core {

using text::format;

const char* BoolText(bool b) { return b ? "True" : "False"; }

double speedFactor(const CalcInputs& in) {
    const double dm = meanDiameter(in);
    return in.Speed * dm;
}

int classifySpeed(int type, int sub1, int sub2, double Sf, const CalcContext& ctx) {
    const auto limits = getSpeedLimits(type, sub1, sub2);
    if (ctx.log)
        ctx.log->addLogLine(format("Sf=%.0f, limits=%d, %d, %d, %d, %d",
                                   {Sf, limits[0], limits[1], limits[2], limits[3], limits[4]},
                                   ctx.decimalSeparator));
    for (int i = 0; i < 4; ++i)
        if (limits[i] >= Sf)
            return i;
    return 4;
}

Suitability checkApplicationSuitability(const CalcInputs& in, const CalcContext& ctx) {
    Suitability s;
    LogSink* log = ctx.log;
    const std::string& sep = ctx.decimalSeparator;
    const BearingKey k = bearingKey(in);
    if (log)
        log->addLogLine(format("Lubricator=%d=%s, brg=%d (%d/%d)",
                               {in.Lubricator, lubricatorName(in.Lubricator), in.Type, k.sub1,
                                k.sub2},
                               sep));
    s.Sf = speedFactor(in);
    s.speedClass = classifySpeed(k.type, k.sub1, k.sub2, s.Sf, ctx);
    if (log)
        log->addLogLine(format("iSpeed=%d (%.0f), iOpTemp=%d, iLoad=%d",
                               {s.speedClass, in.Speed, in.BrgOpTemp, in.Load}, sep));
    s.enabled[0] = true;
    for (int i = 1; i < kGreaseCount; ++i) {
        if (log)
            log->addLogLine(format("Grease %d=%s", {i, greaseName(i)}));
        bool ok = isGreaseAllowed(i, in.Lubricator);
        if (log)
            log->addLogLine(format("  Lubricator suitable: %s", {BoolText(ok)}));
        if (ok) {
            ok = greaseSpeedOk(i, s.speedClass);
            if (log)
                log->addLogLine(format("  Speed suitable: %s", {BoolText(ok)}));
        }
        if (ok) {
            ok = greaseLoadOk(i, in.Load);
            if (log)
                log->addLogLine(format("  Load suitable: %s", {BoolText(ok)}));
        }
        if (ok) {
            ok = greaseTempOk(i, in.BrgOpTemp);
            if (log)
                log->addLogLine(format("  Op temp suitable: %s", {BoolText(ok)}));
        }
        if (log)
            log->addLogLine(format("  Grease suitable: %s", {BoolText(ok)}));
        s.enabled[i] = ok;
    }
    const int g0 = in.Grease;
    s.grease = (g0 >= 0 && g0 < kGreaseCount && s.enabled[g0]) ? g0 : 0;
    return s;
}

} // namespace unctora::core
