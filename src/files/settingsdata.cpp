#include "files/settingsdata.h"

#include "files/regini.h"

namespace unctora::files {

int ReadClampedIndex(TStRegIni& ini, const std::string& key, int maximum, int def) {
    const int v = ini.ReadInteger(key, def);
    if (v < 0)
        return 0;
    if (v > maximum)
        return maximum;
    return v;
}

core::CalcInputs readDataSection(TStRegIni& ini) {
    core::CalcInputs in;
    ini.Section = "Data";
    for (const core::InputField& f : core::inputFields()) {
        if (f.name == "Lubricator")
            continue; // not stored: every start begins with the designed item
        const std::string key(f.name);
        if (f.number)
            in.*f.number = ini.ReadInteger(key, f.firstStart);
        else
            in.*f.index = ReadClampedIndex(ini, key, f.max, f.firstStart);
    }
    return in;
}

} // namespace unctora::files
