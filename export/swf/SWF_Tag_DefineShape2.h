#pragma once

#include "export/swf/SWF_Tag_DefineShape.h"

// DefineShape with shape version 2.
class C_SWF_Tag_DefineShape2 : public C_SWF_Tag_DefineShape
{
public:
    C_SWF_Tag_DefineShape2() { shapeVersion = C_SWF_BitStream::kShapeVersion2; }
};
