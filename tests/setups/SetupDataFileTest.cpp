// The data file: what is read, what is written and what is kept aside, so that
// nothing stored is lost, also when two copies of the program write one file
// or earlier writes left temporary files.
#include "SetupBytes.h"
#include "TestFiles.h"
#include "files/FileIO.h"
#include "setups/SetupDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <string>
#include <vector>
#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

// While not negative, the number of allocations that may still succeed
// (FailingAllocations.cpp).
extern std::atomic<long> g_allocationsLeft;

namespace {

// "title:comment" for each entry with a record, in the store's order.
std::string Listing(const CSetupStore& store) {
    std::string text;
    for (const auto& [title, record] : store.GetEntries())
        text += std::string(title.View()) + ":" + (record ? record->Form().m_strComments : "-") + " ";
    return text;
}

// What "Save" does to the store under a title.
void SaveForm(CSetupStore& store, const std::string& title, const std::string& comment) {
    CSetupForm form;
    form.m_strComments = comment;
    store.Fill(title, form);
}

// One copy of the program: its store and its data file.
struct Copy {
    explicit Copy(const fs::path& path) : file(Utf8(path)) {}
    SetupLoadResult Load() { return file.Load(store); }
    SetupSaveResult Save() { return file.Save(store); }
    CSetupStore store;
    CSetupDataFile file;
};

std::string ThreeEntries() {
    CSetupStore store;
    for (const char* title : {"one", "two", "three"}) SaveForm(store, title, "a comment");
    return CSetupDataFile::Encode(store);
}

// A valid first entry, then a class tag naming no class.
const std::string kDamaged =
    Bytes({0x02, 0x00, 0x01, 'a'}) + NewClassTag() + PlainBody("a") + Bytes({0x01, 'b', 0x09, 0x80}) + PlainBody("b");

class SetupDataFileTest : public ::testing::Test {
protected:
    // The folder's file names, sorted; they show what temporary files were left.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.path)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string OnDisk() const {
        Copy reader(m_path);
        reader.Load();
        return Listing(reader.store);
    }

    TempFolder m_dir{u8"skm-setups-Жук-日本-"};  // a name the ANSI code page cannot hold
    const fs::path m_path = m_dir.path / CSetupDataFile::kFileName;
    const fs::path m_bad = m_dir.path / "SkirmakerData.dat.bad";
};

// The working folder's file is the end-to-end test's.
TEST_F(SetupDataFileTest, TheFileIsReadWholeAndReplacedWhole) {
    WriteFileBytes(m_path, ThreeEntries());
    // Another name for the file, as a reader that opened it keeps: a save puts a
    // new file in place rather than writing into this one, so a save that fails
    // half-way never leaves a file half written.
    fs::create_hard_link(m_path, m_dir.path / "reader");
    Copy copy(m_path);
    ASSERT_EQ(copy.Load().status, SetupLoadStatus::Loaded);
    EXPECT_EQ(CSetupDataFile::Encode(copy.store), ThreeEntries());
    for (const char* title : {"one", "two", "three"}) copy.store.Blank(title);
    ASSERT_EQ(copy.Save().status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadFileBytes(m_path), CSetupDataFile::Encode(copy.store));  // shorter, with no stale bytes
    EXPECT_EQ(ReadFileBytes(m_dir.path / "reader"), ThreeEntries());
    EXPECT_EQ(Names(), (std::vector<std::string>{CSetupDataFile::kFileName, "reader"}));
}

