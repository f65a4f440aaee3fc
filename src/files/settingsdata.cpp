#include "files/settingsdata.h"

#include "core/round.h"
#include "core/version.h"
#include "files/regini.h"

namespace unctora::files {

namespace {

bool isSubVariant(const core::InputField& f) {
    const std::string_view n = f.name;
    return n.size() > 4 && n.substr(n.size() - 4, 3) == "sub";
}

} // namespace

std::vector<SettingsKey> settingsKeys(std::initializer_list<std::string_view> windows) {
    std::vector<SettingsKey> keys = {{kOptionsSection, "Units"},        {kOptionsSection, "Language"},
                                     {kOptionsSection, "FontName"},     {kInfoSection, "DateTime"},
                                     {kInfoSection, "Version"},         {kInfoSection, "DecimalSeparator"},
                                     {kInfoSection, "ListSeparator"}};
    for (std::string_view window : windows)
        for (std::string_view name : kPlacementKeys)
            keys.push_back({std::string(window), std::string(name)});
    for (const core::InputField& f : core::inputFields())
        if (f.stored)
            keys.push_back({kDataSection, storedKey(f)});
    return keys;
}

int ReadClampedIndex(TStRegIni& ini, const std::string& key, int maximum, int def) {
    const int v = ini.ReadInteger(key, def);
    if (v < 0)
        return 0;
    if (v > maximum)
        return maximum;
    return v;
}

std::string storedKey(const core::InputField& f) {
    std::string key(f.name);
    if (isSubVariant(f))
        key[key.size() - 4] = 'S';
    return key;
}

core::CalcInputs readDataSection(TStRegIni& ini) {
    core::CalcInputs in;
    ini.Section = kDataSection;
    for (const core::InputField& f : core::inputFields()) {
        if (!f.stored)
            continue;
        const std::string key = storedKey(f);
        if (f.number)
            in.*f.number = ini.ReadInteger(key, f.firstStart);
        else
            in.*f.index = ReadClampedIndex(ini, key, f.max, f.firstStart);
    }
    return in;
}

void writeDataSection(TStRegIni& ini, const core::CalcInputs& typed) {
    // A field still being typed in holds the value as typed, which may lie far outside
    // its range (even beyond 32 bits); the file gets what leaving the field would make.
    core::CalcInputs in = typed;
    core::clampInputs(in);
    ini.Section = kDataSection;
    auto write = [&](const core::InputField& f) {
        ini.WriteInteger(storedKey(f), f.number ? static_cast<int>(core::Round(in.*f.number))
                                                : in.*f.index);
    };
    for (const core::InputField& f : core::inputFields())
        if (f.stored && !isSubVariant(f))
            write(f);
    for (const core::InputField& f : core::inputFields())
        if (f.stored && isSubVariant(f))
            write(f);
}

StoredOptions readOptions(TStRegIni& ini, const std::string& defaultFont) {
    StoredOptions o;
    ini.Section = kOptionsSection;
    o.units = ini.ReadInteger("Units", 0);
    o.language = ini.ReadString("Language", "English");
    o.fontName = ini.ReadString("FontName", defaultFont);
    return o;
}

void writeOptions(TStRegIni& ini, int units, const std::string& fontName) {
    ini.Section = kOptionsSection;
    ini.WriteInteger("Units", units);
    ini.WriteString("FontName", fontName);
}

void writeLanguageAndUnits(TStRegIni& ini, int units, const std::string& language) {
    ini.Section = kOptionsSection;
    ini.WriteInteger("Units", units);
    ini.WriteString("Language", language);
}

void writeInfo(TStRegIni& ini, const std::string& dateTime, const std::string& decimalSeparator) {
    ini.Section = kInfoSection;
    ini.WriteString("DateTime", dateTime);
    ini.WriteString("Version", core::VersionText() + "/B" + std::to_string(core::BuildNumber()));
    ini.WriteString("DecimalSeparator", "\"" + decimalSeparator + "\"");
    ini.WriteString("ListSeparator", decimalSeparator == "," ? "\";\"" : "\",\"");
}

} // namespace unctora::files
