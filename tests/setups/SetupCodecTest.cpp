#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "SetupBytes.h"
#include "setups/Archive.h"
#include "setups/SetupDataFile.h"
#include "setups/SetupStore.h"

namespace {

std::string Encode(CSetupStore& store) { return CSetupDataFile::Encode(store); }

std::string WriteString(const std::string& text) {
    std::string bytes;
    CArchive ar = CArchive::Storing(&bytes);
    ar.WriteString(text);
    return bytes;
}

std::string WriteCount(std::uint32_t count) {
    std::string bytes;
    CArchive ar = CArchive::Storing(&bytes);
    ar.WriteCount(count);
    return bytes;
}

CSkirmakerData* AddPlain(CSetupStore& store, const std::string& title) {
    auto record = std::make_unique<CSkirmakerData>();
    record->m_strTitle = title;
    record->m_strSetupTitle = title;
    return store.Store(title, std::move(record));
}

TEST(SetupCodec, WorkedExampleIsWrittenByteForByteAndReadBack) {
    CSetupStore store;
    CSkirmakerData* record = AddPlain(store, "abc");
    record->m_bPlayerSelectShips = 1;
    record->m_bPlayerVsAI = 1;

    const std::string expected = Bytes({0x01, 0x00, 0x03, 'a', 'b', 'c'}) + NewClassTag() +
                                 Bytes({0x03, 'a', 'b', 'c'}) + std::string(14, '\0') +
                                 Bytes({0x03, 'a', 'b', 'c', 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(expected.size(), 65u);
    EXPECT_EQ(Encode(store), expected);

    CSetupStore read;
    CArchive ar = CArchive::Loading(expected);
    read.Serialize(ar);
    EXPECT_FALSE(ar.Failed());
    EXPECT_EQ(ar.Offset(), expected.size());
    EXPECT_EQ(read, store);
}

TEST(SetupCodec, EmptyStoreIsTwoZeroBytes) {
    CSetupStore store;
    EXPECT_EQ(Encode(store), Bytes({0x00, 0x00}));
}

TEST(SetupCodec, StringLengthClasses) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Bytes({0x00})},
        {1, Bytes({0x01})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'x');
        const std::string bytes = WriteString(text);
        EXPECT_EQ(bytes, c.prefix + text);

        CArchive ar = CArchive::Loading(bytes);
        EXPECT_EQ(ar.ReadString(), text);
        EXPECT_FALSE(ar.Failed());
        EXPECT_EQ(ar.Offset(), bytes.size());
    }
}

