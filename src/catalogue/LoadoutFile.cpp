#include "catalogue/LoadoutFile.h"

#include "catalogue/TabTable.h"

#include <algorithm>
#include <optional>

namespace catalogue {
namespace {

constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

// A cell's text as a name, race or class: trimmed, and nothing when it is too
// long or holds control characters.
std::optional<std::string_view> Usable(const std::string& cell) {
    if (TabTableReader::IsOverlong(cell)) return std::nullopt;
    const std::string_view text = TrimBlanks(cell);
    const bool control = std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
    if (control) return std::nullopt;
    return text;
}

struct Layout {
    std::size_t subName = kNoColumn;
    std::size_t race = kNoColumn;
    std::size_t shipClass = kNoColumn;
};

// The layout of a header row; nothing when the row has no "SubName" cell.
std::optional<Layout> HeaderLayout(std::span<const std::string> cells) {
    Layout layout;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string_view cell = TrimBlanks(cells[i]);
        if (layout.subName == kNoColumn && EqualIgnoringCase(cell, "SubName")) layout.subName = i;
        else if (layout.race == kNoColumn && EqualIgnoringCase(cell, "Race")) layout.race = i;
        else if (layout.shipClass == kNoColumn && EqualIgnoringCase(cell, "Class")) layout.shipClass = i;
    }
    if (layout.subName == kNoColumn) return std::nullopt;
    return layout;
}

std::string CellOrEmpty(std::span<const std::string> cells, std::size_t column) {
    if (column >= cells.size()) return {};
    return std::string(Usable(cells[column]).value_or(std::string_view()));
}

}  // namespace

LoadoutTable ParseLoadout(std::string_view text, LoadoutKind kind) {
    LoadoutTable table;
    table.status = LoadoutStatus::Read;
    if (text.find('\0') != std::string_view::npos) {
        table.status = LoadoutStatus::NotText;
        return table;
    }
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // UTF-8 byte order mark

    Layout layout;
    if (kind == LoadoutKind::Custom) layout.subName = kCustomSubNameColumn;
    TabTableReader reader(text);
    while (table.ships.size() < kMaxLoadoutShips && reader.NextRow()) {
        const std::span<const std::string> cells = reader.Cells();
        if (const std::optional<Layout> header = HeaderLayout(cells)) {
            // What a custom table gave before its first header was not data.
            if (!table.headerFound) table.ships.clear();
            table.headerFound = true;
            layout = *header;
            continue;
        }
        if (layout.subName >= cells.size()) continue;
        const std::optional<std::string_view> name = Usable(cells[layout.subName]);
        if (!name || name->empty()) continue;
        table.ships.push_back({std::string(*name), CellOrEmpty(cells, layout.race),
                               CellOrEmpty(cells, layout.shipClass)});
    }
    return table;
}

LoadoutTable ReadLoadout(const std::string& path, LoadoutKind kind) {
    std::string bytes;
    const files::ReadResult read = files::ReadWholeFile(path, bytes, kMaxLoadoutBytes);
    if (!read.ok) {
        LoadoutTable table;
        table.status = read.missing ? LoadoutStatus::Missing : LoadoutStatus::Unreadable;
        table.error = read.error;
        return table;
    }
    return ParseLoadout(bytes, kind);
}

std::string LoadoutPath(const std::string& installPath, LoadoutKind kind) {
    return installPath + kSpecsFolder +
           (kind == LoadoutKind::Default ? kDefaultLoadoutFileName : kCustomLoadoutFileName);
}

GameLoadouts ReadGameLoadouts(const std::string& installPath) {
    return {ReadLoadout(LoadoutPath(installPath, LoadoutKind::Default), LoadoutKind::Default),
            ReadLoadout(LoadoutPath(installPath, LoadoutKind::Custom), LoadoutKind::Custom)};
}

}  // namespace catalogue
