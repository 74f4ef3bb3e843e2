#pragma once
// Replays a fuzz target's saved corpus: every file under the folder, in path order, is handed to
// the target's harness. Answers the number of inputs run.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

template <class Run> int ReplayFuzzCorpus(const std::filesystem::path& folder, Run&& run)
{
    std::vector<std::filesystem::path> inputs;
    // Sub-folders are walked too (the shipped ability scripts sit in one per character).
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    {
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    for (const std::filesystem::path& input : inputs)
    {
        std::ifstream file(input, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        run(input, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    return static_cast<int>(inputs.size());
}
