#pragma once

#include "export/swf/SWF_Tag.h"

// Shows the frame built so far; no body.
class C_SWF_Tag_ShowFrame : public C_SWF_Tag
{
};
