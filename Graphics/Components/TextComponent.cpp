#include "Graphics/Components/TextComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/ObjectAllocator.h"
#include "Core/Messages/Graphics/TextConstructMessage.h"
#include "Core/Messages/PostNew.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Assets/Font.h"
#include "Graphics/Assets/FontManager.h"
#include "Graphics/Assets/GlName.h"
#include "Graphics/GraphicsSystem.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"
#include <GL/glew.h>
#include <algorithm>
#include <cstddef>

QUILL_DEFINE_TYPE_RECORD(Graphics::TextComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Graphics
{
namespace
{
const char* const LogName = "TextComponent";
constexpr u32 FontCategory = 0;
// Attribute locations of the text vertex (ShaderProgram.h) and their offsets in the record.
constexpr GLuint PositionLocation = 0;
constexpr GLuint TexcoordLocation = 2;
constexpr std::size_t TexcoordOffset = offsetof(TextComponent::Vertex, texcoord);
// Pen heights of the first line: top, bottom and middle alignment.
constexpr f32 TopPen = -1.0f;
constexpr f32 BottomPen = 0.0f;
constexpr f32 MiddlePen = -0.5f;
constexpr f32 LineHeight = 1.0f;
// File values of the alignments.
constexpr int FileLeft = -1;
constexpr int FileRight = 1;
constexpr int FileTop = 1;
constexpr int FileBottom = -1;

// The text and layout lists of destroyed text components, handed to the ones made next: a
// floating damage number is made and destroyed many times a second in a fight, and its text
// and lists then cost the heap nothing. Never destroyed (components may go after the program's
// statics); none are kept where the pools hand out heap memory (the sanitizer builds), so that
// each component's storage stays its own there. Main thread only, as the factory is.
struct SpareTextStorage
{
    std::string text;
    std::vector<TextComponent::Vertex> vertices;
    std::vector<u32> indices;
};
constexpr std::size_t SpareTextStorageLimit = 256;

std::vector<SpareTextStorage>& SpareTextStorages()
{
    static auto* spare = []
    {
        auto* storages = new std::vector<SpareTextStorage>();
        storages->reserve(SpareTextStorageLimit);
        return storages;
    }();
    return *spare;
}
} // namespace

TextComponent::TextComponent()
    : GameObjectComponent(true), color(1.0f, 1.0f, 1.0f, 1.0f), worldSpace(false),
      overlayLift(0.0f), horizontalAlignment(0), verticalAlignment(0), m_font(nullptr),
      m_alignment(0), m_indexCount(0), m_vertexBuffer(NoGlName), m_indexBuffer(NoGlName),
      m_capacity(0)
{
    std::vector<SpareTextStorage>& spare = SpareTextStorages();
    if (!spare.empty())
    {
        text.swap(spare.back().text);
        m_vertices.swap(spare.back().vertices);
        m_indices.swap(spare.back().indices);
        spare.pop_back();
    }
    Core::RegisterWithSystem(SystemName, this);
}

TextComponent::~TextComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
    DestroyBuffers();
    std::vector<SpareTextStorage>& spare = SpareTextStorages();
    if (PoolsUseHeap || spare.size() >= SpareTextStorageLimit ||
        (text.capacity() <= std::string().capacity() && m_vertices.capacity() == 0 &&
         m_indices.capacity() == 0))
        return;
    text.clear();
    m_vertices.clear();
    m_indices.clear();
    spare.push_back(SpareTextStorage{std::move(text), std::move(m_vertices), std::move(m_indices)});
}

const MemberTable<TextComponent>& TextComponent::Members()
{
    using namespace MemberFlag;
    QUILL_MEMBER_TABLE(table, TextComponent, ReadRule::ByTag,
                       QUILL_MEMBER(TextComponent, color, Written).Tag("Color"),
                       QUILL_MEMBER(TextComponent, worldSpace, Written).Tag("WorldSpace"));
    return table;
}

void TextComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void TextComponent::SetAlignment(int horizontal, int vertical)
{
    horizontalAlignment = horizontal;
    verticalAlignment = vertical;
    m_alignment = 0;
    if (horizontal == FileLeft)
        m_alignment |= AlignLeft;
    else if (horizontal == FileRight)
        m_alignment |= AlignRight;
    if (vertical == FileTop)
        m_alignment |= AlignTop;
    else if (vertical == FileBottom)
        m_alignment |= AlignBottom;
}

void TextComponent::Deserialize(Serializer::XmlReader& reader)
{
    // Reused: a font's name is often longer than a string keeps without the heap, and a
    // floating text reads one each time it is made.
    thread_local std::string fontName;
    fontName.clear();
    int horizontal = horizontalAlignment;
    int vertical = verticalAlignment;
    Serializer::ReadString(reader, text, "Text");
    Serializer::ReadString(reader, fontName, "Font");
    Serializer::ReadInt(reader, horizontal, "HorizontalAlignment");
    Serializer::ReadInt(reader, vertical, "VerticalAlignment");
    ReadMembers(reader, *this, Members());
    SetAlignment(horizontal, vertical);

    FontManager* fonts = FontManager::Instance();
    const Font* font = fonts != nullptr ? fonts->Find(fontName, FontCategory) : nullptr;
    if (font == nullptr && fonts != nullptr)
        font = fonts->Find(FontManager::DefaultFont, FontCategory);
    if (font == nullptr)
        Core::Log() << "Error [" << LogName << "]: font '" << fontName << "' and '"
                    << FontManager::DefaultFont << "' are not loaded; the text has no font\n";
    m_font = font;
    if (g_Engine != nullptr)
        Core::PostNew<TextConstructMessage>(LogName, 0.0f, 0u, text, m_owner);
}

void TextComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteString(writer, text, "Text");
    Serializer::WriteString(writer, m_font != nullptr ? m_font->GetName() : std::string(), "Font");
    Serializer::WriteInt(writer, horizontalAlignment, "HorizontalAlignment");
    Serializer::WriteInt(writer, verticalAlignment, "VerticalAlignment");
    WriteMembers(writer, *this, Members());
}

