#pragma once
// Takes one input the whole way from a definition file to a created object: the bytes become
// "assets/Objects/Fuzz.xml" in a scratch asset tree, the serializer system's definition manager
// reads it again, the serializer system creates a "Fuzz" object from it (nested objects
// included), the object is written out and destroyed. Shared by the libFuzzer target and the
// test that replays the saved corpus.
#include <cstddef>
#include <cstdint>

class Engine;

void RunObjectFileFuzzInput(Engine& engine, const std::uint8_t* data, std::size_t size);
