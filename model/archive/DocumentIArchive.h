#pragma once
// The document archive reader: text archives of library version 3 (and the later versions
// the archive library reads), with CR LF or LF line ends, read without trusting any count,
// size or class identifier in them.
#include <boost/archive/basic_archive.hpp>
#include <boost/archive/basic_text_iarchive.hpp>
#include <boost/archive/basic_text_iprimitive.hpp>
#include <boost/archive/detail/register_archive.hpp>
#include <boost/serialization/collection_size_type.hpp>
#include <boost/serialization/item_version_type.hpp>
#include <boost/serialization/singleton.hpp>
#include <boost/serialization/type_info_implementation.hpp>

#include <cstddef>
#include <istream>
#include <set>
#include <streambuf>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace boost {
namespace archive {
namespace detail {
class basic_iserializer;
class basic_pointer_iserializer;
}
}
namespace serialization {
class extended_type_info;
}
}

// A read buffer over text it owns, whose unread characters can be scanned in place.
class CTextBuffer : public std::streambuf {
public:
    explicit CTextBuffer(std::string text);
    CTextBuffer(const CTextBuffer&) = delete;
    CTextBuffer& operator=(const CTextBuffer&) = delete;

    const char* Next() const { return gptr(); }
    const char* End() const { return egptr(); }
    // Consumes the characters up to next, which lies between Next() and End().
    void SkipTo(const char* next) { setg(eback(), const_cast<char*>(next), egptr()); }

private:
    std::string m_text;
};

// The whole input, read as the platform's text mode reads it (CR LF becomes LF); a base so
// that it is built before the archive's own bases.
class CTextModeInput {
protected:
    explicit CTextModeInput(std::istream& source);

    CTextBuffer m_buffer;
    std::istream m_stream;
};