void TextComponent::HandleMessage(Message* message)
{
    if (message != nullptr && message->type == TextConstructMessage::Type)
        Construct(static_cast<TextConstructMessage*>(message)->text);
}

bool TextComponent::HasBuffers() const
{
    return m_vertexBuffer != NoGlName && m_indexBuffer != NoGlName;
}

void TextComponent::CreateBuffers()
{
    GLuint buffers[2] = {0, 0};
    glGenBuffers(2, buffers);
    m_vertexBuffer = buffers[0];
    m_indexBuffer = buffers[1];
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, 0, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, 0, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    m_indexCount = 0;
    m_capacity = 0;
}

void TextComponent::DestroyBuffers()
{
    // Buffers of a context that is gone went with it; only live names are deleted.
    const System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    if (HasBuffers() && graphics != nullptr && graphics->IsRendererReady() &&
        graphics->IsWindowOpen())
    {
        const GLuint buffers[2] = {m_vertexBuffer, m_indexBuffer};
        glDeleteBuffers(2, buffers);
    }
    m_vertexBuffer = NoGlName;
    m_indexBuffer = NoGlName;
    m_capacity = 0;
}

void TextComponent::Construct(const std::string& newText)
{
    text = newText;
    Layout();
    if (HasBuffers() && m_indexCount > 0)
        Upload();
}

bool TextComponent::HasQuad(std::size_t character) const
{
    // A placed quad's second index is 4i + 2, never 0; a zeroed slot's is 0.
    return m_indices[IndicesPerCharacter * character + 1] != 0;
}

void TextComponent::ShiftQuads(std::size_t first, std::size_t end, f32 dx, f32 dy)
{
    for (std::size_t character = first; character < end; ++character)
    {
        if (!HasQuad(character))
            continue;
        for (std::size_t v = 0; v < VerticesPerCharacter; ++v)
        {
            Vertex& vertex = m_vertices[VerticesPerCharacter * character + v];
            vertex.position[0] += dx;
            vertex.position[1] += dy;
        }
    }
}

