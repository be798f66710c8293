#include "export/swf/SWF_Tag_PlaceObject2.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_PlaceObject2::Serialize(C_SWF_BitStream& stream)
{
    for (C_SWF_BitField* flag : {&placeFlagHasClipActions, &placeFlagHasClipDepth, &placeFlagHasName,
                                 &placeFlagHasRatio, &placeFlagHasColorTransform, &placeFlagHasMatrix,
                                 &placeFlagHasCharacter, &placeFlagMove})
        stream.SerializeUB(*flag, 1);
    stream.SerializeUI16(depth);
    if (placeFlagHasCharacter.value)
        stream.SerializeUI16(characterId);
    if (placeFlagHasMatrix.value)
        stream.SerializeMatrix(matrix);
    if (placeFlagHasColorTransform.value)
        stream.SerializeCXFormWithAlpha(colorTransform);
    if (placeFlagHasRatio.value)
        stream.SerializeUI16(ratio);
    if (placeFlagHasName.value)
        stream.SerializeString(name);
    if (placeFlagHasClipDepth.value)
        stream.SerializeUI16(clipDepth);
    if (placeFlagHasClipActions.value)
        stream.SerializeClipActions(clipActions, swfVersion);
}
