#include "platform/mfc/MapPtrToWord.h"

IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
