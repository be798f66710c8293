#pragma once
// Declares a class's record in the document archive: split save and load, each for the one
// archive type that moves it. Defined in model/DocumentArchive.cpp.
#include <boost/serialization/split_member.hpp>

class CDocumentIArchive;
class CDocumentOArchive;

#define DECLARE_ARCHIVE_RECORD() \
    void save(CDocumentOArchive& ar, unsigned int version) const; \
    void load(CDocumentIArchive& ar, unsigned int version); \
    template <class Archive> \
    void serialize(Archive& ar, unsigned int version) \
    { \
        boost::serialization::split_member(ar, *this, version); \
    }
