#include "platform/mfc/MapStringToPtr.h"

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
