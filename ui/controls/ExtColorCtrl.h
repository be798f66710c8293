#pragma once
// A child window that picks a colour in one of sixteen display modes and tells its parent about
// every change with the registered message g_nMsgColorChanged.
#include "platform/mfc/Afx.h"
#include "ui/core/ExtMouseCaptureSink.h"

class CExtColorCtrl : public CWnd, public CExtMouseCaptureSink
{
    DECLARE_DYNCREATE(CExtColorCtrl)
public:
    static constexpr int MODE_COUNT = 16;
    enum e_mode_t : int
    {
        MODE_BASIC_COLORS = 0,
        MODE_HSL_PANEL = 1,
        MODE_HSL_BASIC_HUE = 2,
        MODE_HSL_ROLLER = 3,
        MODE_RGB_CUBE = 4,
        MODE_RGB_MIXER = 5,
        MODE_GRAYSCALE_MIXER = 6,
        MODE_CMY_CUBE = 7,
        MODE_CMY_MIXER = 8,
        MODE_RED_AXIS = 9,
        MODE_GREEN_AXIS = 10,
        MODE_BLUE_AXIS = 11,
        MODE_CYAN_AXIS = 12,
        MODE_MAGENTA_AXIS = 13,
        MODE_YELLOW_AXIS = 14,
        MODE_DIFF = 15,
    };
    // Tracking parts of a mode.
    static constexpr int PART_NONE = 0;
    static constexpr int PART_CUBE_RED = 1;
    static constexpr int PART_CUBE_GREEN = 2;
    static constexpr int PART_CUBE_BLUE = 3;
    static constexpr int PART_SLIDER = 4;
    static constexpr int PART_PANEL = 5;
    static constexpr int PART_CELLS = 6;

    // WPARAM the control's window, LPARAM a pointer to its old, current and previous colours.
    static const UINT g_nMsgColorChanged;

    // A gradient cache: a 32-bit DIB section selected into its own memory DC, written directly.
    class bitmap_cache_t
    {
    public:
        bitmap_cache_t() = default;
        ~bitmap_cache_t();
        bitmap_cache_t(const bitmap_cache_t&) = delete;
        bitmap_cache_t& operator=(const bitmap_cache_t&) = delete;

        bool Create(int cx, int cy);
        void Destroy();
        bool IsValid() const { return m_pBits != nullptr; }
        CDC& GetDC() { return m_dc; }
        int Width() const { return m_cx; }
        int Height() const { return m_cy; }
        void SetPixel(int x, int y, COLORREF clr);
        COLORREF GetPixel(int x, int y) const;
        // Clipped to the bitmap.
        void FillRect(int x, int y, int cx, int cy, COLORREF clr);

    private:
        CDC m_dc;
        HBITMAP m_hBitmap = nullptr;
        HGDIOBJ m_hOld = nullptr;
        DWORD* m_pBits = nullptr;
        int m_cx = 0;
        int m_cy = 0;
    };

    // One colour cell of the cell-based modes: a hexagon or a rectangle.
    struct cell_t
    {
        COLORREF m_clr = RGB(0, 0, 0);
        RECT m_rect{};
        POINT m_arrPoints[6]{};
        bool m_bHexagon = false;

        cell_t() = default;
        cell_t(COLORREF clr, const RECT& rc);
        // A hexagon with a vertex at the top, centred on (cx, cy), c pixels across.
        void SetHexagon(int cx, int cy, int c);
        void Draw(CDC* pDC, bool bSelected, CPalette* pPalette) const;
        bool HitTest(POINT pt) const;
    };

    class any_picker_data_t
    {
    public:
        any_picker_data_t();
        virtual ~any_picker_data_t() = default;

        int m_nTrackingPart = PART_NONE;
        int m_nWidth = 50;
        int m_nHeight = 50;
        COLORREF m_clr = RGB(255, 255, 255);
        COLORREF m_clrOld = RGB(255, 255, 255);
        double m_fLightness = 1.0;
        double m_fSaturation = 0.0;
        double m_fHue = 0.0;

