#include "LunaFake.h"
#include "TestSupport.h"
#include "ui/core/ExtCmdIcon.h"
#include "ui/core/ExtPaintGlyphSet.h"
#include "ui/core/ExtPaintManagerHolder.h"
#include "ui/core/ExtPaintManagerStudio2005.h"

#include "tests/support/ScreenImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF UNPAINTED = RGB(255, 0, 255);
constexpr int CELL_CX = 40;
constexpr int CELL_CY = 30;
// Probe ids that are not colour indexes.
constexpr int ID_WHITE = -2;
constexpr int ID_UNPAINTED = -3;
constexpr int ID_BLACK = -4;
constexpr int ID_TREE_FRAME = -5;
constexpr int ID_INFO_BACKGROUND = -6;
constexpr int ID_INFO_FRAME = -7;
// The plain background of a menu item: the face in the classic look, the menu fill in the others.
constexpr int ID_BACKGROUND = -8;
// Probe ids of system colours as the system has them, for bodies that read them directly.
constexpr int ID_SYSTEM = -100;
constexpr int SystemColorId(int nIndex) { return ID_SYSTEM - nIndex; }
// Themes by id, and the sets of themes a case's probes hold for.
constexpr int CLASSIC = 1;
constexpr int XP = 2;
constexpr int OFFICE2003 = 3;
constexpr int STUDIO2005 = 4;
constexpr int ONLY_CLASSIC = 1 << CLASSIC;
constexpr int ONLY_XP = 1 << XP;
constexpr int XP_FAMILY = (1 << XP) | (1 << OFFICE2003) | (1 << STUDIO2005);
constexpr int OFFICE_FAMILY = (1 << OFFICE2003) | (1 << STUDIO2005);
constexpr int ALL_THEMES = ONLY_CLASSIC | XP_FAMILY;
constexpr int NOT_STUDIO = ALL_THEMES & ~(1 << STUDIO2005);

struct Probe
{
    int x, y, id;
    int tolerance = 0;   // per channel, for gradients that only approach their end colours
};

bool Matches(COLORREF expected, COLORREF actual, int tolerance)
{
    return std::abs(GetRValue(expected) - GetRValue(actual)) <= tolerance
        && std::abs(GetGValue(expected) - GetGValue(actual)) <= tolerance
        && std::abs(GetBValue(expected) - GetBValue(actual)) <= tolerance;
}

struct Element
{
    const char* name;
    int themes;   // the themes the probes hold for
    std::function<void(CExtPaintManager&, CDC&)> paint;
    std::vector<Probe> probes;
};

const RECT CELL{0, 0, CELL_CX, CELL_CY};

constexpr DWORD ENABLED_FIELD = CExtDrawTextFieldArgs::ENABLED;

// A 40 x 30 menu item with a band of 10 and an edit field of 15,8 - 35,22 (5,8 - 20,22 with a
// drop button).
CExtDrawMenuItemArgs MenuItemWithEdit(bool bPopup, bool bSelected, bool bEnabled)
{
    CExtDrawMenuItemArgs args(nullptr, CELL, CELL, 10, "", "", nullptr, bPopup, bSelected, false, false, false,
                              bEnabled);
    args.m_rcInplaceEdit = bPopup ? RECT{5, 8, 20, 22} : RECT{15, 8, 35, 22};
    return args;
}

CExtDrawMenuItemArgs SplitPopupItem(bool bSelected, bool bGlyphArrow)
{
    CExtDrawMenuItemArgs args(nullptr, CELL, CELL, 10, "", "", nullptr, true, bSelected, false, false, false, true);
    args.m_bSplitPopup = true;
    args.m_bGlyphArrow = bGlyphArrow;
    return args;
}

// A field of 4,7 - 20,23 in a frame of 2,5 - 38,25.
CExtDrawTextFieldArgs TextField(DWORD dwFlags)
{
    return CExtDrawTextFieldArgs(nullptr, dwFlags, RECT{2, 5, 38, 25}, RECT{4, 7, 20, 23}, "");
}

// An item with an icon place of 5,5 - 21,21 and a text place of 10,10 - 30,20.
CExtDrawIconTextItemArgs IconTextItem(DWORD dwFlags)
{
    return CExtDrawIconTextItemArgs(nullptr, dwFlags, RECT{5, 5, 21, 21}, RECT{10, 10, 30, 20}, CELL, "", nullptr,
                                    nullptr, nullptr);
}

// Records passed by value, so that a table row can paint a freshly made one.
void Draw(CExtPaintManager& pm, CDC& dc, CExtDrawMenuItemArgs args) { pm.DrawMenuItem(dc, args); }
void Draw(CExtPaintManager& pm, CDC& dc, CExtDrawTextFieldArgs args) { pm.DrawTextFieldBox(dc, args); }
void Draw(CExtPaintManager& pm, CDC& dc, CExtDrawIconTextItemArgs args) { pm.DrawIconTextItem(dc, args); }

