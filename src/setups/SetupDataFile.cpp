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
    std::string bytes;
    bytes.reserve(store.EncodedSize());
    CArchive writer = CArchive::Storing(&bytes);
    store.Serialize(writer);
    return bytes;
}

CSetupDataFile::Content CSetupDataFile::ReadContent() const {
    Content content;
    SetupLoadResult& result = content.result;
    auto bytes = std::make_shared<std::string>();
    const files::ReadResult read = files::ReadWholeFile(m_path, *bytes, kMaxFileBytes);
    if (read.missing) {
        result.status = SetupLoadStatus::Absent;
        return content;
    }
    content.keepAside = true;
    if (!read.ok) {
        result.status = SetupLoadStatus::Unreadable;
        result.error = read.error;
        result.message = "Could not read the saved setups from \"" + m_path + "\": " + files::DescribeError(read.error) + ".";
        if (read.error == files::kErrorFileTooLarge)
            result.message += "\nThis program reads setups files of up to " + std::to_string(kMaxFileBytes >> 20) +
                              " MB and never writes a larger one, so this file is damaged or holds no setups. "
                              "To use your setups again, put a copy of the file from a backup in its place.";
        return content;
    }
    if (m_known && m_known->View() == *bytes) {
        content.known = true;
        content.keepAside = m_knownAside;
        content.bytes = m_known;
        return content;
    }
    content.bytes = SharedBytes(*bytes, bytes);
    CArchive ar = CArchive::Loading(std::move(bytes));
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
    m_known.reset();
    Content content = ReadContent();
    store.MergeFrom(std::move(content.store));
    m_known = std::move(content.bytes);
    m_knownAside = content.keepAside;
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
    // A file still as this run last read or wrote it has nothing to merge.
    Content content = ReadContent();
    if (!content.known) store.MergeFrom(std::move(content.store));
    result = Write(store, content.keepAside);
    if (result.status == SetupSaveStatus::Saved && content.keepAside && !m_asideAnnounced)
        result.message = content.result.message + "\nIt was kept as \"" + m_keptAs + "\".";
    if (result.status == SetupSaveStatus::Saved) m_asideAnnounced = false;
    return result;
}

SetupSaveResult CSetupDataFile::Write(CSetupStore& store, bool keepAside) {
    // What could not be read back is not written: the file stays as it is.
    auto refused = [&](const std::string& reason, const char* remedy) {
        return Failure(0, "The setups were not saved: \"" + m_path + "\" would " + reason +
                              " this program reads back" + remedy + ".\nThe setups are kept in memory.");
    };
    if (store.GetCount() > CSetupStore::kMaxEntries)
        return refused("list " + std::to_string(store.GetCount()) + " setups, more than the " +
                           std::to_string(CSetupStore::kMaxEntries),
                       ", so no setup can be saved under a new title");
    const std::size_t size = store.EncodedSize();
    if (size > kMaxFileBytes)
        return refused("take " + std::to_string(size) + " bytes, more than the " + std::to_string(kMaxFileBytes),
                       ".\nDelete setups you no longer need or shorten long comments, then save again");
    // The store holds the bytes written from now on; those it held go.
    std::shared_ptr<char[]> buffer = std::make_shared_for_overwrite<char[]>(size);
    CArchive writer = CArchive::Storing(buffer, size);
    store.Serialize(writer);
    const std::string_view bytes(buffer.get(), size);
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
    m_known = SharedBytes(bytes, std::move(buffer));
    m_knownAside = false;
    return {};
}

std::string CSetupDataFile::FreeAsideName() const {
    // Never replace a file kept aside by an earlier run.
    std::string name = m_path + ".bad";
    for (int n = 2; files::Exists(name); ++n) name = m_path + ".bad" + std::to_string(n);
    return name;
}
