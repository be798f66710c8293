#include "platform/mfc/PtrList.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
