#pragma once

#include "export/swf/SWF_Tag_DefineBits.h"

// A JPEG image with its own encoding tables: the same body as DefineBits.
class C_SWF_Tag_DefineBitsJPEG2 : public C_SWF_Tag_DefineBits
{
};
