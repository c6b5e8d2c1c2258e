#include "setups/SetupDataFile.h"

namespace {

constexpr char kKeptInMemory[] = ".\nThe setups are kept in memory; saving again may succeed.";

SetupSaveResult Failure(files::ErrorCode error, std::string message) {
    SetupSaveResult result;
    result.status = SetupSaveStatus::Failed;
    result.error = error;
    result.message = std::move(message);
    return result;
}

}  // namespace

std::string CSetupDataFile::Encode(CSetupStore& store) {
    // A counting pass first, so the bytes are allocated once at their final size.
    CArchive counter = CArchive::Storing(nullptr);
    store.Serialize(counter);
    std::string bytes;
    bytes.reserve(counter.Offset());
    CArchive writer = CArchive::Storing(&bytes);
    store.Serialize(writer);
    return bytes;
}

CSetupDataFile::Content CSetupDataFile::ReadContent() const {
    Content content;
    SetupLoadResult& result = content.result;
    std::string bytes;
    const files::ReadResult read = files::ReadWholeFile(m_path, bytes, kMaxFileBytes);
    if (read.missing) {
        result.status = SetupLoadStatus::Absent;
        return content;
    }
    content.keepAside = true;
    if (!read.ok) {
        result.status = SetupLoadStatus::Unreadable;
        result.error = read.error;
        result.message = "Could not read the saved setups from \"" + m_path + "\": " + files::DescribeError(read.error) + ".";
        return content;
    }
    CArchive ar = CArchive::Loading(bytes);
    content.store.Serialize(ar);
    if (ar.Failed()) {
        result.status = SetupLoadStatus::Damaged;
        result.faultOffset = ar.FaultOffset();
        result.message = "The setups file \"" + m_path + "\" is damaged at byte offset " +
                         std::to_string(ar.FaultOffset()) + ": " + ar.FaultText() + ".\n" +
                         std::to_string(content.store.GetCount()) + " setups before that point were loaded.";
        return content;
    }
    // Bytes after the listed entries are ignored, but records whole among them
    // are setups that a rewrite would lose.
    result.trailingRecords = CSetupStore::CountTrailingRecords(ar);
    if (result.trailingRecords == 0) {
        content.keepAside = false;
        return content;
    }
    result.status = SetupLoadStatus::Trailing;
    result.message = "The setups file \"" + m_path + "\" holds " + std::to_string(result.trailingRecords) +
                     " more setups after the " + std::to_string(content.store.GetCount()) +
                     " it lists, which were not loaded.";
    return content;
}

SetupLoadResult CSetupDataFile::Load(CSetupStore& store) {
    m_read = false;
    Content content = ReadContent();
    store.MergeFrom(std::move(content.store));
    m_asideAnnounced = content.keepAside;
    if (content.keepAside)
        content.result.message += "\nThe file will be kept as \"" + FreeAsideName() + "\" when setups are next saved.";
    m_read = true;
    return std::move(content.result);
}

SetupSaveResult CSetupDataFile::Save(CSetupStore& store) {
    SetupSaveResult result;
    if (!m_read) {
        result.status = SetupSaveStatus::NotLoaded;
        result.message = "The setups were not saved: \"" + m_path +
                         "\" was not read whole in this run, and writing it could lose the setups it holds.";
        return result;
    }
    // One copy of the program at a time reads, merges and writes the file.
    const files::ExclusiveLock lock(m_path + ".lock");
    if (lock.Error() != 0) {
        const char* const why = lock.HeldElsewhere() ? " while another copy of the program was saving them" : "";
        return Failure(lock.Error(), "Could not save the setups to \"" + m_path + "\" in the folder \"" +
                                         files::FolderOf(m_path) + "\"" + why + ": " +
                                         files::DescribeError(lock.Error()) + kKeptInMemory);
    }
    Content content = ReadContent();
    store.MergeFrom(std::move(content.store));
    result = Write(store, content.keepAside);
    if (result.status == SetupSaveStatus::Saved && content.keepAside && !m_asideAnnounced)
        result.message = content.result.message + "\nIt was kept as \"" + m_keptAs + "\".";
    if (result.status == SetupSaveStatus::Saved) m_asideAnnounced = false;
    return result;
}

SetupSaveResult CSetupDataFile::Write(CSetupStore& store, bool keepAside) {
    const std::string bytes = Encode(store);
    // Keeping aside and writing are one step: the copy kept aside goes again
    // when the new file cannot be written, and the original keeps its name.
    m_keptAs.clear();
    if (keepAside) {
        const std::string aside = FreeAsideName();
        if (const files::ErrorCode error = files::CopyToNewFile(m_path, aside); error != 0)
            return Failure(error, "Could not keep \"" + m_path + "\", which holds setups that were not read, as \"" +
                                      aside + "\": " + files::DescribeError(error) +
                                      ".\nNothing was saved; the setups are kept in memory.");
        m_keptAs = aside;
    }
    if (const files::ErrorCode error = files::ReplaceWholeFile(m_path, bytes); error != 0) {
        if (!m_keptAs.empty()) files::RemoveFile(m_keptAs);
        return Failure(error, "Could not save the setups to \"" + m_path + "\": " + files::DescribeError(error) +
                                  kKeptInMemory);
    }
    store.CommitChanges();
    return {};
}

std::string CSetupDataFile::FreeAsideName() const {
    // Never replace a file kept aside by an earlier run.
    std::string name = m_path + ".bad";
    for (int n = 2; files::Exists(name); ++n) name = m_path + ".bad" + std::to_string(n);
    return name;
}
