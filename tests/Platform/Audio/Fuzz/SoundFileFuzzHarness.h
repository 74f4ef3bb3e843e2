#pragma once
// Runs one input through the audio layer's decoding from memory: as a sample (decoded whole,
// played and mixed) and as a stream (played looped and fed through a few updates, so that the
// end of the data and the seek back to its start are reached). The system renders on the
// loopback device and is made once per process, as a game makes it once. Shared by the
// libFuzzer target and the test that replays the saved corpus.
#include <cstddef>
#include <cstdint>

void RunSoundFileFuzzInput(const std::uint8_t* data, std::size_t size);
