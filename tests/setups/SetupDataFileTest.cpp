// The data file's policy: what is read, what is written, and what is kept aside.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <sstream>
#include <string>

#include "SetupBytes.h"
#include "SizedFile.h"
#include "setups/SetupDataFile.h"

namespace fs = std::filesystem;

// While not negative, the number of allocations that may still succeed
// (FailingAllocations.cpp).
extern std::atomic<long> g_allocationsLeft;

namespace {

void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string ReadAll(const fs::path& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

std::string ThreeEntries() {
    CSetupStore store;
    for (const char* title : {"one", "two", "three"})
        store.Store(title, std::make_unique<CSkirmakerData>())->m_strComments = "a comment";
    return CSetupDataFile::Encode(store);
}

// A valid first entry, then a class tag naming no class.
const std::string kDamaged =
    Bytes({0x02, 0x00, 0x01, 'a'}) + NewClassTag() + PlainBody("a") + Bytes({0x01, 'b', 0x09, 0x80}) + PlainBody("b");

// Each test works in a folder of its own, removed afterwards.
class SetupDataFileTest : public ::testing::Test {
protected:
    SetupDataFileTest() { fs::create_directories(m_dir); }
    ~SetupDataFileTest() override { fs::remove_all(m_dir); }

    // Also shows that no temporary file was left behind.
    auto FileCount() const { return std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()); }

    const fs::path m_dir = fs::temp_directory_path() / ("skm-setups-" + std::to_string(std::random_device{}()));
    const fs::path m_data = m_dir / CSetupDataFile::kFileName;
    const fs::path m_bad = m_dir / "SkirmakerData.dat.bad";
    CSetupStore m_store;
};

TEST_F(SetupDataFileTest, TheFileInTheWorkingFolderIsReadWholeAndReplacedWhole) {
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    CSetupDataFile absent;
    const SetupLoadResult loaded = absent.Load(m_store);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Absent);
    EXPECT_TRUE(loaded.message.empty());
    m_store.Store("one", std::make_unique<CSkirmakerData>());
    EXPECT_EQ(absent.Save(m_store).status, SetupSaveStatus::Saved);
    fs::current_path(previous);
    EXPECT_EQ(ReadAll(m_data), CSetupDataFile::Encode(m_store));

    Write(m_data, ThreeEntries());
    // Another name for the file, as a reader that opened it keeps: a save puts a
    // new file in place rather than writing into this one, so a save that fails
    // half-way never leaves a file half written.
    fs::create_hard_link(m_data, m_dir / "reader");
    CSetupDataFile file(m_data.string());
    ASSERT_EQ(file.Load(m_store).status, SetupLoadStatus::Loaded);
    EXPECT_EQ(CSetupDataFile::Encode(m_store), ThreeEntries());
    for (const char* title : {"one", "two", "three"}) m_store.Blank(title);
    ASSERT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadAll(m_data), CSetupDataFile::Encode(m_store));  // shorter, with no stale bytes
    EXPECT_EQ(ReadAll(m_dir / "reader"), ThreeEntries());
    EXPECT_EQ(FileCount(), 2);
}

TEST_F(SetupDataFileTest, DamagedFileIsReportedOnceLoadedInPartAndKeptAsideBeforeTheFirstSave) {
    Write(m_data, kDamaged);
    CSetupDataFile file(m_data.string());
    const SetupLoadResult loaded = file.Load(m_store);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Damaged);
    const std::size_t offset = 4 + NewClassTag().size() + PlainBody("a").size() + 2;
    EXPECT_EQ(loaded.faultOffset, offset);
    for (const std::string& part : {m_data.string(), "byte offset " + std::to_string(offset), m_bad.string()})
        EXPECT_NE(loaded.message.find(part), std::string::npos) << loaded.message;
    EXPECT_EQ(m_store.GetCount(), 1u);
    EXPECT_EQ(ReadAll(m_data), kDamaged);  // reading changes nothing
    m_store.Store("new", std::make_unique<CSkirmakerData>());
    const SetupSaveResult first = file.Save(m_store);
    EXPECT_EQ(first.status, SetupSaveStatus::Saved);
    EXPECT_TRUE(first.message.empty());
    EXPECT_EQ(ReadAll(m_bad), kDamaged);
    EXPECT_EQ(ReadAll(m_data), CSetupDataFile::Encode(m_store));
    // Only the unread file is kept aside, not the one this run wrote.
    ASSERT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(FileCount(), 2);
}

// A file that was not read, or whose reading ran out of memory at any
// allocation, is never written over.
TEST_F(SetupDataFileTest, AFileThatWasNotReadWholeIsNeverWritten) {
    Write(m_data, ThreeEntries());
    CSetupDataFile file(m_data.string());
    const SetupSaveResult unread = file.Save(m_store);
    EXPECT_EQ(unread.status, SetupSaveStatus::NotLoaded);
    EXPECT_FALSE(unread.message.empty());
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
        EXPECT_EQ(ReadAll(m_data), ThreeEntries()) << allowed;
    }
    EXPECT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
}

TEST_F(SetupDataFileTest, FailedSaveIsReportedAndALaterSaveSucceeds) {
    const std::string path = (m_dir / "not-yet" / CSetupDataFile::kFileName).string();
    CSetupDataFile file(path);
    ASSERT_EQ(file.Load(m_store).status, SetupLoadStatus::Absent);
    m_store.Store("kept", std::make_unique<CSkirmakerData>());
    const SetupSaveResult failed = file.Save(m_store);
    EXPECT_EQ(failed.status, SetupSaveStatus::Failed);
    EXPECT_NE(failed.error, 0u);
    for (const std::string& part : {path, "code " + std::to_string(failed.error)})
        EXPECT_NE(failed.message.find(part), std::string::npos) << failed.message;
    EXPECT_TRUE(m_store.Contains("kept"));
    fs::create_directory(m_dir / "not-yet");
    ASSERT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadAll(path), CSetupDataFile::Encode(m_store));
}

TEST_F(SetupDataFileTest, OversizedFileIsNotReadAndAFileKeptAsideEarlierIsNotReplaced) {
    Write(m_bad, "earlier");
    WriteSizedFile(m_data, CSetupDataFile::kMaxFileBytes + 1);
    CSetupDataFile file(m_data.string());
    const SetupLoadResult loaded = file.Load(m_store);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Unreadable);
    for (const std::string& part : {m_data.string(), m_bad.string() + "2"})
        EXPECT_NE(loaded.message.find(part), std::string::npos) << loaded.message;
    ASSERT_EQ(file.Save(m_store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(fs::file_size(m_bad), 7u);  // still "earlier"; sizes only, as the kept file is huge
    EXPECT_EQ(fs::file_size(m_bad.string() + "2"), CSetupDataFile::kMaxFileBytes + 1);
}

}  // namespace
