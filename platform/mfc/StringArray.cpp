#include "platform/mfc/StringArray.h"

IMPLEMENT_DYNAMIC(CStringArray, CObject)
