#include "export/swf/SWF_Tag_DefineButtonSound.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineButtonSound::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(buttonId);
    for (int state = 0; state < kStateCount; ++state)
    {
        stream.SerializeUI16(buttonSoundChar[state]);
        if (buttonSoundChar[state] != 0)
            stream.SerializeSoundInfo(buttonSoundInfo[state]);
    }
}
