#include "Quantise.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

struct Entry {
    Pixel colour;
    std::size_t count;
};

int channel(Pixel p, int shift) { return int(p >> shift & 0xFF); }

constexpr int kShifts[] = {16, 8, 0};

// A run [begin, end) of the entry list that becomes one palette colour.
struct ColourBox {
    std::size_t begin, end;
};

// Widest channel of a box as {range, shift}.
std::pair<int, int> widest(const std::vector<Entry>& entries, ColourBox box)
{
    std::pair<int, int> best{-1, 0};
    for (int shift : kShifts) {
        int lo = 255, hi = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            lo = std::min(lo, channel(entries[i].colour, shift));
            hi = std::max(hi, channel(entries[i].colour, shift));
        }
        if (hi - lo > best.first)
            best = {hi - lo, shift};
    }
    return best;
}

// Sorts the box along the channel and cuts it where half its pixels lie on each side.
std::pair<ColourBox, ColourBox> split(std::vector<Entry>& entries, ColourBox box, int shift)
{
    auto first = entries.begin() + std::ptrdiff_t(box.begin);
    auto last = entries.begin() + std::ptrdiff_t(box.end);
    std::sort(first, last, [shift](const Entry& a, const Entry& b) {
        int ca = channel(a.colour, shift), cb = channel(b.colour, shift);
        return ca != cb ? ca < cb : a.colour < b.colour;
    });
    std::size_t total = 0;
    for (auto it = first; it != last; ++it)
        total += it->count;
    std::size_t cut = box.begin + 1, seen = entries[box.begin].count;
    while (cut + 1 < box.end && seen * 2 < total)
        seen += entries[cut++].count;
    return {{box.begin, cut}, {cut, box.end}};
}

Pixel average(const std::vector<Entry>& entries, ColourBox box)
{
    Pixel out = 0;
    for (int shift : kShifts) {
        double sum = 0, count = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            sum += double(channel(entries[i].colour, shift)) * double(entries[i].count);
            count += double(entries[i].count);
        }
        out |= Pixel(std::lround(sum / count)) << shift;
    }
    return out;
}

}  // namespace

Palettised quantise(const std::vector<Pixel>& pixels, int maxColours)
{
    std::map<Pixel, std::size_t> histogram;
    for (Pixel p : pixels)
        ++histogram[p];
    std::vector<Entry> entries;
    for (const auto& [colour, count] : histogram)
        entries.push_back({colour, count});

    std::vector<ColourBox> boxes{{0, entries.size()}};
    while (int(boxes.size()) < maxColours) {
        std::size_t pick = boxes.size();
        std::pair<int, int> pickWidth{0, 0};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            auto w = widest(entries, boxes[i]);
            if (boxes[i].end - boxes[i].begin > 1 && w.first > pickWidth.first) {
                pick = i;
                pickWidth = w;
            }
        }
        if (pick == boxes.size())
            break;
        auto [low, high] = split(entries, boxes[pick], pickWidth.second);
        boxes[pick] = low;
        boxes.push_back(high);
    }

    Palettised out;
    std::map<Pixel, std::uint8_t> indexOf;
    for (const ColourBox& box : boxes) {
        for (std::size_t i = box.begin; i < box.end; ++i)
            indexOf[entries[i].colour] = std::uint8_t(out.palette.size());
        out.palette.push_back(average(entries, box));
    }
    out.indices.reserve(pixels.size());
    for (Pixel p : pixels)
        out.indices.push_back(indexOf[p]);
    return out;
}
