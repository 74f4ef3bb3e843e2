#pragma once
// Reads one input as an asset batch file ("assets/AssetBatch/Fuzz.xml" in a scratch asset tree)
// through the asset loader, with a handler behind every section that counts the names it is
// asked for, so the reader reaches each section. The batch-loaded message it posts is dropped
// again. Shared by the libFuzzer target and the test that replays the saved corpus.
#include <cstddef>
#include <cstdint>

class Engine;

void RunAssetBatchFuzzInput(Engine& engine, const std::uint8_t* data, std::size_t size);
