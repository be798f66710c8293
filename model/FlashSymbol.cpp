#include "model/FlashSymbol.h"

CFlashShape* CFlashSymbol::Duplicate() const
{
    return new CFlashSymbol(*this);
}
