#include "export/swf/SWF_Tag_DefineButton2.h"

#include "export/swf/SWF_BitStream.h"

void C_SWF_Tag_DefineButton2::Serialize(C_SWF_BitStream& stream)
{
    stream.SerializeUI16(buttonId);
    stream.SerializeUB(reservedFlags, 7);
    stream.SerializeUB(trackAsMenu, 1);
    const uint32_t offsetPosition = stream.GetBytePosition();
    stream.SerializeUI16(actionOffset);
    stream.SerializeEndFlagList(characters, characterEndFlag,
                                [&](C_SWF_ButtonRecord& record) { stream.SerializeButtonRecord(record, 2); });
    if (stream.IsWriting() && (actionOffset != 0) == actions.empty())
    {
        stream.Fail("a button's ActionOffset disagrees with its actions");
        return;
    }
    if (stream.IsReading())
        actions.clear();
    if (actionOffset == 0)
        return;
    // Offsets only lead forward: going back would read or write over what is already there.
    auto moveTo = [&](uint64_t position) {
        if (position < stream.GetBytePosition() || position > UINT32_MAX)
            stream.Fail("a button's action offsets point back into its own data");
        else
            stream.SetBytePosition(static_cast<uint32_t>(position));
    };
    moveTo(uint64_t(offsetPosition) + actionOffset);
    for (size_t index = 0; stream.Good(); ++index)
    {
        if (stream.IsReading())
            actions.emplace_back();
        const uint32_t start = stream.GetBytePosition();
        stream.SerializeButtonCondAction(actions[index]);
        const bool last = actions[index].condActionSize == 0;
        if (stream.IsWriting() && last != (index + 1 == actions.size()))
        {
            stream.Fail("only a button's last condition action has CondActionSize 0");
            return;
        }
        if (last)
            return;
        moveTo(uint64_t(start) + actions[index].condActionSize);
    }
}
