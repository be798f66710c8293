#pragma once

#include "export/swf/SWF_Tag_SoundStreamHead.h"

class C_SWF_Tag_SoundStreamHead2 : public C_SWF_Tag_SoundStreamHead
{
public:
};
