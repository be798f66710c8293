#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class C_SWF_BitStream;
class C_SWF_BufferedFile;
class C_SWF_Header;
class C_SWF_TagList;
class CFlashEditorDoc;
class CFlashEditorFrame;
class CFlashEditorFrameShapeTransform;
class CFlashEditorLayer;
class CFlashShape;
class C_SWF_Tag_DefineMorphShape;
class C_SWF_Tag_DefineShape3;
namespace Gdiplus { class Bitmap; }

// What a movie shows of a document: its stage, frame rate, background and layers, bottom first.
struct C_SWF_MovieSource
{
    int stageWidth = 550;  // pixels
    int stageHeight = 400; // pixels
    int frameRate = 12;    // frames per second
    uint32_t backgroundColor = 0xFFFFFF; // COLORREF
    std::vector<const CFlashEditorLayer*> layers;

    static C_SWF_MovieSource FromDocument(const CFlashEditorDoc& document);
};

// Publishes a document as an uncompressed SWF 6 movie that shows, frame by frame, what the stage
// shows: the visible layers bottom to top, each span's shapes back to front, placements
// interpolated across motion tweens, and fills and pens that change towards the next keyframe
// as morph shapes played at the tween's ratio. Texts are their glyph outlines, pictures
// rectangles filled with a lossless bitmap; identical definitions and pictures are written once.
// One writer serves one export: Export, then Close. The document is only read.
class C_SWF_MovieWriter
{
public:
    C_SWF_MovieWriter();
    // Closes the file when Close was not called.
    ~C_SWF_MovieWriter();
    C_SWF_MovieWriter(const C_SWF_MovieWriter&) = delete;
    C_SWF_MovieWriter& operator=(const C_SWF_MovieWriter&) = delete;

    // Builds the whole movie for the file at path, a Unix path (callers convert a Windows path
    // first). False when the file cannot be created or the document exceeds what the format
    // holds (more than 65,535 frames, characters or depths, pictures over 65,535 pixels wide or
    // tall, values too large for their fields).
    bool Export(const char* path, const CFlashEditorDoc& document);
    bool Export(const char* path, const C_SWF_MovieSource& source);
    // Releases the tags, the header, the stream and the file; closing the file writes the movie.
    // False when the export failed or the movie could not be written whole; a failed movie
    // leaves no file behind.
    bool Close();

private:
    // One shape as a frame shows it: its depth, its character and its placement matrix.
    struct DisplayItem
    {
        uint16_t depth;
        const CFlashShape* shape;
        int layer;
        int objectId;
        float matrix[6];
        // Inside a tween towards another object: that object and how far the styles have gone.
        const CFlashShape* morphTo = nullptr;
        uint16_t ratio = 0;
    };
    // What occupies a depth: the shape object (layer and identifier) placed there.
    struct DepthOwner
    {
        int layer = -1;
        int objectId = 0;
        bool operator==(const DepthOwner& other) const { return layer == other.layer && objectId == other.objectId; }
    };
    // A span's shown shapes, back to front, with their placements.
    using ShownShapes = std::vector<std::pair<const CFlashShape*, const CFlashEditorFrameShapeTransform*>>;

    void InitHeader(const C_SWF_MovieSource& source);
    void AddBackgroundTag(uint32_t color);
    void AddRemoveObject(uint16_t depth);
    void AddShowFrame();
    void AddEnd();
    // The shape's definition as the stage draws it: text as its glyph outlines, a picture as a
    // rectangle filled with it, any other shape as its curves; the id is left to the caller.
    // Null when the picture cannot be stored.
    std::unique_ptr<C_SWF_Tag_DefineShape3> MakeDefineShape(const CFlashShape& shape);
    // The shape morphing from its own styles to the counterpart's as the stage tweens them;
    // null when they do not change.
    std::unique_ptr<C_SWF_Tag_DefineMorphShape> MakeMorphShape(const CFlashShape& from, const CFlashShape& to);
    // The ratio is given for a morph character only.
    void AddPlaceObject(const float matrix[6], uint16_t depth, uint16_t characterId, bool move, const uint16_t* ratio);

    bool AddFrames(const C_SWF_MovieSource& source, int frameCount);
    const ShownShapes& GetShownShapes(const CFlashEditorFrame& span);
    void CollectFrame(const C_SWF_MovieSource& source, int frame, std::vector<DisplayItem>& items);
    // The shape's character, defined on first use or shared with an identical definition; 0
    // when no id is left or the shape cannot be stored.
    uint16_t GetCharacter(const CFlashShape& shape);
    // The morph from one shape's styles to another's, defined on first use; still is set when
    // the styles do not change (no morph, 0).
    uint16_t GetMorphCharacter(const CFlashShape& from, const CFlashShape& to, bool& still);
    // The picture's bitmap character, one per distinct picture; 0 when the picture cannot be
    // read, is wider or taller than 65,535 pixels, or no id is left.
    uint16_t GetBitmapCharacter(Gdiplus::Bitmap& image);
    uint16_t NextCharacterId();

    std::unique_ptr<C_SWF_BufferedFile> m_file;
    std::unique_ptr<C_SWF_BitStream> m_stream;
    std::unique_ptr<C_SWF_Header> m_header;
    std::unique_ptr<C_SWF_TagList> m_tags;
    std::string m_path;
    bool m_exported = false;

    // Working state of one export.
    std::map<const CFlashEditorFrame*, ShownShapes> m_shownShapes;
    std::vector<int> m_layerDepthBase;
    struct MeasuringContext;
    std::map<const CFlashShape*, uint16_t> m_characters;
    std::map<std::string, uint16_t> m_definitions;
    std::map<std::string, uint16_t> m_bitmaps;
    std::map<std::pair<const CFlashShape*, const CFlashShape*>, uint16_t> m_morphs;
    uint32_t m_nextCharacterId = 1;
    std::unique_ptr<MeasuringContext> m_measuring;
    std::unique_ptr<CFlashEditorFrameShapeTransform> m_tweenPlacement;
};