void TextComponent::Layout()
{
    const std::size_t length = text.size();
    if (m_vertices.size() < VerticesPerCharacter * length)
    {
        m_vertices.resize(VerticesPerCharacter * length);
        m_indices.resize(IndicesPerCharacter * length);
    }
    if (length == 0 || m_font == nullptr)
    {
        m_indexCount = 0;
        return;
    }
    const f32 size = m_font->GetPixelSize() > 0 ? static_cast<f32>(m_font->GetPixelSize()) : 1.0f;
    auto lineShift = [&](f32 lineWidth)
    {
        if (m_alignment & AlignLeft)
            return 0.0f;
        return (m_alignment & AlignRight) ? -lineWidth : -lineWidth / 2.0f;
    };

    // Every line is laid out from pen 0 and moved by its own width afterwards, so right-aligned
    // lines end at x = 0 and centred ones are centred on it, whatever glyphs they start with.
    f32 penX = 0.0f;
    f32 lineWidth = 0.0f;
    f32 penY = MiddlePen;
    if (m_alignment & AlignTop)
        penY = TopPen;
    else if (m_alignment & AlignBottom)
        penY = BottomPen;
    u32 lineBreaks = 0;
    std::size_t lineStart = 0;
    const Glyph* previous = nullptr; // the last glyph placed on this line
    std::size_t end = length;
    for (std::size_t i = 0; i < length; ++i)
    {
        const char c = text[i];
        Vertex* quad = &m_vertices[VerticesPerCharacter * i];
        u32* indices = &m_indices[IndicesPerCharacter * i];
        const Glyph* glyph = c == LineBreak ? nullptr : m_font->GetGlyph(c);
        if (glyph == nullptr)
        {
            // A break or a character the font lacks: a zeroed slot.
            std::fill(quad, quad + VerticesPerCharacter, Vertex{});
            std::fill(indices, indices + IndicesPerCharacter, 0u);
        }
        if (c == LineBreak)
        {
            ShiftQuads(lineStart, i, lineShift(lineWidth), 0.0f);
            if (i + 1 == length)
            {
                end = i;
                lineStart = i + 1;
                break;
            }
            ++lineBreaks;
            lineStart = i + 1;
            penX = 0.0f;
            lineWidth = 0.0f;
            previous = nullptr;
            penY -= LineHeight;
            continue;
        }
        if (glyph == nullptr)
            continue;
        if (previous != nullptr)
        {
            const f32 kerning = static_cast<f32>(Font::GetKerning(*previous, c)) / size;
            penX += kerning;
            lineWidth += kerning;
        }
        for (u32 corner = 0; corner < VerticesPerCharacter; ++corner)
        {
            Vertex& vertex = quad[corner];
            vertex.position[0] = glyph->corners[corner].x + penX;
            vertex.position[1] = glyph->corners[corner].y + penY;
            vertex.position[2] = glyph->corners[corner].z;
            vertex.normal[0] = 0.0f;
            vertex.normal[1] = 0.0f;
            vertex.normal[2] = 1.0f;
            vertex.texcoord[0] = glyph->texcoords[corner].x;
            vertex.texcoord[1] = glyph->texcoords[corner].y;
        }
        const u32 base = static_cast<u32>(VerticesPerCharacter * i);
        const u32 pattern[IndicesPerCharacter] = {base,     base + 2, base + 1,
                                                  base + 2, base,     base + 3};
        std::copy(pattern, pattern + IndicesPerCharacter, indices);
        const f32 advance = static_cast<f32>(glyph->advance) / size;
        penX += advance;
        lineWidth += advance;
        previous = glyph;
    }
    if (lineStart < end)
        ShiftQuads(lineStart, end, lineShift(lineWidth), 0.0f);
    ShiftQuads(0, end, 0.0f, static_cast<f32>(lineBreaks) / 2.0f);
    m_indexCount = static_cast<u32>(IndicesPerCharacter * length);
}

void TextComponent::Upload()
{
    const std::size_t length = text.size();
    const GLsizeiptr vertexBytes =
        static_cast<GLsizeiptr>(VerticesPerCharacter * length * sizeof(Vertex));
    const GLsizeiptr indexBytes =
        static_cast<GLsizeiptr>(IndicesPerCharacter * length * sizeof(u32));
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    if (length <= m_capacity)
    {
        glBufferSubData(GL_ARRAY_BUFFER, 0, vertexBytes, m_vertices.data());
        glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, indexBytes, m_indices.data());
    }
    else
    {
        glBufferData(GL_ARRAY_BUFFER, vertexBytes, m_vertices.data(), GL_DYNAMIC_DRAW);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, indexBytes, m_indices.data(), GL_DYNAMIC_DRAW);
        m_capacity = static_cast<u32>(length);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void TextComponent::Bind(u32 program) const
{
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glVertexAttribPointer(PositionLocation, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
    glEnableVertexAttribArray(PositionLocation);
    glVertexAttribPointer(TexcoordLocation, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void*>(TexcoordOffset));
    glEnableVertexAttribArray(TexcoordLocation);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    if (m_font != nullptr)
        m_font->Bind(program);
}

void TextComponent::Unbind() const
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisableVertexAttribArray(PositionLocation);
    glDisableVertexAttribArray(TexcoordLocation);
}
} // namespace Graphics
