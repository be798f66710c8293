#include "export/swf/SWF_TagList.h"

#include "export/swf/SWF_BitStream.h"
#include "export/swf/SWF_Tag_DefineBits.h"
#include "export/swf/SWF_Tag_DefineBitsJPEG2.h"
#include "export/swf/SWF_Tag_DefineBitsJPEG3.h"
#include "export/swf/SWF_Tag_DefineBitsLossless.h"
#include "export/swf/SWF_Tag_DefineBitsLossless2.h"
#include "export/swf/SWF_Tag_DefineButton.h"
#include "export/swf/SWF_Tag_DefineButton2.h"
#include "export/swf/SWF_Tag_DefineButtonCxform.h"
#include "export/swf/SWF_Tag_DefineButtonSound.h"
#include "export/swf/SWF_Tag_DefineEditText.h"
#include "export/swf/SWF_Tag_DefineFont.h"
#include "export/swf/SWF_Tag_DefineFont2.h"
#include "export/swf/SWF_Tag_DefineFontInfo.h"
#include "export/swf/SWF_Tag_DefineFontInfo2.h"
#include "export/swf/SWF_Tag_DefineMorphShape.h"
#include "export/swf/SWF_Tag_DefineShape.h"
#include "export/swf/SWF_Tag_DefineShape2.h"
#include "export/swf/SWF_Tag_DefineShape3.h"
#include "export/swf/SWF_Tag_DefineSound.h"
#include "export/swf/SWF_Tag_DefineSprite.h"
#include "export/swf/SWF_Tag_DefineText.h"
#include "export/swf/SWF_Tag_DoAction.h"
#include "export/swf/SWF_Tag_EnableDebugger.h"
#include "export/swf/SWF_Tag_EnableDebugger2.h"
#include "export/swf/SWF_Tag_End.h"
#include "export/swf/SWF_Tag_ExportAssets.h"
#include "export/swf/SWF_Tag_FrameLabel.h"
#include "export/swf/SWF_Tag_JPEGTables.h"
#include "export/swf/SWF_Tag_PlaceObject.h"
#include "export/swf/SWF_Tag_PlaceObject2.h"
#include "export/swf/SWF_Tag_Protect.h"
#include "export/swf/SWF_Tag_RemoveObject.h"
#include "export/swf/SWF_Tag_RemoveObject2.h"
#include "export/swf/SWF_Tag_ScriptLimits.h"
#include "export/swf/SWF_Tag_SetBackgroundColor.h"
#include "export/swf/SWF_Tag_SetTabIndex.h"
#include "export/swf/SWF_Tag_ShowFrame.h"
#include "export/swf/SWF_Tag_SoundStreamBlock.h"
#include "export/swf/SWF_Tag_SoundStreamHead.h"
#include "export/swf/SWF_Tag_SoundStreamHead2.h"
#include "export/swf/SWF_Tag_StartSound.h"
#include "export/swf/SWF_Tag_Unknown.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace
{
constexpr uint16_t kLongLengthMark = 63;
constexpr uint16_t kCodeShift = 6;
constexpr uint32_t kShortHeaderSize = 2;
constexpr uint32_t kLongHeaderExtra = 4;

enum TagCode : uint16_t
{
    kEnd = 0, kShowFrame = 1, kDefineShape = 2, kPlaceObject = 4, kRemoveObject = 5, kDefineBits = 6,
    kDefineButton = 7, kJPEGTables = 8, kSetBackgroundColor = 9, kDefineFont = 10, kDefineText = 11,
    kDoAction = 12, kDefineFontInfo = 13, kDefineSound = 14, kStartSound = 15, kDefineButtonSound = 17,
    kSoundStreamHead = 18, kSoundStreamBlock = 19, kDefineBitsLossless = 20, kDefineBitsJPEG2 = 21,
    kDefineShape2 = 22, kDefineButtonCxform = 23, kProtect = 24, kPathsArePostScript = 25,
    kPlaceObject2 = 26, kRemoveObject2 = 28, kDefineShape3 = 32, kDefineButton2 = 34,
    kDefineBitsJPEG3 = 35, kDefineBitsLossless2 = 36, kDefineEditText = 37, kDefineSprite = 39,
    kFrameLabel = 43, kSoundStreamHead2 = 45, kDefineMorphShape = 46, kDefineFont2 = 48,
    kExportAssets = 56, kEnableDebugger = 58, kDefineFontInfo2 = 62, kEnableDebugger2 = 64,
    kScriptLimits = 65, kSetTabIndex = 66,
};

std::unique_ptr<C_SWF_Tag> MakeTag(uint16_t code)
{
    switch (code)
    {
    case kEnd: return std::make_unique<C_SWF_Tag_End>();
    case kShowFrame: return std::make_unique<C_SWF_Tag_ShowFrame>();
    case kDefineShape: return std::make_unique<C_SWF_Tag_DefineShape>();
    case kPlaceObject: return std::make_unique<C_SWF_Tag_PlaceObject>();
    case kRemoveObject: return std::make_unique<C_SWF_Tag_RemoveObject>();
    case kDefineBits: return std::make_unique<C_SWF_Tag_DefineBits>();
    case kDefineButton: return std::make_unique<C_SWF_Tag_DefineButton>();
    case kJPEGTables: return std::make_unique<C_SWF_Tag_JPEGTables>();
    case kSetBackgroundColor: return std::make_unique<C_SWF_Tag_SetBackgroundColor>();
    case kDefineFont: return std::make_unique<C_SWF_Tag_DefineFont>();
    case kDefineText: return std::make_unique<C_SWF_Tag_DefineText>();
    case kDoAction: return std::make_unique<C_SWF_Tag_DoAction>();
    case kDefineFontInfo: return std::make_unique<C_SWF_Tag_DefineFontInfo>();
    case kDefineSound: return std::make_unique<C_SWF_Tag_DefineSound>();
    case kStartSound: return std::make_unique<C_SWF_Tag_StartSound>();
    case kDefineButtonSound: return std::make_unique<C_SWF_Tag_DefineButtonSound>();
    case kSoundStreamHead: return std::make_unique<C_SWF_Tag_SoundStreamHead>();
    case kSoundStreamBlock: return std::make_unique<C_SWF_Tag_SoundStreamBlock>();
    case kDefineBitsLossless: return std::make_unique<C_SWF_Tag_DefineBitsLossless>();
    case kDefineBitsJPEG2: return std::make_unique<C_SWF_Tag_DefineBitsJPEG2>();
    case kDefineShape2: return std::make_unique<C_SWF_Tag_DefineShape2>();
    case kDefineButtonCxform: return std::make_unique<C_SWF_Tag_DefineButtonCxform>();
    case kProtect: return std::make_unique<C_SWF_Tag_Protect>();
    case kPlaceObject2: return std::make_unique<C_SWF_Tag_PlaceObject2>();
    case kRemoveObject2: return std::make_unique<C_SWF_Tag_RemoveObject2>();
    case kDefineShape3: return std::make_unique<C_SWF_Tag_DefineShape3>();
    case kDefineButton2: return std::make_unique<C_SWF_Tag_DefineButton2>();
    case kDefineBitsJPEG3: return std::make_unique<C_SWF_Tag_DefineBitsJPEG3>();
    case kDefineBitsLossless2: return std::make_unique<C_SWF_Tag_DefineBitsLossless2>();
    case kDefineEditText: return std::make_unique<C_SWF_Tag_DefineEditText>();
    case kDefineSprite: return std::make_unique<C_SWF_Tag_DefineSprite>();
    case kFrameLabel: return std::make_unique<C_SWF_Tag_FrameLabel>();
    case kSoundStreamHead2: return std::make_unique<C_SWF_Tag_SoundStreamHead2>();
    case kDefineMorphShape: return std::make_unique<C_SWF_Tag_DefineMorphShape>();
    case kDefineFont2: return std::make_unique<C_SWF_Tag_DefineFont2>();
    case kExportAssets: return std::make_unique<C_SWF_Tag_ExportAssets>();
    case kEnableDebugger: return std::make_unique<C_SWF_Tag_EnableDebugger>();
    case kDefineFontInfo2: return std::make_unique<C_SWF_Tag_DefineFontInfo2>();
    case kEnableDebugger2: return std::make_unique<C_SWF_Tag_EnableDebugger2>();
    case kScriptLimits: return std::make_unique<C_SWF_Tag_ScriptLimits>();
    case kSetTabIndex: return std::make_unique<C_SWF_Tag_SetTabIndex>();
    default: return std::make_unique<C_SWF_Tag_Unknown>();
    }
}

std::string Format(const char* format, ...)
{
    char text[64];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}
}

