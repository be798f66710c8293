#include "model/archive/DocumentIArchive.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/detail/basic_iserializer.hpp>
#include <boost/archive/detail/basic_pointer_iserializer.hpp>
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_text_iarchive.ipp>
#include <boost/serialization/extended_type_info.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <type_traits>
#include <utility>

namespace {

[[noreturn]] void Fail(boost::archive::archive_exception::exception_code code, const char* what = nullptr)
{
    boost::serialization::throw_exception(boost::archive::archive_exception(code, what));
}

constexpr std::size_t kReadBlockSize = 65536;

// The input as text mode reads it: every CR that ends a line is dropped.
std::string ReadTextMode(std::istream& source)
{
    std::string text;
    if (std::streambuf* buffer = source.rdbuf()) {
        std::streamsize got = 0;
        do {
            const std::size_t size = text.size();
            text.resize(size + kReadBlockSize);
            got = buffer->sgetn(&text[size], static_cast<std::streamsize>(kReadBlockSize));
            text.resize(size + static_cast<std::size_t>(std::max<std::streamsize>(got, 0)));
        } while (got > 0);
    }
    char* const begin = &text[0];
    char* const end = begin + text.size();
    char* kept = begin;
    for (char* from = begin; from != end;) {
        char* cr = static_cast<char*>(std::memchr(from, '\r', std::size_t(end - from)));
        char* const runEnd = cr != nullptr ? cr : end;
        std::memmove(kept, from, std::size_t(runEnd - from));
        kept += runEnd - from;
        from = runEnd;
        if (cr != nullptr) {
            if (cr + 1 == end || cr[1] != '\n')
                *kept++ = '\r';
            ++from;
        }
    }
    text.resize(std::size_t(kept - begin));
    return text;
}

// The blanks of the classic locale, which the stream skips before a number.
bool IsBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The end of the number after the blanks at text, when it is followed by a blank and read
// into value exactly as the stream reads it; nullptr for anything else (a plus sign, a minus
// on an unsigned type, overflow, underflow, infinities, the end of the input).
template <class T>
const char* ParseNumber(const char* text, const char* end, T& value)
{
    while (text != end && IsBlank(*text))
        ++text;
    std::from_chars_result parsed{};
    if constexpr (std::is_floating_point_v<T>)
        parsed = std::from_chars(text, end, value, std::chars_format::general);
    else
        parsed = std::from_chars(text, end, value);
    if (parsed.ec != std::errc() || parsed.ptr == end || !IsBlank(*parsed.ptr))
        return nullptr;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isnormal(value) &&
            (value != 0 || std::find_if(text, parsed.ptr, [](char c) { return c >= '1' && c <= '9'; }) != parsed.ptr))
            return nullptr;
    }
    return parsed.ptr;
}

template <class Narrow, class Wide>
Narrow CheckedNarrow(Wide value)
{
    if (value < std::numeric_limits<Narrow>::min() || value > std::numeric_limits<Narrow>::max())
        Fail(boost::archive::archive_exception::input_stream_error, "character value out of range");
    return static_cast<Narrow>(value);
}

} // namespace

// Counts the objects being read inside one another.
class CDocumentIArchive::CNesting {
public:
    explicit CNesting(int& depth) : m_depth(depth)
    {
        if (++m_depth > kMaxNesting) {
            --m_depth;
            Fail(boost::archive::archive_exception::other_exception, "objects nested too deeply");
        }
    }
    ~CNesting() { --m_depth; }
    CNesting(const CNesting&) = delete;
    CNesting& operator=(const CNesting&) = delete;

private:
    int& m_depth;
};

CTextBuffer::CTextBuffer(std::string text) : m_text(std::move(text))
{
    char* const begin = &m_text[0];
    setg(begin, begin, begin + m_text.size());
}

CTextModeInput::CTextModeInput(std::istream& source) : m_buffer(ReadTextMode(source)), m_stream(&m_buffer)
{
    m_stream.imbue(std::locale::classic());
}

