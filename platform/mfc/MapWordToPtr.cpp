#include "platform/mfc/MapWordToPtr.h"

IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
