#pragma once
// Feeds one input through a real game object the way an object definition fills one: the text
// is parsed as a file would be, the root element's children become components through the
// factory (unknown tags are skipped) and read their members, orbits step once and mounts pass a
// message on, and the object is written out again and destroyed with everything it mounted.
// Shared by the libFuzzer target and the unit test that replays the saved corpus.
#include <cstddef>
#include <cstdint>

class GameFactory;
class GameObject;

// Called with the object once it is read and used, before it is written out: a program that
// registers later subsystems lets them act on it (the physics fuzz target steps physics).
using ObjectReaderFuzzStep = void (*)(GameObject& object);

void RunObjectReaderFuzzInput(GameFactory& factory, const std::uint8_t* data, std::size_t size,
                              ObjectReaderFuzzStep step = nullptr);
