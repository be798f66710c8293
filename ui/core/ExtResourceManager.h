#pragma once
// The one place the framework loads its strings, menus, accelerators, bitmaps and raw resources
// from: the current resource module, optionally looked up for a configured language first and
// the default language second.
#include "platform/mfc/Afx.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/String.h"

// Resource bytes copied out of a module, owned by the caller.
class CExtResourceBuffer
{
public:
    CExtResourceBuffer() = default;
    CExtResourceBuffer(const CExtResourceBuffer&) = delete;
    CExtResourceBuffer& operator=(const CExtResourceBuffer&) = delete;
    ~CExtResourceBuffer();

    bool Allocate(DWORD dwSize, bool bZero);
    bool LoadFrom(HINSTANCE hModule, HRSRC hResource);
    bool FindAndLoad(HINSTANCE hModule, LPCSTR lpszType, LPCSTR lpszName, WORD wLanguage);
    void Free();
    const BYTE* GetBuffer() const { return m_pBytes; }
    DWORD GetSize() const { return m_dwSize; }

private:
    BYTE* m_pBytes = nullptr;
    DWORD m_dwSize = 0;
};

class CExtResourceManager
{
public:
    static constexpr WORD DEFAULT_LANGUAGE = 1033;
    static constexpr BYTE FLAG_LANGUAGE_AWARE = 0x01;

    CExtResourceManager() = default;
    virtual ~CExtResourceManager() = default;

    virtual LPCDLGTEMPLATEA AdjustDialogTemplate(LPCDLGTEMPLATEA lpTemplate, CWnd* pDialog, DWORD_PTR dwReserved1,
                                                 DWORD_PTR dwReserved2);
    virtual bool IsLanguageAware() const;
    virtual void SetLanguageAware(bool bAware);
    virtual bool IsRightToLeftLanguage() const;
    virtual int GetRightToLeftOverride() const;
    virtual int SetRightToLeftOverride(int nOverride);
    virtual WORD GetLanguage() const;
    virtual void SetLanguage(WORD wLanguage);
    virtual WORD GetDefaultLanguage() const;
    virtual int LocaleInfoForLanguage(LCTYPE lcType, LPSTR lpBuffer, int nSize) const;
    virtual HINSTANCE FindResourceForLanguage(LPCSTR lpszType, LPCSTR lpszName, WORD wLanguage,
                                              WORD* pwLanguageOut = nullptr, HRSRC* phResourceOut = nullptr);
    virtual HINSTANCE FindResourceForTwoLanguages(LPCSTR lpszType, LPCSTR lpszName, WORD wLanguage1, WORD wLanguage2,
                                                  WORD* pwLanguageOut = nullptr, HRSRC* phResourceOut = nullptr);
    virtual HINSTANCE FindResource(LPCSTR lpszType, LPCSTR lpszName, WORD* pwLanguageOut = nullptr,
                                   HRSRC* phResourceOut = nullptr);
    virtual bool LoadResourceForLanguage(CExtResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                         WORD wLanguage, WORD* pwLanguageOut = nullptr,
                                         HINSTANCE* phModuleOut = nullptr);
    virtual bool LoadResourceForTwoLanguages(CExtResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName,
                                             WORD wLanguage1, WORD wLanguage2, WORD* pwLanguageOut = nullptr,
                                             HINSTANCE* phModuleOut = nullptr);
    virtual bool LoadResource(CExtResourceBuffer& buffer, LPCSTR lpszType, LPCSTR lpszName,
                              WORD* pwLanguageOut = nullptr, HINSTANCE* phModuleOut = nullptr);
    virtual bool LoadStringForTwoLanguages(CString& strOut, UINT nId, WORD wLanguage1, WORD wLanguage2,
                                           WORD* pwLanguageOut = nullptr, HINSTANCE* phModuleOut = nullptr);
    virtual bool LoadStringForLanguage(CString& strOut, UINT nId, WORD* pwLanguageOut = nullptr,
                                       HINSTANCE* phModuleOut = nullptr);
    virtual bool LoadMenuForTwoLanguages(CMenu& menu, LPCSTR lpszName, WORD wLanguage1, WORD wLanguage2,
                                         WORD* pwLanguageOut = nullptr, HINSTANCE* phModuleOut = nullptr);
    virtual bool LoadMenuForLanguage(CMenu& menu, UINT nId, WORD* pwLanguageOut = nullptr,
                                     HINSTANCE* phModuleOut = nullptr);
    virtual bool LoadMenuByName(CMenu& menu, LPCSTR lpszName, WORD* pwLanguageOut = nullptr,
                                HINSTANCE* phModuleOut = nullptr);
    virtual HACCEL LoadAcceleratorsForTwoLanguages(LPCSTR lpszName, WORD wLanguage1, WORD wLanguage2,
                                                   WORD* pwLanguageOut = nullptr, HINSTANCE* phModuleOut = nullptr);
    virtual HACCEL LoadAcceleratorsByName(LPCSTR lpszName, WORD* pwLanguageOut = nullptr,
                                          HINSTANCE* phModuleOut = nullptr);
    virtual HACCEL LoadAccelerators(UINT nId, WORD* pwLanguageOut = nullptr, HINSTANCE* phModuleOut = nullptr);
    virtual HBITMAP LoadBitmapForTwoLanguages(LPCSTR lpszName, WORD wLanguage1, WORD wLanguage2,
                                              WORD* pwLanguageOut = nullptr, HINSTANCE* phModuleOut = nullptr);
    virtual HBITMAP LoadBitmapByName(LPCSTR lpszName, WORD* pwLanguageOut = nullptr,
                                     HINSTANCE* phModuleOut = nullptr);
    virtual HBITMAP LoadBitmap(UINT nId, WORD* pwLanguageOut = nullptr, HINSTANCE* phModuleOut = nullptr);

    // The string, or the default text when the string table has none.
    CString LoadStringOrDefault(UINT nId, LPCSTR lpszDefault);
    // Window-layout bits for new windows: bit 0 set for a right-to-left user interface.
    DWORD GetLayout() const;

private:
    BYTE m_nFlags = 0;
    WORD m_wLanguage = DEFAULT_LANGUAGE;
    int m_nRightToLeftOverride = -1;
};

class CExtResourceManagerHolder
{
public:
    CExtResourceManagerHolder() = default;
    CExtResourceManagerHolder(const CExtResourceManagerHolder&) = delete;
    CExtResourceManagerHolder& operator=(const CExtResourceManagerHolder&) = delete;
    ~CExtResourceManagerHolder();

    // The current manager; the default one is installed on first use.
    CExtResourceManager* GetManager();
    CExtResourceManager* operator->() { return GetManager(); }
    // Deletes the previous manager and installs the given one (null: a new default manager).
    void ReplaceManager(CExtResourceManager* pManager);

private:
    CExtResourceManager* m_pManager = nullptr;
};

extern CExtResourceManagerHolder g_ResourceManagerHolder;
