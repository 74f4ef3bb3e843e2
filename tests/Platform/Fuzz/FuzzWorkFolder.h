#pragma once
// A scratch folder with an asset tree that the file-reading fuzz harnesses write each input
// into; while a FuzzWorkFolder::Enter lives, it is the working directory (the engine reads
// "assets/..." relative to it), and the previous one comes back afterwards.
#include <filesystem>
#include <string>

class FuzzWorkFolder
{
public:
    // The folder of this process, made on first use (below the system's temporary folder).
    static const std::filesystem::path& Root();
    // Writes the bytes as the file at `relativePath` below the root.
    static void WriteFile(const std::string& relativePath, const void* data, std::size_t size);

    class Enter
    {
    public:
        Enter();
        ~Enter();
        Enter(const Enter&) = delete;
        Enter& operator=(const Enter&) = delete;

    private:
        std::filesystem::path m_previous;
    };
};