        virtual void Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight, bool bKeepColors);
        virtual void DiscardCache() = 0;
        virtual void Draw(CDC* pDC, CPalette* pPalette) = 0;
        virtual void BeginTracking(UINT nFlags, int x, int y) = 0;
        virtual void EndTracking();
        virtual void TrackMouse(UINT nFlags, int x, int y) = 0;
        virtual void SetOldColor(COLORREF clr);
        virtual void SetColor(COLORREF clr);
        virtual void SetHueLightSat(double fHue, double fLightness, double fSaturation);

    protected:
        // Below 9 bits per pixel gradients are painted as 4 x 4 squares every 4 pixels.
        static bool IsCoarseDisplay();
    };

    // Mode 1: hue across, saturation up, lightness on the slider.
    class hsl_panel_data_t : public any_picker_data_t
    {
    public:
        bitmap_cache_t m_cachePanel;
        bitmap_cache_t m_cacheSlider;
        bool m_bPanelValid = false;
        bool m_bSliderValid = false;
        int m_nMarkerX = 0;
        int m_nMarkerY = 0;
        int m_nPanelWidth = 10;
        int m_nPanelHeight = 10;
        int m_nSliderWidth = 10;
        int m_nSliderHeight = 10;
        int m_nSliderHeightSetting = 20;
        int m_nMargin = 4;

        void Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight, bool bKeepColors) override;
        void DiscardCache() override;
        void Draw(CDC* pDC, CPalette* pPalette) override;
        void BeginTracking(UINT nFlags, int x, int y) override;
        void TrackMouse(UINT nFlags, int x, int y) override;
        void SetColor(COLORREF clr) override;
        virtual void PrepareSliderBitmap(CDC* pDC, CPalette* pPalette);
        virtual void PreparePanelBitmap(CDC* pDC, CPalette* pPalette);

        // A 1-pixel white frame around a rectangle of the size centred on the point, and a black
        // one outside it.
        static void DrawMarker(CDC* pDC, POINT pt, SIZE size);

    protected:
        virtual void RenderPanel();
        virtual void RenderSlider();
        virtual COLORREF PanelColorAt(int x, int y) const;
        virtual COLORREF SliderColorAt(int x) const;
        // The panel marker in panel coordinates and the slider value 0..1.
        virtual POINT GetPanelMarker() const;
        virtual double GetSliderValue() const;
        virtual int HitTestPart(int x, int y) const;
        virtual void OnTrackSlider(int t);
        virtual void OnTrackPanel(int px, int py, int x, int y);
        virtual void CopyPanel(CDC* pDC);
        int SliderTop() const { return m_nPanelHeight + 2 * m_nMargin; }
    };

    // Mode 2: saturation across, lightness up, hue on the slider.
    class hsl_basic_hue_data_t : public hsl_panel_data_t
    {
    public:
        void SetColor(COLORREF clr) override;

    protected:
        COLORREF PanelColorAt(int x, int y) const override;
        COLORREF SliderColorAt(int x) const override;
        POINT GetPanelMarker() const override;
        double GetSliderValue() const override;
        void OnTrackSlider(int t) override;
        void OnTrackPanel(int px, int py, int x, int y) override;
    };

    // Mode 3: a colour wheel with a lightness slider.
    class hsl_roller_data_t : public hsl_panel_data_t
    {
    public:
        static constexpr int HIT_GROWTH = 18;
        int m_nCenterX = 0;
        int m_nCenterY = 0;
        int m_nRadius = 1;
        CRgn m_rgnEllipse;
        CRgn m_rgnHit;

        void Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight, bool bKeepColors) override;
        void SetColor(COLORREF clr) override;

    protected:
        void RenderPanel() override;
        POINT GetPanelMarker() const override;
        int HitTestPart(int x, int y) const override;
        void OnTrackPanel(int px, int py, int x, int y) override;
        void CopyPanel(CDC* pDC) override;
        // Hue 0..1 of the wheel at a panel point.
        double HueAt(int px, int py) const;
    };

    // Modes 9 to 14: a plane through the RGB or CMY cube, the third component on the slider.
    class xyz_plain_data_t : public hsl_panel_data_t
    {
    public:
        explicit xyz_plain_data_t(int nAxis);
        // 0 red, 1 green, 2 blue, 3 cyan, 4 magenta, 5 yellow.
        const int m_nAxis;

        void SetColor(COLORREF clr) override;
        COLORREF ColorAtPanelPoint(int x, int y) const;
        COLORREF ColorAtSliderPoint(int x) const;
        void GetMarkerPositions(int* pX, int* pY, int* pSlider) const;
        void SetAxisValue(int nValue);

    protected:
        COLORREF PanelColorAt(int x, int y) const override;
        COLORREF SliderColorAt(int x) const override;
        POINT GetPanelMarker() const override;
        double GetSliderValue() const override;
        void OnTrackSlider(int t) override;
        void OnTrackPanel(int px, int py, int x, int y) override;

    private:
        bool IsInkAxis() const { return m_nAxis >= 3; }
        // The colour's components in the axis's space (inks for the CMY axes).
        void GetSpace(int* pComponents) const;
        COLORREF FromSpace(const int* pComponents) const;
    };

    // Mode 4: an isometric RGB cube with a draggable box for the colour.
    class rgb_cube_data_t : public any_picker_data_t
    {
    public:
        static constexpr int HANDLE_HALF = 4;
        static constexpr int INSET = 5;
        bitmap_cache_t m_cacheCube;
        RECT m_rcCube{};
        SIZE m_sizeHandle{HANDLE_HALF, HANDLE_HALF};
        int m_nInset = INSET;
        POINT m_ptTop{}, m_ptLeft{}, m_ptRight{}, m_ptCenter{};
        POINT m_ptHandleR{}, m_ptHandleG{}, m_ptHandleB{};
        POINT m_ptRG{}, m_ptRB{}, m_ptGB{}, m_ptRGB{};

        void Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight, bool bKeepColors) override;
        void DiscardCache() override;
        void Draw(CDC* pDC, CPalette* pPalette) override;
        void BeginTracking(UINT nFlags, int x, int y) override;
        void TrackMouse(UINT nFlags, int x, int y) override;
        void SetColor(COLORREF clr) override;
        void CalcColorBox();

    protected:
        // The cube's space: the colour itself, or its inks for the CMY cube.
        virtual COLORREF ToCubeSpace(COLORREF clr) const { return clr; }
        // The cube needs a square of at least 2 pixels: its half height divides.
        bool IsUsable() const { return (m_rcCube.bottom - m_rcCube.top) / 2 > 0; }
        void RenderCube();
        int HalfHeight() const { return (m_rcCube.bottom - m_rcCube.top) / 2; }
    };

    // Mode 7: the CMY cube, the RGB cube in inks.
    class cmy_cube_data_t : public rgb_cube_data_t
    {
    protected:
        COLORREF ToCubeSpace(COLORREF clr) const override;
    };

    // Mode 0: the basic-colours honeycomb; the base of the other cell modes.
    class cell_based_data_t : public any_picker_data_t
    {
    public:
        CArray<cell_t, const cell_t&> m_arrCells;

        void Layout(CDC* pDC, CPalette* pPalette, int nWidth, int nHeight, bool bKeepColors) override;
        void DiscardCache() override;
        void Draw(CDC* pDC, CPalette* pPalette) override;
        void BeginTracking(UINT nFlags, int x, int y) override;
        void TrackMouse(UINT nFlags, int x, int y) override;
        void BuildBasicColors();

    protected:
        virtual void BuildCells() { BuildBasicColors(); }
        // Cells drawn again as selected, after all cells.
        virtual void CollectSelected(CArray<INT_PTR, INT_PTR>& arrSelected) const;
        virtual void OnCellPicked(INT_PTR nCell);
        // Cells i of a column of 256 at the horizontal offset, coloured by the function.
        void AddColumn(int nOffsetX, COLORREF (*pfnColor)(int));
    };

    // Mode 6: a column of 256 greys.
    class grayscale_mixer_data_t : public cell_based_data_t
    {
    protected:
        void BuildCells() override;
        void CollectSelected(CArray<INT_PTR, INT_PTR>& arrSelected) const override;
    };

    // Mode 15: the current colour above the old one.
    class diff_data_t : public grayscale_mixer_data_t
    {
    public:
        void Draw(CDC* pDC, CPalette* pPalette) override;
        void SetColor(COLORREF clr) override;
        void SetOldColor(COLORREF clr) override;
        void BuildCells() override;
    };

    // Mode 5: red, green and blue columns; a cell replaces only its component.
    class rgb_mixer_data_t : public cell_based_data_t
    {
    protected:
        void BuildCells() override;
        void CollectSelected(CArray<INT_PTR, INT_PTR>& arrSelected) const override;
        void OnCellPicked(INT_PTR nCell) override;
    };

    // Mode 8: cyan, magenta and yellow columns over the inks of the colour.
    class cmy_mixer_data_t : public rgb_mixer_data_t
    {
    protected:
        void BuildCells() override;
        void CollectSelected(CArray<INT_PTR, INT_PTR>& arrSelected) const override;
        void OnCellPicked(INT_PTR nCell) override;
    };

    explicit CExtColorCtrl(int nInitialMode = MODE_BASIC_COLORS);
    ~CExtColorCtrl() override;

    int GetMode() const { return m_nMode; }
    // An index outside 0..15 is refused and the mode shown stays.
    bool SetMode(int nMode);
    COLORREF GetCurrentColor() const { return m_clrCurrent; }
    COLORREF GetOldColor() const { return m_clrOld; }
    COLORREF GetPreviousColor() const { return m_clrPrevious; }
    void SetOldColor(COLORREF clr) { m_clrOld = clr; }
    void SetPreviousColor(COLORREF clr) { m_clrPrevious = clr; }
    bool IsTracking() const { return m_bTracking; }
    any_picker_data_t* GetModeData(int nMode) const;

    void SetCurrentColor(COLORREF clr, bool bNotify = true);
    void InvalidateModeCaches();
    void RedrawCurrentMode(bool bKeepColors);
    static CString GetModeName(int nMode);
    virtual void NotifyColorChanged();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    any_picker_data_t* CurrentMode() const { return m_arrModes[m_nMode]; }
    void OnLButtonDown(UINT nFlags, POINT pt);
    void OnMouseMove(UINT nFlags, POINT pt);
    void EndTracking();
    void ApplyModeColor();
    void OnPaint();
    void Repaint();

    int m_nMode;
    bool m_bTracking = false;
    COLORREF m_clrOld = RGB(255, 255, 255);
    COLORREF m_clrCurrent = RGB(255, 255, 255);
    COLORREF m_clrPrevious = RGB(255, 255, 255);
    cell_based_data_t m_modeBasic;
    hsl_panel_data_t m_modeHslPanel;
    hsl_basic_hue_data_t m_modeHslBasicHue;
    hsl_roller_data_t m_modeHslRoller;
    rgb_cube_data_t m_modeRgbCube;
    rgb_mixer_data_t m_modeRgbMixer;
    grayscale_mixer_data_t m_modeGrayscale;
    cmy_cube_data_t m_modeCmyCube;
    cmy_mixer_data_t m_modeCmyMixer;
    xyz_plain_data_t m_modeAxisRed{0};
    xyz_plain_data_t m_modeAxisGreen{1};
    xyz_plain_data_t m_modeAxisBlue{2};
    xyz_plain_data_t m_modeAxisCyan{3};
    xyz_plain_data_t m_modeAxisMagenta{4};
    xyz_plain_data_t m_modeAxisYellow{5};
    diff_data_t m_modeDiff;
    any_picker_data_t* m_arrModes[MODE_COUNT];
};
