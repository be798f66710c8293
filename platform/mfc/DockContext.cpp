#include "platform/mfc/DockContext.h"

#include "platform/mfc/ControlBar.h"

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar != nullptr ? pBar->m_pDockSite : nullptr)
{
}

CDockContext::~CDockContext() = default;

void CDockContext::StartDrag(CPoint) {}
void CDockContext::StartResize(int, CPoint) {}
void CDockContext::ToggleDocking() {}
void CDockContext::InitLoop() {}
void CDockContext::CancelLoop() {}
BOOL CDockContext::Track() { return FALSE; }
void CDockContext::Move(CPoint) {}
void CDockContext::Stretch(CPoint) {}
void CDockContext::EndDrag() {}
void CDockContext::EndResize() {}
void CDockContext::OnKey(int, BOOL) {}
void CDockContext::DrawFocusRect(BOOL) {}
void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue) { *pFlag = bNewValue; }
DWORD CDockContext::CanDock() { return 0; }
CDockBar* CDockContext::GetDockBar(DWORD) { return nullptr; }
