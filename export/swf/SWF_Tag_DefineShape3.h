#pragma once

#include "export/swf/SWF_Tag_DefineShape.h"

// DefineShape with shape version 3: colours with alpha.
class C_SWF_Tag_DefineShape3 : public C_SWF_Tag_DefineShape
{
public:
    C_SWF_Tag_DefineShape3() { shapeVersion = C_SWF_BitStream::kShapeVersion3; }
};
