#pragma once
// The advice pages of one calculation, described without their texts.
//
// A calculation leaves a list of pages for the notes box: numbered notes, warnings
// and, after a failure, the failure note and the error's message. Each page is kept
// as what it says (which note, which warning with which values) so that the batch
// calculator can write it as data and the window can turn it into text in the
// current language and units (notetext.h) without computing anything twice.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace unctora::advice {

// One value formatted into a warning: an integer (%d) or a floating-point number (%f).
using PageValue = std::variant<std::int64_t, double>;

struct Page {
    enum class Kind : std::uint8_t { Note, Warning, Error };
    // How a warning's text is found in the language file.
    enum class Lookup : std::uint8_t {
        Column,  // a column entry, "key=en~de~..."
        Numbered // a numbered entry, KEY_nn with the current language number
    };
    static constexpr std::size_t kMaxValues = 3;

    Kind kind = Kind::Note;
    // Note: its code 1..8 and the lubricator whose amounts and names it quotes.
    int code = 0;
    int lubricator = 0;
    // Warning: its key (a constant of text::keys, static storage), how it is
    // looked up and the values its template takes, in order.
    std::string_view key;
    Lookup lookup = Lookup::Column;
    std::uint8_t valueCount = 0;
    std::array<PageValue, kMaxValues> values{};
    // Error: the failed calculation's message.
    std::string message;

    static Page note(int lubricator, int code);
    // Raises std::length_error for more than kMaxValues values.
    static Page warning(std::string_view key, Lookup lookup,
                        std::initializer_list<PageValue> values = {});
    static Page error(std::string message);

    std::span<const PageValue> valueList() const { return {values.data(), valueCount}; }

    bool operator==(const Page& o) const;
};

using Pages = std::vector<Page>;

// Code of the note that tells the user the calculation failed.
inline constexpr int kFailureNote = 5;

// What a failed calculation shows: note 5 of the lubricator, then the error's
// message as a page of its own. The append form keeps any pages added before.
void appendFailurePages(Pages& pages, int lubricator, std::string_view message);
Pages failurePages(int lubricator, std::string_view message);

} // namespace unctora::advice
