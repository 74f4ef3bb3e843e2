#pragma once
// Feeds one input through the graphics file readers the way the assets read their files, with
// no OpenGL: shared by the libFuzzer targets and the unit tests that replay their saved corpora.
// Each calls std::abort when a reader answers something impossible (a refused model that still
// holds data, a decoded image whose pixels do not match its size, a model that does not come
// back unchanged through the writer).
#include <cstddef>
#include <cstdint>

// ".fbxbin" bytes: read, written back and read again, then every animation posed.
void RunModelFuzzInput(const std::uint8_t* data, std::size_t size);
// A PNG with its sprite-sheet sidecar: the first two bytes (little-endian) give the sidecar's
// length, the sidecar's text follows, and the rest is the image.
void RunPngFuzzInput(const std::uint8_t* data, std::size_t size);
// The same text as a material, a font and a shader-program file.
void RunGraphicsXmlFuzzInput(const std::uint8_t* data, std::size_t size);
