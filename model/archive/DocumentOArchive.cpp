#include "model/archive/DocumentOArchive.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/basic_archive.hpp>
#include <boost/archive/detail/basic_oserializer.hpp>
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_text_oarchive.ipp>

#include <charconv>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <system_error>

namespace {
// Significant digits of the written floating-point values, as version 3 writers wrote them
// (the shortest default notation at that precision).
constexpr int kFloatDigits = 8;
constexpr int kDoubleDigits = 17;
// Room for any integer and any finite number in the notation above.
constexpr std::size_t kIntegerChars = 24;
constexpr std::size_t kFloatingChars = 40;

// Whether the value, written with the digits, reads back as itself.
bool ReadsBack(float value, int digits)
{
    if (!std::isfinite(value))
        return true;
    char text[kFloatingChars];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    float back = 0.0f;
    return end.ec == std::errc() && std::from_chars(text, end.ptr, back, std::chars_format::general).ec == std::errc()
           && back == value;
}
}

CCrLfStreamBuffer::CCrLfStreamBuffer(std::streambuf* target) : m_target(target)
{
    setp(m_block, m_block + kBlockSize);
}

CCrLfStreamBuffer::~CCrLfStreamBuffer()
{
    Drain();
}

bool CCrLfStreamBuffer::Drain()
{
    const char* text = pbase();
    const char* const end = pptr();
    bool ok = true;
    // A target that raises (a string buffer out of memory) has refused the characters: this
    // also runs from destructors, where nothing may escape.
    try {
        while (ok && text < end) {
            // Runs without a line end go through in one piece.
            const char* lineEnd = static_cast<const char*>(std::memchr(text, '\n', std::size_t(end - text)));
            const char* runEnd = lineEnd != nullptr ? lineEnd : end;
            const std::streamsize run = runEnd - text;
            ok = m_target->sputn(text, run) == run;
            text = runEnd;
            if (ok && lineEnd != nullptr) {
                ok = m_target->sputn("\r\n", 2) == 2;
                ++text;
            }
        }
    } catch (...) {
        ok = false;
    }
    setp(m_block, m_block + kBlockSize);
    m_failed = m_failed || !ok;
    return ok;
}

CCrLfStreamBuffer::int_type CCrLfStreamBuffer::overflow(int_type ch)
{
    if (!Drain())
        return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

int CCrLfStreamBuffer::sync()
{
    if (!Drain())
        return -1;
    return m_target->pubsync();
}

CCrLfOutputStream::~CCrLfOutputStream()
{
    if (m_buffer.pubsync() == 0 && !m_buffer.Failed())
        return;
    try {
        m_target.setstate(std::ios_base::badbit);
    } catch (const std::ios_base::failure&) {
        // The state is set before a stream that raises on it throws.
    }
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

void CDocumentOArchive::save_object(const void* x, const boost::archive::detail::basic_oserializer& bos)
{
    const bool untracked = !bos.tracking(get_flags());
    if (untracked && m_describedClasses.count(&bos) != 0) {
        end_preamble();
        bos.save_object_data(*this, x);
        return;
    }
    boost::archive::detail::basic_oarchive::save_object(x, bos);
    // The library describes a class at its first appearance, as an object or through a pointer.
    if (untracked)
        m_describedClasses.insert(&bos);
}

void CDocumentOArchive::save(const boost::archive::version_type& t)
{
    save(static_cast<unsigned int>(t));
}

void CDocumentOArchive::save(const boost::serialization::item_version_type& t)
{
    save(static_cast<unsigned int>(t));
}

void CDocumentOArchive::ThrowStreamError()
{
    boost::serialization::throw_exception(
        boost::archive::archive_exception(boost::archive::archive_exception::output_stream_error));
}

char* CDocumentOArchive::NewToken(char* text)
{
    switch (delimiter) {
    case eol:
        delimiter = space;
        *text++ = '\n';
        break;
    case space:
        *text++ = ' ';
        break;
    case none:
        delimiter = space;
        break;
    }
    return text;
}

template <class T>
void CDocumentOArchive::SaveInteger(T t)
{
    CheckStream();
    char text[kIntegerChars + 1];
    char* const digits = NewToken(text);
    const std::to_chars_result end = std::to_chars(digits, text + sizeof text, t);
    PutText(text, std::size_t(end.ptr - text));
}

void CDocumentOArchive::save(short t)
{
    SaveInteger(t);
}

void CDocumentOArchive::save(unsigned short t)
{
    SaveInteger(t);
}

void CDocumentOArchive::save(int t)
{
    SaveInteger(t);
}

void CDocumentOArchive::save(unsigned int t)
{
    SaveInteger(t);
}

void CDocumentOArchive::save(long t)
{
    SaveInteger(t);
}

void CDocumentOArchive::save(unsigned long t)
{
    SaveInteger(t);
}

void CDocumentOArchive::save(long long t)
{
    SaveInteger(t);
}

void CDocumentOArchive::save(unsigned long long t)
{
    SaveInteger(t);
}

void CDocumentOArchive::save(const boost::archive::class_id_type& t)
{
    SaveInteger(int(t));
}

void CDocumentOArchive::save(const boost::archive::class_id_reference_type& t)
{
    SaveInteger(int(t));
}

void CDocumentOArchive::save(const boost::archive::object_id_type& t)
{
    SaveInteger(unsigned(t));
}

void CDocumentOArchive::save(const boost::archive::object_reference_type& t)
{
    SaveInteger(unsigned(t));
}

// The shortest default notation at the given precision, as the classic locale writes it.
void CDocumentOArchive::SaveFloating(double t, int digits)
{
    CheckStream();
    char text[kFloatingChars + 1];
    char* const number = NewToken(text);
    const std::to_chars_result end =
        std::isfinite(t) ? std::to_chars(number, text + sizeof text, t, std::chars_format::general, digits)
                         : std::to_chars_result{number, std::errc::value_too_large};
    if (end.ec == std::errc()) {
        PutText(text, std::size_t(end.ptr - text));
        return;
    }
    PutText(text, std::size_t(number - text));
    os << std::setprecision(digits) << t; // infinities and NaNs as the stream spells them
}

void CDocumentOArchive::save(bool t)
{
    CheckStream();
    char text[2];
    char* const digit = NewToken(text);
    *digit = t ? '1' : '0';
    PutText(text, std::size_t(digit + 1 - text));
}

void CDocumentOArchive::save(float t)
{
    // The few values eight digits would change, as far as 16 twips in a far placement, get the
    // digits every float needs: a save gives back what the editor held.
    SaveFloating(t, ReadsBack(t, kFloatDigits) ? kFloatDigits : std::numeric_limits<float>::max_digits10);
}

void CDocumentOArchive::save(double t)
{
    SaveFloating(t, kDoubleDigits);
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
