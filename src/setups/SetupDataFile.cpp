#include "setups/SetupDataFile.h"

#include <cctype>
#include <system_error>

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

SetupLoadResult CSetupDataFile::Load(CSetupStore& store) {
    // Until reading has finished (it may stop on an exception, out of memory
    // included) the file counts as never read, so nothing is written over it.
    m_state = FileState::NotRead;
    store.Clear();

    SetupLoadResult result;
    std::string bytes;
    const files::ReadResult read = files::ReadWholeFile(m_path, bytes, kMaxFileBytes);
    if (read.missing) {
        m_state = FileState::Read;
        result.status = SetupLoadStatus::Absent;
        return result;
    }
    if (!read.ok) {
        m_state = FileState::KeepAside;
        result.status = SetupLoadStatus::Unreadable;
        result.error = read.error;
        result.message = "Could not read the saved setups from \"" + m_path + "\": " + Describe(read.error) +
                         ".\nThe file will be kept as \"" + FreeAsideName() + "\" when setups are next saved.";
        return result;
    }

    CArchive ar = CArchive::Loading(bytes);
    store.Serialize(ar);
    m_state = ar.Failed() ? FileState::KeepAside : FileState::Read;
    if (ar.Failed()) {
        result.status = SetupLoadStatus::Damaged;
        result.faultOffset = ar.FaultOffset();
        result.message = "The setups file \"" + m_path + "\" is damaged at byte offset " +
                         std::to_string(ar.FaultOffset()) + ": " + ar.FaultText() + ".\n" +
                         std::to_string(store.GetCount()) +
                         " setups before that point were loaded. The file will be kept as \"" +
                         FreeAsideName() + "\" when setups are next saved.";
    }
    return result;
}

SetupSaveResult CSetupDataFile::Save(CSetupStore& store) {
    SetupSaveResult result;
    if (m_state == FileState::NotRead) {
        result.status = SetupSaveStatus::NotLoaded;
        result.message = "The setups were not saved: \"" + m_path +
                         "\" was not read whole in this run, and writing it could lose the setups it holds.";
        return result;
    }
    const std::string bytes = Encode(store);
    if (m_state == FileState::KeepAside) {
        result = KeepAside();
        if (result.status != SetupSaveStatus::Saved) return result;
    }
    if (const files::ErrorCode error = files::ReplaceWholeFile(m_path, bytes); error != 0) {
        result.status = SetupSaveStatus::Failed;
        result.error = error;
        result.message = "Could not save the setups to \"" + m_path + "\": " + Describe(error) +
                         ".\nThe setups are kept in memory; saving again may succeed.";
    }
    return result;
}

SetupSaveResult CSetupDataFile::KeepAside() {
    SetupSaveResult result;
    const std::string aside = FreeAsideName();
    const files::ErrorCode error = files::RenameReplacing(m_path, aside);
    // A file that has gone meanwhile needs no keeping.
    if (error != 0 && files::Exists(m_path)) {
        result.status = SetupSaveStatus::Failed;
        result.error = error;
        result.message = "Could not keep \"" + m_path + "\", which was not read whole, as \"" + aside +
                         "\": " + Describe(error) + ".\nNothing was saved; the setups are kept in memory.";
        return result;
    }
    m_state = FileState::Read;
    return result;
}

std::string CSetupDataFile::FreeAsideName() const {
    // Never replace a file kept aside by an earlier run.
    std::string name = m_path + ".bad";
    for (int n = 2; files::Exists(name); ++n) name = m_path + ".bad" + std::to_string(n);
    return name;
}

std::string CSetupDataFile::Describe(files::ErrorCode error) {
    std::string reason = std::system_category().message(static_cast<int>(error));
    // System texts may end in a full stop and a line break; the message goes on.
    while (!reason.empty() && (reason.back() == '.' || std::isspace(static_cast<unsigned char>(reason.back()))))
        reason.pop_back();
    return reason + ", code " + std::to_string(error);
}
