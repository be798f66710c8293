#include "SwfTestSupport.h"

#include "export/swf/SWF_Tag.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

TempFile::TempFile()
{
    static std::atomic<int> counter{0};
    m_path = "/tmp/export_swf_tests_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".swf";
}

TempFile::~TempFile()
{
    std::remove(m_path.c_str());
}

namespace
{
Bytes LoadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}

Bytes WriteWith(const StreamAction& action, StreamResult* result)
{
    TempFile file;
    C_SWF_BufferedFile out(file.Path().c_str(), C_SWF_BufferedFile::ModeWrite);
    C_SWF_BitStream stream;
    stream.Attach(out);
    action(stream);
    const bool closed = out.Close();
    if (result)
        *result = {stream.Good() && closed, stream.GetError(), stream.GetBytePosition()};
    return LoadFile(file.Path());
}

StreamResult ReadWith(const Bytes& bytes, const StreamAction& action)
{
    TempFile file;
    {
        std::ofstream out(file.Path(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    C_SWF_BufferedFile in(file.Path().c_str(), C_SWF_BufferedFile::ModeRead);
    C_SWF_BitStream stream;
    stream.Attach(in);
    action(stream);
    in.Close();
    return {stream.Good(), stream.GetError(), stream.GetBytePosition()};
}

Bytes WriteMovie(C_SWF_TagList& tags, uint8_t version)
{
    StreamResult result;
    Bytes bytes = WriteWith(
        [&](C_SWF_BitStream& stream) {
            C_SWF_Header header;
            header.signature[0] = 'F';
            header.signature[1] = 'W';
            header.signature[2] = 'S';
            header.version = version;
            header.frameSize.nbits.value = 15;
            header.frameSize.xmax.value = 11000;
            header.frameSize.ymax.value = 8000;
            header.frameRate = 0x0C00;
            header.Serialize(stream);
            tags.Serialize(stream);
            uint32_t fileLength = stream.GetBytePosition();
            stream.SetBytePosition(4);
            stream.SerializeUI32(fileLength);
        },
        &result);
    EXPECT_TRUE(result.good) << result.error;
    return bytes;
}

ReadMovieResult ReadMovie(const Bytes& bytes, uint8_t version)
{
    ReadMovieResult movie;
    movie.tags = std::make_unique<C_SWF_TagList>(version);
    movie.stream = ReadWith(bytes, [&](C_SWF_BitStream& stream) {
        movie.header.Serialize(stream);
        if (stream.Good())
            movie.tags->Serialize(stream);
    });
    return movie;
}

C_SWF_String Text(const char* text)
{
    C_SWF_String bytes(text, text + std::char_traits<char>::length(text));
    bytes.push_back(0);
    return bytes;
}

size_t TagCount(const C_SWF_TagList& tags)
{
    size_t count = 0;
    for (const C_SWF_Tag* tag = tags.GetHead(); tag; tag = tag->next)
        ++count;
    return count;
}
