#pragma once
// Decodes PNG files with libpng into a PngImage (see PngImage.h for the layout). No OpenGL and
// no shared state, so textures decode on the asset loader's worker thread.
//
// Refused, each with a reason for the caller's one log line: bytes without the PNG signature; a
// width or height above MaxDimension, or more pixel data than the file's bytes can hold (both
// checked before any pixel is allocated); a colour type the texture formats do not cover; and
// anything libpng reports (a bad checksum, truncated data).
#include "Graphics/Formats/PngImage.h"
#include <cstddef>
#include <string>

namespace Graphics
{
class PngDecoder
{
public:
    // The largest width or height accepted: OpenGL implementations offer at least this much
    // for a 2D texture, and it keeps one image below 1 GiB.
    static constexpr u32 MaxDimension = 16384;

    // False with `error` saying why; `image` is then left empty.
    static bool Decode(const u08* data, std::size_t size, PngImage& image, std::string& error);
};
} // namespace Graphics
