#include "platform/mfc/PrintInfo.h"

// A page count the print dialog accepts when a view sets none.
constexpr WORD kDefaultMaxPage = 0xFFFF;

CPrintInfo::CPrintInfo() : m_pd{}
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_RETURNDC;
    m_pd.nFromPage = 1;
    m_pd.nToPage = kDefaultMaxPage;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = kDefaultMaxPage;
    m_pd.nCopies = 1;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
    if (m_pd.hDevMode != nullptr)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != nullptr)
        ::GlobalFree(m_pd.hDevNames);
}

UINT CPrintInfo::GetFromPage() const
{
    return (m_pd.Flags & PD_PAGENUMS) ? m_pd.nFromPage : m_pd.nMinPage;
}

UINT CPrintInfo::GetToPage() const
{
    return (m_pd.Flags & PD_PAGENUMS) ? m_pd.nToPage : m_pd.nMaxPage;
}

BOOL CPrintInfo::GetDefaultPrinter()
{
    if (m_pd.hDC != nullptr)
        return TRUE;
    DWORD dwFlags = m_pd.Flags;
    m_pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    BOOL bResult = ::PrintDlgA(&m_pd) && m_pd.hDC != nullptr;
    m_pd.Flags = dwFlags;
    return bResult;
}
