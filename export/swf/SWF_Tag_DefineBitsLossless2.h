#pragma once

#include "export/swf/SWF_Tag_DefineBitsLossless.h"

class C_SWF_Tag_DefineBitsLossless2 : public C_SWF_Tag_DefineBitsLossless
{
public:
};