const std::vector<Element>& Elements()
{
    using PM = CExtPaintManager;
    static const std::vector<Element> elements = {
        {"separator line", ONLY_CLASSIC, [](PM& pm, CDC& dc) { pm.DrawSeparatorLine(dc, RECT{10, 2, 16, 22}, true, false); },
         {{12, 5, 1006}, {13, 5, 1004}, {10, 5, 1000}}},
        {"separator line", XP_FAMILY, [](PM& pm, CDC& dc) { pm.DrawSeparatorLine(dc, RECT{10, 2, 16, 22}, true, false); },
         {{13, 5, 2002}, {13, 2, 1000}, {10, 5, 1000}}},
        {"menu separator", ONLY_CLASSIC, [](PM& pm, CDC& dc) { pm.DrawMenuSeparator(dc, RECT{0, 0, 40, 10}, 10, false); },
         {{20, 4, 1006}, {20, 5, 1004}, {2, 4, 1000}}},
        {"menu separator", XP_FAMILY, [](PM& pm, CDC& dc) { pm.DrawMenuSeparator(dc, RECT{0, 0, 40, 10}, 10, false); },
         {{5, 5, 1000}, {20, 2, 2001}, {20, 5, 2002}, {11, 5, 2001}}},
        {"menu separator rarely used", XP_FAMILY, [](PM& pm, CDC& dc) { pm.DrawMenuSeparator(dc, RECT{0, 0, 40, 10}, 10, true); },
         {{5, 5, 2005}, {20, 5, 2002}}},
        {"menu border", ONLY_CLASSIC, [](PM& pm, CDC& dc) { pm.DrawMenuBorder(dc, CELL); },
         {{0, 0, 1000}, {39, 29, 1008}, {1, 1, 1004}, {38, 28, 1006}, {2, 2, 1000}, {10, 10, ID_UNPAINTED}}},
        {"menu border", XP_FAMILY, [](PM& pm, CDC& dc) { pm.DrawMenuBorder(dc, CELL); },
         {{0, 0, 2007}, {39, 29, 2007}, {1, 1, 2001}, {2, 2, 2001}, {10, 10, ID_UNPAINTED}}},
        {"menu border open at the bottom", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) { pm.DrawMenuBorderOpenSide(dc, CELL, RECT{5, 25, 35, 30}, 1); },
         {{39, 10, 1006}, {1, 1, 1004}, {38, 10, 1008}, {10, 29, 1000}}},
        {"menu border open at the bottom", XP_FAMILY,
         [](PM& pm, CDC& dc) { pm.DrawMenuBorderOpenSide(dc, CELL, RECT{5, 25, 35, 30}, 1); },
         {{0, 10, 2007}, {39, 10, 2007}, {10, 29, 2000}}},
        {"client edge", ONLY_CLASSIC, [](PM& pm, CDC& dc) { pm.DrawClientEdge(dc, RECT{2, 2, 30, 20}); },
         {{2, 5, 16}, {29, 5, 20}, {5, 5, ID_UNPAINTED}}},
        {"client edge", XP_FAMILY, [](PM& pm, CDC& dc) { pm.DrawClientEdge(dc, RECT{2, 2, 30, 20}); },
         {{2, 5, 16}, {29, 5, 16}}},
        {"pane border", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawBarBordersArgs args(nullptr, CExtDrawBarBordersArgs::BORDER_3D_PANE, 0, RECT{2, 2, 30, 20});
             pm.DrawBarBorders(dc, args);
         },
         {{2, 5, 1006}, {29, 5, 1004}}},
        {"pane border", ONLY_XP,
         [](PM& pm, CDC& dc) {
             CExtDrawBarBordersArgs args(nullptr, CExtDrawBarBordersArgs::BORDER_3D_PANE, 0, RECT{2, 2, 30, 20});
             pm.DrawBarBorders(dc, args);
         },
         {{2, 5, 16}, {29, 5, 16}}},
        // Studio 2005 keeps the classic frame for floating bars that are not docking bars.
        {"floating bar frame", ONLY_CLASSIC | (1 << STUDIO2005),
         [](PM& pm, CDC& dc) {
             CExtDrawBarFrameArgs args(nullptr, CELL, RECT{5, 5, 35, 25}, true, true, false);
             pm.DrawBarFrame(dc, args);
         },
         {{0, 0, 1000}, {39, 29, 1008}, {1, 1, 1004}, {38, 28, 1006}, {3, 3, 1000}, {10, 10, ID_UNPAINTED}}},
        {"floating bar frame", XP_FAMILY & NOT_STUDIO,
         [](PM& pm, CDC& dc) {
             CExtDrawBarFrameArgs args(nullptr, CELL, RECT{5, 5, 35, 25}, true, true, false);
             pm.DrawBarFrame(dc, args);
         },
         {{0, 0, 16}, {1, 5, 16}, {3, 3, 2009}, {10, 10, ID_UNPAINTED}}},
        {"hot edit frame", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawEditFrameArgs args(nullptr, RECT{10, 10, 30, 20}, true, true, true, true);
             pm.DrawEditFrame(dc, args);
         },
         {{10, 15, 5}, {8, 15, 5}, {7, 15, 21}, {6, 15, 16}, {32, 15, 15}, {33, 15, 20}, {15, 15, ID_UNPAINTED}}},
        {"hot edit frame", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawEditFrameArgs args(nullptr, RECT{10, 10, 30, 20}, true, true, true, true);
             pm.DrawEditFrame(dc, args);
         },
         {{10, 15, 5}, {7, 15, 2004}, {6, 15, 2004}}},
        {"disabled edit frame", ONLY_CLASSIC | ONLY_XP,
         [](PM& pm, CDC& dc) {
             CExtDrawEditFrameArgs args(nullptr, RECT{10, 10, 30, 20}, true, true, false, true);
             pm.DrawEditFrame(dc, args);
         },
         {{9, 15, 5}, {7, 15, 1000}, {6, 15, 1000}}},
        // Office grows one highlight ring per state; a resting frame has a single face ring.
        {"disabled edit frame", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawEditFrameArgs args(nullptr, RECT{10, 10, 30, 20}, true, true, false, true);
             pm.DrawEditFrame(dc, args);
         },
         {{9, 15, 5}, {7, 15, 1000}, {6, 15, ID_UNPAINTED}}},
        {"hovered edit frame", ONLY_XP,
         [](PM& pm, CDC& dc) {
             CExtDrawEditFrameArgs args(nullptr, RECT{10, 10, 30, 20}, true, true, true, false);
             pm.DrawEditFrame(dc, args);
         },
         {{8, 15, 5}, {7, 15, 2004}, {6, 15, 1000}}},
        {"hovered edit frame", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawEditFrameArgs args(nullptr, RECT{10, 10, 30, 20}, true, true, true, false);
             pm.DrawEditFrame(dc, args);
         },
         {{8, 15, 5}, {7, 15, 2004}, {6, 15, ID_UNPAINTED}}},
        {"size gripper", ONLY_CLASSIC | ONLY_XP, [](PM& pm, CDC& dc) { pm.DrawSizeGripper(dc, CELL); },
         {{38, 29, 5}, {37, 29, 16}, {5, 5, ID_UNPAINTED}}},
        {"face background", ONLY_CLASSIC | ONLY_XP, [](PM& pm, CDC& dc) { pm.FillFaceBackground(false, dc, CELL, CELL); },
         {{5, 5, 1000}}},
        {"popup client area", ONLY_CLASSIC, [](PM& pm, CDC& dc) { pm.FillPopupClientArea(dc, CELL); }, {{5, 5, 16}}},
        {"popup client area", XP_FAMILY, [](PM& pm, CDC& dc) { pm.FillPopupClientArea(dc, CELL); }, {{5, 5, 1000}}},
        {"dock area", ONLY_CLASSIC | ONLY_XP, [](PM& pm, CDC& dc) { pm.FillDockAreaBackground(dc, CELL); },
         {{5, 5, 15}}},
        {"dock area", OFFICE_FAMILY, [](PM& pm, CDC& dc) { pm.FillDockAreaBackground(dc, CELL); },
         {{0, 5, 3001, 8}, {39, 5, 3000, 8}}},
        {"bar client area", ALL_THEMES, [](PM& pm, CDC& dc) { pm.DrawBarClientArea(dc, CELL); }, {{5, 5, 1000}}},
        {"tab strip", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) { pm.DrawTabStripArea(dc, CELL, 0, RECT{0, 10, 40, 30}, 0, false); },
         {{5, 5, 16}, {5, 15, 15}, {5, 29, 20}}},
        {"tab strip", ONLY_XP, [](PM& pm, CDC& dc) { pm.DrawTabStripArea(dc, CELL, 0, RECT{0, 10, 40, 30}, 0, false); },
         {{5, 5, 1000}, {5, 15, 1000}, {5, 29, 16}}},
        {"tab strip", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) { pm.DrawTabStripArea(dc, CELL, 0, RECT{0, 10, 40, 30}, 0, false); },
         {{5, 0, 3001, 8}, {5, 28, 3000, 10}, {5, 29, 3014}}},
        {"tab strip in group mode", ONLY_CLASSIC | ONLY_XP,
         [](PM& pm, CDC& dc) { pm.DrawTabStripArea(dc, CELL, 0, RECT{0, 10, 40, 30}, 1, true); },
         {{5, 5, 15}, {5, 15, 15}, {5, 10, 15}}},
        {"tab strip in group mode", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) { pm.DrawTabStripArea(dc, CELL, 0, RECT{0, 10, 40, 30}, 1, true); },
         {{5, 0, 3000, 8}, {5, 29, 3001, 8}}},
        {"hot tab close button", ALL_THEMES,
         [](PM& pm, CDC& dc) { pm.DrawTabStripButton(dc, RECT{10, 5, 30, 25}, -7, true, true, true, false); },
         {{10, 10, 20}, {29, 10, 21}, {16, 11, 18}, {11, 11, ID_UNPAINTED}}},
        {"hovered caption button", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawCaptionButtonArgs args(nullptr, RECT{10, 10, 26, 26}, CExtPaintGlyphSet::Close, true, false, true);
             pm.DrawBarCaptionButton(dc, args);
         },
         {{8, 8, 15}, {26, 26, 21}, {9, 9, 20}, {25, 25, 16}, {7, 7, ID_UNPAINTED}}},
        {"hovered caption button", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawCaptionButtonArgs args(nullptr, RECT{10, 10, 26, 26}, CExtPaintGlyphSet::Close, true, false, true);
             pm.DrawBarCaptionButton(dc, args);
         },
         {{10, 10, 2004}, {25, 25, 2004}, {12, 12, 1001}, {9, 9, ID_UNPAINTED}}},
        {"hovered floating caption button", XP_FAMILY & NOT_STUDIO,
         [](PM& pm, CDC& dc) {
             CExtDrawCaptionButtonArgs args(nullptr, RECT{10, 10, 26, 26}, CExtPaintGlyphSet::Close, true, false, true,
                                            true, false, true);
             pm.DrawBarCaptionButton(dc, args);
         },
         {{10, 10, 2004}, {25, 25, 2004}, {12, 12, 1001}}},
        // Studio 2005 draws floating caption buttons raised, as the classic look does.
        {"hovered floating caption button", ONLY_CLASSIC | (1 << STUDIO2005),
         [](PM& pm, CDC& dc) {
             CExtDrawCaptionButtonArgs args(nullptr, RECT{10, 10, 26, 26}, CExtPaintGlyphSet::Close, true, false, true,
                                            true, false, true);
             pm.DrawBarCaptionButton(dc, args);
         },
         {{10, 10, SystemColorId(COLOR_BTNHIGHLIGHT)}, {25, 25, SystemColorId(COLOR_3DDKSHADOW)}}},
        {"close glyph", ALL_THEMES, [](PM& pm, CDC& dc) { pm.DrawSystemCommandGlyph(dc, SC_CLOSE, CELL, false, false, true); },
         {{16, 11, 1010}, {15, 10, ID_UNPAINTED}}},
        {"unknown system command", ALL_THEMES,
         [](PM& pm, CDC& dc) { pm.DrawSystemCommandGlyph(dc, SC_MOVE, CELL, false, false, true); },
         {{16, 11, ID_UNPAINTED}, {20, 15, ID_UNPAINTED}}},
        {"hovered scroll arrow", ALL_THEMES,
         [](PM& pm, CDC& dc) { pm.DrawScrollArrowButton(dc, true, CELL, true, true, false); },
         {{0, 0, 15}, {39, 29, 21}, {1, 1, 20}, {38, 28, 16}, {5, 5, 15}}},
        {"drop marker", ALL_THEMES, [](PM& pm, CDC& dc) { pm.DrawDropMarker(dc, RECT{10, 5, 30, 25}, true, true); },
         {{9, 15, 18}, {10, 15, 18}, {7, 4, 18}, {12, 4, 18}, {13, 4, ID_UNPAINTED}, {11, 15, ID_UNPAINTED}}},
        {"drag source frame", ALL_THEMES, [](PM& pm, CDC& dc) { pm.DrawDragSourceFrame(dc, CELL); },
         {{0, 0, 18}, {1, 1, 18}, {2, 2, ID_UNPAINTED}}},
        {"calendar month border", ONLY_CLASSIC | ONLY_XP, [](PM& pm, CDC& dc) { pm.PaintCalendarBorder(dc, CELL); },
         {{0, 0, 15}, {39, 29, 21}, {1, 1, ID_WHITE}, {2, 2, 15}, {3, 3, 16}, {36, 26, ID_WHITE}}},
        {"calendar border", ONLY_CLASSIC, [](PM& pm, CDC& dc) { pm.DrawCalendarBorder(dc, CELL); }, {{0, 5, 16}, {39, 5, 5}}},
        {"calendar border", ONLY_XP, [](PM& pm, CDC& dc) { pm.DrawCalendarBorder(dc, CELL); }, {{0, 5, 16}, {39, 5, 16}}},
        {"calendar background", ALL_THEMES, [](PM& pm, CDC& dc) { pm.FillCalendarBackground(dc, CELL); }, {{5, 5, 16}}},
        {"calendar footer", ALL_THEMES, [](PM& pm, CDC& dc) { pm.DrawCalendarFooterArea(dc, CELL, true); },
         {{10, 0, 16}, {10, 1, 5}, {0, 10, 5}, {38, 5, 1000}}},
        {"calendar divider", ONLY_CLASSIC | ONLY_XP,
         [](PM& pm, CDC& dc) { pm.PaintCalendarMonthHeader(dc, RECT{0, 0, 40, 4}, RECT{0, 4, 40, 30}); },
         {{0, 0, ID_WHITE}, {39, 3, 16}, {10, 10, 1000}}},
        {"check mark", ALL_THEMES, [](PM& pm, CDC& dc) { PM::DrawCheckMark(dc, 10, 10, pm.ColorByIndex(1010)); },
         {{10, 12, 1010}, {11, 14, 1010}, {16, 10, 1010}}},
        {"pane border", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawBarBordersArgs args(nullptr, CExtDrawBarBordersArgs::BORDER_3D_PANE, 0, RECT{2, 2, 30, 20});
             pm.DrawBarBorders(dc, args);
         },
         {{2, 5, 3014}, {29, 5, 3014}}},
        {"size gripper", OFFICE_FAMILY, [](PM& pm, CDC& dc) { pm.DrawSizeGripper(dc, CELL); },
         {{36, 26, 3003}, {38, 28, 3002}, {28, 18, ID_UNPAINTED}, {5, 5, ID_UNPAINTED}}},
        {"face background", OFFICE_FAMILY, [](PM& pm, CDC& dc) { pm.FillFaceBackground(false, dc, CELL, CELL); },
         {{0, 5, 3001, 8}}},
        {"calendar month border", OFFICE_FAMILY, [](PM& pm, CDC& dc) { pm.PaintCalendarBorder(dc, CELL); },
         {{0, 0, 16}, {39, 29, 16}, {5, 5, ID_UNPAINTED}}},
        {"calendar border", OFFICE_FAMILY, [](PM& pm, CDC& dc) { pm.DrawCalendarBorder(dc, CELL); },
         {{0, 5, 3027}, {39, 5, 3027}}},
        {"calendar divider", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) { pm.PaintCalendarMonthHeader(dc, RECT{0, 0, 40, 4}, RECT{0, 4, 40, 30}); },
         {{0, 0, ID_UNPAINTED}, {10, 10, 1000}}},
        {"tool bar background", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) { pm.DrawToolbarBackground(dc, nullptr, 0, CELL); },
         {{5, 0, 3010, 8}, {5, 29, 3017, 8}}},
        {"hovered flat button", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawPushButtonArgs args(nullptr, true, RECT{2, 2, 38, 28}, "", nullptr, true, true, false, false, true,
                                         true, false);
             pm.DrawPushButton(dc, args);
         },
         {{2, 10, 2004}, {37, 10, 2004}, {0, 0, ID_UNPAINTED}}},
        {"hovered flat button face", ONLY_XP,
         [](PM& pm, CDC& dc) {
             CExtDrawPushButtonArgs args(nullptr, true, RECT{2, 2, 38, 28}, "", nullptr, true, true, false, false, true,
                                         true, false);
             pm.DrawPushButton(dc, args);
         },
         {{10, 10, 1001}}},
        {"hovered button", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawPushButtonArgs args(nullptr, true, RECT{2, 2, 38, 28}, "", nullptr, false, true, false, false, true,
                                         true, false);
             pm.DrawPushButton(dc, args);
         },
         {{2, 10, 1006}, {37, 10, 1008}, {3, 10, 1004}, {36, 10, 1006}, {10, 10, 1001}}},
        {"pushed button", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawPushButtonArgs args(nullptr, true, RECT{2, 2, 38, 28}, "", nullptr, false, false, true, false, true,
                                         true, false);
             pm.DrawPushButton(dc, args);
         },
         {{2, 10, 1007}, {37, 10, 1005}, {10, 10, 1001}}},
        {"idle transparent bar button", ALL_THEMES,
         [](PM& pm, CDC& dc) {
             CExtDrawPushButtonArgs args(nullptr, true, RECT{2, 2, 38, 28}, "", nullptr, true, false, false, false, true,
                                         true, false, DT_CENTER | DT_VCENTER, nullptr, false, 0, false, true);
             pm.DrawPushButton(dc, args);
         },
         {{10, 10, ID_UNPAINTED}, {2, 10, ID_UNPAINTED}}},
        {"drop-down button arrow", ALL_THEMES,
         [](PM& pm, CDC& dc) {
             CExtDrawPushButtonArgs args(nullptr, true, RECT{0, 0, 40, 30}, "", nullptr, true, false, false, false, true,
                                         true, false, DT_CENTER | DT_VCENTER, nullptr, false, 0, true, true);
             pm.DrawPushButton(dc, args);
         },
         // The 5 x 3 arrow centred in the last 11 pixels.
         {{32, 13, 18}, {36, 13, 18}, {34, 15, 18}, {33, 15, ID_UNPAINTED}}},
        {"selected menu item", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawMenuItemArgs args(nullptr, RECT{2, 0, 38, 20}, RECT{0, 0, 40, 20}, 20, "", "", nullptr, false, true,
                                       false, false, false, true);
             pm.DrawMenuItem(dc, args);
         },
         {{2, 10, 2004}, {37, 10, 2004}, {10, 10, 1001}, {30, 10, 1001}, {39, 10, 2001}}},
        {"menu item", ONLY_XP,
         [](PM& pm, CDC& dc) {
             CExtDrawMenuItemArgs args(nullptr, RECT{2, 0, 38, 20}, RECT{0, 0, 40, 20}, 20, "", "", nullptr, false,
                                       false, false, false, false, true);
             pm.DrawMenuItem(dc, args);
         },
         {{5, 10, 1000}, {30, 10, 2001}}},
        {"menu item", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawMenuItemArgs args(nullptr, RECT{2, 0, 38, 20}, RECT{0, 0, 40, 20}, 20, "", "", nullptr, false,
                                       false, false, false, false, true);
             pm.DrawMenuItem(dc, args);
         },
         {{0, 10, 3015, 8}, {19, 10, 3017, 12}, {30, 10, 2001}}},
        {"selected menu item", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawMenuItemArgs args(nullptr, RECT{2, 0, 38, 20}, RECT{0, 0, 40, 20}, 20, "", "", nullptr, false, true,
                                       false, false, false, true);
             pm.DrawMenuItem(dc, args);
         },
         {{0, 10, 1000}, {5, 10, COLOR_HIGHLIGHT}, {30, 10, COLOR_HIGHLIGHT}}},
        {"rarely used menu items", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             for (int i = 0; i < 3; ++i) {
                 const RECT rc{0, i * 10, 40, i * 10 + 10};
                 CExtDrawMenuItemArgs args(nullptr, rc, rc, 20, "", "", nullptr, false, false, false, false, false,
                                           true, true, i > 0, i < 2);
                 pm.DrawMenuItem(dc, args);
             }
         },
         {{10, 0, 16}, {10, 29, 20}}},
        {"checked menu item", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawMenuItemArgs args(nullptr, RECT{2, 2, 38, 26}, RECT{0, 0, 40, 28}, 24, "", "", nullptr, false,
                                       false, true, false, false, true);
             pm.DrawMenuItem(dc, args);
         },
         // A 16 x 16 image area centred in the band, framed after its check fill.
         {{3, 10, 2004}, {22, 10, 2004}, {30, 10, 2001}}},
        {"expand button", ONLY_XP, [](PM& pm, CDC& dc) { pm.DrawMenuExpandButton(dc, CELL, false, false); },
         {{25, 19, 2001}, {5, 5, 2001}}},
        {"expand button", OFFICE_FAMILY, [](PM& pm, CDC& dc) { pm.DrawMenuExpandButton(dc, CELL, false, false); },
         {{25, 19, 3035}, {12, 7, 2001}, {5, 5, 2001}}},
        {"hovered expand button", XP_FAMILY, [](PM& pm, CDC& dc) { pm.DrawMenuExpandButton(dc, CELL, true, false); },
         {{1, 10, 2004}, {38, 10, 2004}}},
        {"chevron", ONLY_CLASSIC | ONLY_XP,
         [](PM& pm, CDC& dc) { pm.DrawChevronButton(dc, CELL, true, false, true, false, false); },
         {{16, 3, 1010}, {17, 24, 1010}, {21, 24, 1010}, {5, 5, 1000}}},
        // Office: the bar-and-arrow at the top, the narrow double chevron below.
        {"chevron", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) { pm.DrawChevronButton(dc, CELL, true, false, true, false, false); },
         {{17, 3, 1010}, {17, 4, 1000}, {19, 8, 1010}, {18, 24, 1010}, {22, 24, 1010}, {19, 24, 1000}}},
        {"disabled chevron", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) { pm.DrawChevronButton(dc, CELL, true, false, false, false, false); },
         {{17, 24, 16}, {22, 25, 20}, {16, 3, 1000}}},
        {"disabled chevron", ONLY_XP,
         [](PM& pm, CDC& dc) { pm.DrawChevronButton(dc, CELL, true, false, false, false, false); },
         {{17, 24, 16}, {21, 24, 16}, {22, 25, 1000}, {16, 3, 1000}}},
        {"disabled chevron", OFFICE_FAMILY,
         [](PM& pm, CDC& dc) { pm.DrawChevronButton(dc, CELL, true, false, false, false, false); },
         {{17, 3, 16}, {19, 8, 16}, {18, 24, 1000}}},
        {"side gripper", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawBarCaptionArgs args(nullptr, CELL, CELL, false, false, true, false);
             pm.DrawBarCaption(dc, args);
         },
         {{4, 10, 1004}, {6, 10, 1006}, {7, 10, 1004}, {9, 10, 1006}, {12, 10, ID_UNPAINTED}}},
        {"active caption", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawBarCaptionArgs args(nullptr, CELL, RECT{4, 4, 30, 26}, true, false, false, true);
             pm.DrawBarCaption(dc, args);
         },
         {{0, 10, ID_UNPAINTED}, {1, 10, COLOR_ACTIVECAPTION, 8}, {38, 10, COLOR_GRADIENTACTIVECAPTION, 8}}},
        {"inactive caption", ONLY_XP | (1 << OFFICE2003),
         [](PM& pm, CDC& dc) {
             CExtDrawBarCaptionArgs args(nullptr, CELL, RECT{4, 4, 30, 26}, false, false, false, true);
             pm.DrawBarCaption(dc, args);
         },
         {{0, 10, 16}, {39, 10, 16}, {2, 10, 2000}}},
        {"inactive caption", 1 << STUDIO2005,
         [](PM& pm, CDC& dc) {
             CExtDrawBarCaptionArgs args(nullptr, CELL, RECT{4, 4, 30, 26}, false, false, false, true);
             pm.DrawBarCaption(dc, args);
         },
         {{0, 10, 4000}, {2, 2, 4000}}},
        {"active caption", 1 << STUDIO2005,
         [](PM& pm, CDC& dc) {
             CExtDrawBarCaptionArgs args(nullptr, CELL, RECT{4, 4, 30, 26}, true, false, false, true);
             pm.DrawBarCaption(dc, args);
         },
         {{2, 0, 4001, 8}, {2, 29, 4002, 8}}},
        {"gripper", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawBarCaptionArgs args(nullptr, CELL, CELL, false, false, false, false);
             pm.DrawBarCaption(dc, args);
         },
         {{10, 2, 1000}, {0, 0, ID_UNPAINTED}}},
        {"combo frame", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawComboFrameArgs args(nullptr, RECT{0, 0, 40, 22}, false, false, true);
             pm.PaintComboFrame(dc, args);
         },
         {{0, 0, 1000}, {1, 10, 1000}, {10, 10, ID_UNPAINTED}}},
        {"hot combo frame", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             CExtDrawComboFrameArgs args(nullptr, RECT{0, 0, 40, 22}, true, false, true);
             pm.PaintComboFrame(dc, args);
         },
         {{0, 0, 1007}, {39, 21, 1005}}},
        {"combo frame", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawComboFrameArgs args(nullptr, RECT{0, 0, 40, 22}, false, false, true);
             pm.PaintComboFrame(dc, args);
         },
         {{0, 0, 5}, {1, 10, 2001}, {10, 10, ID_UNPAINTED}}},
        {"hot combo frame", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             CExtDrawComboFrameArgs args(nullptr, RECT{0, 0, 40, 22}, true, false, true);
             pm.PaintComboFrame(dc, args);
         },
         {{1, 10, 2004}, {37, 10, 1001}}},
        {"undo caption", ONLY_CLASSIC, [](PM& pm, CDC& dc) { pm.PaintUndoRedoCaption(dc, CELL, nullptr); },
         {{1, 1, 1000}, {3, 10, 16}, {36, 10, 5}}},
        {"undo caption", XP_FAMILY, [](PM& pm, CDC& dc) { pm.PaintUndoRedoCaption(dc, CELL, nullptr); },
         {{1, 1, 2001}, {3, 10, 2001}}},
        {"calendar frame", ALL_THEMES,
         [](PM& pm, CDC& dc) { pm.DrawCalendarFrame(dc, CELL, RECT{10, 10, 30, 20}); },
         {{2, 2, 1000}, {15, 15, 5}}},
        {"tree plus box", ALL_THEMES,
         [](PM& pm, CDC& dc) {
             CExtCmdIcon icon;
             pm.LoadTreeButtonIcon(icon, false);
             icon.DrawWithState(dc.m_hDC, POINT{10, 10}, CExtCmdIcon::STATE_NORMAL);
         },
         {{10, 14, ID_TREE_FRAME}, {14, 14, ID_BLACK}, {14, 12, ID_BLACK}}},
        {"tree minus box", ALL_THEMES,
         [](PM& pm, CDC& dc) {
             CExtCmdIcon icon;
             pm.LoadTreeButtonIcon(icon, true);
             icon.DrawWithState(dc.m_hDC, POINT{10, 10}, CExtCmdIcon::STATE_NORMAL);
         },
         // No vertical bar: near white above the sign.
         {{14, 14, ID_BLACK}, {13, 14, ID_BLACK}, {14, 12, ID_WHITE, 30}, {9, 14, ID_UNPAINTED}}},
        {"selected tab", NOT_STUDIO,
         [](PM& pm, CDC& dc) {
             pm.DrawTabItem(dc, CELL, true, true, true, false, false, false, false, RECT{5, 5, 35, 25}, SIZE{0, 0},
                            nullptr, CString(), nullptr, nullptr, 0);
         },
         {{4, 10, 20}, {10, 5, 20}, {34, 10, 21}, {3, 10, ID_UNPAINTED}}},
        {"selected tab face", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             pm.DrawTabItem(dc, CELL, true, true, true, false, false, false, false, RECT{5, 5, 35, 25}, SIZE{0, 0},
                            nullptr, CString(), nullptr, nullptr, 0);
         },
         {{10, 10, 15}, {10, 25, 15}}},
        {"selected tab face", XP_FAMILY & NOT_STUDIO,
         [](PM& pm, CDC& dc) {
             pm.DrawTabItem(dc, CELL, true, true, true, false, false, false, false, RECT{5, 5, 35, 25}, SIZE{0, 0},
                            nullptr, CString(), nullptr, nullptr, 0);
         },
         {{10, 10, 2000}, {10, 25, 2000}}},
        {"tab", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) {
             pm.DrawTabItem(dc, CELL, true, true, false, false, false, false, false, RECT{5, 5, 35, 25}, SIZE{0, 0},
                            nullptr, CString(), nullptr, nullptr, 1);
         },
         {{34, 10, 22}, {34, 6, ID_UNPAINTED}, {10, 10, ID_UNPAINTED}}},
        {"tab", XP_FAMILY & NOT_STUDIO,
         [](PM& pm, CDC& dc) {
             pm.DrawTabItem(dc, CELL, true, true, false, false, false, false, false, RECT{5, 5, 35, 25}, SIZE{0, 0},
                            nullptr, CString(), nullptr, nullptr, 1);
         },
         {{34, 10, 16}, {10, 10, ID_UNPAINTED}}},
        {"selected slanted tab", 1 << STUDIO2005,
         [](PM& pm, CDC& dc) {
             pm.DrawTabItem(dc, CELL, true, true, true, false, false, false, false, RECT{5, 5, 35, 25}, SIZE{0, 0},
                            nullptr, CString(), nullptr, nullptr, 0);
         },
         // The first tab's outline runs along its far edge; white inside and below, merging
         // with the window body.
         {{20, 5, 16}, {20, 15, ID_WHITE}, {20, 26, ID_WHITE}, {2, 10, ID_UNPAINTED}}},
        {"grouped tab", NOT_STUDIO,
         [](PM& pm, CDC& dc) {
             pm.DrawTabItem(dc, CELL, true, true, false, false, true, true, false, RECT{5, 5, 35, 25}, SIZE{0, 0},
                            nullptr, CString(), nullptr, nullptr, 1);
         },
         {{5, 10, 16}, {35, 10, 16}, {10, 3, 16}, {10, 10, 15}}},
        {"hot calendar header", ALL_THEMES,
         [](PM& pm, CDC& dc) { pm.DrawCalendarHeaderArea(dc, CELL, nullptr, nullptr, false, false, true); },
         {{0, 10, 5}, {39, 10, 21}, {10, 10, 16}}},
        {"inset calendar header", ALL_THEMES,
         [](PM& pm, CDC& dc) { pm.DrawCalendarHeaderArea(dc, CELL, nullptr, nullptr, true, false, false); },
         {{0, 10, ID_UNPAINTED}, {10, 0, 21}, {10, 29, ID_UNPAINTED}, {10, 10, 16}}},
        {"dock marker without its window", ALL_THEMES,
         [](PM& pm, CDC& dc) { pm.DrawDockMarker(dc, CELL, 0, true, nullptr); },
         {{0, 0, ID_UNPAINTED}, {10, 29, ID_UNPAINTED}}},
        {"radio dot", ALL_THEMES, [](PM& pm, CDC& dc) { PM::DrawRadioDot(dc, 10, 10, pm.ColorByIndex(1010)); },
         {{12, 12, 1010}}},
        // The edit field of a menu item: sunken in the classic look, framed flat in the others.
        {"selected menu item with an edit field", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) { Draw(pm, dc, MenuItemWithEdit(false, true, true)); },
         {{13, 10, 15}, {14, 10, 16}, {35, 10, 20}, {20, 15, 5}}},
        {"selected menu item with an edit field", XP_FAMILY,
         [](PM& pm, CDC& dc) { Draw(pm, dc, MenuItemWithEdit(false, true, true)); },
         {{14, 10, 2004}, {35, 10, 2004}, {20, 15, 5}}},
        {"disabled menu item with an edit field", XP_FAMILY,
         [](PM& pm, CDC& dc) { Draw(pm, dc, MenuItemWithEdit(false, false, false)); },
         {{14, 10, 2011}, {20, 15, 15}}},
        // The drop button always starts 22 pixels in, whatever the thumb width.
        {"menu item with a drop-down edit field", XP_FAMILY,
         [](PM& pm, CDC& dc) { Draw(pm, dc, MenuItemWithEdit(true, false, true)); },
         {{4, 10, 2010}, {10, 15, 5}, {24, 8, 15}, {24, 21, 15}}},
        {"selected split popup item", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) { Draw(pm, dc, SplitPopupItem(true, false)); },
         {{10, 5, 13}, {24, 5, 1000}}},
        {"selected split popup item", XP_FAMILY,
         [](PM& pm, CDC& dc) { Draw(pm, dc, SplitPopupItem(true, false)); },
         {{10, 5, 1001}, {20, 15, 2004}, {24, 5, 2003}}},
        {"split popup item", XP_FAMILY, [](PM& pm, CDC& dc) { Draw(pm, dc, SplitPopupItem(false, false)); },
         {{21, 15, 2002}, {24, 5, 2001}}},
        // Glyph arrows: the 4 x 7 arrow, or its 3 x 5 split variant, centred in the arrow part.
        {"popup item with a glyph arrow", ALL_THEMES,
         [](PM& pm, CDC& dc) {
             CExtDrawMenuItemArgs args = SplitPopupItem(false, true);
             args.m_bSplitPopup = false;
             pm.DrawMenuItem(dc, args);
         },
         {{27, 11, 1010}, {30, 14, 1010}}},
        {"split popup item with a glyph arrow", ALL_THEMES,
         [](PM& pm, CDC& dc) { Draw(pm, dc, SplitPopupItem(false, true)); },
         {{27, 12, 1010}, {29, 14, 1010}, {30, 14, ID_BACKGROUND}}},
        {"hovered text field", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) { Draw(pm, dc, TextField(CExtDrawTextFieldArgs::HOVER | ENABLED_FIELD)); },
         {{2, 10, 16}, {37, 10, 20}, {10, 15, 5}}},
        {"hovered text field", XP_FAMILY,
         [](PM& pm, CDC& dc) { Draw(pm, dc, TextField(CExtDrawTextFieldArgs::HOVER | ENABLED_FIELD)); },
         {{3, 10, 2004}, {10, 6, 2004}, {10, 15, 5}, {2, 10, ID_UNPAINTED}}},
        {"idle text field", XP_FAMILY, [](PM& pm, CDC& dc) { Draw(pm, dc, TextField(ENABLED_FIELD)); },
         {{4, 10, 5}, {3, 10, ID_UNPAINTED}}},
        {"disabled text field", XP_FAMILY, [](PM& pm, CDC& dc) { Draw(pm, dc, TextField(0)); },
         {{3, 10, 2011}, {10, 15, 15}}},
        {"hovered drop-down text field", XP_FAMILY,
         [](PM& pm, CDC& dc) {
             Draw(pm, dc, TextField(CExtDrawTextFieldArgs::HOVER | ENABLED_FIELD | CExtDrawTextFieldArgs::DROP_BUTTON));
         },
         {{3, 10, 2004}, {10, 15, 5}, {10, 24, 2004}}},
        {"hovered icon text item", ONLY_CLASSIC,
         [](PM& pm, CDC& dc) { Draw(pm, dc, IconTextItem(CExtDrawIconTextItemArgs::HOVER)); },
         {{3, 10, 15}, {22, 10, 21}, {10, 10, 16}, {2, 10, ID_UNPAINTED}}},
        {"hovered icon text item", XP_FAMILY,
         [](PM& pm, CDC& dc) { Draw(pm, dc, IconTextItem(CExtDrawIconTextItemArgs::HOVER)); },
         {{3, 10, 2004}, {22, 10, 2004}, {10, 10, 1001}}},
        {"pushed icon text item", XP_FAMILY,
         [](PM& pm, CDC& dc) { Draw(pm, dc, IconTextItem(CExtDrawIconTextItemArgs::PUSHED)); },
         {{10, 10, 2003}}},
        // A tip item draws only its info box around the text.
        {"tip item", ALL_THEMES,
         [](PM& pm, CDC& dc) {
             Draw(pm, dc, IconTextItem(CExtDrawIconTextItemArgs::TIP_STYLE | CExtDrawIconTextItemArgs::INFO_COLORS
                                                  | CExtDrawIconTextItemArgs::HOVER));
         },
         {{10, 10, ID_INFO_BACKGROUND}, {8, 8, ID_INFO_FRAME}, {7, 8, ID_UNPAINTED}, {4, 4, ID_UNPAINTED}}},
        {"hovered calendar button", XP_FAMILY,
         [](PM& pm, CDC& dc) { pm.DrawCalendarButton(dc, CELL, 0, "", false, true, false, true); },
         {{0, 10, 2004}}},
    };
    return elements;
}

