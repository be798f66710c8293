// The records of every archived model class, their export registrations and the class
// registration of every archive. Tracking and export keys are stated in the class headers, so
// that every file that moves a class through an archive agrees on them.
#include "model/DocumentArchive.h"

#include "model/ClipboardBag.h"
#include "model/FlashBezierCurve.h"
#include "model/FlashBitmap.h"
#include "model/FlashCloseFigureOp.h"
#include "model/FlashContinuousPathShape.h"
#include "model/FlashEditorDoc.h"
#include "model/FlashEditorFrame.h"
#include "model/FlashEditorFrameShapeTransform.h"
#include "model/FlashEditorLayer.h"
#include "model/FlashHollowShape.h"
#include "model/FlashLibrary.h"
#include "model/FlashLibraryEntry.h"
#include "model/FlashLibraryFolder.h"
#include "model/FlashResourceRepository.h"
#include "model/FlashSolidShape.h"
#include "model/FlashStraightLine.h"
#include "model/FlashSymbol.h"
#include "model/FlashTextShape.h"
#include "model/archive/DocumentIArchive.h"
#include "model/archive/DocumentOArchive.h"
#include "model/archive/GdiplusRecords.h"
#include "model/archive/GdiplusSerialization.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/serialization/base_object.hpp>
#include <boost/serialization/export.hpp>
#include <boost/serialization/list.hpp>
#include <boost/serialization/map.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/tracking.hpp>
#include <boost/serialization/utility.hpp>
#include <boost/serialization/vector.hpp>
#include <boost/serialization/void_cast.hpp>

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

CFlashEditorDoc* g_DocumentBeingLoaded = nullptr;
CFlashEditorLayer* g_LayerBeingLoaded = nullptr;

namespace {

using boost::serialization::base_object;

// Written after documents, layer bases, spans and shapes, and after clipboard bags; read back
// without being compared with anything.
constexpr int kEndMarker = 55;
constexpr int kClipboardEndMarker = 1111;

// What a text shape without a font and a bitmap shape without a picture write in their place,
// since their records have no way to say "none".
constexpr char kStandInFontFace[] = "Arial";
constexpr int kStandInFontHeight = -12;

void SkipMarker(CDocumentIArchive& ar)
{
    int marker = 0;
    ar >> marker;
}

[[noreturn]] void Fail(const char* what)
{
    throw boost::archive::archive_exception(boost::archive::archive_exception::other_exception, what);
}

void Transfer(CDocumentOArchive& ar, std::string& text)
{
    ar << static_cast<const std::string&>(text);
}

// Text read ends at its first NUL byte, as the program's own strings do.
void Transfer(CDocumentIArchive& ar, std::string& text)
{
    ar >> text;
    text.resize(std::char_traits<char>::length(text.c_str()));
}

// An identifier kept as int and written as unsigned int.
void TransferUnsigned(CDocumentOArchive& ar, int& value)
{
    const unsigned stored = unsigned(value);
    ar << stored;
}

void TransferUnsigned(CDocumentIArchive& ar, int& value)
{
    unsigned stored = 0;
    ar >> stored;
    value = int(stored);
}

void SavePoint(CDocumentOArchive& ar, const POINT& point)
{
    const int x = int(point.x);
    const int y = int(point.y);
    ar << x << y;
}

void LoadPoint(CDocumentIArchive& ar, POINT& point)
{
    int x = 0;
    int y = 0;
    ar >> x >> y;
    point.x = x;
    point.y = y;
}

void SaveRect(CDocumentOArchive& ar, const Gdiplus::Rect& rect)
{
    ar << rect.X << rect.Y << rect.Width << rect.Height;
}

void LoadRect(CDocumentIArchive& ar, Gdiplus::Rect& rect)
{
    ar >> rect.X >> rect.Y >> rect.Width >> rect.Height;
}

template <class Pointer>
void DeletePointee(Pointer* pointer)
{
    delete pointer;
}

template <class First, class Second>
void DeletePointee(const std::pair<First*, Second*>& pair)
{
    delete pair.first;
    delete pair.second;
}

template <class Pointer>
bool IsNull(Pointer* pointer)
{
    return pointer == nullptr;
}

// A pair is looked at by its reader, which drops one missing either half.
template <class First, class Second>
bool IsNull(const std::pair<First*, Second*>&)
{
    return false;
}

// Whether a container read may hold null pointers. The model's lists of layers, spans, curves,
// library folders and entries and symbol members never do: their users take every element as
// an object.
enum class CNulls { Refused, Kept };

// Reads a container of owned pointers (or pairs of them) into an empty target; when reading
// fails, or finds a null pointer where none may be, what was read is deleted again before the
// error goes on.
template <class Container>
void LoadOwned(CDocumentIArchive& ar, Container& target, CNulls nulls = CNulls::Refused)
{
    Container loaded;
    try {
        ar >> loaded;
        if (nulls == CNulls::Refused && std::any_of(loaded.begin(), loaded.end(), [](const auto& item) { return IsNull(item); }))
            Fail("null pointer in a list");
    } catch (...) {
        for (const auto& item : loaded)
            DeletePointee(item);
        throw;
    }
    target.swap(loaded);
}

} // namespace

