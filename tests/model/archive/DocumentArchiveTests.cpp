#include "ArchiveTestSupport.h"

#include <boost/archive/text_iarchive.hpp>
#include <boost/archive/text_oarchive.hpp>
#include <boost/serialization/base_object.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/list.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/tracking.hpp>
#include <boost/serialization/vector.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <list>
#include <memory>
#include <type_traits>
#include <vector>

using ArchiveTest::kHeader;
using ArchiveTest::ReadText;
using ArchiveTest::Tokens;
using ArchiveTest::Written;

// A polymorphic item never tracked, as the document's classes, and a derived one.
struct CTestItem {
    virtual ~CTestItem() = default;
    int value = 0;
    template <class Archive>
    void serialize(Archive& ar, unsigned int)
    {
        ar & value;
    }
};
struct CTestBigItem : CTestItem {
    std::string label;
    template <class Archive>
    void serialize(Archive& ar, unsigned int)
    {
        ar & boost::serialization::base_object<CTestItem>(*this) & label;
    }
};
// A tracked tree node: nesting is driven by the input.
struct CTestNode {
    std::vector<CTestNode*> children;
    template <class Archive>
    void serialize(Archive& ar, unsigned int)
    {
        ar & children;
    }
};
// A second tracked class.
struct CTestMark {
    int value = 0;
    template <class Archive>
    void serialize(Archive& ar, unsigned int)
    {
        ar & value;
    }
};
BOOST_CLASS_TRACKING(CTestItem, boost::serialization::track_never)
BOOST_CLASS_TRACKING(CTestBigItem, boost::serialization::track_never)
BOOST_CLASS_EXPORT_KEY2(CTestItem, "TestItem")
BOOST_CLASS_EXPORT_KEY2(CTestBigItem, "TestBigItem")
BOOST_CLASS_EXPORT_IMPLEMENT(CTestItem)
BOOST_CLASS_EXPORT_IMPLEMENT(CTestBigItem)

namespace {

using Items = std::vector<CTestItem*>;

Items MakeItems()
{
    auto* big = new CTestBigItem;
    big->value = 7;
    big->label = "big one";
    auto* little = new CTestItem;
    little->value = -3;
    return {little, big, nullptr};
}

void DeleteItems(Items& items)
{
    for (CTestItem* item : items)
        delete item;
    items.clear();
}

template <class Archive>
void RegisterItems(Archive& ar)
{
    ar.template register_type<CTestItem>();
    ar.template register_type<CTestBigItem>();
    if constexpr (std::is_same_v<Archive, CDocumentIArchive>)
        ar.template DeclareSubclasses<CTestItem, CTestBigItem>();
}

void ExpectItems(const Items& items)
{
    ASSERT_EQ(3u, items.size());
    ASSERT_NE(nullptr, items[0]);
    EXPECT_EQ(typeid(CTestItem), typeid(*items[0]));
    EXPECT_EQ(-3, items[0]->value);
    auto* big = dynamic_cast<CTestBigItem*>(items[1]);
    ASSERT_NE(nullptr, big);
    EXPECT_EQ(7, big->value);
    EXPECT_EQ("big one", big->label);
    EXPECT_EQ(nullptr, items[2]);
}

using ErrorCode = boost::archive::archive_exception::exception_code;

// The code of the archive error that reading raises; no_exception when it raises none.
ErrorCode ArchiveErrorOf(const std::string& text, const std::function<void(CDocumentIArchive&)>& read)
{
    try {
        ReadText(text, read);
    } catch (const boost::archive::archive_exception& e) {
        return e.code;
    }
    return boost::archive::archive_exception::no_exception;
}

} // namespace

TEST(DocumentArchive, HeaderCarriesLibraryVersion3AndEndsWithCrLf)
{
    const std::string text = Written([](CDocumentOArchive&) {});
    EXPECT_EQ(kHeader, Tokens(text));
    EXPECT_EQ("22 serialization::archive 3\r\n", text);
}