C_SWF_TagList::C_SWF_TagList(uint8_t swfVersion) : m_swfVersion(swfVersion)
{
}

C_SWF_TagList::~C_SWF_TagList()
{
    // Iterative: a movie can hold many thousands of tags.
    while (m_head)
    {
        C_SWF_Tag* next = m_head->next;
        delete m_head;
        m_head = next;
    }
}

C_SWF_Tag* C_SWF_TagList::Append(std::unique_ptr<C_SWF_Tag> tag)
{
    C_SWF_Tag* added = tag.release();
    added->next = nullptr;
    if (m_tail)
        m_tail->next = added;
    else
        m_head = added;
    m_tail = added;
    return added;
}

bool C_SWF_TagList::IsWritableCode(uint16_t tagCode)
{
    switch (tagCode)
    {
    case kEnd: case kShowFrame: case kDefineShape:
    case kPlaceObject: case kRemoveObject: case kDefineBits: case kDefineButton: case kJPEGTables:
    case kSetBackgroundColor: case kDefineFont: case kDefineText: case kDoAction: case kDefineFontInfo:
    case kDefineSound: case kStartSound:
    case kDefineButtonSound: case kSoundStreamHead: case kSoundStreamBlock: case kDefineBitsLossless:
    case kDefineBitsJPEG2: case kDefineShape2: case kDefineButtonCxform: case kProtect:
    case kPathsArePostScript: case kPlaceObject2:
    case kRemoveObject2: case kDefineShape3:
    case kDefineButton2: case kDefineBitsJPEG3: case kDefineBitsLossless2: case kDefineEditText:
    case kDefineSprite: case kFrameLabel: case kSoundStreamHead2: case kDefineMorphShape:
    case kDefineFont2: case kExportAssets: case kEnableDebugger: case kDefineFontInfo2:
    case kEnableDebugger2: case kScriptLimits: case kSetTabIndex:
        return true;
    default:
        return false;
    }
}

