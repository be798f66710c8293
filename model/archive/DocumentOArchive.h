#pragma once
// The document archive writer: a text archive in the layout of archive library version 3,
// written with CR LF line ends.
#include <boost/archive/basic_archive.hpp>
#include <boost/archive/basic_text_oarchive.hpp>
#include <boost/archive/basic_text_oprimitive.hpp>
#include <boost/archive/detail/register_archive.hpp>
#include <boost/serialization/item_version_type.hpp>
#include <boost/serialization/library_version_type.hpp>

#include <cstddef>
#include <cstring>
#include <ios>
#include <locale>
#include <ostream>
#include <streambuf>
#include <string>
#include <unordered_set>

namespace boost {
namespace archive {
namespace detail {
class basic_oserializer;
}
}
}

// Forwards every character to another stream buffer, writing CR before each LF, as the
// platform's text mode does. Characters are gathered and converted a block at a time; what is
// left is passed on at sync and at destruction.
class CCrLfStreamBuffer : public std::streambuf {
public:
    explicit CCrLfStreamBuffer(std::streambuf* target);
    ~CCrLfStreamBuffer() override;
    // Whether the target ever refused characters.
    bool Failed() const { return m_failed; }
    // Appends the characters; false when the target refused some. The archive writes every
    // item through here, so the common case, room in the block, is a plain copy.
    bool Append(const char* text, std::size_t count)
    {
        if (count <= std::size_t(epptr() - pptr())) {
            std::memcpy(pptr(), text, count);
            pbump(int(count));
            return true;
        }
        return sputn(text, std::streamsize(count)) == std::streamsize(count);
    }
    CCrLfStreamBuffer(const CCrLfStreamBuffer&) = delete;
    CCrLfStreamBuffer& operator=(const CCrLfStreamBuffer&) = delete;

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    static constexpr std::size_t kBlockSize = 8192;

    // Passes the gathered characters on; false when the target refused some.
    bool Drain();

    std::streambuf* m_target;
    bool m_failed = false;
    char m_block[kBlockSize];
};

// The text-mode stream the archive writes into; a base so that it is built before the
// archive's own bases and outlives the final line end they write.
class CCrLfOutputStream {
protected:
    // Numbers are written in the classic locale whatever the process's locale.
    explicit CCrLfOutputStream(std::ostream& target)
        : m_target(target), m_buffer(target.rdbuf()), m_stream(&m_buffer)
    {
        m_stream.imbue(std::locale::classic());
    }
    // Passes on what is left; characters the target refused make the target stream bad, so
    // that its owner sees the loss.
    ~CCrLfOutputStream();
    CCrLfOutputStream(const CCrLfOutputStream&) = delete;
    CCrLfOutputStream& operator=(const CCrLfOutputStream&) = delete;

    std::ostream& m_target;
    CCrLfStreamBuffer m_buffer;
    std::ostream m_stream;
};

class CDocumentOArchive
    : private CCrLfOutputStream,
      public boost::archive::basic_text_oprimitive<std::ostream>,
      public boost::archive::basic_text_oarchive<CDocumentOArchive> {
public:
    // The archive library version written in the header; collections are written without an
    // item version, as readers of this version expect.
    static constexpr unsigned int kLibraryVersion = 3;

    // Writes the header unless flags hold boost::archive::no_header.
    explicit CDocumentOArchive(std::ostream& os, unsigned int flags = 0);
    ~CDocumentOArchive() override = default;

    // Hides the library's own version, so that code asking the archive gets the written one.
    boost::serialization::library_version_type get_library_version() const;

    // Hides the library's hook: an object of an untracked class whose class information this
    // archive has written already is written as the library would write it (its record alone),
    // without the library's search of its class table by type name, which every shape and
    // curve of a snapshot would otherwise pay.
    void save_object(const void* x, const boost::archive::detail::basic_oserializer& bos);

protected:
    friend class boost::archive::detail::interface_oarchive<CDocumentOArchive>;
    friend class boost::archive::basic_text_oarchive<CDocumentOArchive>;
    friend class boost::archive::save_access;

    template <class T>
    void save(const T& t)
    {
        this->newtoken();
        boost::archive::basic_text_oprimitive<std::ostream>::save(t);
    }
    void save(const boost::archive::version_type& t);
    void save(const boost::serialization::item_version_type& t);
    // As the stream writes a bool without boolalpha: 0 or 1.
    void save(bool t);
    void save(float t);
    void save(double t);
    void save(const std::string& s);
    // Integers are formatted straight into the stream buffer, as the classic locale writes them.
    void save(short t);
    void save(unsigned short t);
    void save(int t);
    void save(unsigned int t);
    void save(long t);
    void save(unsigned long t);
    void save(long long t);
    void save(unsigned long long t);
    void save(const boost::archive::class_id_type& t);
    void save(const boost::archive::class_id_reference_type& t);
    void save(const boost::archive::object_id_type& t);
    void save(const boost::archive::object_reference_type& t);

public:
    // The delimiter between items, written without a stream sentry.
    using boost::archive::basic_text_oprimitive<std::ostream>::put;
    void put(char c)
    {
        CheckStream();
        PutText(&c, 1);
    }

protected:

    template <class T>
    void save_override(T& t)
    {
        boost::archive::basic_text_oarchive<CDocumentOArchive>::save_override(t);
    }
    // Version 3 collections carry no item version.
    void save_override(const boost::serialization::item_version_type&) {}

    void init();

private:
    // The delimiter newtoken would put before the next item, placed at text so that it goes out
    // with the item; returns where the item's characters begin.
    char* NewToken(char* text);
    template <class T>
    void SaveInteger(T t);
    // Writes the characters of one item; a refused write sets the stream's bad bit.
    void PutText(const char* text, std::size_t count)
    {
        if (!m_buffer.Append(text, count))
            os.setstate(std::ios_base::badbit);
    }
    // Raises the archive exception if the stream has failed.
    void CheckStream() const
    {
        if (os.fail())
            ThrowStreamError();
    }
    [[noreturn]] static void ThrowStreamError();
    void SaveFloating(double t, int digits);

    // Untracked classes whose class information has been written.
    std::unordered_set<const boost::archive::detail::basic_oserializer*> m_describedClasses;
};

BOOST_SERIALIZATION_REGISTER_ARCHIVE(CDocumentOArchive)
