#include "advice/notebox.h"

#include "advice/notetext.h"
#include "text/keys.h"
#include "strings/stringtable.h"

namespace unctora::advice {

void NoteBox::clear() {
    m_pages.clear();
    m_current = 0;
}

void NoteBox::AddNote(std::string text) { m_pages.push_back(std::move(text)); }

void NoteBox::addPages(const Pages& pages, const strings::StringTable* texts,
                       const strings::QuantityContext& quantity) {
    for (const Page& p : pages)
        AddNote(pageText(p, texts, quantity));
}

std::string NoteBox::ShowNotePage(int n, const strings::StringTable* texts) {
    const int count = pageCount();
    if (count == 0)
        return {};
    if (n < 0)
        n = count - 1;
    else if (n >= count)
        n = 0;
    m_current = n;
    return notePageHeader(texts, n, count) + "\n" + m_pages[static_cast<std::size_t>(n)];
}

std::string notePageHeader(const strings::StringTable* texts, int index, int count) {
    return strings::LangStr(texts, text::keys::strNote) + ": " + std::to_string(index + 1) +
           "/" + std::to_string(count);
}

} // namespace unctora::advice
