#include "files/FileIO.h"

#include <cctype>

namespace files {
namespace {

constexpr std::string_view kTemporaryInfix = ".~";
constexpr std::string_view kTemporarySuffix = ".tmp";

}  // namespace

std::string DescribeError(ErrorCode error) {
    std::string reason = SystemErrorText(error);
    // System texts may end in a full stop and a line break.
    while (!reason.empty() && (reason.back() == '.' || std::isspace(static_cast<unsigned char>(reason.back()))))
        reason.pop_back();
    return reason + ", code " + std::to_string(error);
}

std::string TemporaryName(const std::string& path, unsigned long process, unsigned attempt) {
    return path + std::string(kTemporaryInfix) + std::to_string(process) + "-" + std::to_string(attempt) +
           std::string(kTemporarySuffix);
}

bool IsTemporaryOf(std::string_view fileName, std::string_view name) {
    if (!name.starts_with(fileName)) return false;
    name.remove_prefix(fileName.size());
    if (!name.starts_with(kTemporaryInfix) || !name.ends_with(kTemporarySuffix)) return false;
    name.remove_prefix(kTemporaryInfix.size());
    name.remove_suffix(kTemporarySuffix.size());
    // What TemporaryName puts between them: digits, a hyphen, digits.
    const std::size_t hyphen = name.find('-');
    auto digits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return hyphen != std::string_view::npos && digits(name.substr(0, hyphen)) && digits(name.substr(hyphen + 1));
}

}  // namespace files
