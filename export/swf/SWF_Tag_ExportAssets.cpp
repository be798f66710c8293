#include "export/swf/SWF_Tag_ExportAssets.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_ExportAssets::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeCount16(count, entries.size());
    stream.SerializeList(entries, count, 24, [&](C_SWF_ExportEntry& entry) { stream.SerializeExportEntry(entry); });
}
