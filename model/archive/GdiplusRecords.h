#pragma once
// The records of the GDI+ drawing objects inside the document archive: colour, pen, fill,
// font and bitmap pixels. Loading raises boost::archive::archive_exception on a bad record.
#include "platform/gdiplus/GdiPlus.h"

#include <memory>

class CDocumentIArchive;
class CDocumentOArchive;
struct CLogicalFont;

// A bitmap built over pixel memory read from an archive; the memory must outlive the bitmap.
struct CBitmapPixels {
    std::unique_ptr<BYTE[]> pixels;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
};

// Alpha, red, green and blue as four int.
void SaveColor(CDocumentOArchive& ar, const Gdiplus::Color& color);
Gdiplus::Color LoadColor(CDocumentIArchive& ar);

// Marker, colour, width and dash style; loading applies them to an existing pen. A pen whose
// colour cannot be read (one drawn with a brush) raises the archive exception.
void SavePen(CDocumentOArchive& ar, const Gdiplus::Pen& pen);
void LoadPen(CDocumentIArchive& ar, Gdiplus::Pen& pen);

// Presence, brush type and the body of a solid, texture, path or linear gradient fill.
// Loading yields null for no fill and for fills of other types.
void SaveBrush(CDocumentOArchive& ar, const Gdiplus::Brush* brush);
std::unique_ptr<Gdiplus::Brush> LoadBrush(CDocumentIArchive& ar);

// Face name, height, weight and italic flag of the font's logical font on the font device
// context (CFontDeviceContext); a font whose logical font cannot be queried raises the archive
// exception. Loading builds the font from the logical font read.
void SaveFont(CDocumentOArchive& ar, const Gdiplus::Font& font);
std::unique_ptr<Gdiplus::Font> LoadFont(CDocumentIArchive& ar);
// The same record for a logical font kept as it was chosen or read: written back unchanged.
void SaveLogicalFont(CDocumentOArchive& ar, const CLogicalFont& font);
CLogicalFont LoadLogicalFont(CDocumentIArchive& ar);

// Width, height, stride, pixel format and the 24-bit pixel rows. Saving locks the bitmap
// read-only, hence the non-const reference; a bitmap whose pixels cannot be read raises the
// archive exception.
void SaveBitmapPixels(CDocumentOArchive& ar, Gdiplus::Bitmap& bitmap);
CBitmapPixels LoadBitmapPixels(CDocumentIArchive& ar);

// Pointer records: each reads its record and builds the object in the storage the archive
// library gives (built objects own everything they use).
void SaveLinearGradientBody(CDocumentOArchive& ar, const Gdiplus::LinearGradientBrush& brush);
void LoadLinearGradientBodyAt(CDocumentIArchive& ar, Gdiplus::LinearGradientBrush* storage);
void SavePathGradientBody(CDocumentOArchive& ar, const Gdiplus::PathGradientBrush& brush);
void LoadPathGradientBodyAt(CDocumentIArchive& ar, Gdiplus::PathGradientBrush* storage);
void SaveTextureBody(CDocumentOArchive& ar, const Gdiplus::TextureBrush& brush);
void LoadTextureBodyAt(CDocumentIArchive& ar, Gdiplus::TextureBrush* storage);
void LoadFontAt(CDocumentIArchive& ar, Gdiplus::Font* storage);
void LoadOwnedBitmapAt(CDocumentIArchive& ar, Gdiplus::Bitmap* storage);