TEST(DocumentArchive, PrimitivesAndCollectionsUseTheVersion3Layout)
{
    struct Case {
        const char* name;
        std::function<void(CDocumentOArchive&)> write;
        const char* tokens;
    };
    const Case cases[] = {
        {"int", [](CDocumentOArchive& ar) { ar << -7; }, "-7"},
        {"unsigned", [](CDocumentOArchive& ar) { ar << 4000000000u; }, "4000000000"},
        {"bool", [](CDocumentOArchive& ar) { ar << true << false; }, "1 0"},
        {"char", [](CDocumentOArchive& ar) { ar << char(-5) << char('A'); }, "-5 65"},
        {"unsigned char", [](CDocumentOArchive& ar) { ar << static_cast<unsigned char>(200); }, "200"},
        {"float 8 digits", [](CDocumentOArchive& ar) { ar << 0.1f << 1.0f / 3.0f << 2.0f << -1.5e-7f; },
         "0.1 0.33333334 2 -1.5000001e-07"},
        {"double 17 digits", [](CDocumentOArchive& ar) { ar << 0.1 << 1.0 / 3.0 << 20.0; },
         "0.10000000000000001 0.33333333333333331 20"},
        {"string", [](CDocumentOArchive& ar) { ar << std::string("two words"); }, "9 two words"},
        {"vector of int: count, no item version, no class information",
         [](CDocumentOArchive& ar) { ar << std::vector<int>{4, -5, 6}; }, "3 4 -5 6"},
        {"vector of bool", [](CDocumentOArchive& ar) { ar << std::vector<bool>{true, false, true}; }, "3 1 0 1"},
        {"list of int", [](CDocumentOArchive& ar) { ar << std::list<int>{1, 2}; }, "2 1 2"},
        {"vector of pointers: class information, count, then pointer records",
         [](CDocumentOArchive& ar) {
             RegisterItems(ar);
             Items items = MakeItems();
             ar << items;
             DeleteItems(items);
         },
         // vector (tracking 0, version 0), count 3; item: class 0, its tracking 0, version 0,
         // value; big item: class 1, tracking, version, base object's record, label; null.
         "0 0 3 0 0 0 -3 1 0 0 7 7 big one -1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kHeader + " " + c.tokens, Tokens(Written(c.write))) << c.name;
}

TEST(DocumentArchive, CollectionsOfTheLibrarysOwnWriterCarryAnItemVersion)
{
    // The library's current writer puts an item version after each count; version 3 does not.
    std::ostringstream os;
    {
        boost::archive::text_oarchive ar(os);
        ar << std::vector<int>{4, 5};
    }
    const std::string current = Tokens(os.str());
    EXPECT_NE(std::string::npos, current.find(" 2 0 4 5")) << current;
    EXPECT_EQ(kHeader + " 2 4 5", Tokens(Written([](CDocumentOArchive& ar) { ar << std::vector<int>{4, 5}; })));
}

TEST(DocumentArchive, ReadsBackWhatItWritesWithCrLfOrLfLineEnds)
{
    const std::string crlf = Written([](CDocumentOArchive& ar) {
        RegisterItems(ar);
        Items items = MakeItems();
        ar << items << std::string("line one\nline two") << std::vector<bool>{true, false} << 0.1f << 0.1;
        DeleteItems(items);
    });
    EXPECT_NE(std::string::npos, crlf.find("line one\r\nline two"));
    for (const std::string& text : {crlf, ArchiveTest::WithLfEnds(crlf)}) {
        ReadText(text, [](CDocumentIArchive& ar) {
            RegisterItems(ar);
            Items items;
            std::string lines;
            std::vector<bool> flags;
            float single = 0;
            double twice = 0;
            ar >> items >> lines >> flags >> single >> twice;
            ExpectItems(items);
            DeleteItems(items);
            EXPECT_EQ("line one\nline two", lines);
            EXPECT_EQ((std::vector<bool>{true, false}), flags);
            EXPECT_EQ(0.1f, single);
            EXPECT_EQ(0.1, twice);
        });
    }
}

TEST(DocumentArchive, TheLibrarysOwnReaderReadsWhatWeWrite)
{
    const std::string text = Written([](CDocumentOArchive& ar) {
        RegisterItems(ar);
        Items items = MakeItems();
        ar << 42 << true << 2.5f << 0.1 << std::string("name") << std::vector<int>{1, 2, 3}
           << std::vector<bool>{false, true} << items;
        DeleteItems(items);
    });
    std::istringstream is(text);
    boost::archive::text_iarchive ar(is);
    RegisterItems(ar);
    int number = 0;
    bool flag = false;
    float single = 0;
    double twice = 0;
    std::string name;
    std::vector<int> numbers;
    std::vector<bool> flags;
    Items items;
    ar >> number >> flag >> single >> twice >> name >> numbers >> flags >> items;
    EXPECT_EQ(3u, ar.get_library_version());
    EXPECT_EQ(42, number);
    EXPECT_TRUE(flag);
    EXPECT_EQ(2.5f, single);
    EXPECT_EQ(0.1, twice);
    EXPECT_EQ("name", name);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), numbers);
    EXPECT_EQ((std::vector<bool>{false, true}), flags);
    ExpectItems(items);
    DeleteItems(items);
}