// Named objects: one routine both ways; the name prefix is not written.
template <class Archive>
void CNamedObject::serialize(Archive& ar, unsigned int)
{
    TransferUnsigned(ar, m_nObjectId);
    Transfer(ar, m_strName);
}

void CFlashResource::save(CDocumentOArchive& ar, unsigned int) const
{
    const int tag = int(m_nResourceTag);
    ar << base_object<CNamedObject>(*this) << m_nState << tag;
}

void CFlashResource::load(CDocumentIArchive& ar, unsigned int)
{
    int tag = 0;
    ar >> base_object<CNamedObject>(*this) >> m_nState >> tag;
    m_nResourceTag = unsigned(tag);
}

void CFlashEditorDoc::save(CDocumentOArchive& ar, unsigned int) const
{
    const unsigned counter = unsigned(CNamedObject::GetObjectIdCounter());
    ar << counter << m_nStageWidth << m_nStageHeight << m_nStoredValue1 << m_nStoredValue2 << m_nFrameRate;
    ar << m_library << m_layers << m_nCurrentFrame << m_nCurrentLayer << kEndMarker;
}

void CFlashEditorDoc::load(CDocumentIArchive& ar, unsigned int)
{
    g_DocumentBeingLoaded = this;
    unsigned counter = 0;
    ar >> counter;
    // Never lowered: objects of other open documents already carry the identifiers below it.
    CNamedObject::RaiseObjectIdCounter(int(counter));
    ar >> m_nStageWidth >> m_nStageHeight >> m_nStoredValue1 >> m_nStoredValue2 >> m_nFrameRate;
    if (m_nStageWidth < 1 || m_nStageHeight < 1 || m_nFrameRate < 1)
        Fail("stage size or frame rate out of range");
    ar >> m_library;
    LoadOwned(ar, m_layers);
    ar >> m_nCurrentFrame >> m_nCurrentLayer;
    SkipMarker(ar);
}

void CFlashEditorLayer::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CNamedObject>(*this) << kEndMarker << m_spans << m_nCurrentFrame << m_bLocked << m_bVisible;
}

void CFlashEditorLayer::load(CDocumentIArchive& ar, unsigned int)
{
    m_pDocument = g_DocumentBeingLoaded;
    ar >> base_object<CNamedObject>(*this);
    g_LayerBeingLoaded = this;
    SkipMarker(ar);
    LoadOwned(ar, m_spans);
    ar >> m_nCurrentFrame >> m_bLocked >> m_bVisible;
}

