#include "model/archive/DocumentOArchive.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/basic_archive.hpp>
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_text_oarchive.ipp>

#include <iomanip>

namespace {
// Significant digits of the written floating-point values, as version 3 writers wrote them
// (the shortest default notation at that precision).
constexpr int kFloatDigits = 8;
constexpr int kDoubleDigits = 17;
}

CCrLfStreamBuffer::int_type CCrLfStreamBuffer::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    if (traits_type::to_char_type(ch) == '\n' && traits_type::eq_int_type(m_target->sputc('\r'), traits_type::eof()))
        return traits_type::eof();
    return m_target->sputc(traits_type::to_char_type(ch));
}

std::streamsize CCrLfStreamBuffer::xsputn(const char* text, std::streamsize count)
{
    std::streamsize written = 0;
    while (written < count) {
        // Runs without a line end go through in one piece.
        std::streamsize run = 0;
        while (written + run < count && text[written + run] != '\n')
            ++run;
        if (run > 0) {
            const std::streamsize put = m_target->sputn(text + written, run);
            written += put;
            if (put < run)
                return written;
        }
        if (written < count) {
            if (traits_type::eq_int_type(overflow(traits_type::to_int_type('\n')), traits_type::eof()))
                return written;
            ++written;
        }
    }
    return written;
}

int CCrLfStreamBuffer::sync()
{
    return m_target->pubsync();
}

CDocumentOArchive::CDocumentOArchive(std::ostream& os, unsigned int flags)
    : CCrLfOutputStream(os),
      boost::archive::basic_text_oprimitive<std::ostream>(m_stream, 0 != (flags & boost::archive::no_codecvt)),
      boost::archive::basic_text_oarchive<CDocumentOArchive>(flags)
{
    if (0 == (flags & boost::archive::no_header))
        init();
}

boost::serialization::library_version_type CDocumentOArchive::get_library_version() const
{
    return boost::serialization::library_version_type(kLibraryVersion);
}

void CDocumentOArchive::init()
{
    *this << std::string(boost::archive::BOOST_ARCHIVE_SIGNATURE());
    *this << boost::serialization::library_version_type(kLibraryVersion);
}

void CDocumentOArchive::save(const boost::archive::version_type& t)
{
    save(static_cast<unsigned int>(t));
}

void CDocumentOArchive::save(const boost::serialization::item_version_type& t)
{
    save(static_cast<unsigned int>(t));
}

void CDocumentOArchive::save(float t)
{
    newtoken();
    if (os.fail())
        boost::serialization::throw_exception(
            boost::archive::archive_exception(boost::archive::archive_exception::output_stream_error));
    os << std::setprecision(kFloatDigits) << t;
}

void CDocumentOArchive::save(double t)
{
    newtoken();
    if (os.fail())
        boost::serialization::throw_exception(
            boost::archive::archive_exception(boost::archive::archive_exception::output_stream_error));
    os << std::setprecision(kDoubleDigits) << t;
}

void CDocumentOArchive::save(const std::string& s)
{
    const std::size_t size = s.size();
    *this << size;
    newtoken();
    os << s;
}

template class boost::archive::basic_text_oarchive<CDocumentOArchive>;
template class boost::archive::detail::archive_serializer_map<CDocumentOArchive>;