COLORREF Expected(const CExtPaintManager& pm, int id)
{
    if (id <= ID_SYSTEM)
        return ::GetSysColor(ID_SYSTEM - id);
    switch (id) {
    case ID_WHITE: return RGB(255, 255, 255);
    case ID_UNPAINTED: return UNPAINTED;
    case ID_BLACK: return RGB(0, 0, 0);
    case ID_TREE_FRAME: return RGB(120, 152, 181);
    case ID_INFO_BACKGROUND: return ::GetSysColor(COLOR_INFOBK);
    case ID_INFO_FRAME: return ::GetSysColor(COLOR_3DDKSHADOW);
    case ID_BACKGROUND: return pm.ColorByIndex(pm.GetThemeId() == CLASSIC ? 1000 : 2001);
    default: return pm.ColorByIndex(id);
    }
}

bool AppliesTo(const Element& e, int nTheme) { return (e.themes & (1 << nTheme)) != 0; }

class ThemeDrawingTest : public ::testing::TestWithParam<int>
{
protected:
    void TearDown() override { g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP)); }
};

CRuntimeClass* ThemeClass(int nTheme)
{
    switch (nTheme) {
    case CLASSIC: return RUNTIME_CLASS(CExtPaintManager);
    case XP: return RUNTIME_CLASS(CExtPaintManagerXP);
    case OFFICE2003: return RUNTIME_CLASS(CExtPaintManagerOffice2003);
    default: return RUNTIME_CLASS(CExtPaintManagerStudio2005);
    }
}

