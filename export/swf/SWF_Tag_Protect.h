#pragma once

#include "export/swf/SWF_Tag_Unknown.h"

// Marks the movie as not to be imported; its body (an optional password hash) is kept raw.
class C_SWF_Tag_Protect : public C_SWF_Tag_Unknown
{
};
