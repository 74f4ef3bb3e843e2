#pragma once
// The sprite-sheet sidecar of a texture: an XML file beside the image with the image's stem
// and ".xml". Its root element (any name) holds, in this order and each optional:
//     <TotalFrames>16</TotalFrames>   frames in the sheet
//     <WidthFrames>4</WidthFrames>    frames in one row
// An element out of that order is not read; a value that is not a whole number from 1 to
// MaxFrames is refused with one log line naming the file and the range, and the count keeps
// what it had. No OpenGL; any thread.
#include "Math/Types.h"
#include <cstddef>
#include <string>

namespace Graphics
{
class SpriteSheetFile
{
public:
    static constexpr const char* Extension = ".xml";
    // The largest frame count taken for either element.
    static constexpr u32 MaxFrames = 16384;

    // Sets the counts the text gives; false, with one log line naming `source`, when the text
    // does not parse (the counts are then left alone).
    static bool Read(const char* text, std::size_t length, const std::string& source,
                     u32& totalFrames, u32& framesPerRow);
};
} // namespace Graphics
