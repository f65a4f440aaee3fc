#pragma once
// Unit labels and the filling of note templates with a quantity.

#include "core/units.h"

#include <string>

namespace unctora::strings {

using core::Units;

// The store of unit labels. The four language-dependent labels start with their
// English texts and follow the language once it is applied.
class UnitLabels {
public:
    const std::string& massUnitLabel(Units u) const { return u == Units::SI ? m_grams : m_ounces; }
    void setMassUnitLabel(Units u, std::string text) {
        (u == Units::SI ? m_grams : m_ounces) = std::move(text);
    }
    static std::string volumeUnitLabel(Units u) { return u == Units::SI ? "ml" : "fl oz."; }
    const std::string& celsiusLabel() const { return m_celsius; }
    const std::string& fahrenheitLabel() const { return m_fahrenheit; }
    void setTemperatureLabels(std::string celsius, std::string fahrenheit) {
        m_celsius = std::move(celsius);
        m_fahrenheit = std::move(fahrenheit);
    }

private:
    std::string m_celsius = "\u00B0C";
    std::string m_fahrenheit = "\u00B0F";
    std::string m_grams = "g";
    std::string m_ounces = "oz";
};

struct QuantityContext {
    Units units = Units::SI;
    const UnitLabels* labels = nullptr; // nullptr: the English labels
    std::string decimalSeparator = ".";
};

// Fills a note template with a quantity given in ounces. With "%.*f" in the template
// the value (in grams in SI) goes in with `decimals` decimals (0: automatic, 0 from 1
// up, else 2), followed by the unit (the override, or the mass label of the system)
// and extra. Without "%.*f", a "%s" takes extra when extra is not empty; otherwise
// the template is returned unchanged. Raises text::FormatError on a bad template.
std::string FormatQuantity(const std::string& tmpl, int decimals, double ounces,
                           const std::string& unitOverride, const std::string& extra,
                           const QuantityContext& ctx);

} // namespace unctora::strings
