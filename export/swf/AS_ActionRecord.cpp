#include "export/swf/AS_ActionRecord.h"

#include "export/swf/AS_ActionCall.h"
#include "export/swf/AS_ActionConstantPool.h"
#include "export/swf/AS_ActionDefineFunction.h"
#include "export/swf/AS_ActionGetURL.h"
#include "export/swf/AS_ActionGetURL2.h"
#include "export/swf/AS_ActionGoToLabel.h"
#include "export/swf/AS_ActionGotoFrame.h"
#include "export/swf/AS_ActionGotoFrame2.h"
#include "export/swf/AS_ActionIf.h"
#include "export/swf/AS_ActionJump.h"
#include "export/swf/AS_ActionPlay.h"
#include "export/swf/AS_ActionPush.h"
#include "export/swf/AS_ActionSetTarget.h"
#include "export/swf/AS_ActionStop.h"

void C_AS_ActionRecord::Serialize(C_SWF_BitStream&)
{
}

std::unique_ptr<C_AS_ActionRecord> C_SWF_ActionRecord::CreateAction(uint8_t code)
{
    switch (code)
    {
    case 0x06: return std::make_unique<C_AS_ActionPlay>();
    case 0x07: return std::make_unique<C_AS_ActionStop>();
    case 0x81: return std::make_unique<C_AS_ActionGotoFrame>();
    case 0x83: return std::make_unique<C_AS_ActionGetURL>();
    case 0x88: return std::make_unique<C_AS_ActionConstantPool>();
    case 0x8B: return std::make_unique<C_AS_ActionSetTarget>();
    case 0x8C: return std::make_unique<C_AS_ActionGoToLabel>();
    case 0x96: return std::make_unique<C_AS_ActionPush>();
    case 0x99: return std::make_unique<C_AS_ActionJump>();
    case 0x9A: return std::make_unique<C_AS_ActionGetURL2>();
    case 0x9B: return std::make_unique<C_AS_ActionDefineFunction>();
    case 0x9D: return std::make_unique<C_AS_ActionIf>();
    case 0x9E: return std::make_unique<C_AS_ActionCall>();
    case 0x9F: return std::make_unique<C_AS_ActionGotoFrame2>();
    default: return nullptr;
    }
}
