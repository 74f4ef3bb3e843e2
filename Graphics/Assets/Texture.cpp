#include "Graphics/Assets/Texture.h"
#include "Core/Assets/FileSystem.h"
#include "Graphics/Assets/GlName.h"
#include "Graphics/Formats/PngDecoder.h"
#include "Graphics/Formats/SpriteSheetFile.h"
#include "Serializer/FileReader.h"
#include <GL/glew.h>

namespace Graphics
{
namespace
{
// Rows are packed byte by byte (an RGB row of 5 pixels is 15 bytes), not padded to 4.
constexpr GLint UnpackAlignment = 1;

u32 FormatOf(u32 colorType)
{
    switch (colorType)
    {
    case PngGrey:
        return GL_LUMINANCE;
    case PngRgb:
        return GL_RGB;
    case PngGreyAlpha:
        return GL_LUMINANCE_ALPHA;
    default:
        return GL_RGBA;
    }
}

// The sidecar's path: the image's path up to its last '.', then ".xml".
std::string SidecarOf(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? path.substr(0, dot)
                                 : path;
    return stem + SpriteSheetFile::Extension;
}
} // namespace

Texture::FileKind Texture::KindOf(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return NotAnImage;
    const std::string extension = path.substr(dot);
    if (extension == ".png" || extension == ".PNG")
        return PngFile;
    if (extension == ".bmp" || extension == ".BMP" || extension == ".tga" || extension == ".TGA")
        return UndecodedImage;
    return NotAnImage;
}

bool Texture::ReadFile(const std::string& path, TextureData& data)
{
    data = TextureData();
    const FileKind kind = KindOf(path);
    if (kind == NotAnImage)
        return false;
    if (kind == UndecodedImage)
    {
        Core::Log() << "Error [Texture]: " << path << " refused: only PNG images are decoded\n";
        return false;
    }
    FileReader reader(path);
    char* bytes = nullptr;
    if (!reader.ReadAll(bytes))
        return false; // the reader logged the file it could not read
    std::string error;
    if (!PngDecoder::Decode(reinterpret_cast<const u08*>(bytes), reader.GetBufferSize() - 1,
                            data.image, error))
    {
        Core::Log() << "Error [Texture]: " << path << " refused: " << error << '\n';
        return false;
    }
    data.format = FormatOf(data.image.colorType);

    const std::string sidecar = SidecarOf(path);
    if (Serializer::FileExists(sidecar))
    {
        FileReader sheet(sidecar);
        char* text = nullptr;
        if (sheet.ReadAll(text))
            SpriteSheetFile::Read(text, sheet.GetBufferSize() - 1, sidecar, data.totalFrames,
                                  data.framesPerRow);
    }
    return true;
}

Texture::Texture() : m_handle(NoGlName) {}

Texture::~Texture() = default;

// The texture keeps the name its manager filed it under rather than renaming itself from the
// path, so its name and every lookup by that name always agree.
bool Texture::Load()
{
    m_handle = NoGlName;
    if (m_param.staged != nullptr)
    {
        // Decoded on the loader's worker: take the pixels, drop the shared record.
        std::shared_ptr<TextureData> staged = std::move(m_param.staged);
        m_data = std::move(*staged);
        return true;
    }
    return ReadFile(m_param.path, m_data);
}

void Texture::Finalize()
{
    if (m_handle != NoGlName)
        return;
    GLuint name = 0;
    glGenTextures(1, &name);
    m_handle = name;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, UnpackAlignment);
    const PngImage& image = m_data.image;
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(m_data.format),
                 static_cast<GLsizei>(image.width), static_cast<GLsizei>(image.height), 0,
                 m_data.format, GL_UNSIGNED_BYTE,
                 image.pixels.empty() ? nullptr : image.pixels.data());
}

void Texture::Unload()
{
    m_data.image.pixels.clear();
    m_data.image.pixels.shrink_to_fit();
    if (m_handle != NoGlName)
    {
        GLuint name = m_handle;
        glDeleteTextures(1, &name);
    }
    m_handle = NoGlName;
}

bool Texture::Reload()
{
    m_handle = NoGlName;
    Finalize();
    return true;
}

void Texture::UnbindUnit(u32 unit)
{
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, 0);
}
} // namespace Graphics
