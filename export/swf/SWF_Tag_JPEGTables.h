#pragma once

#include "export/swf/SWF_Tag_Unknown.h"

// The JPEG encoding tables shared by the DefineBits images, kept raw.
class C_SWF_Tag_JPEGTables : public C_SWF_Tag_Unknown
{
};
