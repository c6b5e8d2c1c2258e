// The data file's policy: what is read, what is written, and what is kept aside.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <new>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "SetupBytes.h"
#include "setups/SetupDataFile.h"

namespace fs = std::filesystem;

// While not negative, the number of allocations that may still succeed
// (FailingAllocations.cpp).
extern std::atomic<long> g_allocationsLeft;

namespace {

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test works in a folder of its own, removed afterwards.
class SetupDataFileTest : public ::testing::Test {
protected:
    SetupDataFileTest() { fs::create_directories(m_dir); }
    ~SetupDataFileTest() override { std::error_code ignored; fs::remove_all(m_dir, ignored); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
    std::string DataPath() const { return PathOf(CSetupDataFile::kFileName); }
    std::string BadPath() const { return PathOf("SkirmakerData.dat.bad"); }
    // Also shows that no temporary file was left behind.
    auto FileCount() const { return std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()); }

    const fs::path m_dir = fs::temp_directory_path() / ("skm-setups-" + std::to_string(std::random_device{}()));
    CSetupStore m_store;
};

// A valid first entry, then a class tag naming no class.
const std::string kDamaged =
    Bytes({0x02, 0x00, 0x01, 'a'}) + NewClassTag() + PlainBody("a") + Bytes({0x01, 'b', 0x09, 0x80}) + PlainBody("b");

TEST_F(SetupDataFileTest, AbsentFileStartsEmptyAndFirstSaveInTheWorkingFolderWritesTwoZeroBytes) {
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    CSetupDataFile file;
    const SetupLoadResult loaded = file.Load(m_store);
    const SetupSaveStatus saved = file.Save(m_store).status;
    fs::current_path(previous);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Absent);
    EXPECT_TRUE(loaded.message.empty());
    EXPECT_EQ(saved, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadAll(DataPath()), Bytes({0x00, 0x00}));
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(SetupDataFileTest, ReadableFileIsLoadedAndSaveLeavesNoStaleBytesNorTemporaryFile) {
    CSetupStore before;
    for (const char* title : {"one", "two", "three"})
        before.Store(title, std::make_unique<CSkirmakerData>())->m_strComments = std::string(100, 'c');
    Write(DataPath(), CSetupDataFile::Encode(before));
    CSetupDataFile file(DataPath());
    ASSERT_EQ(file.Load(m_store).status, SetupLoadStatus::Loaded);
    EXPECT_EQ(CSetupDataFile::Encode(m_store), CSetupDataFile::Encode(before));
    for (const char* title : {"one", "two", "three"}) m_store.Blank(title);
    ASSERT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadAll(DataPath()), CSetupDataFile::Encode(m_store));  // shorter, with no stale bytes
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(SetupDataFileTest, DamagedFileIsReportedOnceLoadedInPartAndKeptAsideBeforeTheFirstSave) {
    Write(DataPath(), kDamaged);
    CSetupDataFile file(DataPath());
    const SetupLoadResult loaded = file.Load(m_store);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Damaged);
    const std::size_t offset = 4 + NewClassTag().size() + PlainBody("a").size() + 2;
    EXPECT_EQ(loaded.faultOffset, offset);
    for (const std::string& part : {DataPath(), "byte offset " + std::to_string(offset), BadPath()})
        EXPECT_NE(loaded.message.find(part), std::string::npos) << loaded.message;
    EXPECT_EQ(m_store.GetCount(), 1u);
    EXPECT_EQ(ReadAll(DataPath()), kDamaged);  // reading changes nothing
    m_store.Store("new", std::make_unique<CSkirmakerData>());
    const SetupSaveResult first = file.Save(m_store);
    EXPECT_EQ(first.status, SetupSaveStatus::Saved);
    EXPECT_TRUE(first.message.empty());
    EXPECT_EQ(ReadAll(BadPath()), kDamaged);
    EXPECT_EQ(ReadAll(DataPath()), CSetupDataFile::Encode(m_store));
    // Only the unread file is kept aside, not the one this run wrote.
    ASSERT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(FileCount(), 2);
}

TEST_F(SetupDataFileTest, RunThatNeverLoadedDoesNotWrite) {
    Write(DataPath(), kDamaged);
    const SetupSaveResult saved = CSetupDataFile(DataPath()).Save(m_store);
    EXPECT_EQ(saved.status, SetupSaveStatus::NotLoaded);
    EXPECT_FALSE(saved.message.empty());
    EXPECT_EQ(ReadAll(DataPath()), kDamaged);
}

// Reading stopped by running out of memory at any allocation leaves a file
// that is never written over, as if it had not been read at all.
TEST_F(SetupDataFileTest, AReadThatRanOutOfMemoryNeverLeadsToAWrite) {
    CSetupStore before;
    for (const char* title : {"one", "two", "three"}) before.Store(title, std::make_unique<CSkirmakerData>());
    const std::string bytes = CSetupDataFile::Encode(before);
    Write(DataPath(), bytes);
    CSetupDataFile file(DataPath());
    bool finished = false;
    for (long allowed = 0; !finished; ++allowed) {
        g_allocationsLeft = allowed;
        try {
            file.Load(m_store);
            finished = true;
        } catch (const std::bad_alloc&) {
        }
        g_allocationsLeft = -1;
        if (!finished) {
            EXPECT_EQ(file.Save(m_store).status, SetupSaveStatus::NotLoaded) << allowed;
        }
        EXPECT_EQ(ReadAll(DataPath()), bytes) << allowed;
    }
    EXPECT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
}

TEST_F(SetupDataFileTest, FailedSaveIsReportedAndALaterSaveSucceeds) {
    const std::string path = PathOf("not-yet/SkirmakerData.dat");
    CSetupDataFile file(path);
    ASSERT_EQ(file.Load(m_store).status, SetupLoadStatus::Absent);
    m_store.Store("kept", std::make_unique<CSkirmakerData>());
    const SetupSaveResult failed = file.Save(m_store);
    EXPECT_EQ(failed.status, SetupSaveStatus::Failed);
    EXPECT_NE(failed.error, 0u);
    for (const std::string& part : {path, "code " + std::to_string(failed.error)})
        EXPECT_NE(failed.message.find(part), std::string::npos) << failed.message;
    ASSERT_TRUE(m_store.Contains("kept"));
    fs::create_directory(m_dir / "not-yet");
    ASSERT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadAll(path), CSetupDataFile::Encode(m_store));
}

TEST_F(SetupDataFileTest, OversizedFileIsNotReadAndAFileKeptAsideEarlierIsNotReplaced) {
    Write(BadPath(), "earlier");
    Write(DataPath(), Bytes({0x00}));
    fs::resize_file(DataPath(), CSetupDataFile::kMaxFileBytes + 1);  // sparse: no real data written
    CSetupDataFile file(DataPath());
    const SetupLoadResult loaded = file.Load(m_store);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Unreadable);
    for (const std::string& part : {DataPath(), BadPath() + "2"})
        EXPECT_NE(loaded.message.find(part), std::string::npos) << loaded.message;
    ASSERT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(fs::file_size(BadPath()), 7u);  // still "earlier"; sizes only, as the kept file is huge
    EXPECT_EQ(fs::file_size(BadPath() + "2"), CSetupDataFile::kMaxFileBytes + 1);
}

}  // namespace
