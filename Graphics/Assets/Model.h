#pragma once
// A triangle mesh read from a ".fbxbin" file (FbxBinReader.h), kept in memory for queries on
// the CPU (the mesh emitter samples its triangles) and uploaded into one vertex buffer and one
// index buffer. A model whose file has a skeleton carries it with its animations.
//
// Load only reads; Upload (the asset's Finalize), Unload, Reload and the vertex-format binding
// make OpenGL calls and run on the main thread.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Assets/Skeleton.h"
#include "Graphics/Formats/ModelFile.h"
#include <memory>
#include <string>

namespace Graphics
{
struct ModelParam
{
    std::string path;
};

class Model : public Asset<ModelParam>
{
public:
    // The editor list of a skinned model's animations is named after the model with this.
    static constexpr const char* AnimationListSuffix = "AnimationTracks";

    Model();
    ~Model() override;

    // False for a file that is missing or refused (each with one log line).
    bool Load() override;
    // Creates and fills the index buffer, then the vertex buffer, when there are none.
    void Finalize() override;
    void Unload() override;
    // After the context was recreated: the mesh is read again when the file's first chunk is a
    // mesh, then uploaded from memory. The skeleton stays. Always true.
    bool Reload() override;

    // Binds the buffers and points each attribute location of the vertex type at them.
    void BindVertexFormat() const;
    // Disables the vertex type's locations and binds no buffers.
    void UnbindVertexFormat() const;

    // Vertex i's record; callers pass i below the vertex count.
    const u08* GetVertex(u32 index) const { return m_data.vertices.data() + index * m_data.stride; }
    // The three indices of triangle i; callers pass i below the triangle count.
    const u32* GetTriangle(u32 index) const { return m_data.indices.data() + 3 * index; }
    u32 GetVertexCount() const { return m_data.vertexCount; }
    u32 GetIndexCount() const { return static_cast<u32>(m_data.indices.size()); }
    u32 GetTriangleCount() const { return m_data.triangleCount; }
    u32 GetVertexType() const { return m_data.vertexType; }
    u32 GetStride() const { return m_data.stride; }
    // Null when the file has no skeleton.
    const Skeleton* GetSkeleton() const { return m_skeleton.get(); }
    u32 GetVertexBuffer() const { return m_vertexBuffer; }
    u32 GetIndexBuffer() const { return m_indexBuffer; }

private:
    ModelFile m_data;
    std::unique_ptr<Skeleton> m_skeleton;
    u32 m_vertexBuffer;
    u32 m_indexBuffer;
};
} // namespace Graphics
