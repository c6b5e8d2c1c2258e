#include "gameconfig/Installation.h"

#include <algorithm>
#include <cctype>

namespace gameconfig {
namespace {

constexpr std::string_view kSetAsideSuffix = ".old";
// More copies set aside than this are not looked past.
constexpr int kMostSetAsideNames = 1000;

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

bool AllDigits(std::string_view text) { return text.find_first_not_of("0123456789") == std::string_view::npos; }

std::string SetAsideName(const std::string& name, int n) {
    return name + std::string(kSetAsideSuffix) + (n == 1 ? std::string() : std::to_string(n));
}

// A name SetAsideName gives.
bool IsSetAside(std::string_view lower) {
    const std::size_t at = lower.rfind(kSetAsideSuffix);
    return at != std::string_view::npos && AllDigits(lower.substr(at + kSetAsideSuffix.size()));
}

bool IsMissionList(const files::FolderEntry& entry) {
    const std::string lower = Lower(entry.name);
    const std::string list = Lower(kMissionListName);
    return !entry.isFolder && (lower == list || lower.starts_with(list + ".")) && !IsSetAside(lower);
}

// Gives `name` in `folder` its first free set-aside name.
files::ErrorCode SetAside(const std::string& folder, const std::string& name, std::string& newName) {
    files::ErrorCode error = files::kErrorNameTaken;
    for (int n = 1; n <= kMostSetAsideNames && error == files::kErrorNameTaken; ++n) {
        newName = SetAsideName(name, n);
        error = files::RenameToNewName(folder + name, folder + newName);
    }
    return error;
}

}  // namespace

MissionInstall ExamineScriptsFolder(std::span<const files::FolderEntry> entries) {
    MissionInstall install;
    const std::string script = Lower(kMissionScriptName);
    files::FileTime arrived = 0;
    for (const files::FolderEntry& entry : entries) {
        if (entry.isFolder || Lower(entry.name) != script) continue;
        install.hasScript = true;
        arrived = std::max(entry.created, entry.written);
    }
    for (const files::FolderEntry& entry : entries) {
        if (!IsMissionList(entry)) continue;
        install.lists.push_back(entry.name);
        if (install.hasScript && entry.written < arrived) install.staleLists.push_back(entry.name);
    }
    return install;
}

SetAsideResult SetAsideMissionLists(const std::string& folder, std::span<const std::string> names) {
    SetAsideResult result;
    for (const std::string& name : names) {
        std::string newName;
        result.error = SetAside(folder, name, newName);
        if (result.error != 0) {
            result.failed = name;
            break;
        }
        result.renamed.emplace_back(name, newName);
    }
    if (result.error == 0) return result;
    // All or none: a half-done set-aside would leave the game with some of its lists.
    std::erase_if(result.renamed, [&](const auto& renamed) {
        return files::RenameToNewName(folder + renamed.second, folder + renamed.first) == 0;
    });
    return result;
}

std::string DescribeFailedSetAside(const SetAsideResult& result) {
    if (result.error == 0) return {};
    std::string text = "The game's old mission list \"" + result.failed +
                       "\" could not be set aside: " + files::DescribeError(result.error) + ".";
    if (result.renamed.empty()) return text + "\nNothing was renamed.";
    for (const auto& [name, newName] : result.renamed)
        text += "\n\"" + name + "\" was renamed \"" + newName + "\" and could not be given its name back.";
    return text;
}

std::string ChooseDataFile(const std::string& fileName, const std::string& programFolder) {
    if (files::Exists(fileName) || programFolder.empty()) return fileName;
    const std::string beside = programFolder + fileName;
    return files::Exists(beside) ? beside : fileName;
}

std::string VirtualStoreCopy(const std::string& localAppData, const std::string& path) {
    const bool onDrive = path.size() > 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                         path[2] == '\\';
    return onDrive ? localAppData + "\\VirtualStore" + path.substr(2) : std::string();
}

}  // namespace gameconfig
