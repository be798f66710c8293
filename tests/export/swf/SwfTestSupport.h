#pragma once

#include "export/swf/SWF_BitStream.h"
#include "export/swf/SWF_Header.h"
#include "export/swf/SWF_TagList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;
using StreamAction = std::function<void(C_SWF_BitStream&)>;

// A file name of its own under the temporary folder, removed with the object.
class TempFile
{
public:
    TempFile();
    ~TempFile();
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

struct StreamResult
{
    bool good = false;
    std::string error;
    uint32_t bytePosition = 0;
};

// Runs action on a stream writing a new file; returns the file's bytes.
Bytes WriteWith(const StreamAction& action, StreamResult* result = nullptr);
// Puts bytes into a file and runs action on a stream reading it.
StreamResult ReadWith(const Bytes& bytes, const StreamAction& action);

// Writes record, reads the bytes back into a fresh record and writes that again: the read must
// use every byte, and both writes must agree. Returns the record read.
template <class T>
T RoundTrip(T& record, const std::function<void(C_SWF_BitStream&, T&)>& serialize, Bytes* written = nullptr)
{
    StreamResult writing;
    const Bytes first = WriteWith([&](C_SWF_BitStream& stream) { serialize(stream, record); }, &writing);
    EXPECT_TRUE(writing.good) << writing.error;
    T copy{};
    const StreamResult reading = ReadWith(first, [&](C_SWF_BitStream& stream) { serialize(stream, copy); });
    EXPECT_TRUE(reading.good) << reading.error;
    EXPECT_EQ(reading.bytePosition, first.size());
    const Bytes second = WriteWith([&](C_SWF_BitStream& stream) { serialize(stream, copy); });
    EXPECT_EQ(first, second);
    if (written)
        *written = first;
    return copy;
}

// A movie: the header, then the tag list.
Bytes WriteMovie(C_SWF_TagList& tags, uint8_t version = 6);
struct ReadMovieResult
{
    StreamResult stream;
    C_SWF_Header header;
    std::unique_ptr<C_SWF_TagList> tags;
};
ReadMovieResult ReadMovie(const Bytes& bytes, uint8_t version = 6);

C_SWF_String Text(const char* text);
size_t TagCount(const C_SWF_TagList& tags);

