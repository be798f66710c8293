#include "platform/mfc/ObList.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)

void CObList::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            ar << GetNext(pos);
        return;
    }
    for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
    {
        CObject* pObject = nullptr;
        ar >> pObject;
        AddTail(pObject);
    }
}
