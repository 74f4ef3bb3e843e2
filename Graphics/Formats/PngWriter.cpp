#include "Graphics/Formats/PngWriter.h"
#include "Core/Log.h"
#include "Platform/AtomicFile.h"
#include <csetjmp>
#include <cstdio>
#include <png.h>

namespace Graphics
{
namespace
{
// zlib's level, fixed so that the output never changes with libpng's defaults.
constexpr int CompressionLevel = 9;
constexpr u32 PaletteEntryBytes = 3;
constexpr u32 BitsPerByte = 8;

struct WriteState
{
    std::vector<u08>* out;
    char error[256];
};

void WriteBytes(png_structp png, png_bytep data, png_size_t count)
{
    auto* state = static_cast<WriteState*>(png_get_io_ptr(png));
    state->out->insert(state->out->end(), data, data + count);
}

void Flush(png_structp) {}

[[noreturn]] void OnError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<WriteState*>(png_get_error_ptr(png));
    std::snprintf(state->error, sizeof(state->error), "%s", message != nullptr ? message : "");
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

u32 ChannelsOf(u32 colorType)
{
    switch (colorType)
    {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

// The libpng calls, in a function of plain locals only, as longjmp requires.
bool WriteImage(WriteState& state, const PngWriter::Description& description, png_bytep* rows,
                png_color* palette, int paletteCount)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr)
    {
        png_destroy_write_struct(&png, nullptr);
        std::snprintf(state.error, sizeof(state.error), "could not start");
        return false;
    }
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &state, WriteBytes, Flush);
    png_set_compression_level(png, CompressionLevel);
    png_set_IHDR(png, info, description.width, description.height,
                 static_cast<int>(description.bitDepth), static_cast<int>(description.colorType),
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (paletteCount > 0)
        png_set_PLTE(png, info, palette, paletteCount);
    if (!description.transparency.empty())
        png_set_tRNS(png, info, description.transparency.data(),
                     static_cast<int>(description.transparency.size()), nullptr);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace

std::vector<u08> PngWriter::Encode(const Description& description)
{
    std::vector<u08> out;
    const u64 rowBytes = (static_cast<u64>(description.width) * ChannelsOf(description.colorType) *
                              description.bitDepth +
                          BitsPerByte - 1) /
                         BitsPerByte;
    if (description.rows.size() != rowBytes * description.height)
    {
        Core::Log() << "Error [PngWriter]: " << description.rows.size() << " bytes of rows for a "
                    << description.width << " x " << description.height << " image\n";
        return out;
    }

    // Everything with a destructor is made here, outside the function that holds the jump
    // target.
    std::vector<png_bytep> rows(description.height);
    for (u32 y = 0; y < description.height; ++y)
        rows[y] = const_cast<png_bytep>(description.rows.data() + rowBytes * y);
    std::vector<png_color> palette(description.palette.size() / PaletteEntryBytes);
    for (std::size_t i = 0; i < palette.size(); ++i)
    {
        palette[i].red = description.palette[PaletteEntryBytes * i];
        palette[i].green = description.palette[PaletteEntryBytes * i + 1];
        palette[i].blue = description.palette[PaletteEntryBytes * i + 2];
    }
    WriteState state{&out, {}};
    if (!WriteImage(state, description, rows.data(), palette.data(),
                    static_cast<int>(palette.size())))
    {
        Core::Log() << "Error [PngWriter]: libpng: " << state.error << '\n';
        out.clear();
    }
    return out;
}

bool PngWriter::Save(const Description& description, const std::string& path)
{
    const std::vector<u08> bytes = Encode(description);
    if (bytes.empty())
        return false;
    std::string reason;
    if (!Platform::WriteFileAtomically(path, bytes.data(), bytes.size(), reason))
    {
        Core::Log() << "Error [PngWriter]: " << path << " could not be written (" << reason
                    << ")\n";
        return false;
    }
    return true;
}
} // namespace Graphics
