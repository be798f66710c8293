#pragma once

#include "export/swf/SWF_Tag_Unknown.h"

// Enables debugging; its body (a password hash) is kept raw.
class C_SWF_Tag_EnableDebugger : public C_SWF_Tag_Unknown
{
};