TEST(SetupCodec, LongerLengthFormsAreReadForShortStrings) {
    const std::string forms[] = {
        Bytes({0x03, 'a', 'b', 'c'}),
        Bytes({0xFF, 0x03, 0x00, 'a', 'b', 'c'}),
        Bytes({0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c'}),
    };
    for (const std::string& bytes : forms) {
        CArchive ar = CArchive::Loading(bytes);
        EXPECT_EQ(ar.ReadString(), "abc");
        EXPECT_FALSE(ar.Failed());
    }
}

TEST(SetupCodec, CommentLineBreakIsStoredAsCarriageReturnLineFeed) {
    EXPECT_EQ(WriteString("a\r\nb"), Bytes({0x04, 'a', 0x0D, 0x0A, 'b'}));
}

TEST(SetupCodec, EntryCountForms) {
    struct Case {
        std::uint32_t count;
        std::string bytes;
    };
    const Case cases[] = {
        {0, Bytes({0x00, 0x00})},
        {0xFFFE, Bytes({0xFE, 0xFF})},
        {0xFFFF, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {0x12345678, Bytes({0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(WriteCount(c.count), c.bytes);
        CArchive ar = CArchive::Loading(c.bytes);
        EXPECT_EQ(ar.ReadCount(), c.count);
        EXPECT_FALSE(ar.Failed());
    }
    CArchive escaped = CArchive::Loading(Bytes({0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}));
    EXPECT_EQ(escaped.ReadCount(), 2u);
}

TEST(SetupCodec, LaterRecordsReferToTheClassAndNullEntriesAreZeroTags) {
    CSetupStore store;
    AddPlain(store, "a");
    store.Store("b", nullptr);
    AddPlain(store, "c");

    const std::string expected = Bytes({0x03, 0x00}) + Bytes({0x01, 'a'}) + NewClassTag() + PlainBody("a") +
                                 Bytes({0x01, 'b', 0x00, 0x00}) + Bytes({0x01, 'c', 0x01, 0x80}) + PlainBody("c");
    EXPECT_EQ(Encode(store), expected);

    CSetupStore read;
    CArchive ar = CArchive::Loading(expected);
    read.Serialize(ar);
    EXPECT_FALSE(ar.Failed());
    EXPECT_EQ(read, store);
    EXPECT_TRUE(read.Contains("b"));
    EXPECT_EQ(read.Find("b"), nullptr);
}

TEST(SetupCodec, EveryFieldRoundTripsInItsPlace) {
    CSetupStore store;
    auto record = std::make_unique<CSkirmakerData>();
    std::string* texts[] = {&record->m_strTitle,  &record->m_strShip1,  &record->m_strShip2,
                            &record->m_strShip3,  &record->m_strShip4,  &record->m_strShip5,
                            &record->m_strShip6,  &record->m_strShip7,  &record->m_strShip8,
                            &record->m_strShip9,  &record->m_strShip10, &record->m_strShip11,
                            &record->m_strShip12, &record->m_strShip13, &record->m_strShip14,
                            &record->m_strSetupTitle};
    std::string body;
    for (int i = 0; i < 16; ++i) {
        *texts[i] = std::string(1, static_cast<char>('A' + i));
        body += Bytes({0x01, 'A' + i});
    }
    record->m_bHostSelectShips = 1;
    record->m_bPlayerSelectShips = 2;
    record->m_bPlayerVsAI = -1;  // flags from a file are held as they are
    record->m_bPlayerVsPlayer = 0x01020304;
    record->m_strComments = "note";
    body += Bytes({1, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 4, 'n', 'o', 't', 'e'});
    store.Store("k", std::move(record));

    const std::string bytes = Encode(store);
    EXPECT_EQ(bytes, Bytes({0x01, 0x00, 0x01, 'k'}) + NewClassTag() + body);
    CSetupStore read;
    CArchive ar = CArchive::Loading(bytes);
    read.Serialize(ar);
    EXPECT_EQ(read, store);
}

// The reader's handling of every object tag form and of damaged data: where it
// stops, why, and how many entries it kept.
TEST(SetupCodec, ReaderRules) {
    const std::string head = Bytes({0x01, 'a'}) + NewClassTag() + PlainBody("a");
    struct Case {
        const char* name;
        std::string bytes;
        ArchiveFault fault;
        std::size_t faultOffset;
        std::size_t entries;
    };
    const Case cases[] = {
        {"whole file with trailing bytes", Bytes({0x01, 0x00}) + head + Bytes({0xDE, 0xAD}), ArchiveFault::None, 0, 1},
        {"zero-byte file", "", ArchiveFault::Truncated, 0, 0},
        {"count cut short", Bytes({0x01}), ArchiveFault::Truncated, 0, 0},
        {"no entries after count", Bytes({0x01, 0x00}), ArchiveFault::Truncated, 2, 0},
        {"count larger than the entries", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + head, ArchiveFault::Truncated,
         6 + head.size(), 1},
        {"record cut short", Bytes({0x01, 0x00}) + head.substr(0, 30), ArchiveFault::Truncated, 32, 0},
        {"string longer than the rest", Bytes({0x01, 0x00, 0x05, 'a', 'b'}), ArchiveFault::Truncated, 3, 0},
        {"huge 32-bit string length", Bytes({0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}),
         ArchiveFault::Truncated, 9, 0},
        {"wide-character string", Bytes({0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00}), ArchiveFault::WideString,
         2, 0},
        {"unknown class name", Bytes({0x01, 0x00, 0x01, 'a', 0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00, 'C', 'O', 'b'}),
         ArchiveFault::BadClass, 8, 0},
        {"class name cut short", Bytes({0x01, 0x00, 0x01, 'a', 0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00, 'C'}),
         ArchiveFault::Truncated, 10, 0},
        {"schema 2", Bytes({0x01, 0x00, 0x01, 'a', 0xFF, 0xFF, 0x02, 0x00, 0x0E, 0x00}) + std::string("CSkirmakerData"),
         ArchiveFault::BadSchema, 6, 0},
        {"class tag before any class", Bytes({0x01, 0x00, 0x01, 'a', 0x01, 0x80}), ArchiveFault::BadIndex, 4, 0},
        {"class tag naming a record", Bytes({0x02, 0x00}) + head + Bytes({0x01, 'b', 0x02, 0x80}),
         ArchiveFault::BadIndex, 4 + head.size(), 1},
        {"class tag 0", Bytes({0x01, 0x00, 0x01, 'a', 0x00, 0x80}), ArchiveFault::BadIndex, 4, 0},
        {"reference to an earlier record", Bytes({0x02, 0x00}) + head + Bytes({0x01, 'b', 0x02, 0x00}),
         ArchiveFault::ObjectReference, 4 + head.size(), 1},
        {"long tag to an earlier record", Bytes({0x02, 0x00}) + head + Bytes({0x01, 'b', 0xFF, 0x7F, 2, 0, 0, 0}),
         ArchiveFault::ObjectReference, 4 + head.size(), 1},
        {"long tag to an unknown class", Bytes({0x02, 0x00}) + head + Bytes({0x01, 'b', 0xFF, 0x7F, 5, 0, 0, 0x80}),
         ArchiveFault::BadIndex, 4 + head.size(), 1},
        {"long tag cut short", Bytes({0x01, 0x00, 0x01, 'a', 0xFF, 0x7F, 0x00}), ArchiveFault::Truncated, 6, 0},
        {"long tag to the class", Bytes({0x02, 0x00}) + head + Bytes({0x01, 'b', 0xFF, 0x7F, 1, 0, 0, 0x80}) +
         PlainBody("b"), ArchiveFault::None, 0, 2},
        {"long null tag", Bytes({0x01, 0x00, 0x01, 'a', 0xFF, 0x7F, 0, 0, 0, 0}), ArchiveFault::None, 0, 1},
        {"a second class description", Bytes({0x03, 0x00}) + head + Bytes({0x01, 'b'}) + NewClassTag() +
         PlainBody("b") + Bytes({0x01, 'c', 0x03, 0x80}) + PlainBody("c"), ArchiveFault::None, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSetupStore store;
        CArchive ar = CArchive::Loading(c.bytes);
        store.Serialize(ar);
        EXPECT_EQ(ar.Fault(), c.fault);
        if (c.fault != ArchiveFault::None) {
            EXPECT_EQ(ar.FaultOffset(), c.faultOffset);
            EXPECT_FALSE(ar.FaultText().empty());
        }
        EXPECT_EQ(store.GetCount(), c.entries);
    }
}

TEST(SetupCodec, LaterEntryWithTheSameKeyReplacesTheEarlier) {
    const std::string bytes = Bytes({0x02, 0x00}) + Bytes({0x01, 'a'}) + NewClassTag() + PlainBody("first") +
                              Bytes({0x01, 'a', 0x01, 0x80}) + PlainBody("second");
    CSetupStore store;
    CArchive ar = CArchive::Loading(bytes);
    store.Serialize(ar);
    ASSERT_FALSE(ar.Failed());
    ASSERT_EQ(store.GetCount(), 1u);
    EXPECT_EQ(store.Find("a")->m_strTitle, "second");
}

}  // namespace
