#pragma once
// Row-by-row reading of a tab-separated text table, as a spreadsheet saves
// one: cells split by tabs, rows by CRLF, LF or a lone CR, and a cell that
// starts with a double quote runs to the matching quote (it may hold tabs and
// line breaks; "" inside it is one quote). Bounded: a row keeps at most
// kMaxCells cells and a cell at most kMaxCellBytes + 1 bytes, whatever the text.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

class TabTableReader {
public:
    static constexpr std::size_t kMaxCells = 256;
    static constexpr std::size_t kMaxCellBytes = 255;

    // The reader keeps a view of `text`, which must outlive it.
    explicit TabTableReader(std::string_view text) : m_text(text) {}

    // Reads the next row; false once the text is used up. A blank line is a
    // row of one empty cell.
    bool NextRow();

    // The cells of the row last read; valid until the next call of NextRow.
    std::span<const std::string> Cells() const { return {m_cells.data(), m_count}; }

    // A cell cut at kMaxCellBytes + 1 bytes was longer than any cell a caller takes.
    static bool IsOverlong(const std::string& cell) { return cell.size() > kMaxCellBytes; }

private:
    void StartCell();
    void Append(std::string_view bytes);

    std::string_view m_text;
    std::size_t m_pos = 0;
    // Reused from row to row, so that reading a table allocates little.
    std::vector<std::string> m_cells;
    std::size_t m_count = 0;
    std::string* m_cell = nullptr;  // null past kMaxCells: the rest of the row is dropped
};

// The text without its blanks (spaces and tabs) at either end.
std::string_view TrimBlanks(std::string_view text);

// Whether `a` and `b` are equal when ASCII letters are compared ignoring case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace catalogue
