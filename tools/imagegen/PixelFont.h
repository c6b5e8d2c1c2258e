#pragma once
#include "Canvas.h"

#include <string_view>
#include <vector>

// Capital letters and digits drawn on a 7-row pixel grid, just the characters the pictures use.
struct Glyph {
    char character;
    const char* rows[7];  // '#' marks a set pixel; all rows of a glyph have the same length
};

// A line of text as an inside-test, so it can be filled, outlined or shadowed like any shape.
// With `smooth`, a blank cell between two diagonal neighbours is half filled, which turns
// staircases into clean 45-degree edges once the font is drawn larger than one pixel per cell.
class TextShape {
public:
    // Throws std::invalid_argument for a character the font does not have.
    TextShape(std::string_view text, Point origin, double scale, bool smooth);

    bool operator()(double x, double y) const;

    // Width in font cells, one blank cell between characters.
    int cellWidth() const { return m_cellWidth; }

    static constexpr int cellHeight = 7;

private:
    struct Placed {
        const Glyph* glyph;
        int left;
        int width;
    };

    static bool cellSet(const Placed& p, int col, int row);
    static bool halfCellSet(const Placed& p, int col, int row, double fu, double fv);

    std::vector<Placed> m_glyphs;
    Point m_origin;
    double m_scale;
    bool m_smooth;
    int m_cellWidth = 0;
};
