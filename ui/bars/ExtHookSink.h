#pragma once
// A mix-in that lets any number of objects watch and intercept the messages of windows they do
// not own. The first sink on a window subclasses it once with a common window procedure, which
// walks the window's chain of sinks before (or instead of) the window's own procedure.
#include "platform/mfc/Array.h"
#include "platform/mfc/List.h"
#include "platform/mfc/Map.h"

#include <windows.h>

class CExtHookSink
{
public:
    // The sinks of one window in chain order (index 0 sees a message first).
    class HookSinkArray_t : public CArray<CExtHookSink*, CExtHookSink*>
    {
    public:
        // The index of the sink, or -1.
        INT_PTR Find(const CExtHookSink* pHookSink) const;
        void AddHead(CExtHookSink* pHookSink);
    };

    // The chain of one hooked window and the procedure the window had before it.
    class HookChains_t
    {
    public:
        // Subclasses the window; IsValid() tells whether the window accepted it.
        explicit HookChains_t(HWND hWndToHook);
        // Dissolves the chain (see DestroyChains) without freeing the record.
        ~HookChains_t();
        HookChains_t(const HookChains_t&) = delete;
        HookChains_t& operator=(const HookChains_t&) = delete;

        bool IsValid() const { return m_pWNDPROC != nullptr; }
        // Deletes the auto-delete sinks, empties the chain and puts the saved procedure back;
        // with bDelete also frees the record, which must then not be touched.
        void DestroyChains(bool bDelete);
        // Runs one message through the sinks and then, unless one consumed it, the saved
        // procedure. WM_NCDESTROY reaches every sink and then dissolves the chain.
        LRESULT ProcessMessage(UINT nMessage, WPARAM& wParam, LPARAM& lParam);

        HookSinkArray_t m_HookSinkArray;
        HWND m_hWndHooked;
        WNDPROC m_pWNDPROC;

    private:
        // Empties the chain and puts the saved procedure back; a second call does nothing.
        void Dissolve();
    };

    using HookChainsMap_t = CMap<HWND, HWND, HookChains_t*, HookChains_t*>;
    // Every hooked window's chain; a window is subclassed exactly while it has an entry.
    static HookChainsMap_t g_HookChainsMap;

    explicit CExtHookSink(bool bEnableHookedWindowDispatch = true);
    // Leaves every window still hooked, without notifications: a class that mixes the sink
    // in calls UnhookAllWindows itself while its overrides are still there.
    virtual ~CExtHookSink();
    CExtHookSink(const CExtHookSink&) = delete;
    CExtHookSink& operator=(const CExtHookSink&) = delete;

    // A sink answering true is deleted when it leaves a window or the window's chain dissolves.
    virtual bool IsAutoDeleteSink();

    // The saved procedure of the window of the current message, called with that window;
    // 0 outside a hooked message.
    virtual LRESULT CallSavedProcWithParams(WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallSavedProc(UINT nMessage, WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallSavedProcForCurrentMessage();

    // Routes WM_COMMAND, WM_NOTIFY, WM_PAINT, WM_ERASEBKGND, WM_PRINT and WM_NCPAINT to the
    // handlers below; true consumes the message with lResult.
    virtual bool DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                       LPARAM& lParam);
    virtual bool HandleHookedCommand(LRESULT& lResult, HWND hWndHooked, UINT nNotifyCode, UINT nCmdId,
                                     HWND hWndCtrl);
    virtual bool HandleHookedNotify(LRESULT& lResult, HWND hWndHooked, WPARAM wParam, LPARAM lParam);
    virtual bool HandleHookedPaint(LRESULT& lResult, HWND hWndHooked, WPARAM wParam);
    virtual bool HandleHookedEraseBkgnd(LRESULT& lResult, HWND hWndHooked, HDC hDC);
    virtual bool HandleHookedPrint(LRESULT& lResult, HWND hWndHooked, HDC hDC);
    virtual bool HandleHookedNcPaint(LRESULT& lResult, HWND hWndHooked, HRGN hRgnUpdate);
    virtual void HandleHookedNcDestroy();
    virtual void OnWindowHooked(HWND hWnd);
    virtual void OnWindowUnhooked(HWND hWnd);

    // Attaches to the window (at the chain's head or end), or with bRemove detaches from it.
    // Attaching needs a live window; detaching answers true also when there was nothing to do.
    virtual bool HookWindow(HWND hWnd, bool bRemove = false, bool bAddToHead = false);
    virtual void UnhookAllWindows();

    bool IsHookingWindow(HWND hWnd) const;
    // Empties the list, then adds every window whose chain holds this sink.
    void GetHookedWindows(CList<HWND, HWND>& listHookedWindows) const;

    // The common window procedure of every hooked window.
    static LRESULT CALLBACK HookChainsWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

private:
    // Leaves one window's chain; bAllowDelete lets an auto-delete sink go at once.
    void UnhookWindow(HWND hWnd, bool bAllowDelete);
    // True while hWnd's map entry is pChains: a sink may destroy the window, and so its chain,
    // while a message of it is being walked.
    static bool IsLiveChain(HWND hWnd, const HookChains_t* pChains);

    static constexpr BYTE DISPATCH_ENABLED = 0x01;
    BYTE m_nHookSinkFlags;
};
