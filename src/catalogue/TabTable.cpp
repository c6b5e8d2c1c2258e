#include "catalogue/TabTable.h"

#include <algorithm>

namespace catalogue {

void TabTableReader::StartCell() {
    if (m_count == kMaxCells) {
        m_cell = nullptr;
        return;
    }
    if (m_count == m_cells.size()) m_cells.emplace_back();
    m_cell = &m_cells[m_count++];
    m_cell->clear();
}

void TabTableReader::Append(std::string_view bytes) {
    if (!m_cell) return;
    const std::size_t room = kMaxCellBytes + 1 - std::min(m_cell->size(), kMaxCellBytes + 1);
    m_cell->append(bytes.substr(0, room));
}

bool TabTableReader::NextRow() {
    if (m_pos >= m_text.size()) return false;
    m_count = 0;
    StartCell();
    bool cellStart = true;
    while (m_pos < m_text.size()) {
        if (cellStart && m_text[m_pos] == '"') {
            // A quoted part runs to the quote that is not doubled; an unclosed
            // one runs to the end of the text.
            ++m_pos;
            for (;;) {
                const std::size_t quote = m_text.find('"', m_pos);
                if (quote == std::string_view::npos) {
                    Append(m_text.substr(m_pos));
                    m_pos = m_text.size();
                    break;
                }
                Append(m_text.substr(m_pos, quote - m_pos));
                m_pos = quote + 1;
                if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                    Append("\"");
                    ++m_pos;
                } else {
                    break;
                }
            }
            cellStart = false;
            continue;
        }
        // Bytes after a closing quote are kept as they are, as spreadsheets do.
        std::size_t end = m_pos;
        while (end < m_text.size() && m_text[end] != '\t' && m_text[end] != '\r' && m_text[end] != '\n') ++end;
        Append(m_text.substr(m_pos, end - m_pos));
        m_pos = end;
        if (m_pos == m_text.size()) break;
        const char delimiter = m_text[m_pos++];
        if (delimiter == '\t') {
            StartCell();
            cellStart = true;
            continue;
        }
        if (delimiter == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n') ++m_pos;
        break;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace catalogue
