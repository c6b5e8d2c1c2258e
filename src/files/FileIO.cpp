#include "files/FileIO.h"

#include <cctype>
#include <thread>

namespace files {
namespace {

constexpr std::string_view kTemporaryInfix = ".~";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Between two attempts of a wait.
constexpr std::chrono::milliseconds kRetryStep{20};

void SleepFor(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

WaitFunction g_wait = &SleepFor;

// Texts for the program's own refusals; empty for every other number.
std::string_view OwnText(ErrorCode error) {
    switch (error) {
    case kErrorFileTooLarge:
        return "The file is larger than the program reads";
    case kErrorUnsupportedFile:
        return "The file is saved as Unicode (UTF-16) text, not as ANSI text";
    case kErrorDanglingLink:
        return "The file is a link to a place that does not exist";
    default:
        return {};
    }
}

}  // namespace

std::string DescribeError(ErrorCode error) {
    std::string reason(OwnText(error));
    if (reason.empty()) reason = SystemErrorText(error);
    if (reason.empty()) reason = "Unknown error";
    // System texts may end in a full stop and a line break.
    while (!reason.empty() && (reason.back() == '.' || std::isspace(static_cast<unsigned char>(reason.back()))))
        reason.pop_back();
    return reason + ", code " + std::to_string(error);
}

WaitFunction SetWaitFunction(WaitFunction wait) {
    const WaitFunction previous = g_wait;
    g_wait = wait ? wait : &SleepFor;
    return previous;
}

ErrorCode RetryFor(std::chrono::milliseconds limit, const std::function<ErrorCode()>& attempt,
                   const std::function<bool(ErrorCode)>& passes) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const ErrorCode error = attempt();
        if (error == 0 || !passes(error) || std::chrono::steady_clock::now() >= deadline) return error;
        g_wait(kRetryStep);
    }
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
