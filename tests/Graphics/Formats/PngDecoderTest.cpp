// PNG decoding: samples made 8-bit, palettes and transparency expanded, the bottom row first,
// and the files it refuses with a reason.
#include "Graphics/Formats/PngDecoder.h"
#include "Graphics/Formats/PngWriter.h"
#include <gtest/gtest.h>
#include <zlib.h>

using namespace Graphics;

namespace
{
PngImage Decode(const PngWriter::Description& description)
{
    const std::vector<u08> bytes = PngWriter::Encode(description);
    PngImage image;
    std::string error;
    EXPECT_TRUE(PngDecoder::Decode(bytes.data(), bytes.size(), image, error)) << error;
    return image;
}

std::string Refusal(const std::vector<u08>& bytes)
{
    PngImage image;
    std::string error;
    EXPECT_FALSE(PngDecoder::Decode(bytes.data(), bytes.size(), image, error));
    EXPECT_TRUE(image.pixels.empty());
    return error;
}
} // namespace

TEST(PngDecoder, StoresTheBottomRowFirst)
{
    PngWriter::Description rgb;
    rgb.width = 5; // 15-byte rows: not a multiple of 4
    rgb.height = 2;
    rgb.colorType = PngRgb;
    for (u08 row = 0; row < 2; ++row)
        for (u08 i = 0; i < 15; ++i)
            rgb.rows.push_back(static_cast<u08>(row * 100 + i));
    const PngImage image = Decode(rgb);
    EXPECT_EQ(image.width, 5u);
    EXPECT_EQ(image.rowBytes, 15u);
    EXPECT_EQ(image.colorType, u32(PngRgb));
    ASSERT_EQ(image.pixels.size(), 30u);
    EXPECT_EQ(image.pixels[0], 100) << "the image's second (bottom) row comes first";
    EXPECT_EQ(image.pixels[15], 0);
}

TEST(PngDecoder, Makes16BitAndPaletteImagesEightBitRgba)
{
    PngWriter::Description deep;
    deep.width = 1;
    deep.height = 1;
    deep.bitDepth = 16;
    deep.colorType = PngRgbAlpha;
    deep.rows = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    const PngImage rgba = Decode(deep);
    EXPECT_EQ(rgba.bitDepth, 8u);
    EXPECT_EQ(rgba.colorType, u32(PngRgbAlpha));
    EXPECT_EQ(rgba.pixels, (std::vector<u08>{0x12, 0x56, 0x9A, 0xDE}));

    PngWriter::Description palette;
    palette.width = 2;
    palette.height = 1;
    palette.bitDepth = 4;
    palette.colorType = PngPalette;
    palette.rows = {0x01}; // indices 0 and 1
    palette.palette = {255, 0, 0, 0, 255, 0};
    palette.transparency = {0x80};
    const PngImage expanded = Decode(palette);
    EXPECT_EQ(expanded.colorType, u32(PngRgbAlpha));
    EXPECT_EQ(expanded.pixels, (std::vector<u08>{255, 0, 0, 0x80, 0, 255, 0, 255}));
}

TEST(PngDecoder, RefusesBrokenAndHugeImagesWithAReason)
{
    EXPECT_NE(Refusal({'B', 'M', 0, 0, 0, 0, 0, 0, 0}).find("signature"), std::string::npos);

    PngWriter::Description small;
    small.width = 2;
    small.height = 2;
    small.colorType = PngGrey;
    small.rows = {1, 2, 3, 4};
    std::vector<u08> bytes = PngWriter::Encode(small);
    ASSERT_FALSE(bytes.empty());
    std::vector<u08> badCrc = bytes;
    badCrc[29] ^= 0xFF; // the IHDR chunk's checksum
    EXPECT_NE(Refusal(badCrc).find("libpng"), std::string::npos);
    EXPECT_FALSE(Refusal({bytes.begin(), bytes.end() - 20}).empty()) << "truncated";

    PngWriter::Description wide;
    wide.width = PngDecoder::MaxDimension + 1;
    wide.height = 1;
    wide.colorType = PngGrey;
    wide.rows.assign(wide.width, 0);
    EXPECT_NE(Refusal(PngWriter::Encode(wide)).find("16384"), std::string::npos);

    // A valid header declaring 16000 x 16000 pixels over a few bytes of data.
    std::vector<u08> bloated = bytes;
    const std::size_t ihdr = 12; // signature, then the chunk's length
    for (std::size_t field : {ihdr + 4, ihdr + 8})
    {
        bloated[field] = 0;
        bloated[field + 1] = 0;
        bloated[field + 2] = 16000 >> 8;
        bloated[field + 3] = 16000 & 0xFF;
    }
    const uLong crc = crc32(0, bloated.data() + ihdr, 17); // type and data
    for (int i = 0; i < 4; ++i)
        bloated[ihdr + 17 + i] = static_cast<u08>(crc >> (24 - 8 * i));
    EXPECT_NE(Refusal(bloated).find("cannot come from"), std::string::npos);
}
