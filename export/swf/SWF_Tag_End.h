#pragma once

#include "export/swf/SWF_Tag.h"

// End of the tag sequence; no body.
class C_SWF_Tag_End : public C_SWF_Tag
{
};