const char* ThemeName(int nTheme)
{
    static const char* const NAMES[] = {"", "Classic", "XP", "Office2003", "Studio2005"};
    return NAMES[nTheme];
}

TEST_P(ThemeDrawingTest, ElementsPaintTheirColours)
{
    const int nTheme = GetParam();
    // Without a visual style and with each luna scheme faked.
    for (int nScheme = 0; nScheme <= 3; ++nScheme) {
        std::unique_ptr<CLunaFake> fake(CLunaFake::ForScheme(nScheme));
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(ThemeClass(nTheme)));
        CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
        ASSERT_EQ(nTheme, pm.GetThemeId());
        for (const Element& e : Elements()) {
            if (!AppliesTo(e, nTheme))
                continue;
            CPixelCanvas canvas(CELL_CX, CELL_CY, UNPAINTED);
            e.paint(pm, canvas.dc());
            for (const Probe& p : e.probes)
                EXPECT_PRED3(Matches, Expected(pm, p.id), canvas.Pixel(p.x, p.y), p.tolerance)
                    << e.name << " at " << p.x << "," << p.y << " id " << p.id << " scheme " << nScheme;
        }
    }
}

TEST_P(ThemeDrawingTest, ClippedOutElementsPaintNothing)
{
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(ThemeClass(GetParam())));
    CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
    for (const Element& e : Elements()) {
        // Drop markers and the static routines draw without a visibility check.
        if (!AppliesTo(e, GetParam()) || std::string(e.name) == "drop marker" || std::string(e.name) == "check mark"
            || std::string(e.name) == "radio dot")
            continue;
        CPixelCanvas canvas(CELL_CX, CELL_CY, UNPAINTED);
        canvas.dc().IntersectClipRect(CELL_CX + 10, 0, CELL_CX + 20, 10);
        e.paint(pm, canvas.dc());
        canvas.dc().SelectClipRgn(nullptr);
        for (const Probe& p : e.probes)
            EXPECT_EQ(UNPAINTED, canvas.Pixel(p.x, p.y)) << e.name;
    }
}

