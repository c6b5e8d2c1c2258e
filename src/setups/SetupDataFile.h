#pragma once
#include <cstddef>
#include <string>

#include "files/FileIO.h"
#include "setups/SetupStore.h"

// How reading the data file ended.
enum class SetupLoadStatus {
    Loaded,      // read whole
    Absent,      // no data file yet: the store starts empty
    Damaged,     // malformed: the entries before the fault were loaded
    Unreadable,  // present but could not be read: nothing was loaded
};

// How writing the data file ended.
enum class SetupSaveStatus {
    Saved,
    NotLoaded,  // this run never read the file, so it was left alone
    Failed,     // nothing was changed on disk
};

struct SetupLoadResult {
    SetupLoadStatus status = SetupLoadStatus::Loaded;
    files::ErrorCode error = 0;  // the platform's error number when Unreadable
    std::size_t faultOffset = 0;  // the byte offset of the fault when Damaged
    std::string message;          // for the user when Damaged or Unreadable
};

struct SetupSaveResult {
    SetupSaveStatus status = SetupSaveStatus::Saved;
    files::ErrorCode error = 0;  // the platform's error number when Failed
    std::string message;          // for the user unless Saved
};

// The data file of the saved setups. It is written only in a run that tried
// to read it, always whole through a temporary file, and a file that was not
// read whole is first kept aside under a ".bad" name so no setup is lost.
class CSetupDataFile {
public:
    static constexpr const char* kFileName = "SkirmakerData.dat";
    // Larger files are refused unread rather than loaded into memory: the
    // 32-bit program holds a loaded store of several times the file's size,
    // twice while it merges on writing.
    static constexpr std::size_t kMaxFileBytes = std::size_t{32} << 20;

    // By default the bare name, so the file lies in the working folder.
    explicit CSetupDataFile(std::string path = kFileName) : m_path(std::move(path)) {}

    // The whole store in the data file's format.
    static std::string Encode(CSetupStore& store);

    // Replaces the store's content with what the file holds.
    SetupLoadResult Load(CSetupStore& store);
    // Writes the whole store over the file; on failure the store and the file
    // are as they were, and a later Save may succeed.
    SetupSaveResult Save(CSetupStore& store);

private:
    SetupSaveResult KeepAside();
    std::string FreeAsideName() const;
    static std::string Describe(files::ErrorCode error);

    // What this run knows of the file on disk, and so whether it may write it.
    enum class FileState {
        NotRead,    // never read, or reading did not finish: never written over
        Read,       // everything it holds is in the store
        KeepAside,  // it holds setups that were not loaded: kept aside before writing
    };

    std::string m_path;
    FileState m_state = FileState::NotRead;
};
