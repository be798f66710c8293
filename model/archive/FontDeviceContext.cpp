#include "model/archive/FontDeviceContext.h"

HWND CFontDeviceContext::s_referenceWindow = nullptr;

void CFontDeviceContext::SetReferenceWindow(HWND window)
{
    s_referenceWindow = window;
}

CFontDeviceContext::CFontDeviceContext()
    : m_window(s_referenceWindow), m_dc(m_window ? GetDC(m_window) : CreateCompatibleDC(nullptr))
{
}

CFontDeviceContext::~CFontDeviceContext()
{
    if (!m_dc)
        return;
    if (m_window)
        ReleaseDC(m_window, m_dc);
    else
        DeleteDC(m_dc);
}
