// The archives format and parse numbers themselves; what they write and accept must stay what
// the classic locale's streams write and accept, but for the floats that the eight digits of
// version 3 writers would change.
#include "ArchiveTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

using ArchiveTest::ReadText;
using ArchiveTest::Written;

namespace {

constexpr int kFloatDigits = 8;
constexpr int kDoubleDigits = 17;

// What the classic stream writes for one value.
template <class T>
std::string StreamText(T value, int precision = 6)
{
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os << std::setprecision(precision) << value;
    return os.str();
}

// The text of an archive without header holding the given tokens.
std::string ArchiveOf(const std::string& tokens)
{
    return tokens + "\r\n";
}

// What reading a T and then an int does, through the archive or through the classic stream.
struct CReadOutcome {
    bool firstRead = false;
    std::string first;
    bool secondRead = false;
    int second = 0;
};

template <class T>
std::string Describe(T value)
{
    std::ostringstream os;
    os << std::setprecision(kDoubleDigits) << +value;
    if constexpr (std::is_floating_point_v<T>)
        os << (std::signbit(value) ? " negative" : "");
    return os.str();
}

template <class T>
CReadOutcome ReadThroughArchive(const std::string& text)
{
    CReadOutcome outcome;
    try {
        ReadText(
            text,
            [&outcome](CDocumentIArchive& ar) {
                T value{};
                ar >> value;
                outcome.firstRead = true;
                outcome.first = Describe(value);
                ar >> outcome.second;
                outcome.secondRead = true;
            },
            boost::archive::no_header);
    } catch (const boost::archive::archive_exception&) {
    }
    return outcome;
}

template <class T>
CReadOutcome ReadThroughStream(const std::string& text)
{
    CReadOutcome outcome;
    std::istringstream is(text);
    is.imbue(std::locale::classic());
    T value{};
    if (is >> value) {
        outcome.firstRead = true;
        outcome.first = Describe(value);
        outcome.secondRead = static_cast<bool>(is >> outcome.second);
    }
    return outcome;
}

template <class T>
void ExpectReadLikeTheStream(const std::string& text, const char* type)
{
    const CReadOutcome archive = ReadThroughArchive<T>(text);
    const CReadOutcome stream = ReadThroughStream<T>(text);
    const std::string where = std::string(type) + " from [" + text + "]";
    EXPECT_EQ(stream.firstRead, archive.firstRead) << where;
    if (stream.firstRead && archive.firstRead) {
        EXPECT_EQ(stream.first, archive.first) << where;
    }
    EXPECT_EQ(stream.secondRead, archive.secondRead) << where;
    if (stream.secondRead && archive.secondRead) {
        EXPECT_EQ(stream.second, archive.second) << where;
    }
}

// A target that takes a fixed number of characters and refuses the rest.
class CLimitedBuffer : public std::streambuf {
public:
    explicit CLimitedBuffer(std::size_t room) : m_room(room) {}

protected:
    int_type overflow(int_type ch) override
    {
        if (traits_type::eq_int_type(ch, traits_type::eof()) || m_room == 0)
            return traits_type::eof();
        --m_room;
        return ch;
    }

private:
    std::size_t m_room;
};

} // namespace

TEST(ArchiveNumbers, AreWrittenAsTheClassicStreamWritesThem)
{
    const std::vector<long long> integers = {0, 1, -1, 7, -42, 32767, -32768, 2147483647, -2147483647 - 1,
                                             std::numeric_limits<long long>::max(),
                                             std::numeric_limits<long long>::min()};
    for (long long value : integers) {
        if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()) {
            EXPECT_EQ(ArchiveOf(StreamText(int(value))),
                      Written([value](CDocumentOArchive& ar) { ar << int(value); }, boost::archive::no_header));
            EXPECT_EQ(ArchiveOf(StreamText(unsigned(value))),
                      Written([value](CDocumentOArchive& ar) { ar << unsigned(value); }, boost::archive::no_header));
        }
        EXPECT_EQ(ArchiveOf(StreamText(value)),
                  Written([value](CDocumentOArchive& ar) { ar << value; }, boost::archive::no_header));
        EXPECT_EQ(ArchiveOf(StreamText(static_cast<unsigned long long>(value))),
                  Written([value](CDocumentOArchive& ar) { ar << static_cast<unsigned long long>(value); },
                          boost::archive::no_header));
    }
    for (const bool value : {false, true})
        EXPECT_EQ(ArchiveOf(StreamText(value)),
                  Written([value](CDocumentOArchive& ar) { ar << value; }, boost::archive::no_header));
    const std::vector<double> reals = {0.0, -0.0, 0.1, 1.0 / 3.0, 20.0, -1.5e-7, 1e8, 123456789.0, 1e21, 1e-5,
                                       1e-4, 2.5e-310, std::numeric_limits<double>::max(),
                                       std::numeric_limits<float>::max(), std::numeric_limits<float>::denorm_min(),
                                       std::numeric_limits<double>::infinity(),
                                       -std::numeric_limits<double>::infinity(),
                                       std::numeric_limits<double>::quiet_NaN()};
    for (double value : reals) {
        const float single = static_cast<float>(value);
        EXPECT_EQ(ArchiveOf(StreamText(single, kFloatDigits)),
                  Written([single](CDocumentOArchive& ar) { ar << single; }, boost::archive::no_header))
            << value;
        EXPECT_EQ(ArchiveOf(StreamText(value, kDoubleDigits)),
                  Written([value](CDocumentOArchive& ar) { ar << value; }, boost::archive::no_header))
            << value;
    }
}

