#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SetupBytes.h"
#include "setups/SetupDataFile.h"

namespace fs = std::filesystem;

namespace {

// Each test works in a folder of its own, removed afterwards.
class SetupDataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("skm-setups-" + std::string(info->name()) + "-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
    std::string DataPath() const { return PathOf(CSetupDataFile::kFileName); }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_dir;
};

std::unique_ptr<CSkirmakerData> Titled(const std::string& title) {
    auto record = std::make_unique<CSkirmakerData>();
    record->m_strTitle = title;
    record->m_strSetupTitle = title;
    record->m_strShip1 = "Raider";
    return record;
}

// A valid first entry, then a class tag naming no class.
const std::string kDamaged = Bytes({0x02, 0x00, 0x01, 'a'}) + NewClassTag() + PlainBody("a") +
                             Bytes({0x01, 'b', 0x09, 0x80}) + PlainBody("b");

TEST_F(SetupDataFileTest, AbsentFileStartsEmptyAndFirstSaveInTheWorkingFolderWritesTwoZeroBytes) {
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    CSetupDataFile file;
    CSetupStore store;
    const SetupLoadResult loaded = file.Load(store);
    const SetupSaveResult saved = file.Save(store);
    fs::current_path(previous);

    EXPECT_EQ(loaded.status, SetupLoadStatus::Absent);
    EXPECT_TRUE(loaded.message.empty());
    EXPECT_EQ(store.GetCount(), 0u);
    EXPECT_EQ(saved.status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadFile(DataPath()), Bytes({0x00, 0x00}));
    EXPECT_EQ(Names(), std::vector<std::string>{"SkirmakerData.dat"});
}

TEST_F(SetupDataFileTest, SaveReplacesTheWholeFileLeavingNoStaleBytes) {
    CSetupStore before;
    for (const char* title : {"one", "two", "three"}) before.Store(title, Titled(title));
    WriteFile(DataPath(), CSetupDataFile::Encode(before));

    CSetupDataFile file(DataPath());
    CSetupStore store;
    ASSERT_EQ(file.Load(store).status, SetupLoadStatus::Loaded);
    EXPECT_EQ(store, before);

    store.Clear();
    store.Store("x", Titled("x"));
    ASSERT_EQ(file.Save(store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadFile(DataPath()), CSetupDataFile::Encode(store));
    EXPECT_EQ(Names(), std::vector<std::string>{"SkirmakerData.dat"});

    CSetupStore reread;
    EXPECT_EQ(CSetupDataFile(DataPath()).Load(reread).status, SetupLoadStatus::Loaded);
    EXPECT_EQ(reread, store);
}

TEST_F(SetupDataFileTest, DamagedFileIsReportedOnceLoadedInPartAndKeptAsideBeforeTheFirstSave) {
    WriteFile(DataPath(), kDamaged);
    CSetupDataFile file(DataPath());
    CSetupStore store;
    const SetupLoadResult loaded = file.Load(store);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Damaged);
    const std::size_t offset = 4 + NewClassTag().size() + PlainBody("a").size() + 2;
    EXPECT_EQ(loaded.faultOffset, offset);
    EXPECT_NE(loaded.message.find(DataPath()), std::string::npos) << loaded.message;
    EXPECT_NE(loaded.message.find("byte offset " + std::to_string(offset)), std::string::npos) << loaded.message;
    EXPECT_NE(loaded.message.find("SkirmakerData.dat.bad"), std::string::npos) << loaded.message;
    EXPECT_EQ(store.GetCount(), 1u);
    EXPECT_EQ(ReadFile(DataPath()), kDamaged);  // reading changes nothing

    store.Store("new", Titled("new"));
    const SetupSaveResult first = file.Save(store);
    EXPECT_EQ(first.status, SetupSaveStatus::Saved);
    EXPECT_TRUE(first.message.empty());
    EXPECT_EQ(ReadFile(PathOf("SkirmakerData.dat.bad")), kDamaged);
    EXPECT_EQ(ReadFile(DataPath()), CSetupDataFile::Encode(store));

    // Only the unread file is kept aside, not the one this run wrote.
    ASSERT_EQ(file.Save(store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(Names(), (std::vector<std::string>{"SkirmakerData.dat", "SkirmakerData.dat.bad"}));
}

TEST_F(SetupDataFileTest, FileKeptAsideEarlierIsNotReplaced) {
    WriteFile(PathOf("SkirmakerData.dat.bad"), "earlier");
    WriteFile(DataPath(), Bytes({0x01}));
    CSetupDataFile file(DataPath());
    CSetupStore store;
    const SetupLoadResult loaded = file.Load(store);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Damaged);
    EXPECT_NE(loaded.message.find("SkirmakerData.dat.bad2"), std::string::npos) << loaded.message;

    ASSERT_EQ(file.Save(store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(ReadFile(PathOf("SkirmakerData.dat.bad")), "earlier");
    EXPECT_EQ(ReadFile(PathOf("SkirmakerData.dat.bad2")), Bytes({0x01}));
    EXPECT_EQ(ReadFile(DataPath()), Bytes({0x00, 0x00}));
}

TEST_F(SetupDataFileTest, RunThatNeverLoadedDoesNotWrite) {
    WriteFile(DataPath(), kDamaged);
    CSetupDataFile file(DataPath());
    CSetupStore store;
    const SetupSaveResult saved = file.Save(store);
    EXPECT_EQ(saved.status, SetupSaveStatus::NotLoaded);
    EXPECT_FALSE(saved.message.empty());
    EXPECT_EQ(ReadFile(DataPath()), kDamaged);
}

TEST_F(SetupDataFileTest, FailedSaveIsReportedAndALaterSaveSucceeds) {
    const std::string path = (m_dir / "not-yet" / CSetupDataFile::kFileName).string();
    CSetupDataFile file(path);
    CSetupStore store;
    ASSERT_EQ(file.Load(store).status, SetupLoadStatus::Absent);
    store.Store("kept", Titled("kept"));

    const SetupSaveResult failed = file.Save(store);
    EXPECT_EQ(failed.status, SetupSaveStatus::Failed);
    EXPECT_NE(failed.error, 0u);
    EXPECT_NE(failed.message.find(path), std::string::npos) << failed.message;
    EXPECT_NE(failed.message.find("code " + std::to_string(failed.error)), std::string::npos) << failed.message;
    ASSERT_NE(store.Find("kept"), nullptr);

    fs::create_directory(m_dir / "not-yet");
    ASSERT_EQ(file.Save(store).status, SetupSaveStatus::Saved);
    CSetupStore reread;
    EXPECT_EQ(CSetupDataFile(path).Load(reread).status, SetupLoadStatus::Loaded);
    EXPECT_EQ(reread, store);
}

TEST_F(SetupDataFileTest, OversizedFileIsNotReadButKeptAside) {
    {
        std::ofstream(DataPath(), std::ios::binary).put('\0');
    }
    fs::resize_file(DataPath(), CSetupDataFile::kMaxFileBytes + 1);  // sparse: no real data written
    CSetupDataFile file(DataPath());
    CSetupStore store;
    const SetupLoadResult loaded = file.Load(store);
    EXPECT_EQ(loaded.status, SetupLoadStatus::Unreadable);
    EXPECT_NE(loaded.error, 0u);
    EXPECT_NE(loaded.message.find(DataPath()), std::string::npos) << loaded.message;

    ASSERT_EQ(file.Save(store).status, SetupSaveStatus::Saved);
    EXPECT_EQ(fs::file_size(PathOf("SkirmakerData.dat.bad")), CSetupDataFile::kMaxFileBytes + 1);
    EXPECT_EQ(ReadFile(DataPath()), Bytes({0x00, 0x00}));
}

}  // namespace