TEST_P(ThemeDrawingTest, RepaintAfterReplacingTheThemeShowsTheNewLook)
{
    // The same window painting through whatever manager is installed.
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManager)));
    CPixelCanvas canvas(CELL_CX, CELL_CY, UNPAINTED);
    g_PaintManagerHolder->FillPopupClientArea(canvas.dc(), CELL);
    EXPECT_EQ(g_PaintManagerHolder->ColorByIndex(COLOR_BTNSHADOW), canvas.Pixel(5, 5));
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(ThemeClass(GetParam())));
    g_PaintManagerHolder->FillPopupClientArea(canvas.dc(), CELL);
    EXPECT_EQ(g_PaintManagerHolder->ColorByIndex(GetParam() == CLASSIC ? COLOR_BTNSHADOW : 1000), canvas.Pixel(5, 5));
}

INSTANTIATE_TEST_SUITE_P(Themes, ThemeDrawingTest, ::testing::Values(CLASSIC, XP, OFFICE2003, STUDIO2005),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(ThemeName(info.param)); });

TEST(ThemeDrawingLeakTest, PaintingEverythingTwoThousandTimesLeavesNoGdiHandle)
{
    constexpr int ROUNDS = 2000;
    CPixelCanvas canvas(CELL_CX, CELL_CY, UNPAINTED);
    const int nFreeBefore = CountFreeGdiHandleSlots();
    ASSERT_GT(nFreeBefore, 1000);
    for (int i = 0; i < ROUNDS; ++i) {
        const int nTheme = 1 + (i / 500) % 4;
        CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
        for (const Element& e : Elements())
            if (AppliesTo(e, pm.GetThemeId())) {
                const int nSaved = canvas.dc().SaveDC();
                e.paint(pm, canvas.dc());
                canvas.dc().RestoreDC(nSaved);
            }
        pm.DrawLargeLabelText(canvas.dc(), CELL, "Label");
        pm.DrawPlainLabelText(canvas.dc(), CELL, "Label");
        if (i % 500 == 0)
            g_PaintManagerHolder.ReplaceByClass(ThemeClass(nTheme));
    }
    g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
    EXPECT_EQ(nFreeBefore, CountFreeGdiHandleSlots());
}

