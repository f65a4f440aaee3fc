#include "files/regini.h"

#include "files/fileio.h"

#include <SimpleIni.h>
#include <algorithm>
#include <charconv>

namespace unctora::files {

struct TStRegIni::Impl {
    CSimpleIniA ini{false, true, false}; // case-insensitive, bytes as they are, multi-key, single-line
};

namespace {

constexpr std::size_t kMaxValueLength = 2047;

std::string trimBlanks(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

} // namespace

bool parseIniInteger(const std::string& text, int& value) {
    const std::string t = trimBlanks(text);
    const char* b = t.data();
    const char* e = b + t.size();
    if (b != e && *b == '+')
        ++b;
    if (b == e)
        return false;
    int v = 0;
    auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e)
        return false;
    value = v;
    return true;
}

TStRegIni::TStRegIni(std::string fileName, bool)
    : m_impl(std::make_unique<Impl>()), m_fileName(std::move(fileName)) {
    m_impl->ini.SetSpaces(false);
}

TStRegIni::~TStRegIni() = default;

void TStRegIni::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    std::string bytes;
    if (readWholeFile(m_fileName, bytes)) {
        // The parser stops at a NUL byte; a damaged file must not hide the keys after one.
        std::erase(bytes, '\0');
        m_impl->ini.LoadData(bytes); // whatever does not parse is simply not there
    }
}

void TStRegIni::save() {
    std::string bytes;
    if (m_impl->ini.Save(bytes) < 0)
        throw WriteError("Unable to write to " + m_fileName);
    writeFileAtomically(m_fileName, bytes);
}

bool TStRegIni::SectionExists(const std::string& section) {
    load();
    return m_impl->ini.GetSection(section.c_str()) != nullptr;
}

std::string TStRegIni::ReadString(const std::string& key, const std::string& def) {
    load();
    const char* v = m_impl->ini.GetValue(Section.c_str(), key.c_str(), nullptr);
    if (!v)
        return def;
    std::string s = trimBlanks(v);
    if (s.size() > kMaxValueLength) {
        // Cut before a character, not inside one (a UTF-8 character has at most three
        // continuation bytes), and without leaving blanks at the new end.
        std::size_t n = kMaxValueLength;
        for (int k = 0; k < 3 && n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80; ++k)
            --n;
        s = trimBlanks(s.substr(0, n));
    }
    if (s.size() >= 2 && ((s.front() == '"' && s.back() == '"') ||
                          (s.front() == '\'' && s.back() == '\'')))
        s = s.substr(1, s.size() - 2);
    return s;
}

void TStRegIni::WriteString(const std::string& key, const std::string& value) {
    load();
    // A value is one line of the file: a line break in it would end the value there
    // and turn the rest into keys or sections of their own.
    std::string line = value;
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    if (m_impl->ini.SetValue(Section.c_str(), key.c_str(), line.c_str(), nullptr, true) < 0)
        throw WriteError("Unable to write to " + m_fileName);
    m_dirty = true;
    if (!m_deferred)
        UpdateFile();
}

void TStRegIni::UpdateFile() {
    if (!m_dirty)
        return;
    save();
    m_dirty = false;
}

int TStRegIni::ReadInteger(const std::string& key, int def) {
    int value = def;
    if (!parseIniInteger(ReadString(key, ""), value))
        return def;
    return value;
}

void TStRegIni::WriteInteger(const std::string& key, int value) {
    WriteString(key, std::to_string(value));
}

} // namespace unctora::files