void CFlashEditorFrame::save(CDocumentOArchive& ar, unsigned int) const
{
    const int owned = m_pLayer ? 1 : 0;
    const int tween = m_bMotionTween ? 1 : 0;
    ar << m_nFirstFrame << m_nLastFrame << owned << tween;
    // The placement map is ordered by address: written in that order, two saves of one document
    // would differ. Its elements go out as the same pairs, topmost first, then any shape the
    // stacking order misses, by identifier.
    using Placed = std::pair<CFlashShape*, CFlashEditorFrameShapeTransform*>;
    std::vector<Placed> placed(m_placements.begin(), m_placements.end());
    std::unordered_map<int, std::size_t> rank;
    for (const int id : m_stackingOrder)
        rank.emplace(id, rank.size());
    const auto key = [&rank](const Placed& entry) {
        const int id = entry.first ? entry.first->GetObjectId() : 0;
        const auto found = rank.find(id);
        return std::make_pair(found != rank.end() ? found->second : rank.size(), id);
    };
    std::stable_sort(placed.begin(), placed.end(),
                     [&key](const Placed& a, const Placed& b) { return key(a) < key(b); });
    ar << placed << m_stackingOrder << kEndMarker;
}

void CFlashEditorFrame::load(CDocumentIArchive& ar, unsigned int)
{
    int owned = 0;
    int tween = 0;
    ar >> m_nFirstFrame >> m_nLastFrame >> owned >> tween;
    // Frames count from 1; a span covers at least its first frame, and the frame after its
    // last one (where the next span starts) is a frame too.
    if (m_nFirstFrame < 1 || m_nLastFrame < m_nFirstFrame || m_nLastFrame == std::numeric_limits<int>::max())
        Fail("span frames out of range");
    m_pLayer = owned == 1 ? g_LayerBeingLoaded : nullptr;
    m_bMotionTween = tween != 0;
    // The placement map is read as the sequence of pairs it was written as, so that a pair
    // missing its shape or its placement can be dropped instead of owned by nobody.
    std::vector<std::pair<CFlashShape*, CFlashEditorFrameShapeTransform*>> pairs;
    LoadOwned(ar, pairs);
    // The shapes are looked up by identifier: two under one identifier would leave one of
    // them owned but unreachable.
    std::set<int> ids;
    for (const auto& [shape, placement] : pairs) {
        if (shape && placement && !ids.insert(shape->GetObjectId()).second) {
            for (const auto& pair : pairs)
                DeletePointee(pair);
            Fail("two shapes of a span share an identifier");
        }
    }
    for (const auto& [shape, placement] : pairs) {
        if (!shape || !placement) {
            DeletePointee(std::make_pair(shape, placement));
            continue;
        }
        m_placements.emplace(shape, placement);
        m_shapesById[shape->GetObjectId()] = shape;
        shape->SetOwningSpan(this);
    }
    ar >> m_stackingOrder;
    SkipMarker(ar);
}

void CFlashEditorFrameShapeTransform::save(CDocumentOArchive& ar, unsigned int) const
{
    Gdiplus::REAL elements[6] = {};
    m_matrix.GetElements(elements);
    for (const Gdiplus::REAL element : elements)
        ar << element;
    ar << m_bActive << m_nTweenValue1 << m_nTweenValue2 << m_dTweenValue1 << m_dTweenValue2 << m_nTweenValue3;
}

void CFlashEditorFrameShapeTransform::load(CDocumentIArchive& ar, unsigned int)
{
    std::array<Gdiplus::REAL, 6> elements = {};
    for (Gdiplus::REAL& element : elements)
        ar >> element;
    if (!IsReadable(elements))
        Fail("placement out of range");
    m_matrix.SetElements(elements[0], elements[1], elements[2], elements[3], elements[4], elements[5]);
    ar >> m_bActive >> m_nTweenValue1 >> m_nTweenValue2 >> m_dTweenValue1 >> m_dTweenValue2 >> m_nTweenValue3;
}

void CFlashShape::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashResource>(*this);
    SaveBrush(ar, m_pFill.get());
    const int hasPen = m_pPen ? 1 : 0;
    ar << hasPen;
    if (m_pPen)
        SavePen(ar, *m_pPen);
    ar << m_curves << m_contourIds << m_holeFlags << kEndMarker;
}

