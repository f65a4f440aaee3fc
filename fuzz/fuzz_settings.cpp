// Any bytes as the settings file. Every key the program reads must read without a
// crash: indexes inside their item range, texts one clean line of at most 2047
// bytes, the same whatever the letter case of section and key. Then a few keys are
// written back as the program writes them: each reads back as written, and every
// other key keeps the value it had.

#include "core/calcinputs.h"
#include "files/regini.h"
#include "files/settingsdata.h"
#include "strings/stringtable.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <unistd.h>

using unctora::files::TStRegIni;

namespace {

void check(bool ok, int line = __builtin_LINE()) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_settings.cpp:%d: check failed\n", line);
        std::abort();
    }
}

std::string g_path;

void removeScratchFile() { std::remove(g_path.c_str()); }

// One scratch file per process, in memory where the machine offers it: the
// accessor flushes every write to the disk.
const std::string& scratchFile() {
    if (g_path.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string dir = tmp && *tmp ? tmp : (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        g_path = dir + "/unctora-fuzz-settings-" + std::to_string(::getpid()) + ".ini";
        std::atexit(removeScratchFile);
    }
    return g_path;
}

using Key = unctora::files::SettingsKey;

// Every key the program reads or writes.
const std::vector<Key>& programKeys() {
    static const std::vector<Key> keys = unctora::files::settingsKeys({"frmMain", "frmStrings"});
    return keys;
}

std::string swapCase(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// A default no file can hold, to tell a missing key from an empty one.
const std::string kMissing("\x01missing");

std::string readRaw(TStRegIni& ini, const Key& k) {
    ini.Section = k.section;
    return ini.ReadString(k.name, kMissing);
}

using Snapshot = std::map<std::pair<std::string, std::string>, std::string>;

Snapshot snapshot(TStRegIni& ini) {
    Snapshot s;
    for (const Key& k : programKeys())
        s[{k.section, k.name}] = readRaw(ini, k);
    return s;
}

Snapshot snapshot(const std::string& path) {
    TStRegIni ini(path, true);
    return snapshot(ini);
}

// A text as read: one line, not longer than the limit, valid UTF-8 when the file was.
void checkText(const std::string& s, bool utf8File) {
    check(s.size() <= 2047);
    check(s.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    if (utf8File)
        check(unctora::strings::toValidUtf8(s) == s);
}

// Reads every key as the program does and checks what comes back.
void readAsTheProgram(const std::string& path, bool utf8File) {
    TStRegIni ini(path, true);
    ini.Section = "Options";
    ini.ReadInteger("Units", 0);
    checkText(ini.ReadString("Language", "English"), utf8File);
    checkText(ini.ReadString("FontName", "Arial Unicode MS"), utf8File);

    const unctora::core::CalcInputs in = unctora::files::readDataSection(ini);
    const unctora::core::CalcInputs designed;
    for (const auto& f : unctora::core::inputFields()) {
        if (f.index && f.stored)
            check(in.*f.index >= 0 && in.*f.index <= f.max);
    }
    check(in.Lubricator == designed.Lubricator);

    for (const Key& k : programKeys()) {
        const std::string s = readRaw(ini, k);
        if (s != kMissing)
            checkText(s, utf8File);
        // Letter case of section and key does not matter.
        ini.Section = swapCase(k.section);
        check(ini.ReadString(swapCase(k.name), kMissing) == s);
        // An integer reads as one only when its text is one.
        ini.Section = k.section;
        const int a = ini.ReadInteger(k.name, 7);
        const int b = ini.ReadInteger(k.name, -7);
        int parsed = 0;
        if (unctora::files::parseIniInteger(s, parsed))
            check(a == parsed && b == parsed);
        else
            check(a == 7 && b == -7);
    }
}

// A value the file gives back exactly: one line, no blanks around it, not quoted,
// not past the limit.
bool keepsAsWritten(const std::string& v) {
    if (v.size() > 2047 || v.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        return false;
    if (!v.empty() && (v.front() == ' ' || v.front() == '\t' || v.back() == ' ' || v.back() == '\t'))
        return false;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return false;
    return true;
}

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

struct Choices {
    std::uint64_t h;
    unsigned next(unsigned n) {
        h = h * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned>((h >> 33) % n);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string& path = scratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        check(out.good());
    }
    const bool utf8File = unctora::strings::toValidUtf8(bytes) == bytes;

    readAsTheProgram(path, utf8File);
    const Snapshot before = snapshot(path);

    // Which keys get written, with what, is drawn from the bytes themselves; texts
    // are pieces of the file or awkward fixed ones.
    Choices pick{fnv1a(bytes)};
    const std::vector<std::string> texts = {"",        "Arial",   "\"\xC3\xA4\"", " x ",    "a\nUnits=7",
                                            "[Data]",  ";c",      "=",            "x\r\n[]", "'q'",
                                            "\"",      "<<<EOT",  "a=b"};
    const int integers[] = {0, 1, -1, 3, 99, INT_MIN, INT_MAX};

    TStRegIni ini(path, true);
    const bool deferred = pick.next(2);
    ini.setDeferred(deferred);
    std::map<std::pair<std::string, std::string>, std::string> written;
    const unsigned writes = 1 + pick.next(4);
    for (unsigned i = 0; i < writes; ++i) {
        const Key& k = programKeys()[pick.next(static_cast<unsigned>(programKeys().size()))];
        // Written the way the file does not spell it, at times.
        ini.Section = pick.next(2) ? swapCase(k.section) : k.section;
        const std::string name = pick.next(2) ? swapCase(k.name) : k.name;
        std::string value;
        switch (pick.next(4)) {
        case 0:
            value = std::to_string(pick.next(2) ? integers[pick.next(7)]
                                                : static_cast<int>(pick.next(200000)) - 100000);
            ini.WriteInteger(name, std::stoi(value));
            break;
        case 1:
            value = texts[pick.next(static_cast<unsigned>(texts.size()))];
            ini.WriteString(name, value);
            break;
        case 2: {
            // What the file held for some key, as the program writes back the font name.
            const Key& from = programKeys()[pick.next(static_cast<unsigned>(programKeys().size()))];
            const std::string& held = before.at({from.section, from.name});
            value = held == kMissing ? "" : held;
            ini.WriteString(name, value);
            break;
        }
        default:
            if (size > 0) {
                const std::size_t at = pick.next(static_cast<unsigned>(size));
                value = bytes.substr(at, pick.next(40));
            }
            ini.WriteString(name, value);
            break;
        }
        written[{k.section, k.name}] = value;
    }
    if (deferred)
        ini.UpdateFile();

    // What this accessor holds is what the file now holds.
    const Snapshot inMemory = snapshot(ini);
    const Snapshot after = snapshot(path);
    for (const auto& [key, value] : inMemory)
        if (after.at(key) != value)
            std::fprintf(stderr, "[%s] %s: \"%s\" in memory, \"%s\" in the file\n", key.first.c_str(),
                         key.second.c_str(), value.c_str(), after.at(key).c_str());
    check(inMemory == after);

    for (const auto& [key, value] : before) {
        const auto w = written.find(key);
        const std::string& now = after.at(key);
        if (w == written.end()) {
            check(now == value);
            continue;
        }
        checkText(now, utf8File && unctora::strings::toValidUtf8(w->second) == w->second);
        if (keepsAsWritten(w->second))
            check(now == w->second);
    }
    readAsTheProgram(path, false);
    return 0;
}
