#include "platform/mfc/PtrArray.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
