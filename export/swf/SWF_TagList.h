#pragma once

#include "export/swf/SWF_Records.h"

#include <cstdint>
#include <memory>

class C_SWF_BitStream;
class C_SWF_Tag;

// A movie's tags in file order, owned by the list. Serialize writes them with their record
// headers measured and patched, or reads a tag sequence back through the tag classes.
class C_SWF_TagList
{
public:
    explicit C_SWF_TagList(uint8_t swfVersion);
    ~C_SWF_TagList();
    C_SWF_TagList(const C_SWF_TagList&) = delete;
    C_SWF_TagList& operator=(const C_SWF_TagList&) = delete;

    // The tag becomes the last one; returns it.
    C_SWF_Tag* Append(std::unique_ptr<C_SWF_Tag> tag);

    // Writes every tag, or reads tags up to and including the End tag. False when the stream
    // failed: a tag code that cannot be written, a damaged or truncated tag, a sequence without
    // its End tag; the stream holds the message, and the tags read so far stay in the list.
    bool Serialize(C_SWF_BitStream& stream);

    // Makes the tag object for a code, reads its body from the stream and appends it.
    C_SWF_Tag* CreateTag(uint16_t tagCode, uint32_t length, uint8_t longHeader);

    static bool IsWritableCode(uint16_t tagCode);

    C_SWF_Tag* GetHead() const { return m_head; }
    C_SWF_Tag* GetTail() const { return m_tail; }
    // Alpha 255; a SetBackgroundColor tag read from a file copies its colour here.
    const C_SWF_RGBA& GetBackgroundColor() const { return m_backgroundColor; }

private:
    bool WriteTags();
    void WriteTag(C_SWF_Tag& tag);
    bool ReadTags();

    C_SWF_BitStream* m_stream = nullptr;
    C_SWF_Tag* m_tail = nullptr;
    uint8_t m_swfVersion;
    C_SWF_Tag* m_head = nullptr;
    C_SWF_RGBA m_backgroundColor;
};
