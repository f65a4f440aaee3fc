#pragma once
// printf-style formatting of templates that come from the language file.
//
// Templates are untrusted: every conversion is checked against the value passed
// for it, and a template that does not fit its values raises FormatError instead
// of reading past them. Supported: %d, %s, %f with the flags "-+ 0#", a width,
// a precision (".N" or ".*"), and "%%". Fixed-point numbers round the exact binary
// value (ties to even) and use the given decimal separator; nothing depends on the
// process locale.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace unctora::text {

class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One value for a template: an integer (%d, and the count of "*"), a floating-point
// number (%f) or a text (%s).
class FmtArg {
public:
    FmtArg(int v) : m_value(static_cast<std::int64_t>(v)) {}
    FmtArg(long v) : m_value(static_cast<std::int64_t>(v)) {}
    FmtArg(long long v) : m_value(static_cast<std::int64_t>(v)) {}
    FmtArg(double v) : m_value(v) {}
    FmtArg(std::string_view v) : m_value(v) {}
    FmtArg(const std::string& v) : m_value(std::string_view(v)) {}
    FmtArg(const char* v) : m_value(std::string_view(v)) {}

    const std::variant<std::int64_t, double, std::string_view>& value() const { return m_value; }

private:
    std::variant<std::int64_t, double, std::string_view> m_value;
};

// Formats tmpl with args; surplus values are ignored.
std::string format(std::string_view tmpl, std::span<const FmtArg> args,
                   std::string_view decimalSeparator = ".");
inline std::string format(std::string_view tmpl, std::initializer_list<FmtArg> args,
                          std::string_view decimalSeparator = ".") {
    return format(tmpl, std::span<const FmtArg>(args.begin(), args.size()), decimalSeparator);
}

// Appends instead of returning, for callers that build long texts.
void formatTo(std::string& out, std::string_view tmpl, std::span<const FmtArg> args,
              std::string_view decimalSeparator = ".");

// Fixed-point text of v with the given decimals, as "%.Nf" gives it.
std::string fixed(double v, int decimals, std::string_view decimalSeparator = ".");

} // namespace unctora::text
