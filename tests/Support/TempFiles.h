#pragma once
// Temporary files of the tests (and benchmarks): fresh paths in the system's temporary folder,
// whole-file reads, a scratch folder that is the working directory while it lives (so that
// "assets/..." paths resolve inside it), and a log that writes to a temporary file and reads it
// back.
#include "Core/System/LogSystem.h"
#include <boost/filesystem.hpp>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

// The whole file as text; empty when it cannot be read.
inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A path in the temporary folder; each '%' of the pattern becomes a random hexadecimal digit.
inline std::string TempPath(const std::string& pattern)
{
    return (boost::filesystem::temp_directory_path() / boost::filesystem::unique_path(pattern))
        .string();
}

// A scratch folder, made in the temporary folder and entered on construction, left and removed on
// destruction.
class TempFolder
{
public:
    // The folder's name is the prefix followed by a random part.
    explicit TempFolder(const std::string& prefix = "quill")
        : m_previous(boost::filesystem::current_path()),
          m_root(TempPath(prefix + "-%%%%-%%%%-%%%%"))
    {
        boost::filesystem::create_directories(m_root);
        boost::filesystem::current_path(m_root);
    }
    ~TempFolder()
    {
        boost::system::error_code error;
        boost::filesystem::current_path(m_previous, error);
        boost::filesystem::remove_all(m_root, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes a file (relative to the folder), creating its parent folders.
    void Write(const std::string& relativePath, const std::string& text) const
    {
        const boost::filesystem::path path = m_root / relativePath;
        boost::filesystem::create_directories(path.parent_path());
        std::ofstream file(path.string(), std::ios::binary | std::ios::trunc);
        file << text;
    }
    void MakeFolder(const std::string& relativePath) const
    {
        boost::filesystem::create_directories(m_root / relativePath);
    }
    std::string Path(const std::string& relativePath) const
    {
        return (m_root / relativePath).generic_string();
    }

private:
    boost::filesystem::path m_previous;
    boost::filesystem::path m_root;
};

// A log writing to a temporary file named after `name`; Text() closes it and reads back what
// was written. The file goes with the capture.
class LogFileCapture
{
public:
    explicit LogFileCapture(const std::string& name = "quill-log")
        : m_path(TempPath(name + "-%%%%-%%%%.txt")),
          m_log(std::make_unique<Core::System::LogSystem>(m_path))
    {
    }
    ~LogFileCapture() { std::remove(m_path.c_str()); }
    LogFileCapture(const LogFileCapture&) = delete;
    LogFileCapture& operator=(const LogFileCapture&) = delete;

    std::string Text()
    {
        m_log.reset();
        return ReadFile(m_path);
    }

private:
    std::string m_path;
    std::unique_ptr<Core::System::LogSystem> m_log;
};