// Eight digits where they give the float back, else nine: a save keeps what the editor held.
TEST(ArchiveNumbers, FloatsReadBackAsTheyWereWritten)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.1f, "0.1"},
        {2147483520.0f, "2.1474835e+09"},
        {-103.217316f, "-103.217316"},
        {-1073732352.0f, "-1.07373235e+09"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArchiveOf(c.text), Written([&c](CDocumentOArchive& ar) { ar << c.value; }, boost::archive::no_header));
        float back = 0.0f;
        ReadText(ArchiveOf(c.text), [&back](CDocumentIArchive& ar) { ar >> back; }, boost::archive::no_header);
        EXPECT_EQ(c.value, back) << c.text;
    }
}

TEST(ArchiveNumbers, AreReadAsTheClassicStreamReadsThem)
{
    const char* const tokens[] = {"5", "+5", "-5", "-0", "00012", "1e", "1e5", "1E+5", "1e-5", ".5", "5.", ".",
                                  "-", "inf", "nan", "0x1A", "1e-40", "1e-50", "1e-320", "1e-400", "3.4e39",
                                  "1e309", "0e10", "-0.0", "32768", "-32769", "4294967296", "-4294967295",
                                  "18446744073709551616", "9223372036854775808", "1.5.3", "12abc", "12-3", "x",
                                  "3.40282357e+38", "4.9e-324", "1", "01", "2", ""};
    const char* const around[][2] = {{"", " 7 "}, {"\n\t", "\r\n7\r\n"}, {" ", "\v7\f"}, {"", ""}, {"", "7"}};
    for (const char* token : tokens) {
        for (const auto& blanks : around) {
            const std::string text = std::string(blanks[0]) + token + blanks[1];
            ExpectReadLikeTheStream<bool>(text, "bool");
            ExpectReadLikeTheStream<short>(text, "short");
            ExpectReadLikeTheStream<unsigned short>(text, "unsigned short");
            ExpectReadLikeTheStream<int>(text, "int");
            ExpectReadLikeTheStream<unsigned>(text, "unsigned");
            ExpectReadLikeTheStream<long long>(text, "long long");
            ExpectReadLikeTheStream<unsigned long long>(text, "unsigned long long");
            ExpectReadLikeTheStream<float>(text, "float");
            ExpectReadLikeTheStream<double>(text, "double");
        }
    }
}

TEST(ArchiveOutput, LineEndsBecomeCrLfAcrossALongText)
{
    // Longer than the writer's blocks, with line ends at every distance from one another.
    std::string text;
    for (int run = 0; text.size() < 40000; ++run)
        text += std::string(std::size_t(run % 300), 'a' + char(run % 26)) + '\n';
    std::string expected;
    for (char c : text)
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string written = Written([&text](CDocumentOArchive& ar) { ar << text; }, boost::archive::no_header);
    EXPECT_EQ(std::to_string(text.size()) + " " + expected + "\r\n", written);
}

TEST(ArchiveOutput, CharactersTheTargetRefusesMakeTheTargetStreamBad)
{
    // 3000 numbers take about 13,900 characters: refused at the start, in the middle, or in the
    // last characters passed on when the archive closes.
    for (std::size_t room : {std::size_t(0), std::size_t(10), std::size_t(10000), std::size_t(13800)}) {
        CLimitedBuffer buffer(room);
        std::ostream target(&buffer);
        bool raised = false;
        try {
            CDocumentOArchive ar(target);
            for (int i = 0; i < 3000; ++i)
                ar << i;
        } catch (const boost::archive::archive_exception&) {
            raised = true;
        }
        EXPECT_TRUE(raised || target.bad()) << room;
    }
    // Room for everything: nothing is reported.
    CLimitedBuffer buffer(1 << 20);
    std::ostream target(&buffer);
    {
        CDocumentOArchive ar(target);
        for (int i = 0; i < 3000; ++i)
            ar << i;
    }
    EXPECT_TRUE(target.good());
}
