#pragma once
// Feeds one input through the particle effects as an effect definition on an object, with no
// OpenGL: the particle textures are found by name (read from memory). The object is made from
// the input, stepped, written back and destroyed, and the finishing copies are stepped until
// they are gone (or, for particles that would live for ages, destroyed). Shared by the libFuzzer
// target and the unit test that replays its corpus. Calls std::abort when the effects break an
// invariant (more live particles than slots, more draw records than live particles, copies
// still held after they were destroyed).
#include <cstddef>
#include <cstdint>

void RunParticleEffectFuzzInput(const std::uint8_t* data, std::size_t size);
