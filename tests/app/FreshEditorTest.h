#pragma once
// A test that drives the editor started on fresh settings as its own process. Afterwards the
// editor is closed, or ended at once after a failure (a half-made step may hold a dialog open), so
// that the next test has the display alone.
#include "EditorBars.h"
#include "EditorProcess.h"

#include <gtest/gtest.h>

template <class TBase = ::testing::Test>
class CFreshEditorTest : public TBase {
protected:
    void SetUp() override
    {
        m_main = EditorBars::StartFresh();
        ASSERT_NE(m_main, nullptr);
    }
    void TearDown() override
    {
        if (m_main == nullptr || !::IsWindow(m_main))
            return;
        if (this->HasFailure() || !EditorBars::Close(m_main))
            EditorProcess::EndEditor(m_main);
    }
    HWND m_main = nullptr;
};
