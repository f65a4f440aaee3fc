#pragma once
// TStRegIni: the one accessor of the settings file.
//
// Sections and keys match without regard to letter case; writing a key replaces
// it in place, or appends it to its section, or appends the section; keys we do not
// know are kept. Every write reaches the disk before it returns (temporary file
// renamed over the old one). Reading never fails: a missing file, section or key,
// or a value that is no integer, gives the default.

#include <memory>
#include <string>

namespace unctora::files {

class TStRegIni {
public:
    // The flag has no effect; it is kept because every caller passes it.
    explicit TStRegIni(std::string fileName, bool flag = true);
    ~TStRegIni();
    TStRegIni(const TStRegIni&) = delete;
    TStRegIni& operator=(const TStRegIni&) = delete;

    std::string Section;

    // Surrounding blanks and one pair of enclosing quotes are removed; a longer value is
    // cut to at most 2047 bytes, before a character rather than inside one.
    std::string ReadString(const std::string& key, const std::string& def);
    // A line break in the value is stored as a blank: a value is one line of the file.
    void WriteString(const std::string& key, const std::string& value);
    int ReadInteger(const std::string& key, int def);
    void WriteInteger(const std::string& key, int value);

    const std::string& fileName() const { return m_fileName; }
    // Whether the file holds a section of that name (letter case aside).
    bool SectionExists(const std::string& section);

    // For an operation that writes many keys: while deferred, writes collect in
    // memory and UpdateFile() puts them on the disk in one piece.
    void setDeferred(bool deferred) { m_deferred = deferred; }
    void UpdateFile();

private:
    void load();
    void save();

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::string m_fileName;
    bool m_loaded = false;
    bool m_deferred = false;
    bool m_dirty = false;
};

// Reads a whole decimal integer with optional sign and surrounding blanks; false
// when the text is anything else or does not fit 32 bits.
bool parseIniInteger(const std::string& text, int& value);

} // namespace unctora::files
