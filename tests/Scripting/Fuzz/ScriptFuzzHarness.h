#pragma once
// Runs one input as a script: a script component's state (the libraries as scripts get them,
// the script API and the sample class, under its instruction budget and memory limit) loads the
// input as text and runs it, then the engine calls the functions a script may define through
// every kind of call helper. The budget and limit are lowered so that a runaway input ends
// quickly; the libraries that reach outside the process (os, io, require) are taken away first,
// since a fuzzed script could otherwise remove files or end the process. Shared by the libFuzzer
// target and the test that replays the saved corpus.
#include <cstddef>
#include <cstdint>

void RunScriptFuzzInput(const std::uint8_t* data, std::size_t size);
