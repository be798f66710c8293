#pragma once
// The GDI+ classes archived through pointers: export keys (their names without namespace),
// tracking, and their records in the document archive. Each pointer record is the object's
// value record, written before the object (the library's construction data) so that loading
// builds the object from it.
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"
#include "platform/gdiplus/GdiPlus.h"

#include <boost/serialization/base_object.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/tracking.hpp>
#include <boost/serialization/void_cast.hpp>

// Never tracked: an object reached twice is written twice and read back as two objects.
BOOST_CLASS_TRACKING(Gdiplus::Pen, boost::serialization::track_never)
BOOST_CLASS_TRACKING(Gdiplus::Brush, boost::serialization::track_never)
BOOST_CLASS_TRACKING(Gdiplus::SolidBrush, boost::serialization::track_never)
BOOST_CLASS_TRACKING(Gdiplus::LinearGradientBrush, boost::serialization::track_never)
BOOST_CLASS_TRACKING(Gdiplus::PathGradientBrush, boost::serialization::track_never)
BOOST_CLASS_TRACKING(Gdiplus::TextureBrush, boost::serialization::track_never)
BOOST_CLASS_TRACKING(Gdiplus::Font, boost::serialization::track_never)
BOOST_CLASS_TRACKING(Gdiplus::Bitmap, boost::serialization::track_never)

BOOST_CLASS_EXPORT_KEY2(Gdiplus::Pen, "Pen")
BOOST_CLASS_EXPORT_KEY2(Gdiplus::Brush, "Brush")
BOOST_CLASS_EXPORT_KEY2(Gdiplus::SolidBrush, "SolidBrush")
BOOST_CLASS_EXPORT_KEY2(Gdiplus::LinearGradientBrush, "LinearGradientBrush")
BOOST_CLASS_EXPORT_KEY2(Gdiplus::PathGradientBrush, "PathGradientBrush")
BOOST_CLASS_EXPORT_KEY2(Gdiplus::TextureBrush, "TextureBrush")
BOOST_CLASS_EXPORT_KEY2(Gdiplus::Font, "Font")
BOOST_CLASS_EXPORT_KEY2(Gdiplus::Bitmap, "Bitmap")

namespace boost {
namespace serialization {

// Object records after the construction data: empty, or the Brush base object for the
// gradient and texture brushes.
template <class Archive>
void serialize(Archive&, Gdiplus::Pen&, unsigned int) {}
template <class Archive>
void serialize(Archive&, Gdiplus::Brush&, unsigned int) {}
template <class Archive>
void serialize(Archive&, Gdiplus::SolidBrush&, unsigned int)
{
    // No base object is written, but a Brush pointer may hold a solid brush.
    void_cast_register<Gdiplus::SolidBrush, Gdiplus::Brush>();
}
template <class Archive>
void serialize(Archive& ar, Gdiplus::LinearGradientBrush& brush, unsigned int)
{
    ar & base_object<Gdiplus::Brush>(brush);
}
template <class Archive>
void serialize(Archive& ar, Gdiplus::PathGradientBrush& brush, unsigned int)
{
    ar & base_object<Gdiplus::Brush>(brush);
}
template <class Archive>
void serialize(Archive& ar, Gdiplus::TextureBrush& brush, unsigned int)
{
    ar & base_object<Gdiplus::Brush>(brush);
}
template <class Archive>
void serialize(Archive&, Gdiplus::Font&, unsigned int) {}
template <class Archive>
void serialize(Archive&, Gdiplus::Bitmap&, unsigned int) {}

// A colour is a value: its object record is the colour record.
void serialize(CDocumentOArchive& ar, Gdiplus::Color& color, unsigned int version);
void serialize(CDocumentIArchive& ar, Gdiplus::Color& color, unsigned int version);

// A pen through a pointer keeps nothing: it comes back opaque black, 20 wide.
void save_construct_data(CDocumentOArchive& ar, const Gdiplus::Pen* pen, unsigned int version);
void load_construct_data(CDocumentIArchive& ar, Gdiplus::Pen* pen, unsigned int version);
// A brush of no concrete class has no record and cannot be built back: loading one raises
// the archive exception.
void save_construct_data(CDocumentOArchive& ar, const Gdiplus::Brush* brush, unsigned int version);
void load_construct_data(CDocumentIArchive& ar, Gdiplus::Brush* brush, unsigned int version);
void save_construct_data(CDocumentOArchive& ar, const Gdiplus::SolidBrush* brush, unsigned int version);
void load_construct_data(CDocumentIArchive& ar, Gdiplus::SolidBrush* brush, unsigned int version);
void save_construct_data(CDocumentOArchive& ar, const Gdiplus::LinearGradientBrush* brush, unsigned int version);
void load_construct_data(CDocumentIArchive& ar, Gdiplus::LinearGradientBrush* brush, unsigned int version);
void save_construct_data(CDocumentOArchive& ar, const Gdiplus::PathGradientBrush* brush, unsigned int version);
void load_construct_data(CDocumentIArchive& ar, Gdiplus::PathGradientBrush* brush, unsigned int version);
void save_construct_data(CDocumentOArchive& ar, const Gdiplus::TextureBrush* brush, unsigned int version);
void load_construct_data(CDocumentIArchive& ar, Gdiplus::TextureBrush* brush, unsigned int version);
void save_construct_data(CDocumentOArchive& ar, const Gdiplus::Font* font, unsigned int version);
void load_construct_data(CDocumentIArchive& ar, Gdiplus::Font* font, unsigned int version);
void save_construct_data(CDocumentOArchive& ar, const Gdiplus::Bitmap* bitmap, unsigned int version);
void load_construct_data(CDocumentIArchive& ar, Gdiplus::Bitmap* bitmap, unsigned int version);

} // namespace serialization
} // namespace boost
