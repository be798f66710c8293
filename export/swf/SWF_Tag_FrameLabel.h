#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

// Names the current frame.
class C_SWF_Tag_FrameLabel : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    C_SWF_String name;
};
