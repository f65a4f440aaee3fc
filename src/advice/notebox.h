#pragma once
// The notes box under the results: a list of page texts shown one at a time,
// with a header line "Note: 2/3" and paging that wraps around at both ends.
// Holds no window: ShowNotePage returns the text the box should show.

#include "advice/pages.h"
#include "strings/quantity.h"

#include <string>
#include <vector>

namespace unctora::strings {
class StringTable;
}

namespace unctora::advice {

class NoteBox {
public:
    // Empties the list; the current page becomes 0.
    void clear();
    // Appends a page.
    void AddNote(std::string text);
    // Appends the texts of pages (pageText of notetext.h). A template that does
    // not fit its values raises text::FormatError; the pages before it stay.
    void addPages(const Pages& pages, const strings::StringTable* texts,
                  const strings::QuantityContext& quantity);

    const std::vector<std::string>& pages() const { return m_pages; }
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    int currentPage() const { return m_current; }

    // Makes page n current and returns the box's text: the header on the first
    // line, then the page. Below 0 goes to the last page, at or past the end to
    // the first. With no pages at all there is nothing to page through: the result
    // is empty and the current page stays 0.
    std::string ShowNotePage(int n, const strings::StringTable* texts);
    std::string NextNotePage(const strings::StringTable* texts) {
        return ShowNotePage(m_current + 1, texts);
    }
    std::string PrevNotePage(const strings::StringTable* texts) {
        return ShowNotePage(m_current - 1, texts);
    }

private:
    std::vector<std::string> m_pages;
    int m_current = 0;
};

// The header line of page `index` (from 0) of `count`: the text of strNote, then
// ": 2/3".
std::string notePageHeader(const strings::StringTable* texts, int index, int count);

} // namespace unctora::advice
