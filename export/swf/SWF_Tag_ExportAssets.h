#pragma once

#include "export/swf/SWF_Records.h"
#include "export/swf/SWF_Tag.h"

#include <cstdint>
#include <vector>

// Characters exported under names.
class C_SWF_Tag_ExportAssets : public C_SWF_Tag
{
public:
    void Serialize(C_SWF_BitStream& stream) override;

    uint16_t count = 0;
    std::vector<C_SWF_ExportEntry> entries;
};