void CFlashShape::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashResource>(*this);
    m_pFill = LoadBrush(ar);
    int hasPen = 0;
    ar >> hasPen;
    if (hasPen == 1) {
        m_pPen = std::make_unique<Gdiplus::Pen>(Gdiplus::Color(255, 0, 0, 0), 1.0f);
        LoadPen(ar, *m_pPen);
    }
    LoadOwned(ar, m_curves);
    ar >> m_contourIds >> m_holeFlags;
    SkipMarker(ar);
    // Every curve is looked up with its contour id and hole flag by the same index.
    if (m_contourIds.size() != m_curves.size() || m_holeFlags.size() != m_curves.size())
        Fail("curve, contour and hole counts differ");
    if (m_nState == kResourceStateSelected)
        m_nState = kResourceStateNormal;
}

void CFlashSolidShape::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashShape>(*this);
}

void CFlashSolidShape::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashShape>(*this);
}

void CFlashHollowShape::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashShape>(*this);
}

void CFlashHollowShape::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashShape>(*this);
}

void CFlashContinuousPathShape::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashShape>(*this);
}

void CFlashContinuousPathShape::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashShape>(*this);
}

void CFlashTextShape::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashShape>(*this);
    if (m_logicalFont)
        SaveLogicalFont(ar, *m_logicalFont);
    else if (m_pFont)
        SaveFont(ar, *m_pFont);
    else
        SaveLogicalFont(ar, CLogicalFont(kStandInFontFace, kStandInFontHeight, FW_NORMAL, false));
    SaveRect(ar, m_rcBox);
    std::string text = m_strText;
    Transfer(ar, text);
    ar << m_nAlignment;
}

void CFlashTextShape::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashShape>(*this);
    // Kept as read, so that the font is saved again as it was stored.
    SetLogicalFont(LoadLogicalFont(ar));
    LoadRect(ar, m_rcBox);
    Transfer(ar, m_strText);
    ar >> m_nAlignment;
}

void CFlashBitmap::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashShape>(*this);
    if (m_pImage) {
        SaveBitmapPixels(ar, *m_pImage);
    } else {
        Gdiplus::Bitmap standIn(1, 1, PixelFormat24bppRGB);
        SaveBitmapPixels(ar, standIn);
    }
    ar << m_nX << m_nY;
}

void CFlashBitmap::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashShape>(*this);
    CBitmapPixels picture = LoadBitmapPixels(ar);
    // The bitmap is built over the pixel block, which therefore lives as long as it does.
    SetImage(std::move(picture.bitmap), std::move(picture.pixels));
    ar >> m_nX >> m_nY;
}

// A symbol writes nothing of its shape base, yet shape pointers hold symbols: the cast between
// the two is registered by hand.
void CFlashSymbol::save(CDocumentOArchive& ar, unsigned int) const
{
    boost::serialization::void_cast_register<CFlashSymbol, CFlashShape>();
    std::string name = m_strSymbolName;
    Transfer(ar, name);
    ar << m_members;
}

void CFlashSymbol::load(CDocumentIArchive& ar, unsigned int)
{
    boost::serialization::void_cast_register<CFlashSymbol, CFlashShape>();
    Transfer(ar, m_strSymbolName);
    std::vector<CFlashShape*> members;
    LoadOwned(ar, members);
    m_members = members;
    m_loadedMembers.reserve(m_loadedMembers.size() + members.size());
    for (CFlashShape* member : members)
        m_loadedMembers.emplace_back(member);
}

void CFlashCurve::save(CDocumentOArchive& ar, unsigned int) const
{
    SaveRect(ar, GetBounds());
    SavePoint(ar, m_ptStart);
    SavePoint(ar, m_ptEnd);
}

void CFlashCurve::load(CDocumentIArchive& ar, unsigned int)
{
    LoadRect(ar, m_rcBounds);
    LoadPoint(ar, m_ptStart);
    LoadPoint(ar, m_ptEnd);
}

void CFlashBezierCurve::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashCurve>(*this);
    SavePoint(ar, m_ptQuad);
    SavePoint(ar, m_ptC1);
    SavePoint(ar, m_ptC2);
}

