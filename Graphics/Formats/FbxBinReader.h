#pragma once
// Reads a ".fbxbin" model from its bytes into a ModelFile. The file is a run of chunks, each
// with an 8-byte header (u32 tag, u32 size counted from the header's first byte to the next
// header), ended by a header whose tag is 0 or by the end of the bytes:
//
//   tag "hsem" (0x6D657368) mesh:       u32 vertex type (0 or 1), u32 triangle count,
//                                       u32 vertex count, the vertex records, u32 index count,
//                                       the u32 indices
//   tag "leks" (0x736B656C) skeleton:   u32 bone count, per bone: string name, s32 parent,
//                                       f32 x 3 local translation, f32 x 4 local rotation (x y z
//                                       w), f32 x 3 offset translation, f32 x 4 offset rotation
//   tag "mina" (0x616E696D) animations: u32 count, per animation: string name, f32 duration,
//                                       u32 track count, per track: u32 key count, per key:
//                                       f32 time, f32 x 3 translation, f32 x 4 rotation
//
// A string is a length byte followed by that many bytes. Other tags are skipped by their size;
// reading goes on at the chunk's start plus its size whatever the body used.
//
// Nothing in the bytes is trusted: every count times its record size is checked against the
// bytes left in the chunk before anything is allocated, and a file is refused with one log line
// naming the source and the fault (a chunk size below 8 under a non-zero tag or past the end, a
// vertex type other than 0 or 1, an index not below the vertex count, an animation chunk before
// any skeleton, a parent that is neither -1 nor below the bone's own index, a count past the
// end). A triangle count above the index count / 3 is clamped; a later mesh or skeleton chunk
// replaces the earlier one. An animation with no tracks ends its chunk: neither it nor any later
// animation of that chunk is added. No OpenGL; any thread.
#include "Graphics/Formats/ModelFile.h"
#include <cstddef>
#include <string>

namespace Graphics
{
class FbxBinReader
{
public:
    static constexpr u32 MeshTag = 0x6D657368;
    static constexpr u32 SkeletonTag = 0x736B656C;
    static constexpr u32 AnimationTag = 0x616E696D;
    static constexpr u32 EndTag = 0;
    static constexpr u32 ChunkHeaderSize = 8;

    // Reads every chunk into `model` (emptied first). False, with one log line naming `source`,
    // when the bytes are refused; `model` is then empty.
    static bool Read(const u08* data, std::size_t size, const std::string& source,
                     ModelFile& model);
    // Reads the first chunk again when it is a mesh chunk, replacing the mesh of `model` and
    // leaving its skeleton and animations alone. True when there was no mesh chunk first (nothing
    // changes) or the mesh was read; false, with one log line, when that mesh is refused.
    static bool ReadFirstMesh(const u08* data, std::size_t size, const std::string& source,
                              ModelFile& model);
};
} // namespace Graphics
