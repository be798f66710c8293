#pragma once

#include "export/swf/SWF_Tag_DefineBitsLossless.h"

// The same body as DefineBitsLossless, with alpha in its pixels.
class C_SWF_Tag_DefineBitsLossless2 : public C_SWF_Tag_DefineBitsLossless
{
};
