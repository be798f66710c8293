#pragma once

#include "export/swf/SWF_Tag_SoundStreamHead.h"

// The same body as SoundStreamHead, allowing more formats.
class C_SWF_Tag_SoundStreamHead2 : public C_SWF_Tag_SoundStreamHead
{
};
