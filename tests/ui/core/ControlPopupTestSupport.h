#pragma once
// Fixtures of the control-popup tests: an owner window that fills, measures, draws and records
// the list notifications.
#include "tests/ui/core/PopupTestSupport.h"
#include "ui/core/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A top-most window that receives the popups' commands and notifications.
class CListOwnerWindow
{
public:
    static constexpr int ITEM_HEIGHT = 18;
    static constexpr COLORREF BACKDROP = RGB(40, 160, 220);
    static constexpr COLORREF SELECTED = RGB(0, 0, 128);

    struct Notice
    {
        UINT nMessage;
        int nSelection;
    };

    explicit CListOwnerWindow(const RECT& rc);
    ~CListOwnerWindow();
    CListOwnerWindow(const CListOwnerWindow&) = delete;
    CListOwnerWindow& operator=(const CListOwnerWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    // Foreground again, the cursor parked in its corner, the records cleared.
    void Prepare();
    int CountNotices(UINT nMessage) const;

    // What the init-content notification fills the list with, and the item to select (-1: none).
    std::vector<std::string> m_items;
    int m_nInitialSelection = -1;
    std::vector<Notice> m_notices;
    std::vector<UINT> m_commands;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    RECT m_rc;
};

// The centre of a list item on the screen.
POINT ItemCentreOnScreen(HWND hWndList, int nItem);

// The suites' fixture: one owner for the whole suite, made ready before each test; each test
// ends with no menu tracked.
class ListOwnerTest : public ::testing::Test
{
protected:
    static constexpr RECT OWNER_RECT{0, 0, 640, 480};

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;
    static CListOwnerWindow& Owner() { return *s_pOwner; }
    // Tracks the popup at the point for the owner; null (the popup deleted) when it did not open.
    template <class TPopup>
    static TPopup* Track(TPopup* pPopup, POINT pt)
    {
        pPopup->PrepareEmptyPopup(Owner().Handle());
        if (!pPopup->StartTracking(CExtPopupMenuWnd::TRACK_NO_ANIMATION, pt.x, pt.y)) {
            delete pPopup;
            return nullptr;
        }
        PumpMessagesFor(60);
        return pPopup;
    }

private:
    static CListOwnerWindow* s_pOwner;
};
