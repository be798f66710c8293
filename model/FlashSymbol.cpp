#include "model/FlashSymbol.h"

CFlashSymbol::CFlashSymbol(const CFlashSymbol& source)
    : CFlashShape(source, StyleCopy()), m_strSymbolName(source.m_strSymbolName), m_members(source.m_members)
{
}

CFlashShape* CFlashSymbol::Clone() const
{
    return new CFlashSymbol(*this);
}
