#pragma once
// Helpers of the archive tests: a started GDI+, writing and reading archives in memory, and
// comparing archive texts token by token.
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"

#include <boost/archive/archive_exception.hpp>

#include <cstddef>
#include <sstream>
#include <string>

namespace ArchiveTest {

// The header tokens every archive of this system starts with.
inline const std::string kHeader = "22 serialization::archive 3";

// The text written by write(CDocumentOArchive&).
template <class Write>
std::string Written(Write write, unsigned int flags = 0)
{
    std::ostringstream os;
    {
        CDocumentOArchive ar(os, flags);
        write(ar);
    }
    return os.str();
}

// Reads text with read(CDocumentIArchive&).
template <class Read>
void ReadText(const std::string& text, Read read, unsigned int flags = 0)
{
    std::istringstream is(text);
    CDocumentIArchive ar(is, flags);
    read(ar);
}

// The largest single allocation of the program since the last reset: damaged input must not
// make the reader allocate out of proportion to it.
void ResetLargestAllocation();
std::size_t LargestAllocation();
// Bound for the largest allocation while a small damaged input is read.
constexpr std::size_t kSmallInputAllocationLimit = 1 << 20;

// The blank-separated tokens of an archive text, joined by single blanks.
std::string Tokens(const std::string& text);
// The text with every CR LF turned into LF.
std::string WithLfEnds(const std::string& text);

} // namespace ArchiveTest
