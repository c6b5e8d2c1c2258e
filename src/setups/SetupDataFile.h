#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "files/FileIO.h"
#include "setups/SetupStore.h"

// How reading the data file ended.
enum class SetupLoadStatus {
    Loaded,      // read whole
    Absent,      // no data file yet: the store starts empty
    Damaged,     // malformed: the entries before the fault were loaded
    Unreadable,  // present but could not be read: nothing was loaded
    Trailing,    // read whole, but more records follow the ones it lists
};

// How writing the data file ended.
enum class SetupSaveStatus {
    Saved,      // with a message when a file that went bad since it was read was kept aside
    NotLoaded,  // this run never read the file, so it was left alone
    Failed,     // nothing was changed on disk
};

struct SetupLoadResult {
    SetupLoadStatus status = SetupLoadStatus::Loaded;
    files::ErrorCode error = 0;  // the platform's error number when Unreadable
    std::size_t faultOffset = 0;  // the byte offset of the fault when Damaged
    std::size_t trailingRecords = 0;  // complete records after the listed ones
    std::string message;          // for the user unless Loaded or Absent
};

struct SetupSaveResult {
    SetupSaveStatus status = SetupSaveStatus::Saved;
    files::ErrorCode error = 0;  // the platform's error number when Failed
    std::string message;          // for the user unless Saved
};

// The data file of the saved setups. It is written only in a run that read
// it, by one copy of the program at a time, always whole through a temporary
// file; what other copies wrote since it was read is merged first, and a file
// that cannot be read whole is copied aside under a ".bad" name in the same
// step, so no setup is lost. A file it could not read back is never written.
class CSetupDataFile {
public:
    static constexpr const char* kFileName = "SkirmakerData.dat";
    // Larger files are refused unread, and none is written: with the store's
    // limit of entries this bounds the memory a load takes, which the 32-bit
    // program must find twice while it merges on writing.
    static constexpr std::size_t kMaxFileBytes = std::size_t{32} << 20;

    // By default the bare name, so the file lies in the working folder.
    explicit CSetupDataFile(std::string path = kFileName) : m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

    // The whole store in the data file's format.
    static std::string Encode(CSetupStore& store);

    // Takes what the file holds into the store; setups that this run saved
    // before (while the file could not be read yet) stay and win.
    SetupLoadResult Load(CSetupStore& store);
    // Merges into the store what the file holds now, this run's saves and
    // deletes winning, and writes the whole store over the file. On failure the
    // file is as it was and a later Save may succeed.
    SetupSaveResult Save(CSetupStore& store);

private:
    // The file's content as read now, and whether it must be kept aside
    // before it is written over (it holds setups that were not read).
    struct Content {
        SetupLoadResult result;
        CSetupStore store;
        bool keepAside = false;
        // The bytes read; none when none were.
        std::optional<SharedBytes> bytes;
        // The bytes are those this run last read or wrote, so the store holds
        // them already and they were not read into `store` again.
        bool known = false;
    };
    Content ReadContent() const;
    SetupSaveResult Write(CSetupStore& store, bool keepAside);
    std::string FreeAsideName() const;

    std::string m_path;
    // False until a Load finished (it may stop on an exception, out of memory
    // included): a file this run has not read is never written over.
    bool m_read = false;
    // The user was told at loading that the file would be kept aside.
    bool m_asideAnnounced = false;
    // Where the last write kept the file aside; empty when it did not.
    std::string m_keptAs;
    // The file's bytes as this run last read or wrote them (shared with the
    // store, which points into them), and whether they must be kept aside.
    std::optional<SharedBytes> m_known;
    bool m_knownAside = false;
};