TEST(DocumentArchive, ReadsTheCurrentLibraryVersionToo)
{
    std::ostringstream os;
    {
        boost::archive::text_oarchive ar(os);
        RegisterItems(ar);
        Items items = MakeItems();
        ar << items << std::vector<int>{8, 9};
        DeleteItems(items);
    }
    ReadText(os.str(), [](CDocumentIArchive& ar) {
        RegisterItems(ar);
        Items items;
        std::vector<int> numbers;
        ar >> items >> numbers;
        ExpectItems(items);
        DeleteItems(items);
        EXPECT_EQ((std::vector<int>{8, 9}), numbers);
    });
}

TEST(DocumentArchive, ClassesMetFirstThroughAPointerAreNamedByTheirKey)
{
    const std::string text = Written([](CDocumentOArchive& ar) {
        Items items = MakeItems();
        ar << items;
        DeleteItems(items);
    });
    // The declared class is registered by its first pointer; the derived one is named.
    EXPECT_EQ(kHeader + " 0 0 3 1 0 0 -3 2 11 TestBigItem 0 0 7 7 big one -1", Tokens(text));
    ReadText(text, [](CDocumentIArchive& ar) {
        ar.DeclareSubclasses<CTestItem, CTestBigItem>();
        Items items;
        ar >> items;
        ExpectItems(items);
        DeleteItems(items);
    });
}

