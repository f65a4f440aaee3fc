#pragma once
// The warnings check that ends every successful calculation: an interval note for
// the single-point lubricators, warnings on speed and operating conditions, and
// the colour of the speed field.

#include "advice/pages.h"
#include "core/calcinputs.h"

namespace unctora::advice {

// What the notes box and the speed field show after a calculation.
struct Advice {
    Pages pages;
    bool speedRed = false;       // the speed is too low for grease lubrication
    bool pageBarVisible = false; // more than one page: show the paging arrows
};

// Appends the interval note and the warning pages to advice.pages, after the pages
// already there (the setting display adds its notes first), and sets speedRed and
// pageBarVisible, the latter from the whole list. Reuses the list's storage, so a
// caller that keeps one Advice across calculations allocates nothing here.
// The minimum speed is rounded with core::Round, which raises CalculationError for
// a value beyond 64 bits; no input within its range gets there, and the window
// treats it like any other failure of the calculation.
void addWarnings(const core::CalcInputs& in, const core::CalcResults& results, Advice& advice);

// The same for a fresh list that starts with `earlier`.
Advice warnings(const core::CalcInputs& in, const core::CalcResults& results, Pages earlier = {});

// The speed below which no lubricating film forms, for n x dm x bf = 20000:
// 20000 / (dm x bf) + 1 to the nearest integer (halves to even); 0 when dm x bf
// is not positive.
std::int64_t minimumSpeed(double dmTimesBf);

} // namespace unctora::advice
