#pragma once
// Declares a class's record in the document archive: split save and load, each for the one
// archive type that moves it. Defined in model/DocumentArchive.cpp.
#include <boost/serialization/export.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/tracking.hpp>

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

// A class of the document archive that is never tracked (an object reached twice is written
// twice), with its export key. Stated in the class's header, so that every file that moves the
// class through an archive agrees on them.
#define DECLARE_ARCHIVE_CLASS_TRAITS(T) \
    BOOST_CLASS_TRACKING(T, boost::serialization::track_never) \
    BOOST_CLASS_EXPORT_KEY(T)
