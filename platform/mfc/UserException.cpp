#include "platform/mfc/UserException.h"

IMPLEMENT_DYNAMIC(CUserException, CException)

void AfxThrowUserException()
{
    throw new CUserException;
}
