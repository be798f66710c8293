#pragma once
// The Colors panel's fill button: a colour button whose icon shows the fill itself, gradient or
// bitmap included, when it has one.
#include "platform/gdiplus/GdiPlus.h"
#include "ui/core/ExtColorButton.h"

#include <memory>

class CQuickColorBtn : public CExtColorButton
{
public:
    // A copy of the fill is kept; null shows the plain colour.
    void SetBrush(const Gdiplus::Brush* brush);
    const Gdiplus::Brush* GetBrush() const { return m_pBrush.get(); }

    void MakeColorIcon(HICON* phIcon, bool* pbDestroyAfterUse) override;

private:
    std::unique_ptr<Gdiplus::Brush> m_pBrush;
};
