#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "setups/SetupStore.h"

namespace {

std::unique_ptr<CSkirmakerData> Record(const std::string& comment) {
    auto record = std::make_unique<CSkirmakerData>();
    record->m_strComments = comment;
    return record;
}

TEST(SetupStore, TitlesAreComparedExactly) {
    CSetupStore store;
    store.Store("Alpha", Record("1"));
    store.Store("alpha", Record("2"));
    store.Store("Alpha ", Record("3"));
    EXPECT_EQ(store.GetCount(), 3u);
    EXPECT_EQ(store.Find("Alpha")->m_strComments, "1");
    EXPECT_EQ(store.Find("alpha")->m_strComments, "2");
    EXPECT_EQ(store.Find("Alpha ")->m_strComments, "3");
    EXPECT_FALSE(store.Contains("ALPHA"));
    EXPECT_EQ(store.Find("ALPHA"), nullptr);
}

TEST(SetupStore, TitleMayStandForNoRecord) {
    CSetupStore store;
    EXPECT_EQ(store.Store("empty", nullptr), nullptr);
    EXPECT_TRUE(store.Contains("empty"));
    EXPECT_EQ(store.Find("empty"), nullptr);
}

TEST(SetupStore, StoringUnderAKeyReplacesItsRecord) {
    CSetupStore store;
    store.Store("a", Record("old"));
    CSkirmakerData* stored = store.Store("a", Record("new"));
    EXPECT_EQ(store.GetCount(), 1u);
    EXPECT_EQ(store.Find("a"), stored);
    EXPECT_EQ(stored->m_strComments, "new");
}

TEST(SetupStore, EqualityComparesRecordsNotPointers) {
    CSetupStore a, b;
    a.Store("x", Record("c"));
    b.Store("x", Record("c"));
    EXPECT_EQ(a, b);
    b.Find("x")->m_bPlayerVsAI = 1;
    EXPECT_NE(a, b);
    b.Store("x", nullptr);
    EXPECT_NE(a, b);
    a.Store("x", nullptr);
    EXPECT_EQ(a, b);
    a.Store("y", nullptr);
    EXPECT_NE(a, b);
}

}  // namespace
