// The data file's byte format: what is written, and what a reader accepts and refuses.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "SetupBytes.h"
#include "setups/Archive.h"
#include "setups/SetupDataFile.h"
#include "setups/SetupStore.h"

namespace {

CSkirmakerData* AddPlain(CSetupStore& store, const std::string& title, const CSetupForm& form = {}) {
    return store.Store(title, CSkirmakerData::Saved(title, form));
}

CArchive Read(CSetupStore& store, const std::string& bytes) {
    CArchive ar = CArchive::Loading(bytes);
    store.Serialize(ar);
    return ar;
}

// `store` is written as exactly `expected`, which reads back whole into an equal store.
void ExpectWrittenAndReadBack(CSetupStore& store, const std::string& expected) {
    EXPECT_EQ(CSetupDataFile::Encode(store), expected);
    CSetupStore read;
    const CArchive ar = Read(read, expected);
    EXPECT_FALSE(ar.Failed());
    EXPECT_EQ(ar.Offset(), expected.size());
    EXPECT_EQ(CSetupDataFile::Encode(read), expected);
    for (const auto& [title, record] : store.GetEntries()) {  // each record reads back as the title and form it holds
        const CSkirmakerData* back = read.Find(title.View());
        EXPECT_TRUE(back ? record && CSkirmakerData(back->Title(), back->Form()) == *record : !record) << title.View();
    }
}

TEST(SetupCodec, WorkedExampleIsWrittenByteForByteAndReadBack) {
    CSetupStore store;
    CSetupForm form;
    form.m_bPlayerSelectShips = form.m_bPlayerVsAI = 1;
    AddPlain(store, "abc", form);
    const std::string expected = Bytes({0x01, 0x00, 0x03, 'a', 'b', 'c'}) + NewClassTag() +
                                 Bytes({0x03, 'a', 'b', 'c'}) + std::string(14, '\0') +
                                 Bytes({0x03, 'a', 'b', 'c', 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(expected.size(), 65u);
    ExpectWrittenAndReadBack(store, expected);
}

TEST(SetupCodec, StringLengthClassesAndEntryCountForms) {
    const std::pair<std::size_t, std::string> strings[] = {
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& [length, prefix] : strings) {
        SCOPED_TRACE(length);
        const std::string text(length, 'x');
        std::string bytes;
        CArchive::Storing(&bytes).WriteString(text);
        EXPECT_EQ(bytes, prefix + text);
        CArchive ar = CArchive::Loading(bytes);
        EXPECT_EQ(ar.ReadText(), text);
        EXPECT_EQ(ar.Offset(), bytes.size());
    }
    const std::pair<std::uint32_t, std::string> counts[] = {
        {0, Bytes({0x00, 0x00})},
        {0xFFFE, Bytes({0xFE, 0xFF})},
        {0xFFFF, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {0x12345678, Bytes({0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12})},
    };
    for (const auto& [count, expected] : counts) {
        SCOPED_TRACE(count);
        std::string bytes;
        CArchive::Storing(&bytes).WriteCount(count);
        EXPECT_EQ(bytes, expected);
        EXPECT_EQ(CArchive::Loading(bytes).ReadCount(), count);
    }
    EXPECT_EQ(CArchive::Loading(Bytes({0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00})).ReadCount(), 2u);
}

TEST(SetupCodec, LaterRecordsReferToTheClassAndKeysWithoutRecordAreZeroTags) {
    CSetupStore store;
    AddPlain(store, "a");
    store.Store("b", std::nullopt);
    AddPlain(store, "c");
    ExpectWrittenAndReadBack(store, Bytes({0x03, 0x00, 0x01, 'a'}) + NewClassTag() + PlainBody("a") +
                                        Bytes({0x01, 'b', 0x00, 0x00, 0x01, 'c', 0x01, 0x80}) + PlainBody("c"));
    CSetupStore twice;  // a key met twice: the later entry replaces the earlier
    ASSERT_FALSE(Read(twice, Bytes({0x02, 0x00, 0x01, 'a'}) + NewClassTag() + PlainBody("first") +
                                 Bytes({0x01, 'a', 0x01, 0x80}) + PlainBody("second")).Failed());
    ASSERT_EQ(twice.GetCount(), 1u);
    EXPECT_EQ(twice.Find("a")->Title(), "second");
}

TEST(SetupCodec, EveryFieldRoundTripsInItsPlace) {
    CSetupForm f;
    std::string* texts[] = {&f.m_strShip1, &f.m_strShip2, &f.m_strShip3, &f.m_strShip4, &f.m_strShip5, &f.m_strShip6,
                            &f.m_strShip7, &f.m_strShip8, &f.m_strShip9, &f.m_strShip10, &f.m_strShip11,
                            &f.m_strShip12, &f.m_strShip13, &f.m_strShip14, &f.m_strSetupTitle};
    std::string body = Bytes({0x01, 'A'});  // the title
    for (int i = 0; i < 15; ++i) {
        *texts[i] = std::string(1, static_cast<char>('B' + i));
        body += Bytes({0x01, 'B' + i});
    }
    f.m_bHostSelectShips = 1;
    f.m_bPlayerSelectShips = 2;
    f.m_bPlayerVsAI = -1;  // flags from a file are held as they are
    f.m_bPlayerVsPlayer = 0x01020304;
    f.m_strComments = "a\r\nb" + std::string(5000, 'c');  // line breaks as they are; a longer length
    body += Bytes({1, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0xFF, 0x8C, 0x13}) + f.m_strComments;
    CSetupStore store;
    store.Store("k", CSkirmakerData("A", f));
    ExpectWrittenAndReadBack(store, Bytes({0x01, 0x00, 0x01, 'k'}) + NewClassTag() + body);
}

// Every object tag form and damaged data: where reading stops, why, and how many entries it kept.
TEST(SetupCodec, ReaderRules) {
    const std::string head = Bytes({0x01, 'a'}) + NewClassTag() + PlainBody("a");
    const std::string two = Bytes({0x02, 0x00}) + head + Bytes({0x01, 'b'});
    const std::string oneA = Bytes({0x01, 0x00, 0x01, 'a'});
    struct Case { const char* name; std::string bytes; ArchiveFault fault; std::size_t faultOffset, entries; };
    using F = ArchiveFault;
    const Case cases[] = {
        {"trailing bytes ignored", Bytes({0x01, 0x00}) + head + Bytes({0xDE, 0xAD}), F::None, 0, 1},
        {"longer length forms than needed",
         Bytes({0x02, 0x00, 0xFF, 0x01, 0x00, 'a', 0, 0, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 'b', 0, 0}), F::None, 0, 2},
        {"zero-byte file", "", F::Truncated, 0, 0},
        {"count cut short", Bytes({0x01}), F::Truncated, 0, 0},
        {"no entries after count", Bytes({0x01, 0x00}), F::Truncated, 2, 0},
        {"count larger than the entries", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + head, F::Truncated,
         6 + head.size(), 1},
        {"record cut short", Bytes({0x01, 0x00}) + head.substr(0, 30), F::Truncated, 32, 0},
        {"string longer than the rest", Bytes({0x01, 0x00, 0x05, 'a', 'b'}), F::Truncated, 3, 0},
        {"huge 32-bit length", Bytes({0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}), F::Truncated, 9, 0},
        {"wide string", Bytes({0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00}), F::WideString, 2, 0},
        {"unknown class name", oneA + Bytes({0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00, 'C', 'O', 'b'}), F::BadClass, 8, 0},
        {"class name cut short", oneA + Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00, 'C'}), F::Truncated, 10, 0},
        {"schema 2", oneA + Bytes({0xFF, 0xFF, 0x02, 0x00, 0x0E, 0x00}) + "CSkirmakerData", F::BadSchema, 6, 0},
        {"class tag before any class", oneA + Bytes({0x01, 0x80}), F::BadIndex, 4, 0},
        {"class tag 0", oneA + Bytes({0x00, 0x80}), F::BadIndex, 4, 0},
        {"class tag naming a record", two + Bytes({0x02, 0x80}), F::BadIndex, two.size(), 1},
        {"reference to an earlier record", two + Bytes({0x02, 0x00}), F::ObjectReference, two.size(), 1},
        {"long tag to an earlier record", two + Bytes({0xFF, 0x7F, 2, 0, 0, 0}), F::ObjectReference, two.size(), 1},
        {"long tag to an unknown class", two + Bytes({0xFF, 0x7F, 5, 0, 0, 0x80}), F::BadIndex, two.size(), 1},
        {"long tag cut short", oneA + Bytes({0xFF, 0x7F, 0x00}), F::Truncated, 6, 0},
        {"long tag to the class", two + Bytes({0xFF, 0x7F, 1, 0, 0, 0x80}) + PlainBody("b"), F::None, 0, 2},
        {"long null tag", oneA + Bytes({0xFF, 0x7F, 0, 0, 0, 0}), F::None, 0, 1},
        {"more entries than reading takes", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) +
         std::string(3 * (CSetupStore::kMaxEntries + 1), '\0'), F::TooManyEntries, 6 + 3 * CSetupStore::kMaxEntries, 1},
        {"a second class description", Bytes({0x03, 0x00}) + head + Bytes({0x01, 'b'}) + NewClassTag() +
         PlainBody("b") + Bytes({0x01, 'c', 0x03, 0x80}) + PlainBody("c"), F::None, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSetupStore store;
        const CArchive ar = Read(store, c.bytes);
        EXPECT_EQ(ar.Fault(), c.fault);
        if (c.fault != F::None) {
            EXPECT_EQ(ar.FaultOffset(), c.faultOffset);
            EXPECT_FALSE(ar.FaultText().empty());
        }
        EXPECT_EQ(store.GetCount(), c.entries);
    }
}

}  // namespace
