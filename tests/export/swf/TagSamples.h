#pragma once

#include "SwfTestSupport.h"

#include <memory>

// A movie holding one filled tag of every class the writer accepts (two PlaceObject tags, with
// and without colour transform, and the unknown code 25), each consistent with its own counts,
// sizes and offsets, ending with ShowFrame and End.
std::unique_ptr<C_SWF_TagList> EveryTagMovie();

// A movie built from raw tag bodies: header, then each (code, body) with a short or long
// record header as its length needs, with the file length patched. No End tag is added.
Bytes MovieFromBodies(const std::vector<std::pair<uint16_t, Bytes>>& tags);

C_SWF_Shape SampleGlyph(int32_t size);
C_SWF_ShapeWithStyle SampleShape();