// One sheet per theme of every element, for a person to look at.
TEST(ThemeDrawingScreens, SheetOfEveryElementPerTheme)
{
    constexpr int COLUMNS = 8;
    constexpr int GAP = 4;
    for (int nTheme : {CLASSIC, XP, OFFICE2003, STUDIO2005}) {
        ASSERT_TRUE(g_PaintManagerHolder.ReplaceByClass(ThemeClass(nTheme)));
        CExtPaintManager& pm = *g_PaintManagerHolder.GetFirstMember();
        std::vector<const Element*> shown;
        for (const Element& e : Elements())
            if (AppliesTo(e, nTheme))
                shown.push_back(&e);
        const int rows = static_cast<int>((shown.size() + COLUMNS - 1) / COLUMNS);
        CPixelCanvas sheet(COLUMNS * (CELL_CX * 2 + GAP), rows * (CELL_CY * 2 + GAP), RGB(255, 255, 255));
        for (size_t i = 0; i < shown.size(); ++i) {
            CPixelCanvas cell(CELL_CX, CELL_CY, RGB(255, 255, 255));
            shown[i]->paint(pm, cell.dc());
            const int x = static_cast<int>(i % COLUMNS) * (CELL_CX * 2 + GAP);
            const int y = static_cast<int>(i / COLUMNS) * (CELL_CY * 2 + GAP);
            // Doubled so that single pixels can be seen.
            sheet.dc().StretchBlt(x, y, CELL_CX * 2, CELL_CY * 2, &cell.dc(), 0, 0, CELL_CX, CELL_CY, SRCCOPY);
        }
        HBITMAP hBitmap = static_cast<HBITMAP>(::GetCurrentObject(sheet.dc().m_hDC, OBJ_BITMAP));
        EXPECT_TRUE(SaveBitmapPng(hBitmap, std::string("ui-core-") + ThemeName(nTheme) + ".png"));
    }
    g_PaintManagerHolder.ReplaceByClass(RUNTIME_CLASS(CExtPaintManagerXP));
}

} // namespace
