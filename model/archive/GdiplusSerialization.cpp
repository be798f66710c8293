#include "model/archive/GdiplusSerialization.h"

#include "model/archive/GdiplusRecords.h"

#include <boost/archive/archive_exception.hpp>

namespace {
constexpr Gdiplus::REAL kLoadedPenWidth = 20.0f;
}

namespace boost {
namespace serialization {

void serialize(CDocumentOArchive& ar, Gdiplus::Color& color, unsigned int)
{
    SaveColor(ar, color);
}

void serialize(CDocumentIArchive& ar, Gdiplus::Color& color, unsigned int)
{
    color = LoadColor(ar);
}

void save_construct_data(CDocumentOArchive&, const Gdiplus::Pen*, unsigned int) {}

void load_construct_data(CDocumentIArchive&, Gdiplus::Pen* pen, unsigned int)
{
    ::new (static_cast<void*>(pen)) Gdiplus::Pen(Gdiplus::Color(Gdiplus::Color::Black), kLoadedPenWidth);
}

void save_construct_data(CDocumentOArchive&, const Gdiplus::Brush*, unsigned int) {}

void load_construct_data(CDocumentIArchive&, Gdiplus::Brush*, unsigned int)
{
    throw_exception(boost::archive::archive_exception(boost::archive::archive_exception::unregistered_class,
                                                      "brush of no concrete class"));
}

void save_construct_data(CDocumentOArchive& ar, const Gdiplus::SolidBrush* brush, unsigned int)
{
    Gdiplus::Color color;
    brush->GetColor(&color);
    SaveColor(ar, color);
}

void load_construct_data(CDocumentIArchive& ar, Gdiplus::SolidBrush* brush, unsigned int)
{
    const Gdiplus::Color color = LoadColor(ar);
    ::new (static_cast<void*>(brush)) Gdiplus::SolidBrush(color);
}

void save_construct_data(CDocumentOArchive& ar, const Gdiplus::LinearGradientBrush* brush, unsigned int)
{
    SaveLinearGradientBody(ar, *brush);
}

void load_construct_data(CDocumentIArchive& ar, Gdiplus::LinearGradientBrush* brush, unsigned int)
{
    LoadLinearGradientBodyAt(ar, brush);
}

void save_construct_data(CDocumentOArchive& ar, const Gdiplus::PathGradientBrush* brush, unsigned int)
{
    SavePathGradientBody(ar, *brush);
}

void load_construct_data(CDocumentIArchive& ar, Gdiplus::PathGradientBrush* brush, unsigned int)
{
    LoadPathGradientBodyAt(ar, brush);
}

void save_construct_data(CDocumentOArchive& ar, const Gdiplus::TextureBrush* brush, unsigned int)
{
    SaveTextureBody(ar, *brush);
}

void load_construct_data(CDocumentIArchive& ar, Gdiplus::TextureBrush* brush, unsigned int)
{
    LoadTextureBodyAt(ar, brush);
}

void save_construct_data(CDocumentOArchive& ar, const Gdiplus::Font* font, unsigned int)
{
    SaveFont(ar, *font);
}

void load_construct_data(CDocumentIArchive& ar, Gdiplus::Font* font, unsigned int)
{
    LoadFontAt(ar, font);
}

void save_construct_data(CDocumentOArchive& ar, const Gdiplus::Bitmap* bitmap, unsigned int)
{
    // Reading the pixels locks the bitmap without changing it.
    SaveBitmapPixels(ar, const_cast<Gdiplus::Bitmap&>(*bitmap));
}

void load_construct_data(CDocumentIArchive& ar, Gdiplus::Bitmap* bitmap, unsigned int)
{
    LoadOwnedBitmapAt(ar, bitmap);
}

} // namespace serialization
} // namespace boost