CDocumentIArchive::CDocumentIArchive(std::istream& is, unsigned int flags)
    : CTextModeInput(is),
      boost::archive::basic_text_iprimitive<std::istream>(m_stream, 0 != (flags & boost::archive::no_codecvt)),
      boost::archive::basic_text_iarchive<CDocumentIArchive>(flags)
{
    if (0 == (flags & boost::archive::no_header))
        init();
}

std::size_t CDocumentIArchive::RemainingInput() const
{
    const std::streamsize available = m_stream.rdbuf()->in_avail();
    return available > 0 ? static_cast<std::size_t>(available) : 0;
}

void CDocumentIArchive::CheckAvailable(std::size_t count) const
{
    if (count > RemainingInput())
        Fail(boost::archive::archive_exception::input_stream_error, "count larger than the input");
}

void CDocumentIArchive::init()
{
    boost::archive::basic_text_iarchive<CDocumentIArchive>::init();
    if (get_library_version() < boost::serialization::library_version_type(kOldestLibraryVersion))
        Fail(boost::archive::archive_exception::unsupported_version);
}

template <class T>
bool CDocumentIArchive::LoadNumber(T& t)
{
    if (!is.good())
        return false;
    T value{};
    const char* const end = ParseNumber(m_buffer.Next(), m_buffer.End(), value);
    if (end == nullptr)
        return false;
    m_buffer.SkipTo(end);
    t = value;
    return true;
}

// The stream reads a bool as a number that must be 0 or 1; anything else is left to it.
bool CDocumentIArchive::LoadInPlace(bool& t)
{
    if (!is.good())
        return false;
    int value = 0;
    const char* const end = ParseNumber(m_buffer.Next(), m_buffer.End(), value);
    if (end == nullptr || (value != 0 && value != 1))
        return false;
    m_buffer.SkipTo(end);
    t = value == 1;
    return true;
}

