#pragma once
// The plant file's own columns, besides the calculation's inputs, listed once: the
// plant file's reader and writer, the batch calculator (which reads past them) and the
// plan window all take them from here.

#include <cstddef>
#include <iterator>
#include <string_view>

namespace unctora::io {

enum class OwnColumn { Id, Location, Machine, Unit, InstalledOn, Volume_ml, Remarks };

// In the order of OwnColumn, which is also the order a new plant file is written in.
inline constexpr std::string_view kOwnColumnNames[] = {"Id",          "Location",  "Machine", "Unit",
                                                       "InstalledOn", "Volume_ml", "Remarks"};
inline constexpr std::size_t kOwnColumnCount = std::size(kOwnColumnNames);
static_assert(kOwnColumnCount == static_cast<std::size_t>(OwnColumn::Remarks) + 1,
              "every own column has its name");

} // namespace unctora::io
