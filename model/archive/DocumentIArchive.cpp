#include "model/archive/DocumentIArchive.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/detail/basic_iserializer.hpp>
#include <boost/archive/detail/basic_pointer_iserializer.hpp>
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_text_iarchive.ipp>
#include <boost/serialization/extended_type_info.hpp>

#include <iterator>
#include <limits>
#include <locale>

namespace {

[[noreturn]] void Fail(boost::archive::archive_exception::exception_code code, const char* what = nullptr)
{
    boost::serialization::throw_exception(boost::archive::archive_exception(code, what));
}

// The input as text mode reads it: every CR that ends a line is dropped.
std::string ReadTextMode(std::istream& source)
{
    std::string text((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            text[kept++] = text[i];
    text.resize(kept);
    return text;
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

CTextModeInput::CTextModeInput(std::istream& source) : m_stream(ReadTextMode(source))
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
    BeginClass(ClassIdOf(bis), false);
    boost::archive::basic_text_iarchive<CDocumentIArchive>::load_object(t, bis);
}

const boost::archive::detail::basic_pointer_iserializer* CDocumentIArchive::load_pointer(
    void*& t, const boost::archive::detail::basic_pointer_iserializer* bpis, Finder finder)
{
    CNesting nesting(m_nesting);
    m_pointers.push_back({bpis, finder});
    struct CPop {
        std::vector<CPointerContext>& pointers;
        ~CPop() { pointers.pop_back(); }
    } pop{m_pointers};
    try {
        return boost::archive::basic_text_iarchive<CDocumentIArchive>::load_pointer(t, bpis, finder);
    } catch (...) {
        // The library stores the storage of a new object in the pointer before the object is
        // built; the caller must not see it (nor free it) after a failure. What was built is
        // left to leak rather than be freed half-built.
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
    BeginClass(AddClass(declared->get_basic_serializer()), true);
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
    if (id >= m_objectClasses.size()) {
        m_objectClasses.push_back(m_currentClass);
        return;
    }
    // A pointer to an object read before must name that object's class.
    if (m_currentIsPointer && m_objectClasses[id] != m_currentClass)
        Fail(boost::archive::archive_exception::pointer_conflict);
}

template class boost::archive::basic_text_iarchive<CDocumentIArchive>;
template class boost::archive::detail::archive_serializer_map<CDocumentIArchive>;
