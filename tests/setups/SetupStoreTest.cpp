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

TEST(SetupStore, TitlesAreComparedByteForByte) {
    CSetupStore store;
    store.Store("Alpha", Record("1"));
    store.Store("alpha", Record("2"));
    store.Store("Alpha ", Record("3"));
    EXPECT_EQ(store.GetCount(), 3u);
    EXPECT_EQ(store.Find("alpha")->m_strComments, "2");
    EXPECT_EQ(store.Find("Alpha ")->m_strComments, "3");
    EXPECT_FALSE(store.Contains("ALPHA"));
}

TEST(SetupStore, EqualityComparesKeysAndRecordsNotPointers) {
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