TEST_F(SetupDataFileTest, ADamagedFileIsLoadedInPartAndKeptAsideOnceThoughTwoCopiesStartedOnIt) {
    WriteFileBytes(m_path, kDamaged);
    Copy first(m_path), second(m_path);
    const SetupLoadResult loaded = first.Load();
    EXPECT_EQ(loaded.status, SetupLoadStatus::Damaged);
    const std::size_t offset = 4 + NewClassTag().size() + PlainBody("a").size() + 2;
    EXPECT_EQ(loaded.faultOffset, offset);
    for (const std::string& part : {Utf8(m_path), "byte offset " + std::to_string(offset), Utf8(m_bad)})
        EXPECT_NE(loaded.message.find(part), std::string::npos) << loaded.message;
    EXPECT_EQ(Listing(first.store), "a: ");
    EXPECT_EQ(second.Load().status, SetupLoadStatus::Damaged);
    EXPECT_EQ(ReadFileBytes(m_path), kDamaged);  // reading changes nothing
    SaveForm(second.store, "b", "second");
    ASSERT_EQ(second.Save().status, SetupSaveStatus::Saved);
    SaveForm(first.store, "c", "first");
    const SetupSaveResult saved = first.Save();
    EXPECT_EQ(saved.status, SetupSaveStatus::Saved);
    EXPECT_TRUE(saved.message.empty()) << "told at start-up already";
    ASSERT_EQ(first.Save().status, SetupSaveStatus::Saved);  // what this run wrote is not kept aside
    EXPECT_EQ(OnDisk(), "a: b:second c:first ");
    EXPECT_EQ(ReadFileBytes(m_bad), kDamaged);
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(SetupDataFileTest, RecordsBeyondTheListedOnesAreKeptAsideBeforeTheFirstRewrite) {
    CSetupStore two;
    SaveForm(two, "a", "listed");
    SaveForm(two, "b", "beyond");
    std::string bytes = CSetupDataFile::Encode(two);
    bytes[0] = 1;
    WriteFileBytes(m_path, bytes + "stale");
    Copy copy(m_path);
    const SetupLoadResult loaded = copy.Load();
    EXPECT_EQ(loaded.status, SetupLoadStatus::Trailing);
    EXPECT_EQ(loaded.trailingRecords, 1u);
    EXPECT_NE(loaded.message.find(Utf8(m_bad)), std::string::npos) << loaded.message;
    EXPECT_EQ(Listing(copy.store), "a:listed ");
    ASSERT_EQ(copy.Save().status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadFileBytes(m_bad), bytes + "stale");
    ASSERT_EQ(copy.Save().status, SetupSaveStatus::Saved);  // the rewritten file lists all it holds
    EXPECT_EQ(Names().size(), 2u);
    // Stale bytes that hold no whole record are still ignored without a word.
    WriteFileBytes(m_path, CSetupDataFile::Encode(copy.store) + "\x01" "x");
    EXPECT_EQ(copy.Load().status, SetupLoadStatus::Loaded);
}

// A file that was not read, or whose reading ran out of memory at any
// allocation, is never written over.
TEST_F(SetupDataFileTest, AFileThatWasNotReadWholeIsNeverWritten) {
    WriteFileBytes(m_path, ThreeEntries());
    Copy copy(m_path);
    const SetupSaveResult unread = copy.Save();
    EXPECT_EQ(unread.status, SetupSaveStatus::NotLoaded);
    EXPECT_FALSE(unread.message.empty());
    bool finished = false;
    for (long allowed = 0; !finished; ++allowed) {
        g_allocationsLeft = allowed;
        try {
            copy.Load();
            finished = true;
        } catch (const std::bad_alloc&) {
        }
        g_allocationsLeft = -1;
        if (!finished) {
            EXPECT_EQ(copy.Save().status, SetupSaveStatus::NotLoaded) << allowed;
        }
        EXPECT_EQ(ReadFileBytes(m_path), ThreeEntries()) << allowed;
    }
    EXPECT_EQ(copy.Save().status, SetupSaveStatus::Saved);
}

// A damaged file that cannot be written over keeps its name, with no copy of
// it left; once it can be, the save goes through and the file is kept aside.
TEST_F(SetupDataFileTest, AFailedSaveChangesNothingOnDiskAndALaterSaveSucceeds) {
    WriteFileBytes(m_path, Bytes({0x05, 0x00}));
    fs::permissions(m_path, fs::perms::owner_read);  // refused as the platform's writers refuse it
    Copy copy(m_path);
    EXPECT_EQ(copy.Load().status, SetupLoadStatus::Damaged);
    SaveForm(copy.store, "new", "kept in memory");
    const SetupSaveResult failed = copy.Save();
    fs::permissions(m_path, fs::perms::owner_all);
    EXPECT_EQ(failed.status, SetupSaveStatus::Failed);
    EXPECT_NE(failed.error, 0u);
    for (const std::string& part : {Utf8(m_path), "code " + std::to_string(failed.error)})
        EXPECT_NE(failed.message.find(part), std::string::npos) << failed.message;
    EXPECT_EQ(ReadFileBytes(m_path), Bytes({0x05, 0x00}));
    EXPECT_EQ(Names(), std::vector<std::string>{CSetupDataFile::kFileName});
    ASSERT_EQ(copy.Save().status, SetupSaveStatus::Saved);
    EXPECT_EQ(OnDisk(), "new:kept in memory ");
    EXPECT_EQ(ReadFileBytes(m_bad), Bytes({0x05, 0x00}));
}

// A folder that takes no lock file (sysfs; the host's root is Wine's drive Z:,
// where the tests run) fails at once, not as if another copy held the lock.
TEST_F(SetupDataFileTest, ALockThatCannotBeMadeFailsAtOnceAndSaysWhere) {
    static bool waited = false;
    const files::WaitFunction saved = files::SetWaitFunction([](std::chrono::milliseconds) { waited = true; });
    Copy copy("/sys/x.dat");
    copy.Load();
    const std::string message = copy.Save().message;
    files::SetWaitFunction(saved);
    EXPECT_FALSE(waited);
    EXPECT_NE(message.find("sys\": "), std::string::npos) << message;
    EXPECT_EQ(message.find("another copy"), std::string::npos) << message;
}

#ifdef _WIN32
// A replacement waits while another program has the file open without sharing
// its deletion (here it closes it at the first wait); a handle that shares it,
// as the program's own reads do, may stay open.
TEST_F(SetupDataFileTest, AReplacementWaitsForAnotherProgramToCloseTheFile) {
    constexpr DWORD kReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE reader = CreateFileW(m_path.c_str(), GENERIC_READ, kReadWrite | FILE_SHARE_DELETE, {}, CREATE_NEW, 0, {});
    static HANDLE other;
    other = CreateFileW(m_path.c_str(), GENERIC_READ, kReadWrite, nullptr, OPEN_EXISTING, 0, nullptr);
    const auto saved = files::SetWaitFunction([](std::chrono::milliseconds) { CloseHandle(std::exchange(other, {})); });
    EXPECT_EQ(files::ReplaceWholeFile(Utf8(m_path), "new"), 0u);
    files::SetWaitFunction(saved);
    CloseHandle(reader);
    EXPECT_EQ(ReadFileBytes(m_path), "new");
    EXPECT_EQ(Names(), std::vector<std::string>{CSetupDataFile::kFileName});  // nothing left beside it
}
#endif

// No file past the limits of reading is read, and none is written: an
// oversized file is kept aside (not over a file kept earlier), and a store
// that would pass a limit is refused with the file left as it was.
TEST_F(SetupDataFileTest, NoFileIsReadOrWrittenPastTheLimits) {
    WriteFileBytes(m_bad, "earlier");
    WriteSizedFile(m_path, CSetupDataFile::kMaxFileBytes + 1);
    Copy copy(m_path);
    const SetupLoadResult loaded = copy.Load();
    EXPECT_EQ(loaded.status, SetupLoadStatus::Unreadable);
    for (const std::string& part : {Utf8(m_path), Utf8(m_bad) + "2", std::string("32 MB")})
        EXPECT_NE(loaded.message.find(part), std::string::npos) << loaded.message;
    ASSERT_EQ(copy.Save().status, SetupSaveStatus::Saved);
    EXPECT_EQ(fs::file_size(m_bad), 7u);  // still "earlier"; sizes only, as the kept file is huge
    EXPECT_EQ(fs::file_size(m_dir.path / "SkirmakerData.dat.bad2"), CSetupDataFile::kMaxFileBytes + 1);
    auto expectRefused = [&](Copy& refused, const std::string& words) {
        const std::string before = ReadFileBytes(m_path);
        const SetupSaveResult result = refused.Save();
        EXPECT_EQ(result.status, SetupSaveStatus::Failed);
        EXPECT_NE(result.message.find(words), std::string::npos) << result.message;
        EXPECT_EQ(ReadFileBytes(m_path), before);
    };
    SaveForm(copy.store, "long", std::string(CSetupDataFile::kMaxFileBytes, 'x'));
    expectRefused(copy, std::to_string(CSetupDataFile::kMaxFileBytes) + " this program reads back");
    // As many entries as reading takes load whole; one more is not written.
    std::string full;
    CArchive::Storing(&full).WriteCount(CSetupStore::kMaxEntries);
    for (std::size_t i = 0; i < CSetupStore::kMaxEntries; ++i) full += {'\3', char(i >> 16), char(i >> 8), char(i), 0, 0};
    WriteFileBytes(m_path, full);
    Copy many(m_path);
    ASSERT_EQ(many.Load().status, SetupLoadStatus::Loaded);
    SaveForm(many.store, "one more", "");
    expectRefused(many, std::to_string(CSetupStore::kMaxEntries) + " this program reads back");
}

// What a save merges from a file another copy wrote since; the copies
// themselves are the end-to-end test's.
TEST(SetupStoreMergeTest, ThisRunsChangesWinEverythingElseOnDiskIsKeptAndRecordsStayInPlace) {
    CSetupStore ours, disk;
    SaveForm(ours, "changed", "ours");
    ours.Store("untouched", CSkirmakerData());
    ours.Store("only here", CSkirmakerData());
    ours.Store("deleted", CSkirmakerData());
    ours.Blank("deleted");
    const CSkirmakerData* untouched = ours.Find("untouched");
    for (const char* title : {"changed", "untouched", "deleted", "new there"})
        SaveForm(disk, title, std::string("disk ") + title);
    ours.MergeFrom(std::move(disk));
    EXPECT_EQ(Listing(ours), "changed:ours deleted: new there:disk new there only here: untouched:disk untouched ");
    EXPECT_EQ(ours.Find("untouched"), untouched);  // a list line points at it
}

// Leftovers of crashed runs: young ones may still be another writer's and stay;
// old ones go. No other file is taken for one.
TEST_F(SetupDataFileTest, LeftoverTemporariesNeverBlockAWriteAndOldOnesGo) {
    for (const char* other : {"SkirmakerData.dat", "SkirmakerData.dat.bad", "SkirmakerData.dat.~1.tmp",
                              "SkirmakerData.dat.~a-1.tmp", "scripts.ini.~1-2.tmp", "SkirmakerData.dat.~1-2.tmpx"})
        EXPECT_FALSE(files::IsTemporaryOf("SkirmakerData.dat", other)) << other;
    for (unsigned attempt = 0; attempt < 300; ++attempt)  // every name this process may try first
        WriteFileBytes(m_dir.path / files::TemporaryName(CSetupDataFile::kFileName, getpid(), attempt), "left");
    const fs::path old = m_dir.path / files::TemporaryName(CSetupDataFile::kFileName, 1, 1);
    WriteFileBytes(old, "crashed");
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(1));
    ASSERT_EQ(files::ReplaceWholeFile(Utf8(m_path), "new"), 0u);
    EXPECT_EQ(ReadFileBytes(m_path), "new");
    EXPECT_FALSE(fs::exists(old));
    EXPECT_EQ(Names().size(), 301u);
}

}  // namespace
