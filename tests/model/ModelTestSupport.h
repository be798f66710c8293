#pragma once
// Fixtures shared by the model tests: GDI+ started for the whole program, a memory canvas with
// pixel reads, and builders of simple shapes and layers.
#include "model/FlashLayerOwner.h"
#include "model/FlashSolidShape.h"
#include "platform/gdiplus/GdiPlus.h"

#include <memory>
#include <vector>

class CFlashEditorLayer;

// A 550 x 400 ARGB bitmap cleared to white, with a graphics on it.
class CTestCanvas {
public:
    static constexpr int kWidth = 550;
    static constexpr int kHeight = 400;

    CTestCanvas();
    Gdiplus::Graphics& Graphics() { return *m_graphics; }
    Gdiplus::Bitmap& Bitmap() { return m_bitmap; }
    Gdiplus::ARGB Pixel(int x, int y);

private:
    Gdiplus::Bitmap m_bitmap;
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
};

// How a picture differs from the one expected: the pixels that differ, and the picture's pixels
// that are not white.
struct CPictureDifference {
    int differing = 0;
    int inked = 0;
};
CPictureDifference ComparePictures(CTestCanvas& picture, CTestCanvas& expected);

// A memory device context for hit tests.
class CTestDC {
public:
    CTestDC() : m_dc(CreateCompatibleDC(nullptr)) {}
    ~CTestDC() { DeleteDC(m_dc); }
    CTestDC(const CTestDC&) = delete;
    CTestDC& operator=(const CTestDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// A document stand-in whose current layer the test chooses.
class CTestLayerOwner : public CFlashLayerOwner {
public:
    CFlashEditorLayer* GetCurrentLayer() const override { return m_pLayer; }
    // The current layer is the only one.
    const std::vector<CFlashEditorLayer*>& GetLayerRange() const override
    {
        m_layers.assign(m_pLayer ? 1 : 0, m_pLayer);
        return m_layers;
    }
    CFlashEditorLayer* m_pLayer = nullptr;

private:
    mutable std::vector<CFlashEditorLayer*> m_layers;
};

constexpr Gdiplus::ARGB kOpaqueWhite = 0xffffffff;
constexpr Gdiplus::ARGB kOpaqueRed = 0xffff0000;
constexpr Gdiplus::ARGB kOpaqueBlue = 0xff0000ff;
constexpr Gdiplus::ARGB kOpaqueGreen = 0xff00ff00;

// A solid rectangle of four straight lines in twips, filled with the colour; no pen.
CFlashSolidShape* MakeSolidRect(int x, int y, int width, int height, Gdiplus::ARGB fill);
// Whether two colours differ by at most the tolerance per channel (anti-aliasing, rounding).
bool ColorNear(Gdiplus::ARGB actual, Gdiplus::ARGB expected, int tolerance = 2);
