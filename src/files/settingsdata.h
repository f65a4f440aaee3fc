#pragma once
// The settings store: what the program keeps in its settings file, section by
// section. The window and the batch calculator read and write the file only through
// these functions; the inputs of the [Data] section come from the field table of
// core/calcinputs, so no list of them is written out anywhere else.

#include "core/calcinputs.h"

#include <string>
#include <string_view>
#include <vector>

namespace unctora::files {

class TStRegIni;

inline constexpr const char* kInfoSection = "Info";
inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kDataSection = "Data";
// The keys of a window's section (desktop/placement), the size only for a resizable one.
inline constexpr std::string_view kPlacementKeys[] = {"WinLeft", "WinTop", "WinWidth",
                                                      "WinHeight", "WinState"};

struct SettingsKey {
    std::string section;
    std::string name;
};

// Every key the program reads or writes: the options, the info, the stored inputs
// under the names it writes them, and the placement of each of the given windows.
std::vector<SettingsKey> settingsKeys(std::initializer_list<std::string_view> windows);

// v = ReadInteger(key, def); below 0 gives 0, above maximum gives maximum.
int ReadClampedIndex(TStRegIni& ini, const std::string& key, int maximum, int def);

// The key an input is stored under. The sub-variants were added to the file later,
// spelled with a capital S ("CRBSub1"); the file's keys are read without regard to
// letter case, so either spelling reads.
std::string storedKey(const core::InputField& f);

// Reads every stored input as the settings load does: index keys clamped into their
// item range, numbers as stored (the spin edits bring them into range), the
// lubricator left at its designed first item. Sets the accessor's section to "Data".
core::CalcInputs readDataSection(TStRegIni& ini);

// Writes every stored input as a whole number (halves to even), in the order of the
// field table with the sub-variants last, as the file has always held them.
void writeDataSection(TStRegIni& ini, const core::CalcInputs& in);

// [Options].
struct StoredOptions {
    int units = 0;
    std::string language = "English";
    std::string fontName; // empty: the program's default
};
StoredOptions readOptions(TStRegIni& ini, const std::string& defaultFont);
// Units and font, as Quit saves them; the language is saved when it is applied.
void writeOptions(TStRegIni& ini, int units, const std::string& fontName);
void writeLanguageAndUnits(TStRegIni& ini, int units, const std::string& language);

// [Info]: when and by which version the file was written, and the decimal separator
// of that moment (with the list separator that goes with it).
void writeInfo(TStRegIni& ini, const std::string& dateTime, const std::string& decimalSeparator);

} // namespace unctora::files
