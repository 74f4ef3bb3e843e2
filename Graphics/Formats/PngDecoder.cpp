#include "Graphics/Formats/PngDecoder.h"
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>

namespace Graphics
{
namespace
{
constexpr std::size_t SignatureSize = 8;
// Deflate never packs more than 1032 bytes into one, so a file cannot hold more raw rows than
// that many times its own size: a small file declaring a huge image is refused before the
// pixels are allocated.
constexpr u64 DeflateMaxRatio = 1032;
// Each raw row starts with its filter byte.
constexpr u64 FilterByte = 1;

// What the libpng callbacks reach: the bytes still to read and the error text.
struct ReadState
{
    const u08* data;
    std::size_t size;
    std::size_t position;
    char error[256];
};

void ReadBytes(png_structp png, png_bytep destination, png_size_t count)
{
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (count > state->size - state->position)
        png_error(png, "the file ends early");
    std::memcpy(destination, state->data + state->position, count);
    state->position += count;
}

// libpng's errors leave through the longjmp into Decode; the text is kept for the log line.
[[noreturn]] void OnError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<ReadState*>(png_get_error_ptr(png));
    std::snprintf(state->error, sizeof(state->error), "%s", message != nullptr ? message : "");
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp)
{
    // Warnings (an unknown ancillary chunk, a gamma oddity) do not stop the decoding.
}

bool IsTextureColorType(u32 colorType)
{
    return colorType == PngGrey || colorType == PngRgb || colorType == PngGreyAlpha ||
           colorType == PngRgbAlpha;
}
} // namespace

bool PngDecoder::Decode(const u08* data, std::size_t size, PngImage& image, std::string& error)
{
    image = PngImage();
    if (data == nullptr || size < SignatureSize || png_sig_cmp(data, 0, SignatureSize) != 0)
    {
        error = "not a PNG file (no PNG signature)";
        return false;
    }

    ReadState state{data, size, SignatureSize, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = "libpng could not start";
        return false;
    }
    // Filled only once everything is known; the row pointers point into it.
    std::vector<u08> pixels;
    std::vector<png_bytep> rows;
    // Set before the jump target, read after it: volatile so the jump keeps their values.
    volatile bool refused = false;
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_read_struct(&png, &info, nullptr);
        if (!refused)
            error = std::string("libpng: ") + state.error;
        image = PngImage();
        return false;
    }

    png_set_read_fn(png, &state, ReadBytes);
    png_set_sig_bytes(png, static_cast<int>(SignatureSize));
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width > MaxDimension || height > MaxDimension)
    {
        error = std::to_string(width) + " x " + std::to_string(height) + " is larger than " +
                std::to_string(MaxDimension) + " pixels a side";
        refused = true;
        png_longjmp(png, 1);
    }

    const u64 rawBytes = (png_get_rowbytes(png, info) + FilterByte) * height;
    if (rawBytes > static_cast<u64>(size) * DeflateMaxRatio)
    {
        error = std::to_string(width) + " x " + std::to_string(height) +
                " pixels cannot come from a file of " + std::to_string(size) + " bytes";
        refused = true;
        png_longjmp(png, 1);
    }

    png_set_strip_16(png);
    png_set_packing(png);
    png_set_expand(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    image.width = width;
    image.height = height;
    image.bitDepth = png_get_bit_depth(png, info);
    image.colorType = png_get_color_type(png, info);
    image.interlace = png_get_interlace_type(png, info);
    image.compression = png_get_compression_type(png, info);
    image.filter = png_get_filter_type(png, info);
    image.rowBytes = static_cast<u32>(png_get_rowbytes(png, info));
    if (!IsTextureColorType(image.colorType))
    {
        error = "colour type " + std::to_string(image.colorType) + " has no texture format";
        refused = true;
        png_longjmp(png, 1);
    }

    pixels.resize(static_cast<std::size_t>(image.rowBytes) * height);
    rows.resize(height);
    // Row i of the image goes to row height - 1 - i: bottom row first.
    for (png_uint_32 i = 0; i < height; ++i)
        rows[i] = pixels.data() + static_cast<std::size_t>(height - 1 - i) * image.rowBytes;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    image.pixels = std::move(pixels);
    return true;
}
} // namespace Graphics
