#pragma once
// Parses one input as a command line: the bytes are split at zero bytes into the arguments
// (the program name first), as the process would get them. Shared by the libFuzzer target and
// the test that replays the saved corpus.
#include <cstddef>
#include <cstdint>

void RunLaunchOptionsFuzzInput(const std::uint8_t* data, std::size_t size);
