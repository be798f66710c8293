#pragma once

#include "export/swf/SWF_Tag_Unknown.h"

// One frame's block of streaming sound, kept raw.
class C_SWF_Tag_SoundStreamBlock : public C_SWF_Tag_Unknown
{
};
