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

#include <cstddef>
#include <istream>
#include <streambuf>
#include <string>
#include <unordered_map>
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

    // Hooks of the library's input machinery, hidden here so that every class identifier,
    // class preamble and object identifier can be checked against what was read before. A
    // pointer whose object fails to load is left null.
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
    };
    class CNesting;

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
    std::size_t m_currentClass = 0;
    bool m_currentIsPointer = false;
    bool m_preambleExpected = false;
    bool m_classNameExpected = false;
    int m_nesting = 0;
};

BOOST_SERIALIZATION_REGISTER_ARCHIVE(CDocumentIArchive)
