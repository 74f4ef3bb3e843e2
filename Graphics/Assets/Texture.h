#pragma once
// A 2D texture decoded from a PNG file and kept in memory as pixel rows, bottom row first, so
// that it can be uploaded again whenever the OpenGL context is recreated. A sprite-sheet
// sidecar beside the image (SpriteSheetFile.h) gives its frame counts.
//
// Load only reads (no OpenGL call), so it may run on the asset loader's worker thread; Upload
// (the asset's Finalize), Unload, Reload and every use run on the main thread.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Formats/PngImage.h"
#include <memory>
#include <string>

namespace Graphics
{
// A texture file read away from its manager: decoded pixels and frame counts.
struct TextureData
{
    PngImage image;
    u32 format = 0;
    u32 totalFrames = 1;
    u32 framesPerRow = 1;
};

struct TextureParam
{
    std::string path;
    // Read on the loader's worker; Load takes it instead of reading the file.
    std::shared_ptr<TextureData> staged;
};

class Texture : public Asset<TextureParam>
{
public:
    // How a path's extension (from its last '.') is taken: only PNG is decoded; bitmaps and
    // Targa images are recognised and refused; anything else is no image at all.
    enum FileKind
    {
        NotAnImage,
        PngFile,
        UndecodedImage,
    };
    static FileKind KindOf(const std::string& path);

    // Reads the image and its sidecar. False for a file that is no image (without a log line:
    // folders hold the sidecars too) and, with one log line naming the file, for an image that
    // does not decode. No OpenGL.
    static bool ReadFile(const std::string& path, TextureData& data);

    Texture();
    ~Texture() override;

    bool Load() override;
    // Creates the OpenGL texture from the pixels when it has none.
    void Finalize() override;
    void Unload() override;
    // The old texture name went with the old context: a new one is made from the pixels.
    bool Reload() override;

    // Makes unit GL_TEXTURE0 + unit active with no 2D texture bound to it.
    static void UnbindUnit(u32 unit);

    u32 GetWidth() const { return m_data.image.width; }
    u32 GetHeight() const { return m_data.image.height; }
    // The OpenGL texture, NoGlName before Upload.
    u32 GetHandle() const { return m_handle; }
    // GL_LUMINANCE, GL_RGB, GL_LUMINANCE_ALPHA or GL_RGBA.
    u32 GetFormat() const { return m_data.format; }
    u32 GetTotalFrames() const { return m_data.totalFrames; }
    u32 GetFramesPerRow() const { return m_data.framesPerRow; }
    const PngImage& GetImage() const { return m_data.image; }

private:
    TextureData m_data;
    u32 m_handle;
};
} // namespace Graphics