bool CDocumentIArchive::LoadInPlace(short& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(unsigned short& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(int& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(unsigned int& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(long& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(unsigned long& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(long long& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(unsigned long long& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(float& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(double& t)
{
    return LoadNumber(t);
}

bool CDocumentIArchive::LoadInPlace(boost::archive::class_id_type& t)
{
    return LoadNumber(static_cast<std::int_least16_t&>(t));
}

bool CDocumentIArchive::LoadInPlace(boost::archive::object_id_type& t)
{
    return LoadNumber(static_cast<std::uint_least32_t&>(t));
}

void CDocumentIArchive::load(boost::archive::version_type& t)
{
    unsigned int v = 0;
    load(v);
    t = boost::archive::version_type(v);
}

void CDocumentIArchive::load(boost::serialization::item_version_type& t)
{
    unsigned int v = 0;
    load(v);
    t = boost::serialization::item_version_type(v);
}

void CDocumentIArchive::load(std::string& s)
{
    std::size_t size = 0;
    *this >> size;
    CheckAvailable(size);
    is.get(); // the blank between the length and the bytes
    s.resize(size);
    if (size > 0 && !is.read(&s[0], static_cast<std::streamsize>(size)))
        Fail(boost::archive::archive_exception::input_stream_error);
}

void CDocumentIArchive::load(char& t)
{
    int value = 0;
    load(value);
    t = CheckedNarrow<char>(value);
}

void CDocumentIArchive::load(signed char& t)
{
    int value = 0;
    load(value);
    t = CheckedNarrow<signed char>(value);
}

void CDocumentIArchive::load(unsigned char& t)
{
    int value = 0;
    load(value);
    t = CheckedNarrow<unsigned char>(value);
}

void CDocumentIArchive::load_override(boost::serialization::collection_size_type& t)
{
    boost::archive::basic_text_iarchive<CDocumentIArchive>::load_override(t);
    CheckAvailable(t);
}

std::size_t CDocumentIArchive::AddClass(const boost::archive::detail::basic_iserializer& bis)
{
    const std::size_t id = m_classes.size();
    m_classes.push_back({&bis, false});
    m_classIds.emplace(&bis, id);
    return id;
}

std::size_t CDocumentIArchive::ClassIdOf(const boost::archive::detail::basic_iserializer& bis)
{
    const auto found = m_classIds.find(&bis);
    return found != m_classIds.end() ? found->second : AddClass(bis);
}

void CDocumentIArchive::BeginClass(std::size_t id, bool asPointer)
{
    m_currentClass = id;
    m_currentIsPointer = asPointer;
    m_preambleExpected = false;
    CClassEntry& entry = m_classes[id];
    if (entry.described)
        return;
    // As the library does: a class keeping class information is described at its first
    // appearance.
    entry.described = true;
    m_preambleExpected = entry.serializer->class_info();
}

void CDocumentIArchive::register_basic_serializer(const boost::archive::detail::basic_iserializer& bis)
{
    ClassIdOf(bis);
    boost::archive::basic_text_iarchive<CDocumentIArchive>::register_basic_serializer(bis);
}

void CDocumentIArchive::load_object(void* t, const boost::archive::detail::basic_iserializer& bis)
{
    CNesting nesting(m_nesting);
    // The object of the pointer being read is loaded in place once its constructor has run.
    if (!m_pointers.empty() && t == *m_pointers.back().target)
        m_pointers.back().constructed = true;
    BeginClass(ClassIdOf(bis), false);
    boost::archive::basic_text_iarchive<CDocumentIArchive>::load_object(t, bis);
}

const boost::archive::detail::basic_pointer_iserializer* CDocumentIArchive::load_pointer(
    void*& t, const boost::archive::detail::basic_pointer_iserializer* bpis, Finder finder)
{
    CNesting nesting(m_nesting);
    // Set by the library only once it has allocated the object, or on success.
    t = nullptr;
    m_pointers.push_back({bpis, finder, m_nextPointee, &t, nullptr, false});
    m_nextPointee = nullptr;
    struct CPop {
        std::vector<CPointerContext>& pointers;
        ~CPop() { pointers.pop_back(); }
    } pop{m_pointers};
    try {
        return boost::archive::basic_text_iarchive<CDocumentIArchive>::load_pointer(t, bpis, finder);
    } catch (...) {
        // The library stores the storage of a new object in the pointer before the object is
        // built, and frees nothing when reading it fails. Every member of a model object owns
        // what it holds at every step of its load, so a built object is destroyed whole.
        const CPointerContext& pointer = m_pointers.back();
        if (t != nullptr && pointer.built != nullptr) {
            if (pointer.constructed)
                pointer.built->destroy(t);
            else
                ::operator delete(t);
        }
        t = nullptr;
        throw;
    }
}

void CDocumentIArchive::load_override(boost::archive::class_id_type& t)
{
    boost::archive::basic_text_iarchive<CDocumentIArchive>::load_override(t);
    if (m_pointers.empty())
        Fail(boost::archive::archive_exception::input_stream_error, "class identifier outside a pointer");
    const int id = t;
    if (id == int(boost::archive::class_id_type(BOOST_SERIALIZATION_NULL_POINTER_TAG)))
        return;
    // Identifiers are given in order: a known class, or the next one.
    if (id < 0 || std::size_t(id) > m_classes.size())
        Fail(boost::archive::archive_exception::unregistered_class, "class identifier out of range");
    if (std::size_t(id) < m_classes.size()) {
        CheckPointee(*m_classes[std::size_t(id)].serializer);
        BeginClass(std::size_t(id), true);
        return;
    }
    const boost::archive::detail::basic_pointer_iserializer* declared = m_pointers.back().declared;
    if (declared == nullptr || declared->get_basic_serializer().is_polymorphic()) {
        m_classNameExpected = true; // the class is named next
        return;
    }
    // A new identifier for the pointer's own class, which must not be known under another one.
    if (m_classIds.count(&declared->get_basic_serializer()) != 0)
        Fail(boost::archive::archive_exception::unregistered_class, "class identifier conflict");
    CheckPointee(declared->get_basic_serializer());
    BeginClass(AddClass(declared->get_basic_serializer()), true);
}

void CDocumentIArchive::CheckPointee(const boost::archive::detail::basic_iserializer& bis)
{
    const boost::serialization::extended_type_info* actual = &bis.get_eti();
    CPointerContext& pointer = m_pointers.back();
    const boost::serialization::extended_type_info* declared =
        pointer.pointee != nullptr ? pointer.pointee
        : pointer.declared != nullptr ? &pointer.declared->get_basic_serializer().get_eti()
                                      : nullptr;
    // Whatever else the library would build there could only be cast to the pointer's class
    // after it was built, and freed through the wrong class afterwards.
    if (declared == nullptr || (actual != declared && m_subclasses.count({declared, actual}) == 0))
        Fail(boost::archive::archive_exception::unregistered_cast, "object of another class");
    pointer.built = &bis;
}

void CDocumentIArchive::load_override(boost::archive::class_name_type& t)
{
    boost::archive::basic_text_iarchive<CDocumentIArchive>::load_override(t);
    if (!m_classNameExpected)
        return;
    m_classNameExpected = false;
    const boost::serialization::extended_type_info* eti = boost::serialization::extended_type_info::find(t);
    const boost::archive::detail::basic_pointer_iserializer* named =
        eti != nullptr ? m_pointers.back().finder(*eti) : nullptr;
    if (named == nullptr)
        Fail(boost::archive::archive_exception::unregistered_class, t);
    if (m_classIds.count(&named->get_basic_serializer()) != 0)
        Fail(boost::archive::archive_exception::unregistered_class, "class identifier conflict");
    CheckPointee(named->get_basic_serializer());
    BeginClass(AddClass(named->get_basic_serializer()), true);
}

void CDocumentIArchive::load_override(boost::archive::tracking_type& t)
{
    boost::archive::basic_text_iarchive<CDocumentIArchive>::load_override(t);
    if (!m_preambleExpected)
        Fail(boost::archive::archive_exception::input_stream_error, "unexpected class information");
    // Objects of a class that is never tracked are never referred to by identifier.
    if (t && !m_classes[m_currentClass].serializer->tracking(get_flags()))
        Fail(boost::archive::archive_exception::input_stream_error, "tracking of an untracked class");
}

void CDocumentIArchive::load_override(boost::archive::version_type& t)
{
    boost::archive::basic_text_iarchive<CDocumentIArchive>::load_override(t);
    if (!m_preambleExpected)
        Fail(boost::archive::archive_exception::input_stream_error, "unexpected class information");
    m_preambleExpected = false;
    if (t > m_classes[m_currentClass].serializer->version())
        Fail(boost::archive::archive_exception::unsupported_class_version);
}

void CDocumentIArchive::load_override(boost::archive::object_id_type& t)
{
    boost::archive::basic_text_iarchive<CDocumentIArchive>::load_override(t);
    const std::size_t id = t;
    // Objects are numbered in the order they are read.
    if (id == m_objectClasses.size()) {
        m_objectClasses.push_back(m_currentClass);
        return;
    }
    if (id > m_objectClasses.size())
        Fail(boost::archive::archive_exception::input_stream_error, "object identifier out of order");
    // Only a pointer may refer to an object read before, and only to one of its own class; an
    // object stored in place with a used identifier would be left unread.
    if (!m_currentIsPointer)
        Fail(boost::archive::archive_exception::input_stream_error, "object identifier already used");
    if (m_objectClasses[id] != m_currentClass)
        Fail(boost::archive::archive_exception::pointer_conflict);
}

template class boost::archive::basic_text_iarchive<CDocumentIArchive>;
template class boost::archive::detail::archive_serializer_map<CDocumentIArchive>;
