#pragma once
// The [Data] section of the settings file: the calculation inputs.

#include "core/calcinputs.h"

namespace unctora::files {

class TStRegIni;

// v = ReadInteger(key, def); below 0 gives 0, above maximum gives maximum.
int ReadClampedIndex(TStRegIni& ini, const std::string& key, int maximum, int def);

// Reads every stored input as the settings load does: index keys clamped into their
// item range, numbers as stored (the spin edits bring them into range), Lubricator
// left at its designed first item. Sets the accessor's section to "Data".
core::CalcInputs readDataSection(TStRegIni& ini);

} // namespace unctora::files
