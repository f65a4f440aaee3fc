#pragma once
// The string table: every line of the language file, kept raw, and the look-ups
// that find a text by key in the current language.
//
// The language file is UTF-8, one KEY=VALUE line per entry. A column entry holds
// the texts of the eleven languages in language-number order, separated by "~";
// a numbered entry (KEY_01 .. KEY_11) holds one whole text per line. A line is
// parsed each time it is looked up: a look-up is a linear search of the key list,
// nothing is cached, so an edit made through replaceLine() is seen at once.
//
// The program owns its one table for the whole run; the string window edits it and
// everyone else gets a pointer to it; the free look-ups below accept a null pointer for "no table yet"
// and answer with kNoTableMarker.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace unctora::strings {

inline constexpr int kLanguageCount = 11;

// Language names in language-number order: number n is kLanguageNames[n - 1].
// The number is also the column of the language in a column entry and the
// suffix of its numbered entries.
inline constexpr std::array<std::string_view, kLanguageCount> kLanguageNames = {
    "English", "German",  "French", "Italian",    "Swedish", "Spanish",
    "Chinese", "Thai",    "Russian", "Portuguese", "Japanese",
};

// Answer of every look-up while no table exists.
inline constexpr std::string_view kNoTableMarker = "frmString=nil!";

// The language file's header line, dropped when it is the first line.
inline constexpr std::string_view kHeaderLine = "[Strings]";

// Language number 1..11 of name (ASCII case ignored, nothing trimmed); 0 when the
// name is not a language.
int languageNumber(std::string_view name);

// The marker shown for a key that is not in the table: "key"? with the key as
// the caller spelled it.
std::string notFoundMarker(std::string_view key);

// The marker shown for an empty numbered entry without a KEY_01 entry to fall
// back on: ExcErr: "key".
std::string numberedEmptyMarker(std::string_view key);

// Key-list entry of a line: its text before the first "=" (the whole line when it
// has none), ASCII letters upper-cased.
std::string lineKey(std::string_view line);

// Bytes of a language file to its lines: a UTF-8 byte-order mark at the very
// start is skipped, invalid UTF-8 becomes U+FFFD (one per maximal invalid
// subsequence), and CR LF, LF and CR end a line. A final line end adds no empty
// line. The header is not dropped here.
std::vector<std::string> splitLanguageFileLines(std::string_view bytes);

// bytes with every maximal invalid UTF-8 subsequence replaced by U+FFFD.
std::string toValidUtf8(std::string_view bytes);

class StringTable {
public:
    StringTable() = default;

    // Reads the language file at path into the line list and rebuilds the key
    // list; a first line that is exactly "[Strings]" is dropped. When the file
    // cannot be read, the table keeps what it held and the result is false.
    bool LoadLanguageFile(const std::string& path);

    // The same from the bytes of a file already in memory.
    void loadFromBytes(std::string_view bytes);

    // The line list (raw lines, file order) and the key list (one entry per line).
    const std::vector<std::string>& lines() const { return m_lines; }
    const std::vector<std::string>& keys() const { return m_keys; }
    std::size_t lineCount() const { return m_lines.size(); }

    // Replaces line index as the string editor does: the key list is not rebuilt,
    // so the line keeps its old key. False when index is out of range.
    bool replaceLine(std::size_t index, std::string line);

    // The basic resolution of one key for one language, without the retries of
    // LangStr: number 0 reads a column entry, number n > 0 the numbered entry
    // KEY_nn. A language name not in the list reads text 1 (English).
    std::string ResolveText(std::string_view key, std::string_view languageName,
                            int number) const;

    // Make a language current. By name: a name in the list (any ASCII case) is
    // stored exactly as passed. By number: 1..11. Anything else changes nothing
    // and gives false.
    bool SetLanguageByName(std::string_view name);
    bool SetLanguageByNumber(int n);

    const std::string& CurrentLanguageName() const { return m_currentLanguage; }
    int CurrentLanguageNumber() const;

    // Look-up in the current language. Number 0 reads the column entry, n > 0 the
    // numbered entry n. An empty result or a missing key retries with KEY_01, so
    // LangStr never gives an empty text of its own accord.
    std::string LangStr(std::string_view key, int number = 0) const;
    // As LangStr, but an empty text stays empty; only a missing key retries.
    std::string LangStrOrEmpty(std::string_view key, int number = 0) const;

    // Called with the language number whenever a set operation changes the
    // current language, so the string editor can select it in its list.
    void setLanguageSelectedHandler(std::function<void(int)> handler) {
        m_languageSelected = std::move(handler);
    }

    // The texts write their decimal numbers with a point; the look-ups show them with
    // this separator, the one the program's computed numbers use (the user's
    // locale), so that a page never mixes two. The lines themselves keep the point.
    void setDecimalSeparator(std::string separator) { m_decimalSeparator = std::move(separator); }
    const std::string& decimalSeparator() const { return m_decimalSeparator; }

private:
    // Index of the first line whose key is upperKey; npos when there is none.
    std::size_t findLine(std::string_view upperKey) const;

    std::vector<std::string> m_lines;
    std::vector<std::string> m_keys;
    std::string m_currentLanguage{"English"};
    std::string m_decimalSeparator{"."};
    std::function<void(int)> m_languageSelected;
};

// The look-ups as everyone outside the string window calls them: table may be
// null while the table does not exist (yet).
std::string LangStr(const StringTable* table, std::string_view key, int number = 0);
std::string LangStrOrEmpty(const StringTable* table, std::string_view key, int number = 0);
// 1..11; 1 without a table.
int CurrentLanguageNumber(const StringTable* table);
// Name of language n; n below 1 (and above 11) gives "English"; without a table
// kNoTableMarker.
std::string LanguageName(const StringTable* table, int n);

// text with the point of each decimal number written in it ("0.37", "M12 × 1.5")
// replaced by separator. Left as they are: printf conversions ("%5.2f"), numbers
// with more than one point (versions, dates), numbers that continue a word ("Q4.1")
// and everything inside HTML tags.
std::string withDecimalSeparator(std::string_view text, std::string_view separator);

// "11 languages, 1199 strings": the counts after a load, as the editor shows them.
std::string loadStatusText(const StringTable& table);

} // namespace unctora::strings