TEST(DocumentArchive, DamagedInputRaisesTheArchiveError)
{
    const auto readNothing = [](CDocumentIArchive&) {};
    const auto readInts = [](CDocumentIArchive& ar) {
        std::vector<int> numbers;
        ar >> numbers;
    };
    const auto readBools = [](CDocumentIArchive& ar) {
        std::vector<bool> flags;
        ar >> flags;
    };
    const auto readString = [](CDocumentIArchive& ar) {
        std::string s;
        ar >> s;
    };
    const auto readChars = [](CDocumentIArchive& ar) {
        char c = 0;
        unsigned char u = 0;
        ar >> c >> u;
    };
    const auto readItems = [](CDocumentIArchive& ar) {
        RegisterItems(ar);
        Items items;
        ar >> items;
    };
    const auto readBigItems = [](CDocumentIArchive& ar) {
        RegisterItems(ar);
        std::vector<CTestBigItem*> items;
        ar >> items;
    };
    const auto readUndeclaredItems = [](CDocumentIArchive& ar) {
        Items items;
        ar >> items;
    };
    const auto readUnregisteredItems = [](CDocumentIArchive& ar) {
        ar.DeclareSubclasses<CTestItem, CTestBigItem>();
        Items items;
        ar >> items;
    };
    const auto readNodeAndMark = [](CDocumentIArchive& ar) {
        ar.register_type<CTestNode>();
        ar.register_type<CTestMark>();
        CTestNode* node = nullptr;
        CTestMark* mark = nullptr;
        ar >> node >> mark;
    };
    const auto readNodeThenNodeInPlace = [](CDocumentIArchive& ar) {
        ar.register_type<CTestNode>();
        CTestNode* node = nullptr;
        CTestNode inPlace;
        ar >> node >> inPlace;
    };
    const auto readNode = [](CDocumentIArchive& ar) {
        ar.register_type<CTestNode>();
        CTestNode* node = nullptr;
        ar >> node;
    };
    std::string deepNodes = kHeader + " 0 1 0 0 0 0 1";
    for (int level = 1; level < 20000; ++level)
        deepNodes += " 0 " + std::to_string(level) + " 1";

    using E = boost::archive::archive_exception;
    struct Case {
        const char* name;
        std::string text;
        std::function<void(CDocumentIArchive&)> read;
        ErrorCode error;
    };
    const Case cases[] = {
        {"empty input", "", readNothing, E::input_stream_error},
        {"not an archive", "hello world", readNothing, E::input_stream_error},
        {"wrong signature", "22 serialization::archivX 3", readNothing, E::invalid_signature},
        {"signature length beyond the input", "4000000000 serialization::archive 3", readNothing, E::input_stream_error},
        {"library version older than 3", "22 serialization::archive 2", readNothing, E::unsupported_version},
        {"library version newer than the library's", "22 serialization::archive 99", readNothing, E::unsupported_version},
        {"missing value", kHeader, readInts, E::input_stream_error},
        {"absurd count", kHeader + " 4000000000 1 2", readInts, E::input_stream_error},
        {"count beyond size_t", kHeader + " 99999999999999999999999 1", readInts, E::input_stream_error},
        {"negative count", kHeader + " -1 1", readInts, E::input_stream_error},
        {"absurd count of bools", kHeader + " 4000000000 1", readBools, E::input_stream_error},
        {"bool out of range", kHeader + " 1 7", readBools, E::input_stream_error},
        {"string length beyond the input", kHeader + " 5000000000000 abc", readString, E::input_stream_error},
        {"string cut short", kHeader + " 10 abc", readString, E::input_stream_error},
        {"char out of range", kHeader + " 300 1", readChars, E::input_stream_error},
        {"unsigned char out of range", kHeader + " 1 256", readChars, E::input_stream_error},
        {"malformed number", kHeader + " 3 4 x 6", readInts, E::input_stream_error},
        {"class identifier beyond the next", kHeader + " 0 0 1 7 0 0 5", readItems, E::unregistered_class},
        {"negative class identifier", kHeader + " 0 0 1 -5 0 0 5", readItems, E::unregistered_class},
        {"class identifier of an object-only class", kHeader + " 0 0 1 2 0 0 5", readItems, E::unregistered_cast},
        {"class identifier of a class not derived from the pointer's", kHeader + " 0 0 1 0 0 0 5", readBigItems,
         E::unregistered_cast},
        {"class named that is not declared a subclass", kHeader + " 0 0 1 2 11 TestBigItem 0 0 0 0 0 1 a",
         readUndeclaredItems, E::unregistered_cast},
        {"tracking of an untracked class", kHeader + " 0 0 1 0 1 0 0 5", readItems, E::input_stream_error},
        {"class version newer than the class", kHeader + " 0 0 1 0 0 9 5", readItems, E::unsupported_class_version},
        {"unknown class name", kHeader + " 0 0 1 2 7 Unknown 0 0 5", readUnregisteredItems, E::unregistered_class},
        {"class name too long", kHeader + " 0 0 1 2 200 " + std::string(200, 'x') + " 0 0 5",
         readUnregisteredItems, E::invalid_class_name},
        {"same class named under two identifiers",
         kHeader + " 0 0 2 2 11 TestBigItem 0 0 0 0 0 1 a 3 11 TestBigItem 0 0 0 1 b", readUnregisteredItems, E::unregistered_class},
        {"object in place under a used identifier", kHeader + " 0 1 0 0 0 0 0 0 0", readNodeThenNodeInPlace,
         E::input_stream_error},
        {"object identifier skipping ahead", kHeader + " 0 1 0 5 0 0 0", readNode, E::input_stream_error},
        {"pointer to an earlier object of another class", kHeader + " 0 1 0 0 0 0 0 1 1 0 0", readNodeAndMark, E::pointer_conflict},
        {"objects nested without end", deepNodes, readNode, E::other_exception},
    };
    for (const Case& c : cases) {
        ArchiveTest::ResetLargestAllocation();
        EXPECT_EQ(c.error, ArchiveErrorOf(c.text, c.read)) << c.name;
        EXPECT_LT(ArchiveTest::LargestAllocation(), ArchiveTest::kSmallInputAllocationLimit) << c.name;
    }
}

TEST(DocumentArchive, WellFormedCounterpartsOfTheDamagedInputsRead)
{
    // The cases above fail for the damage alone: the same records intact are read.
    ReadText(kHeader + " 0 0 2 2 11 TestBigItem 0 0 0 0 0 1 a 2 0 1 b", [](CDocumentIArchive& ar) {
        ar.DeclareSubclasses<CTestItem, CTestBigItem>();
        Items items;
        ar >> items;
        ASSERT_EQ(2u, items.size());
        EXPECT_EQ("b", dynamic_cast<CTestBigItem&>(*items[1]).label);
        DeleteItems(items);
    });
    ReadText(kHeader + " 0 1 0 0 0 0 0 1 0", [](CDocumentIArchive& ar) {
        ar.register_type<CTestNode>();
        CTestNode* node = nullptr;
        CTestNode inPlace;
        ar >> node >> inPlace;
        EXPECT_NE(nullptr, node);
        delete node;
    });
    ReadText(kHeader + " 0 1 0 0 0 0 0 1 1 0 1 5", [](CDocumentIArchive& ar) {
        ar.register_type<CTestNode>();
        ar.register_type<CTestMark>();
        CTestNode* node = nullptr;
        CTestMark* mark = nullptr;
        ar >> node >> mark;
        ASSERT_NE(nullptr, mark);
        EXPECT_EQ(5, mark->value);
        delete node;
        delete mark;
    });
}
