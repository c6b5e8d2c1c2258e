// Nothing stored is lost: two copies of the program writing one data file,
// records beyond the listed ones, keeping a file aside as part of the write,
// and the temporary files of the writes.
#include "SetupBytes.h"
#include "files/FileIO.h"
#include "setups/SetupDataFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

unsigned long ThisProcess() {
#ifdef _WIN32
    return static_cast<unsigned long>(_getpid());
#else
    return static_cast<unsigned long>(getpid());
#endif
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "title:comment" for each entry with a record, in the store's order.
std::string Listing(const CSetupStore& store) {
    std::string text;
    for (const auto& [title, record] : store.GetEntries())
        text += title + ":" + (record ? record->m_strComments : "-") + " ";
    return text;
}

CSetupForm Form(const std::string& comment) {
    CSetupForm form;
    form.m_strComments = comment;
    return form;
}

// What "Save" does to the store under a title.
void SaveForm(CSetupStore& store, const std::string& title, const std::string& comment) {
    if (!store.Contains(title)) store.Store(title, std::make_unique<CSkirmakerData>());
    store.Fill(title, Form(comment));
}

// One copy of the program: its store and its data file, in a shared folder.
struct Copy {
    explicit Copy(const fs::path& path) : file(path.string()) {}
    SetupLoadResult Load() { return file.Load(store); }
    SetupSaveResult Save() { return file.Save(store); }
    CSetupStore store;
    CSetupDataFile file;
};

class SetupMergeTest : public ::testing::Test {
protected:
    SetupMergeTest() { fs::create_directories(m_dir); }
    ~SetupMergeTest() override {
        std::error_code ignored;
        fs::permissions(m_path, fs::perms::owner_all, ignored);
        fs::remove_all(m_dir, ignored);
    }
    void WriteData(const std::string& bytes) const { std::ofstream(m_path, std::ios::binary) << bytes; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string OnDisk() const {
        Copy reader(m_path);
        reader.Load();
        return Listing(reader.store);
    }

    const fs::path m_dir = fs::temp_directory_path() / ("skm-merge-" + std::to_string(std::random_device{}()));
    const fs::path m_path = m_dir / CSetupDataFile::kFileName;
};

TEST(SetupStoreMergeTest, ThisRunsChangesWinEverythingElseOnDiskIsKeptAndRecordsStayInPlace) {
    CSetupStore ours, disk;
    SaveForm(ours, "changed", "ours");
    ours.Store("untouched", std::make_unique<CSkirmakerData>(CSkirmakerData()));
    ours.Store("only here", std::make_unique<CSkirmakerData>());
    ours.Store("deleted", std::make_unique<CSkirmakerData>());
    ours.Blank("deleted");
    const CSkirmakerData* untouched = ours.Find("untouched");
    for (const char* title : {"changed", "untouched", "deleted", "new there"})
        SaveForm(disk, title, std::string("disk ") + title);
    ours.MergeFrom(std::move(disk));
    EXPECT_EQ(Listing(ours), "changed:ours deleted: new there:disk new there only here: untouched:disk untouched ");
    EXPECT_EQ(ours.Find("untouched"), untouched);  // a list line points at it
}

TEST_F(SetupMergeTest, TwoCopiesKeepEachOthersSetupsWhicheverWritesLast) {
    for (const bool firstWritesFirst : {true, false}) {
        SCOPED_TRACE(firstWritesFirst);
        Copy first(m_path), second(m_path);
        fs::remove(m_path);
        first.Load();
        SaveForm(first.store, "kept", "before");
        ASSERT_EQ(first.Save().status, SetupSaveStatus::Saved);
        first.Load();
        second.Load();
        SaveForm(first.store, "fromFirst", "1");
        first.store.Blank("kept");
        SaveForm(second.store, "fromSecond", "2");
        Copy& early = firstWritesFirst ? first : second;
        Copy& late = firstWritesFirst ? second : first;
        ASSERT_EQ(early.Save().status, SetupSaveStatus::Saved);
        ASSERT_EQ(late.Save().status, SetupSaveStatus::Saved);
        EXPECT_EQ(OnDisk(), "fromFirst:1 fromSecond:2 kept: ");
        EXPECT_EQ(Listing(late.store), OnDisk());
        EXPECT_EQ(Names(), std::vector<std::string>{CSetupDataFile::kFileName});
    }
}

TEST_F(SetupMergeTest, ADamagedFileIsKeptAsideOnceThoughBothCopiesStartedOnIt) {
    CSetupStore damaged;
    SaveForm(damaged, "a", "first");
    std::string bytes = CSetupDataFile::Encode(damaged) + "junk";
    bytes[0] = 2;  // two entries listed, one there
    WriteData(bytes);
    Copy first(m_path), second(m_path);
    EXPECT_EQ(first.Load().status, SetupLoadStatus::Damaged);
    EXPECT_EQ(second.Load().status, SetupLoadStatus::Damaged);
    SaveForm(second.store, "b", "second");
    ASSERT_EQ(second.Save().status, SetupSaveStatus::Saved);
    SaveForm(first.store, "c", "first");
    const SetupSaveResult saved = first.Save();
    EXPECT_EQ(saved.status, SetupSaveStatus::Saved);
    EXPECT_TRUE(saved.message.empty()) << "told at start-up already";
    EXPECT_EQ(OnDisk(), "a:first b:second c:first ");
    EXPECT_EQ(ReadAll(m_path.string() + ".bad"), bytes);
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(SetupMergeTest, RecordsBeyondTheListedOnesAreKeptAsideBeforeTheFirstRewrite) {
    CSetupStore two;
    SaveForm(two, "a", "listed");
    SaveForm(two, "b", "beyond");
    std::string bytes = CSetupDataFile::Encode(two);
    bytes[0] = 1;
    WriteData(bytes + "stale");
    Copy copy(m_path);
    const SetupLoadResult loaded = copy.Load();
    EXPECT_EQ(loaded.status, SetupLoadStatus::Trailing);
    EXPECT_EQ(loaded.trailingRecords, 1u);
    EXPECT_NE(loaded.message.find("SkirmakerData.dat.bad"), std::string::npos) << loaded.message;
    EXPECT_EQ(Listing(copy.store), "a:listed ");
    ASSERT_EQ(copy.Save().status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadAll(m_path.string() + ".bad"), bytes + "stale");
    ASSERT_EQ(copy.Save().status, SetupSaveStatus::Saved);  // the rewritten file lists all it holds
    EXPECT_EQ(Names().size(), 2u);
    // Stale bytes that hold no whole record are still ignored without a word.
    WriteData(CSetupDataFile::Encode(copy.store) + "\x01" "x");
    EXPECT_EQ(copy.Load().status, SetupLoadStatus::Loaded);
}

TEST_F(SetupMergeTest, AFileThatCannotBeWrittenKeepsItsNameAndNoCopyIsLeft) {
    WriteData(Bytes({0x05, 0x00}));
    fs::permissions(m_path, fs::perms::owner_read);  // refused as the platform's writers refuse it
    Copy copy(m_path);
    EXPECT_EQ(copy.Load().status, SetupLoadStatus::Damaged);
    SaveForm(copy.store, "new", "kept in memory");
    const SetupSaveResult saved = copy.Save();
    EXPECT_EQ(saved.status, SetupSaveStatus::Failed);
    EXPECT_FALSE(saved.message.empty());
    EXPECT_EQ(ReadAll(m_path), Bytes({0x05, 0x00}));
    EXPECT_EQ(Names(), std::vector<std::string>{CSetupDataFile::kFileName});
}

TEST(TemporaryFileTest, NamesAreRecognisedByTheirPattern) {
    const std::string name = files::TemporaryName("SkirmakerData.dat", 4242, 7);
    EXPECT_TRUE(files::IsTemporaryOf("SkirmakerData.dat", name));
    for (const char* other : {"SkirmakerData.dat", "SkirmakerData.dat.bad", "SkirmakerData.dat.~1.tmp",
                              "SkirmakerData.dat.~a-1.tmp", "scripts.ini.~1-2.tmp", "SkirmakerData.dat.~1-2.tmpx"})
        EXPECT_FALSE(files::IsTemporaryOf("SkirmakerData.dat", other)) << other;
}

TEST_F(SetupMergeTest, LeftoverTemporariesNeverBlockAWriteAndOldOnesGo) {
    for (unsigned attempt = 0; attempt < 300; ++attempt)  // every name this process may try first
        std::ofstream(files::TemporaryName(m_path.string(), ThisProcess(), attempt)) << "left";
    const fs::path old = files::TemporaryName(m_path.string(), 1, 1);
    std::ofstream(old) << "crashed";
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(1));
    ASSERT_EQ(files::ReplaceWholeFile(m_path.string(), "new"), 0u);
    EXPECT_EQ(ReadAll(m_path), "new");
    EXPECT_FALSE(fs::exists(old));
    EXPECT_EQ(Names().size(), 301u);  // the young ones may still be another writer's
}

}  // namespace
