#pragma once
// A bitmap font's description. Attributes are read by position, never by name:
//     <Font a="12" b="DejaVu Sans" size="16" d="regular">          unsigned, text, S, text
//         <Glyph adv="9" off="1 2" rect="10 20 8 12" char="A">     advance, offset x y,
//             <Kern adj="-2" char="V"/>                            rectangle x y w h, character
//         </Glyph>                                                 adjustment, next character
//     </Font>
// The root must be named Font and carry its four attributes with S (the pixel height every
// metric is divided by) from 1 to MaxPixelSize, or the font is refused. A glyph or kerning element
// with too few attributes, an unreadable number or an empty character is skipped (one log line
// counts them). Only the first byte of a character text is used. No OpenGL; any thread.
#include "Math/Types.h"
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace Graphics
{
class FontFile
{
public:
    static constexpr const char* RootName = "Font";
    // The largest pixel size S taken: a glyph is never taller than the largest texture
    // (PngDecoder::MaxDimension); a size above it is refused with the range in its log line.
    static constexpr u32 MaxPixelSize = 16384;

    struct GlyphRecord
    {
        std::string character; // as read; its first byte is the glyph's key
        u32 advance = 0;
        f32 offsetX = 0.0f;
        f32 offsetY = 0.0f;
        f32 x = 0.0f; // the rectangle in the texture, y from the top of the image
        f32 y = 0.0f;
        f32 width = 0.0f;
        f32 height = 0.0f;
        // (following character's byte, adjustment in pixels), in file order
        std::vector<std::pair<u08, s32>> kerning;
    };

    struct Header
    {
        u32 first = 0;
        std::string second;
        u32 size = 0; // S
        std::string fourth;
    };

    // Fills the header and the glyphs in file order. False, with one log line naming `source`,
    // when the text does not parse or its root is refused; `glyphs` is then empty.
    static bool Read(const char* text, std::size_t length, const std::string& source,
                     Header& header, std::vector<GlyphRecord>& glyphs);
};
} // namespace Graphics
