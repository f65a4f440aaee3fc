#include "strings/quantity.h"

#include "text/format.h"

namespace unctora::strings {

std::string FormatQuantity(const std::string& tmpl, int decimals, double ounces,
                           const std::string& unitOverride, const std::string& extra,
                           const QuantityContext& ctx) {
    static const UnitLabels kEnglish;
    const UnitLabels& labels = ctx.labels ? *ctx.labels : kEnglish;
    const std::size_t star = tmpl.find("%.*f");
    if (star != std::string::npos) {
        double v = ounces;
        if (ctx.units == Units::SI)
            v = core::ouncesToGrams(v);
        if (decimals == 0)
            decimals = v >= 1.0 ? 0 : 2;
        std::string t = tmpl;
        t.replace(t.find(".*f"), 3, "." + std::to_string(decimals) + "f");
        const std::string& unit =
            unitOverride.empty() ? labels.massUnitLabel(ctx.units) : unitOverride;
        return text::format(t, {v, unit, extra}, ctx.decimalSeparator);
    }
    if (tmpl.find("%s") != std::string::npos && !extra.empty())
        return text::format(tmpl, {extra}, ctx.decimalSeparator);
    return tmpl;
}

} // namespace unctora::strings
