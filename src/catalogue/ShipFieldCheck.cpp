#include "catalogue/ShipFieldCheck.h"

#include "catalogue/TabTable.h"

#include <vector>

namespace catalogue {
namespace {

// The help page writes the quotes as two apostrophes, and a word processor
// turns them into typographic ones (Windows-1252 0x93 and 0x94).
bool StripQuoteLookalikes(std::string_view& text) {
    for (const auto& [open, close] : {std::pair<std::string_view, std::string_view>{"''", "''"},
                                      std::pair<std::string_view, std::string_view>{"\x93", "\x94"},
                                      std::pair<std::string_view, std::string_view>{"\x93", "\x93"},
                                      std::pair<std::string_view, std::string_view>{"\x94", "\x94"}}) {
        if (text.size() >= open.size() + close.size() && text.starts_with(open) && text.ends_with(close)) {
            text = text.substr(open.size(), text.size() - open.size() - close.size());
            return true;
        }
    }
    return false;
}

// Blanks trimmed at both ends and each run of blanks within made one space.
std::string SingleSpaced(std::string_view text) {
    std::string spaced;
    spaced.reserve(text.size());
    bool blank = false;
    for (const char c : TrimBlanks(text)) {
        if (c == ' ' || c == '\t') {
            blank = true;
            continue;
        }
        if (blank) spaced += ' ';
        blank = false;
        spaced += c;
    }
    return spaced;
}

ShipFieldCheck& Suggest(ShipFieldCheck& check, unsigned more, std::string_view subName) {
    check.issues |= more;
    check.hasSuggestion = true;
    check.suggestion = QuotedShipName(subName);
    return check;
}

// A name as a tooltip shows it: long ones cut.
std::string Shown(const std::string& name) {
    constexpr std::size_t kLongest = 40;
    return name.size() <= kLongest ? name : name.substr(0, kLongest - 3) + "...";
}

}  // namespace

std::string QuotedShipName(std::string_view subName) {
    std::string quoted;
    quoted.reserve(subName.size() + 2);
    quoted += '"';
    quoted += subName;
    quoted += '"';
    return quoted;
}

ShipFieldCheck CheckShipField(std::string_view text, const KnownShips& known) {
    ShipFieldCheck check;
    if (text.empty()) return check;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"' && known.Contains(text.substr(1, text.size() - 2)))
        return check;

    std::string_view inner = TrimBlanks(text);
    if (inner.size() != text.size()) check.issues |= kExtraBlanks;
    if (inner.size() >= 2 && inner.front() == '"' && inner.back() == '"') {
        inner = inner.substr(1, inner.size() - 2);
    } else if (StripQuoteLookalikes(inner)) {
        check.issues |= kWrongQuotes;
    } else {
        check.issues |= kMissingQuotes;
        if (inner.starts_with('"')) inner.remove_prefix(1);
        if (inner.ends_with('"')) inner.remove_suffix(1);
    }

    // The name as it stands first, so that a known name with blanks of its
    // own is not taken for one with blanks too many.
    check.name = std::string(inner);
    if (known.Contains(inner)) return Suggest(check, 0, inner);
    if (const std::string* match = known.FindIgnoringCase(inner)) return Suggest(check, kWrongCase, *match);

    std::string spaced = SingleSpaced(inner);
    if (spaced != inner) check.issues |= kExtraBlanks;
    check.name = spaced;
    if (spaced.empty()) {
        check.issues = kNoName;
        check.hasSuggestion = true;
        check.suggestion.clear();
        return check;
    }
    if (known.Contains(spaced)) return Suggest(check, 0, spaced);
    if (const std::string* match = known.FindIgnoringCase(spaced)) return Suggest(check, kWrongCase, *match);
    check.issues |= kUnknownShip;
    if (const std::string* near = known.FindNearest(spaced)) return Suggest(check, 0, *near);
    return check;
}

std::string DescribeShipField(const ShipFieldCheck& check) {
    if (check.Fine()) return {};
    if (check.issues & kNoName) return "No ship name, only quotes or blanks. Leave the field empty for no ship.";
    if (check.issues & kUnknownShip) {
        std::string text = '"' + Shown(check.name) + "\" is not a known ship.";
        if (check.hasSuggestion) text += " Did you mean " + check.suggestion + "?";
        else text += " The catalogue lists the known sub names.";
        return text;
    }
    std::vector<const char*> reasons;
    if (check.issues & kMissingQuotes) reasons.push_back("missing quotes");
    if (check.issues & kWrongQuotes) reasons.push_back("apostrophes or curly quotes instead of double quotes");
    if (check.issues & kWrongCase) reasons.push_back("wrong case");
    if (check.issues & kExtraBlanks) reasons.push_back("extra blanks");
    std::string text;
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        if (i > 0) text += i + 1 == reasons.size() ? " and " : ", ";
        text += reasons[i];
    }
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text + ". The game needs " + check.suggestion + ".";
}

}  // namespace catalogue
