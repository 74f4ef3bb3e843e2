#pragma once
// A string laid out in a font as textured quads in the component's own vertex and index
// buffers; the overlay pass (screen space) or the forward pass (world space) draws them. One
// unit is one font size: glyph metrics come divided by the font's pixel size.
//
// Layout: "#" breaks the line and gets no quad (its slot is zeroed). Each line is laid out from
// pen 0 and then moved by its width (pen advances and kerning): left-aligned lines start at
// x = 0, right-aligned ones end there, centred ones are centred on it. The block is moved up by
// half a line per break. Glyphs are
// looked up by unsigned byte; a character the font has no glyph for is skipped (no quad, no
// advance). A text without a font lays nothing out. Four vertices and six indices per
// character; the buffers grow when a longer text comes and are reused otherwise.
//
// XML, by tag: "Text", "Font" (falls back to "arial_regular_12"), "HorizontalAlignment" (-1
// left, 1 right, else centred), "VerticalAlignment" (1 top, -1 bottom, else middle), "Color"
// (0-255), "WorldSpace". Deserialize posts the text to the owner (TextConstructMessage, 51),
// which lays it out once the component is registered. OpenGL calls only on the main thread,
// and only once the buffers exist.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/ColorRGBA.h"
#include <string>
#include <vector>

template <typename Owner> struct MemberTable;

namespace Graphics
{
class Font;

class TextComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "GraphicsSystem";
    static constexpr char LineBreak = '#';
    static constexpr u32 VerticesPerCharacter = 4;
    static constexpr u32 IndicesPerCharacter = 6;
    // Alignment flags: neither left nor right is centred, neither top nor bottom is middle.
    static constexpr u16 AlignLeft = 1;
    static constexpr u16 AlignRight = 2;
    static constexpr u16 AlignTop = 4;
    static constexpr u16 AlignBottom = 8;

    struct Vertex
    {
        f32 position[3];
        f32 normal[3];
        f32 texcoord[2];
    };
    static_assert(sizeof(Vertex) == 32, "text vertices are 32 packed bytes");

    TextComponent();
    TextComponent(const TextComponent&) = delete;
    TextComponent& operator=(const TextComponent&) = delete;
    ~TextComponent() override;

    QUILL_COMPONENT_TYPE(TextComponent)
    static const MemberTable<TextComponent>& Members();

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // TextConstructMessage: the new text, laid out and uploaded.
    void HandleMessage(Message* message) override;

    // New, empty buffers (at registration, and after the window was reopened).
    void CreateBuffers();
    void DestroyBuffers();
    // Lays the text out into the lists and uploads them when the buffers exist.
    void Construct(const std::string& text);
    // The lists only.
    void Layout();
    bool HasText() const { return !text.empty(); }
    // Binds the buffers, attributes 0 and 2 and the font's texture for drawing index-count
    // indices as triangles; Unbind undoes it.
    void Bind(u32 program) const;
    void Unbind() const;

    void SetFont(const Font* font) { m_font = font; }
    const Font* GetFont() const { return m_font; }
    u16 GetAlignment() const { return m_alignment; }
    void SetAlignment(int horizontal, int vertical);
    u32 GetIndexCount() const { return m_indexCount; }
    u32 GetCapacity() const { return m_capacity; }
    bool HasBuffers() const;
    const std::vector<Vertex>& GetVertices() const { return m_vertices; }
    const std::vector<u32>& GetIndices() const { return m_indices; }

    std::string text;
    Math::ColorRGBA color;
    bool worldSpace;
    // A world-space text's lift on the window (pixels upwards), kept from frame to frame: the
    // overlay raises a text over the bars and the texts before it, and never lowers it.
    f32 overlayLift;
    // As read, for writing back.
    int horizontalAlignment;
    int verticalAlignment;

private:
    void Upload();
    // True when the character's slot holds a quad (not a break or a skipped character).
    bool HasQuad(std::size_t character) const;
    // Moves the quads of characters [first, end); zeroed slots stay zero.
    void ShiftQuads(std::size_t first, std::size_t end, f32 dx, f32 dy);

    std::vector<u32> m_indices;
    std::vector<Vertex> m_vertices;
    const Font* m_font;
    u16 m_alignment;
    u32 m_indexCount;
    u32 m_vertexBuffer;
    u32 m_indexBuffer;
    u32 m_capacity;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::TextComponent)
