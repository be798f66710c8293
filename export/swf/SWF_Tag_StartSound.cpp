#include "export/swf/SWF_Tag_StartSound.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_StartSound::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(soundId);
    stream.SerializeSoundInfo(soundInfo);
}
