#include "app/panels/QuickColorBtn.h"

#include <vector>

namespace {
constexpr int kIconSize = 16;
// The radial icon's ellipse overhangs the square so that its corners are not the edge colour.
constexpr int kRadialIconInset = -4;
constexpr int kRadialIconSize = 24;

// The fill fitted to the icon: gradients are defined on the unit square.
std::unique_ptr<Gdiplus::Brush> IconBrush(const Gdiplus::Brush& brush)
{
    switch (brush.GetType()) {
    case Gdiplus::BrushTypeLinearGradient: {
        std::unique_ptr<Gdiplus::LinearGradientBrush> linear(
            static_cast<const Gdiplus::LinearGradientBrush&>(brush).Clone());
        linear->ResetTransform();
        linear->ScaleTransform(Gdiplus::REAL(kIconSize), Gdiplus::REAL(kIconSize), Gdiplus::MatrixOrderPrepend);
        return linear;
    }
    case Gdiplus::BrushTypePathGradient: {
        const auto& source = static_cast<const Gdiplus::PathGradientBrush&>(brush);
        Gdiplus::GraphicsPath ellipse;
        ellipse.AddEllipse(kRadialIconInset, kRadialIconInset, kRadialIconSize, kRadialIconSize);
        auto radial = std::make_unique<Gdiplus::PathGradientBrush>(&ellipse);
        radial->ResetTransform();
        Gdiplus::Color centre;
        source.GetCenterColor(&centre);
        radial->SetCenterColor(centre);
        INT count = source.GetSurroundColorCount();
        if (count > 0) {
            std::vector<Gdiplus::Color> surround(count);
            source.GetSurroundColors(surround.data(), &count);
            if (count > 0)
                radial->SetSurroundColors(surround.data(), &count);
        }
        return radial;
    }
    default:
        return std::unique_ptr<Gdiplus::Brush>(brush.Clone());
    }
}
}

void CQuickColorBtn::SetBrush(const Gdiplus::Brush* brush)
{
    m_pBrush.reset(brush != nullptr ? brush->Clone() : nullptr);
}

void CQuickColorBtn::MakeColorIcon(HICON* phIcon, bool* pbDestroyAfterUse)
{
    if (m_pBrush == nullptr) {
        CExtColorButton::MakeColorIcon(phIcon, pbDestroyAfterUse);
        return;
    }
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, kIconSize, kIconSize);
    HBITMAP hMask = ::CreateBitmap(kIconSize, kIconSize, 1, 1, nullptr);
    HDC hColorDC = ::CreateCompatibleDC(hScreen);
    HDC hMaskDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOldColor = ::SelectObject(hColorDC, hColor);
    HGDIOBJ hOldMask = ::SelectObject(hMaskDC, hMask);
    {
        Gdiplus::Graphics graphics(hColorDC);
        std::unique_ptr<Gdiplus::Brush> brush = IconBrush(*m_pBrush);
        graphics.FillRectangle(brush.get(), 0, 0, kIconSize, kIconSize);
    }
    // A black mask: the whole icon is opaque.
    ::PatBlt(hMaskDC, 0, 0, kIconSize, kIconSize, BLACKNESS);
    ::SelectObject(hColorDC, hOldColor);
    ::SelectObject(hMaskDC, hOldMask);
    ::DeleteDC(hColorDC);
    ::DeleteDC(hMaskDC);
    ICONINFO info = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    if (phIcon != nullptr)
        *phIcon = hIcon;
    else if (hIcon != nullptr)
        ::DestroyIcon(hIcon);
    if (pbDestroyAfterUse != nullptr)
        *pbDestroyAfterUse = hIcon != nullptr;
}
