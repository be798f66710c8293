#pragma once
// The drag side of OLE drag and drop: decides when a drag starts, continues, drops or cancels.
#include "platform/mfc/CmdTarget.h"
#include "platform/mfc/Rect.h"

#include "platform/mfc/OleInit.h"

#include <ole2.h>

class CWnd;

class COleDropSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    ~COleDropSource() override = default;

    // Escape or the other button cancels; releasing the drag button drops.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Waits until the mouse leaves m_rectStartDrag (screen coordinates) or the drag delay passes;
    // FALSE when the button is released or Escape pressed first.
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    // The IDropSource interface of this object (not AddRef'd).
    LPDROPSOURCE GetDropSource() { return &m_xDropSource; }

    // Process-wide: milliseconds after which a press starts a drag without moving. Read once
    // from the system's "DragDelay" setting; a program may set its own.
    static UINT nDragDelay;

    BOOL m_bDragStarted = FALSE;
    DWORD m_dwButtonCancel = 0;
    DWORD m_dwButtonDrop = 0;
    CRect m_rectStartDrag;

private:
    struct XDropSource : public IDropSource
    {
        COleDropSource* m_pThis = nullptr;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
        HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;
    } m_xDropSource;
};
