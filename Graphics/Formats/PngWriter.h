#pragma once
// Encodes PNG files with libpng at a fixed compression level and with no time stamp, so the
// same pixels always give the same bytes (the content tools compare generated files byte for
// byte). Any bit depth and colour type PNG allows, with an optional palette and transparency
// chunk; rows are given top row first, as the file stores them, each packed as PNG packs it.
#include "Math/Types.h"
#include <string>
#include <vector>

namespace Graphics
{
class PngWriter
{
public:
    struct Description
    {
        u32 width = 0;
        u32 height = 0;
        u32 bitDepth = 8;
        u32 colorType = 2;             // PngColorType
        std::vector<u08> rows;         // height rows, top first, each of the packed row size
        std::vector<u08> palette;      // RGB triples, for colour type 3
        std::vector<u08> transparency; // the tRNS chunk's bytes, when not empty
    };

    // The file's bytes; empty, with a log line, when libpng refuses the description.
    static std::vector<u08> Encode(const Description& description);
    // Encodes and writes the file, replacing it in one step or not at all (Platform/AtomicFile.h);
    // false with a log line when either fails.
    static bool Save(const Description& description, const std::string& path);
};
} // namespace Graphics
