#pragma once
// A fresh folder below the system's temporary folder that is the working directory while it
// lives (the engine reads "assets/..." relative to it, as the game does from the repository
// root); the previous working directory comes back and the folder is removed afterwards.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

class ScratchFolder
{
public:
    // `prefix` names the folder ("quill-frame-bench" gives quill-frame-bench-XXXXXX).
    explicit ScratchFolder(const char* prefix)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr)
            return;
        m_root = pattern;
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_root);
    }
    ~ScratchFolder()
    {
        if (m_root.empty())
            return;
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_root);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // False when the folder could not be made (the working directory is then unchanged).
    bool Ready() const { return !m_root.empty(); }

private:
    std::filesystem::path m_root;
    std::filesystem::path m_previous;
};
