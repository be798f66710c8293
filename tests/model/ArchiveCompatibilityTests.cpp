// What the document writes, read by the archive library's own text reader as far as the classes
// it knows allow: the header and the document record's leading numbers.
#include "DocumentTestSupport.h"

#include "model/FlashEditorDoc.h"
#include "model/NamedObject.h"

#include <boost/archive/text_iarchive.hpp>
#include <gtest/gtest.h>

#include <sstream>

namespace {

struct CDocumentPrefix {
    unsigned counter = 0;
    int width = 0, height = 0, stored1 = 0, stored2 = 0, frameRate = 0;

    template <class Archive>
    void serialize(Archive& ar, unsigned int)
    {
        ar & counter & width & height & stored1 & stored2 & frameRate;
    }
};

} // namespace

TEST(ArchiveCompatibility, TheLibrarysTextReaderReadsTheHeaderAndTheDocumentsFirstItems)
{
    CFlashEditorDoc doc;
    doc.SetStageWidth(321);
    doc.SetFrameRate(15);
    std::istringstream is(SaveText(doc));
    boost::archive::text_iarchive ar(is);
    CDocumentPrefix prefix;
    ar >> prefix;
    EXPECT_EQ(unsigned(CNamedObject::GetObjectIdCounter()), prefix.counter);
    EXPECT_EQ(321, prefix.width);
    EXPECT_EQ(400, prefix.height);
    EXPECT_EQ(2, prefix.stored1);
    EXPECT_EQ(600, prefix.stored2);
    EXPECT_EQ(15, prefix.frameRate);
}
