// Any template with any values: the formatter either formats or raises FormatError,
// and FormatQuantity likewise.
#include "text/format.h"
#include "strings/quantity.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Layout: one byte of value kinds (2 bits each, 4 values), 8 bytes of numbers,
    // then the template.
    if (size < 9)
        return 0;
    const std::uint8_t kinds = data[0];
    std::int64_t i64;
    double d;
    std::memcpy(&i64, data + 1, 8);
    std::memcpy(&d, data + 1, 8);
    const std::string tmpl(reinterpret_cast<const char*>(data + 9), size - 9);
    std::vector<unctora::text::FmtArg> args;
    for (int k = 0; k < 4; ++k) {
        switch ((kinds >> (2 * k)) & 3) {
        case 0: args.emplace_back(static_cast<long long>(i64 % 2000)); break;
        case 1: args.emplace_back(d); break;
        case 2: args.emplace_back(std::string_view("text \xC3\xA4")); break;
        default: args.emplace_back(static_cast<long long>(i64)); break;
        }
    }
    try {
        unctora::text::format(tmpl, args, (kinds & 1) ? "," : ".");
    } catch (const unctora::text::FormatError&) {
    }
    try {
        unctora::strings::QuantityContext ctx;
        ctx.units = (kinds & 2) ? unctora::core::Units::Imperial : unctora::core::Units::SI;
        unctora::strings::FormatQuantity(tmpl, static_cast<int>(i64 & 7), d, "", "x", ctx);
    } catch (const unctora::text::FormatError&) {
    }
    return 0;
}