bool C_SWF_TagList::Serialize(C_SWF_BitStream& stream)
{
    m_stream = &stream;
    return stream.IsWriting() ? WriteTags() : ReadTags();
}

C_SWF_Tag* C_SWF_TagList::CreateTag(uint16_t tagCode, uint32_t length, uint8_t longHeader)
{
    if (!m_stream)
        return nullptr;
    std::unique_ptr<C_SWF_Tag> tag = MakeTag(tagCode);
    // The reading tag needs its body length, and PlaceObject2 the movie's version, before its body.
    tag->tagCode = tagCode;
    tag->length = length;
    tag->longHeader = longHeader;
    if (auto* place = dynamic_cast<C_SWF_Tag_PlaceObject2*>(tag.get()))
        place->swfVersion = m_swfVersion;
    tag->Serialize(*m_stream);
    if (auto* background = dynamic_cast<C_SWF_Tag_SetBackgroundColor*>(tag.get()); background && m_stream->Good())
        m_backgroundColor = background->backgroundColor;
    return Append(std::move(tag));
}

void C_SWF_TagList::WriteTag(C_SWF_Tag& tag)
{
    C_SWF_BitStream& stream = *m_stream;
    const uint64_t startBit = stream.GetBitPosition();
    const uint32_t start = stream.GetBytePosition();
    for (;;)
    {
        tag.length = 0;
        tag.WriteRecordHeader(stream);
        tag.Serialize(stream);
        const uint64_t endBit = stream.GetBitPosition();
        const uint32_t end = std::max(stream.GetBytePosition(), static_cast<uint32_t>((endBit + 7) / 8));
        const uint32_t headerSize = kShortHeaderSize + (tag.longHeader ? kLongHeaderExtra : 0);
        if (!stream.Good())
            return;
        const uint32_t bodyLength = end - start - headerSize;
        // A short header cannot hold a longer body and growing it would overwrite the body's
        // start: the tag is written again after a long header.
        if (!tag.longHeader && bodyLength > C_SWF_Tag::kMaxShortLength)
        {
            stream.ClearWritten(start, end);
            stream.SetPositions(startBit, start);
            tag.longHeader = 1;
            continue;
        }
        stream.SetPositions(startBit, start);
        tag.length = bodyLength;
        tag.WriteRecordHeader(stream);
        stream.SetPositions(endBit, end);
        return;
    }
}

bool C_SWF_TagList::WriteTags()
{
    for (C_SWF_Tag* tag = m_head; tag && m_stream->Good(); tag = tag->next)
    {
        if (!IsWritableCode(tag->tagCode))
        {
            m_stream->Fail(Format("un-supported tag type: %u\n", unsigned(tag->tagCode)));
            return false;
        }
        WriteTag(*tag);
    }
    return m_stream->Good();
}

bool C_SWF_TagList::ReadTags()
{
    C_SWF_BitStream& stream = *m_stream;
    const uint32_t dataEnd = stream.GetReadLimit();
    int counter = 0;
    while (stream.Good())
    {
        if (stream.GetBytePosition() >= dataEnd)
        {
            stream.Fail("the tag sequence ends without its End tag");
            return false;
        }
        uint16_t codeAndLength = 0;
        if (!stream.SerializeUI16(codeAndLength))
            return false;
        const uint16_t code = codeAndLength >> kCodeShift;
        uint32_t length = codeAndLength & kLongLengthMark;
        uint8_t longHeader = 0;
        if (length == kLongLengthMark)
        {
            stream.SerializeUI32(length);
            longHeader = 1;
        }
        const uint32_t bodyStart = stream.GetBytePosition();
        ++counter;
        if (!stream.Good() || length > stream.GetBytesLeft())
        {
            stream.Fail(Format("error loading current tag %d\n", counter));
            return false;
        }
        // The body may not read into the following tags.
        stream.SetReadLimit(bodyStart + length);
        CreateTag(code, length, longHeader);
        stream.SetReadLimit(dataEnd);
        if (!stream.Good())
            return false;
        if (code == kEnd)
            return true;
        if (stream.GetBytePosition() != bodyStart + length)
        {
            stream.Fail(Format("error loading current tag %d\n", counter));
            return false;
        }
    }
    return false;
}
