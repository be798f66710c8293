#pragma once
// Base of the drawing objects: owns an HGDIOBJ and deletes it with the object.
#include "platform/mfc/Object.h"

#include <windows.h>

class CGdiObject : public CObject
{
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    HGDIOBJ m_hObject = nullptr;

    // The attached object, else a temporary one of the class matching the handle's type
    // (CPen, CBrush, CFont, CBitmap, CRgn, CPalette), deleted at idle time.
    static CGdiObject* FromHandle(HGDIOBJ hObject);
    static void DeleteTempMap();
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return GetSafeHandle(); }

    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();
    bool operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
    bool operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }
};

// The handle of a drawing object that may be absent: null for a null pointer.
inline HGDIOBJ HgdiobjOf(const CGdiObject* pObject)
{
    return pObject != nullptr ? pObject->m_hObject : nullptr;
}
