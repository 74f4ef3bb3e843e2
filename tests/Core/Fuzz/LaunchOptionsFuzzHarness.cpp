#include "tests/Core/Fuzz/LaunchOptionsFuzzHarness.h"
#include "Core/LaunchOptions.h"
#include <string>
#include <vector>

void RunLaunchOptionsFuzzInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments{"quillmere"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i)
    {
        if (data[i] == 0)
        {
            arguments.push_back(current);
            current.clear();
        }
        else
        {
            current += static_cast<char>(data[i]);
        }
    }
    if (!current.empty())
        arguments.push_back(current);

    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    LaunchOptions options;
    options.Parse(static_cast<int>(argv.size()), argv.data());
    (void)options.GetFlags();
    (void)options.GetOutputFile();
}
