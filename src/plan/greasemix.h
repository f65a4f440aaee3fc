#pragma once
// Whether the grease filled at a change may meet the grease already in the bearing.
//
// Greases of different thickeners may not mix: the old grease should be purged. No
// compatibility chart is used (the published ones contradict each other); the check
// only says that the thickeners differ and names both, and the user is advised to ask
// the grease supplier.

#include <optional>
#include <string>
#include <string_view>

namespace unctora::strings {
class StringTable;
}

namespace unctora::plan {

// The grease of the table with this name ("NVLO2"; letter case and blanks aside), or
// none for a name the table does not know.
std::optional<int> greaseByName(std::string_view name);

struct GreaseMix {
    enum class Verdict {
        Same,      // one thickener (or the same grease)
        Different, // the thickeners differ: warn
        Unknown,   // a thickener is not known (unspecified or unknown grease): cannot tell
    };
    Verdict verdict = Verdict::Unknown;
    std::string previousThickener; // as the grease table names it; empty when unknown
    std::string newThickener;
};

// Compares the thickeners of two greases of the table (indices as getGreaseData takes).
// Thickener names are compared without regard to letter case, hyphens or repeated blanks.
GreaseMix checkGreaseMix(int previousGrease, int newGrease);
// The same by grease name, as the history records them.
GreaseMix checkGreaseMix(std::string_view previousGrease, std::string_view newGrease);

// The warning to show when a change fills `newGrease` onto `previousGrease` (names as
// the history records them) and their thickeners differ, in the table's language;
// empty when there is nothing to warn about.
std::string greaseMixWarning(const strings::StringTable* table, std::string_view previousGrease,
                             std::string_view newGrease);

} // namespace unctora::plan
