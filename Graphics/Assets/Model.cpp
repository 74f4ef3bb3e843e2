#include "Graphics/Assets/Model.h"
#include "Core/Log.h"
#include "Graphics/Assets/GlName.h"
#include "Graphics/Formats/FbxBinReader.h"
#include "Serializer/FileReader.h"
#include <GL/glew.h>
#include <cstddef>

namespace Graphics
{
namespace
{
// Attribute locations shared with every shader program and the byte offsets of the vertex
// records (ModelFile.h).
struct Attribute
{
    GLuint location;
    GLint components;
    std::size_t offset;
};
constexpr Attribute StaticAttributes[] = {
    {0, 3, offsetof(StaticVertex, position)}, {1, 3, offsetof(StaticVertex, normal)},
    {2, 2, offsetof(StaticVertex, texcoord)}, {3, 3, offsetof(StaticVertex, tangent)},
    {4, 3, offsetof(StaticVertex, binormal)},
};
constexpr Attribute SkinnedExtra[] = {
    {5, 4, offsetof(SkinnedVertex, weight)},
    {6, 4, offsetof(SkinnedVertex, index)},
};
// Type 2 uses the first three attributes of a static vertex.
constexpr std::size_t PlainAttributeCount = 3;
constexpr std::size_t StaticAttributeCount = sizeof(StaticAttributes) / sizeof(Attribute);
constexpr std::size_t SkinnedExtraCount = sizeof(SkinnedExtra) / sizeof(Attribute);

void Point(const Attribute& attribute, GLsizei stride)
{
    glEnableVertexAttribArray(attribute.location);
    glVertexAttribPointer(attribute.location, attribute.components, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(attribute.offset));
}

// How many of the static attributes a vertex type uses, and whether the skinned ones follow.
std::size_t StaticCountOf(u32 vertexType)
{
    if (vertexType == StaticVertexType || vertexType == SkinnedVertexType)
        return StaticAttributeCount;
    return vertexType == PlainVertexType ? PlainAttributeCount : 0;
}

bool ReadBytes(FileReader& reader, char*& bytes)
{
    return reader.IsOpen() && reader.ReadAll(bytes);
}
} // namespace

Model::Model() : m_vertexBuffer(NoGlName), m_indexBuffer(NoGlName) {}

Model::~Model() = default;

bool Model::Load()
{
    m_vertexBuffer = NoGlName;
    m_indexBuffer = NoGlName;
    FileReader reader(m_param.path);
    char* bytes = nullptr;
    if (!ReadBytes(reader, bytes))
        return false; // the reader logged the file
    if (!FbxBinReader::Read(reinterpret_cast<const u08*>(bytes), reader.GetBufferSize() - 1,
                            m_param.path, m_data))
        return false;
    // An empty file reads as a model with nothing in it: refused like a missing model, so its
    // users fall back the same way instead of drawing nothing.
    if (!m_data.hasMesh || m_data.vertexCount == 0)
    {
        Core::Log() << "Error [Model]: " << m_param.path << " refused: it holds no vertices\n";
        m_data = ModelFile();
        return false;
    }
    if (m_data.hasSkeleton)
    {
        m_skeleton = std::make_unique<Skeleton>();
        m_skeleton->Build(m_data.bones);
        m_skeleton->AddAnimations(m_data.animations);
        if (m_data.animationsListed)
            m_skeleton->BuildAnimationEnum(m_name + AnimationListSuffix);
        // The skeleton holds them now.
        m_data.bones.clear();
        m_data.animations.clear();
    }
    return true;
}

void Model::Finalize()
{
    if (m_vertexBuffer != NoGlName)
        return;
    GLuint buffers[2] = {0, 0};
    glGenBuffers(2, buffers);
    m_indexBuffer = buffers[0];
    m_vertexBuffer = buffers[1];
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(m_data.indices.size() * sizeof(u32)),
                 m_data.indices.empty() ? nullptr : m_data.indices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_data.vertices.size()),
                 m_data.vertices.empty() ? nullptr : m_data.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void Model::Unload()
{
    if (m_vertexBuffer != NoGlName)
    {
        const GLuint buffers[2] = {m_indexBuffer, m_vertexBuffer};
        glDeleteBuffers(2, buffers);
    }
    m_vertexBuffer = NoGlName;
    m_indexBuffer = NoGlName;
    m_data = ModelFile();
    m_skeleton.reset();
}

bool Model::Reload()
{
    // The old buffer names died with the old context; deleting them could hit new buffers.
    m_vertexBuffer = NoGlName;
    m_indexBuffer = NoGlName;
    FileReader reader(m_param.path);
    char* bytes = nullptr;
    if (ReadBytes(reader, bytes))
        FbxBinReader::ReadFirstMesh(reinterpret_cast<const u08*>(bytes), reader.GetBufferSize() - 1,
                                    m_param.path, m_data);
    Finalize();
    return true;
}

void Model::BindVertexFormat() const
{
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    const GLsizei stride = static_cast<GLsizei>(m_data.stride);
    const std::size_t count = StaticCountOf(m_data.vertexType);
    for (std::size_t i = 0; i < count; ++i)
        Point(StaticAttributes[i], stride);
    if (m_data.vertexType == SkinnedVertexType)
    {
        for (std::size_t i = 0; i < SkinnedExtraCount; ++i)
            Point(SkinnedExtra[i], stride);
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
}

void Model::UnbindVertexFormat() const
{
    const std::size_t count = StaticCountOf(m_data.vertexType);
    for (std::size_t i = 0; i < count; ++i)
        glDisableVertexAttribArray(StaticAttributes[i].location);
    if (m_data.vertexType == SkinnedVertexType)
    {
        for (std::size_t i = 0; i < SkinnedExtraCount; ++i)
            glDisableVertexAttribArray(SkinnedExtra[i].location);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}
} // namespace Graphics