void CFlashBezierCurve::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashCurve>(*this);
    LoadPoint(ar, m_ptQuad);
    LoadPoint(ar, m_ptC1);
    LoadPoint(ar, m_ptC2);
    DeferRecalc();
}

void CFlashStraightLine::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashCurve>(*this) << m_dWeight;
}

void CFlashStraightLine::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashCurve>(*this) >> m_dWeight;
}

void CFlashCloseFigureOp::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << base_object<CFlashCurve>(*this);
}

void CFlashCloseFigureOp::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> base_object<CFlashCurve>(*this);
}

void CFlashLibrary::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << m_root;
}

void CFlashLibrary::load(CDocumentIArchive& ar, unsigned int)
{
    ar >> m_root;
}

void CFlashLibraryFolder::save(CDocumentOArchive& ar, unsigned int) const
{
    std::string name = m_strName;
    Transfer(ar, name);
    ar << m_folders << m_entries;
}

void CFlashLibraryFolder::load(CDocumentIArchive& ar, unsigned int)
{
    Transfer(ar, m_strName);
    DeleteFolders();
    for (CFlashLibraryEntry* entry : m_entries)
        delete entry;
    m_entries.clear();
    LoadOwned(ar, m_folders);
    LoadOwned(ar, m_entries);
}

void CFlashLibraryEntry::save(CDocumentOArchive& ar, unsigned int) const
{
    std::string name = m_strName;
    Transfer(ar, name);
    const Gdiplus::Bitmap* bitmap = m_pBitmap.get();
    const CFlashSymbol* symbol = m_pSymbol.get();
    ar << bitmap << symbol;
}

void CFlashLibraryEntry::load(CDocumentIArchive& ar, unsigned int)
{
    Transfer(ar, m_strName);
    Gdiplus::Bitmap* bitmap = nullptr;
    ar >> bitmap;
    m_pBitmap.reset(bitmap);
    CFlashSymbol* symbol = nullptr;
    ar >> symbol;
    m_pSymbol.reset(symbol);
}

void CFlashResourceRepository::save(CDocumentOArchive& ar, unsigned int) const
{
    const std::vector<CFlashResource*> resources = GetResources();
    ar << resources << m_pens << m_brushes;
}

void CFlashResourceRepository::load(CDocumentIArchive& ar, unsigned int)
{
    m_pOwner = g_DocumentBeingLoaded;
    Clear();
    // The listing follows the owner's spans, which own the shapes; the stored one is not kept.
    std::vector<CFlashResource*> listed;
    ar >> listed;
    LoadOwned(ar, m_pens);
    LoadOwned(ar, m_brushes);
}

void CClipboardBag::save(CDocumentOArchive& ar, unsigned int) const
{
    ar << m_shapes << m_placements << kClipboardEndMarker;
}

void CClipboardBag::load(CDocumentIArchive& ar, unsigned int)
{
    DeleteAll();
    LoadOwned(ar, m_shapes);
    // A shape copied where no layer was current travels without a placement.
    LoadOwned(ar, m_placements, CNulls::Kept);
    SkipMarker(ar);
    // Shapes and placements are paired by position.
    if (m_shapes.size() != m_placements.size())
        Fail("shape and placement counts differ");
}

