#include "platform/mfc/DWordArray.h"

IMPLEMENT_DYNAMIC(CDWordArray, CObject)
