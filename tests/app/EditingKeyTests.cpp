// Editing keys while an edit control has the focus: the stage's text editor and the panels' edits
// and combo edits take them, and the frame's accelerators for the same keys (Clear, Undo, Copy,
// Paste) do not run. Escape in the text editor drops what was typed.
#include "EditorSessionSupport.h"

#include "app/FlashEditorMainFrame.h"
#include "model/FlashEditorDoc.h"
#include "model/UndoStep.h"
#include "resources/app/AppResources.h"
#include "stage/FlashEditorView.h"
#include "stage/FlashInplaceEdit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Posts a key's press and release to the window, the modifier (0 for none) held in this thread's
// key state as the accelerator translation reads it, and lets the application take them.
void PressKey(HWND window, WPARAM key, BYTE modifier = 0)
{
    BYTE saved[256] = {};
    ::GetKeyboardState(saved);
    BYTE held[256];
    std::memcpy(held, saved, sizeof held);
    if (modifier != 0)
        held[modifier] = 0x80;
    ::SetKeyboardState(held);
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    PumpMessages();
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    PumpMessages();
    ::SetKeyboardState(saved);
}

void Type(HWND window, const char* text)
{
    for (const char* c = text; *c != '\0'; ++c)
        ::PostMessageA(window, WM_CHAR, WPARAM(static_cast<unsigned char>(*c)), 1);
    PumpMessages();
}

std::string Text(HWND window)
{
    char buffer[256] = {};
    ::GetWindowTextA(window, buffer, int(sizeof buffer));
    return buffer;
}

struct CEditSearch {
    HWND found = nullptr;
};

BOOL CALLBACK AcceptEdit(HWND window, LPARAM param)
{
    char name[16] = {};
    ::GetClassNameA(window, name, int(sizeof name));
    if (::lstrcmpiA(name, "Edit") != 0 || !::IsWindowVisible(window))
        return TRUE;
    reinterpret_cast<CEditSearch*>(param)->found = window;
    return FALSE;
}

// The first shown edit control in the bar (a combo box's edit included), or null.
HWND EditIn(UINT barId)
{
    CControlBar* bar = MainFrame()->GetControlBar(barId);
    if (bar == nullptr)
        return nullptr;
    MainFrame()->ShowControlBar(bar, TRUE, FALSE);
    PumpMessages();
    CEditSearch search;
    ::EnumChildWindows(bar->GetSafeHwnd(), &AcceptEdit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int StepCount()
{
    return ActiveDocument()->GetUndoManager().GetStepCount();
}

// A rectangle drawn and left selected, so that a Clear or an Undo that ran would show.
void DrawSelectedRectangle(CFlashEditorView& stage)
{
    SendCommand(ID_TOOL_RECTANGLE);
    ::PostMessageA(stage.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    ::PostMessageA(stage.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 140));
    ::PostMessageA(stage.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(200, 160));
    PumpMessages();
}

TEST_F(EditorSession, EditingKeysInThePanelsEditsReachThemAndNotTheFrame)
{
    CFlashEditorView* stage = MainFrame()->GetActiveStageView();
    ASSERT_NE(stage, nullptr);
    DrawSelectedRectangle(*stage);
    ASSERT_EQ(stage->GetSelection().size(), 1u);
    CUndoManager& undo = ActiveDocument()->GetUndoManager();
    for (UINT bar : {UINT(ID_VIEW_SHAPE), UINT(ID_VIEW_FONT)}) {
        SCOPED_TRACE(bar);
        HWND edit = EditIn(bar);
        ASSERT_NE(edit, nullptr);
        ::SetFocus(edit);
        ::SetWindowTextA(edit, "12");
        PressKey(edit, VK_HOME);
        PressKey(edit, VK_DELETE);
        EXPECT_NE(Text(edit), "12") << "Delete reached the edit";
        PressKey(edit, 'Z', VK_CONTROL);
        PressKey(edit, 'C', VK_CONTROL);
        PressKey(edit, 'V', VK_CONTROL);
        // What the panel changes is its own step; Clear, Undo and Paste of the frame would show.
        EXPECT_NE(undo.GetLastStep()->GetName(), "Clear");
        EXPECT_FALSE(undo.CanRedo()) << "no Undo of the document";
        EXPECT_EQ(stage->GetSelection().size(), 1u) << "the rectangle is neither cleared nor pasted over";
    }
}

TEST_F(EditorSession, EditingKeysWhileTypingATextEditTheTextAndEscapeDropsIt)
{
    CFlashEditorView* stage = MainFrame()->GetActiveStageView();
    ASSERT_NE(stage, nullptr);
    SendCommand(ID_TOOL_TEXT);
    ::PostMessageA(stage->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    ::PostMessageA(stage->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    PumpMessages();
    HWND editor = stage->GetInplaceEdit()->GetSafeHwnd();
    ASSERT_TRUE(::IsWindowVisible(editor));
    const int steps = StepCount();
    Type(editor, "abc");
    PressKey(editor, VK_HOME);
    PressKey(editor, VK_DELETE);
    EXPECT_EQ(Text(editor), "bc");
    PressKey(editor, 'Z', VK_CONTROL);
    EXPECT_TRUE(::IsWindowVisible(editor)) << "Undo of the document would have committed the text";
    EXPECT_EQ(StepCount(), steps);
    PressKey(editor, VK_ESCAPE);
    EXPECT_FALSE(::IsWindowVisible(editor));
    EXPECT_EQ(StepCount(), steps) << "nothing inserted";
}

} // namespace
