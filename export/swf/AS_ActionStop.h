#pragma once

#include "export/swf/AS_ActionRecord.h"

// Action with no fields.
class C_AS_ActionStop : public C_AS_ActionRecord
{
};