namespace {

template <class Archive>
void RegisterAll(Archive& ar)
{
    ar.template register_type<CFlashEditorDoc>();
    ar.template register_type<CClipboardBag>();
    ar.template register_type<CFlashLibrary>();
    ar.template register_type<CFlashLibraryEntry>();
    ar.template register_type<CFlashLibraryFolder>();
    ar.template register_type<CFlashEditorLayer>();
    ar.template register_type<CFlashEditorFrame>();
    ar.template register_type<CFlashEditorFrameShapeTransform>();
    ar.template register_type<CFlashResourceRepository>();
    ar.template register_type<CFlashSolidShape>();
    ar.template register_type<CFlashHollowShape>();
    ar.template register_type<CFlashContinuousPathShape>();
    ar.template register_type<CFlashTextShape>();
    ar.template register_type<CFlashBitmap>();
    ar.template register_type<CFlashSymbol>();
    // Bezier before close-figure before straight line: the identifiers of stored files.
    ar.template register_type<CFlashBezierCurve>();
    ar.template register_type<CFlashCloseFigureOp>();
    ar.template register_type<CFlashStraightLine>();
    ar.template register_type<Gdiplus::Pen>();
    ar.template register_type<Gdiplus::Brush>();
    ar.template register_type<Gdiplus::SolidBrush>();
    ar.template register_type<Gdiplus::LinearGradientBrush>();
    ar.template register_type<Gdiplus::PathGradientBrush>();
    ar.template register_type<Gdiplus::TextureBrush>();
    ar.template register_type<Gdiplus::Color>();
    ar.template register_type<Gdiplus::Font>();
    ar.template register_type<Gdiplus::Bitmap>();
}

} // namespace

void RegisterArchiveTypes(CDocumentOArchive& ar)
{
    RegisterAll(ar);
}

void RegisterArchiveTypes(CDocumentIArchive& ar)
{
    RegisterAll(ar);
    // What each pointer field of the records may hold besides its own class.
    ar.DeclareSubclasses<CFlashResource, CFlashSolidShape, CFlashHollowShape, CFlashContinuousPathShape,
                         CFlashTextShape, CFlashBitmap, CFlashSymbol>();
    ar.DeclareSubclasses<CFlashShape, CFlashSolidShape, CFlashHollowShape, CFlashContinuousPathShape,
                         CFlashTextShape, CFlashBitmap, CFlashSymbol>();
    ar.DeclareSubclasses<CFlashCurve, CFlashBezierCurve, CFlashCloseFigureOp, CFlashStraightLine>();
    ar.DeclareSubclasses<Gdiplus::Brush, Gdiplus::SolidBrush, Gdiplus::LinearGradientBrush,
                         Gdiplus::PathGradientBrush, Gdiplus::TextureBrush>();
}

void CFlashEditorDoc::SaveToArchive(CDocumentOArchive& ar) const
{
    RegisterArchiveTypes(ar);
    ar << *this;
}

void CFlashEditorDoc::LoadFromArchive(CDocumentIArchive& ar)
{
    RegisterArchiveTypes(ar);
    CFlashEditorDoc loaded{EmptyTag()};
    try {
        ar >> loaded;
    } catch (...) {
        // The layer read last dies with the scratch document.
        g_DocumentBeingLoaded = this;
        g_LayerBeingLoaded = nullptr;
        throw;
    }
    AdoptContents(loaded);
}

// Export keys, registered once per process in this order.
BOOST_CLASS_EXPORT_IMPLEMENT(CClipboardBag)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashEditorDoc)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashLibrary)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashLibraryEntry)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashLibraryFolder)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashEditorLayer)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashEditorFrame)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashEditorFrameShapeTransform)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashSolidShape)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashHollowShape)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashContinuousPathShape)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashTextShape)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashBitmap)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashSymbol)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashBezierCurve)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashStraightLine)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashCloseFigureOp)
BOOST_CLASS_EXPORT_IMPLEMENT(CNamedObject)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashResource)
BOOST_CLASS_EXPORT_IMPLEMENT(CFlashResourceRepository)
BOOST_CLASS_EXPORT_IMPLEMENT(Gdiplus::Pen)
BOOST_CLASS_EXPORT_IMPLEMENT(Gdiplus::Brush)
BOOST_CLASS_EXPORT_IMPLEMENT(Gdiplus::SolidBrush)
BOOST_CLASS_EXPORT_IMPLEMENT(Gdiplus::LinearGradientBrush)
BOOST_CLASS_EXPORT_IMPLEMENT(Gdiplus::PathGradientBrush)
BOOST_CLASS_EXPORT_IMPLEMENT(Gdiplus::TextureBrush)
BOOST_CLASS_EXPORT_IMPLEMENT(Gdiplus::Font)
BOOST_CLASS_EXPORT_IMPLEMENT(Gdiplus::Bitmap)