class CDocumentIArchive
    : private CTextModeInput,
      public boost::archive::basic_text_iprimitive<std::istream>,
      public boost::archive::basic_text_iarchive<CDocumentIArchive> {
public:
    // The oldest archive library version accepted: the one this system writes.
    static constexpr unsigned int kOldestLibraryVersion = 3;
    // Objects nested deeper than this are refused before they exhaust the stack.
    static constexpr int kMaxNesting = 200;

    // Reads all of is, then the header unless flags hold boost::archive::no_header.
    // Bad input raises boost::archive::archive_exception.
    explicit CDocumentIArchive(std::istream& is, unsigned int flags = 0);
    ~CDocumentIArchive() override = default;

    // Characters not yet read; nothing read can hold more items than this.
    std::size_t RemainingInput() const;
    // Raises the archive exception unless count items can still be read.
    void CheckAvailable(std::size_t count) const;

    // Lets a pointer declared as Base hold objects of the Derived classes. A pointer holds
    // its declared class or a class declared so, nothing else: any other class identifier or
    // class name in its place is refused before an object of that class is built.
    template <class Base, class... Derived>
    void DeclareSubclasses()
    {
        static_assert((std::is_base_of_v<Base, Derived> && ...), "not a subclass");
        (m_subclasses.emplace(&TypeInfoOf<Base>(), &TypeInfoOf<Derived>()), ...);
    }

    // Hooks of the library's input machinery, hidden here so that every class identifier,
    // class preamble and object identifier can be checked against what was read before. A
    // pointer whose object fails to load is left null, and the object is destroyed.
    using Finder = const boost::archive::detail::basic_pointer_iserializer* (*)(
        const boost::serialization::extended_type_info&);
    void register_basic_serializer(const boost::archive::detail::basic_iserializer& bis);
    void load_object(void* t, const boost::archive::detail::basic_iserializer& bis);
    const boost::archive::detail::basic_pointer_iserializer* load_pointer(
        void*& t, const boost::archive::detail::basic_pointer_iserializer* bpis, Finder finder);

protected:
    friend class boost::archive::detail::interface_iarchive<CDocumentIArchive>;
    friend class boost::archive::basic_text_iarchive<CDocumentIArchive>;
    friend class boost::archive::load_access;

    template <class T>
    void load(T& t)
    {
        if (!LoadInPlace(t))
            boost::archive::basic_text_iprimitive<std::istream>::load(t);
    }
    void load(boost::archive::version_type& t);
    void load(boost::serialization::item_version_type& t);
    void load(std::string& s);
    // Characters out of their type's range are refused rather than cut to size.
    void load(char& t);
    void load(signed char& t);
    void load(unsigned char& t);

    template <class T>
    void load_override(T& t)
    {
        boost::archive::basic_text_iarchive<CDocumentIArchive>::load_override(t);
    }
    // A pointer: its declared class is what the class identifier read next is checked against.
    template <class T>
    void load_override(T*& t)
    {
        m_nextPointee = &TypeInfoOf<T>();
        boost::archive::basic_text_iarchive<CDocumentIArchive>::load_override(t);
    }
    void load_override(boost::serialization::collection_size_type& t);
    void load_override(boost::archive::class_id_type& t);
    void load_override(boost::archive::class_name_type& t);
    void load_override(boost::archive::tracking_type& t);
    void load_override(boost::archive::version_type& t);
    void load_override(boost::archive::object_id_type& t);

    void init();

private:
    // What this archive has learnt of a class, mirroring the library's class table.
    struct CClassEntry {
        const boost::archive::detail::basic_iserializer* serializer;
        bool described;
    };
    struct CPointerContext {
        const boost::archive::detail::basic_pointer_iserializer* declared;
        Finder finder;
        // The declared class; null when the pointer was not read through load_override.
        const boost::serialization::extended_type_info* pointee;
        // The pointer being read, the class of the object built for it, and whether that
        // object's constructor has run: a failure frees what the library allocated.
        void** target;
        const boost::archive::detail::basic_iserializer* built;
        bool constructed;
    };
    class CNesting;

    template <class T>
    static const boost::serialization::extended_type_info& TypeInfoOf()
    {
        return boost::serialization::singleton<
            typename boost::serialization::type_info_implementation<T>::type>::get_const_instance();
    }
    // Raises the archive exception unless the pointer being read may hold an object of the
    // class serialised by bis.
    void CheckPointee(const boost::archive::detail::basic_iserializer& bis);

    // Reads a plain number straight from the buffer when the stream would read the same
    // characters into the same value; false, with nothing consumed, for anything else.
    template <class T>
    bool LoadInPlace(T&)
    {
        return false;
    }
    bool LoadInPlace(bool& t);
    bool LoadInPlace(short& t);
    bool LoadInPlace(unsigned short& t);
    bool LoadInPlace(int& t);
    bool LoadInPlace(unsigned int& t);
    bool LoadInPlace(long& t);
    bool LoadInPlace(unsigned long& t);
    bool LoadInPlace(long long& t);
    bool LoadInPlace(unsigned long long& t);
    bool LoadInPlace(float& t);
    bool LoadInPlace(double& t);
    bool LoadInPlace(boost::archive::class_id_type& t);
    bool LoadInPlace(boost::archive::object_id_type& t);
    template <class T>
    bool LoadNumber(T& t);

    std::size_t ClassIdOf(const boost::archive::detail::basic_iserializer& bis);
    std::size_t AddClass(const boost::archive::detail::basic_iserializer& bis);
    // The class whose preamble and object identifier are read next.
    void BeginClass(std::size_t id, bool asPointer);

    std::vector<CClassEntry> m_classes;
    std::unordered_map<const boost::archive::detail::basic_iserializer*, std::size_t> m_classIds;
    // Class of every tracked object, by object identifier.
    std::vector<std::size_t> m_objectClasses;
    std::vector<CPointerContext> m_pointers;
    const boost::serialization::extended_type_info* m_nextPointee = nullptr;
    // Pairs of a base class and a class its pointers may hold.
    std::set<std::pair<const boost::serialization::extended_type_info*, const boost::serialization::extended_type_info*>>
        m_subclasses;
    std::size_t m_currentClass = 0;
    bool m_currentIsPointer = false;
    bool m_preambleExpected = false;
    bool m_classNameExpected = false;
    int m_nesting = 0;
};

BOOST_SERIALIZATION_REGISTER_ARCHIVE(CDocumentIArchive)
