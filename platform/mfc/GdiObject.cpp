#include "platform/mfc/GdiObject.h"

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Brush.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/HandleMap.h"
#include "platform/mfc/Palette.h"
#include "platform/mfc/Pen.h"
#include "platform/mfc/Rgn.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace
{
CGdiObject* MakeTemporary(HGDIOBJ hObject)
{
    CGdiObject* pObject = nullptr;
    switch (::GetObjectType(hObject))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN: pObject = new CPen; break;
    case OBJ_BRUSH: pObject = new CBrush; break;
    case OBJ_FONT: pObject = new CFont; break;
    case OBJ_BITMAP: pObject = new CBitmap; break;
    case OBJ_REGION: pObject = new CRgn; break;
    case OBJ_PAL: pObject = new CPalette; break;
    default: pObject = new CGdiObject; break;
    }
    pObject->m_hObject = hObject;
    return pObject;
}

CHandleMap<HGDIOBJ, CGdiObject>& GdiObjectMap()
{
    static CHandleMap<HGDIOBJ, CGdiObject> map(&MakeTemporary, [](CGdiObject* pObject) { pObject->m_hObject = nullptr; });
    return map;
}
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return GdiObjectMap().FromHandle(hObject);
}

void CGdiObject::DeleteTempMap()
{
    GdiObjectMap().DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return FALSE;
    GdiObjectMap().SetPermanent(hObject, this);
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != nullptr && GdiObjectMap().LookupPermanent(hObject) == this)
        GdiObjectMap().RemovePermanent(hObject);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return static_cast<UINT>(::GetObjectType(m_hObject));
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // Stock objects are never deleted, so they are held without attaching.
    m_hObject = ::GetStockObject(nIndex);
    return m_hObject != nullptr;
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}
