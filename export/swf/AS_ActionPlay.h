#pragma once

#include "export/swf/AS_ActionRecord.h"

// Action with no fields.
class C_AS_ActionPlay : public C_AS_ActionRecord
{
};
