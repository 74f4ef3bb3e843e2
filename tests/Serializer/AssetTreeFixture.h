#pragma once
// Test support for the engine-level serializer: a temporary folder that becomes the working
// directory (so the asset folders "assets/..." resolve inside it), and a log that writes to a
// temporary file and reads it back.
#include "Core/System/LogSystem.h"
#include <boost/filesystem.hpp>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

// A scratch folder, entered on construction and left and removed on destruction.
class TempFolder
{
public:
    TempFolder()
    {
        namespace fs = boost::filesystem;
        m_previous = fs::current_path();
        m_root = fs::path(testing::TempDir()) / fs::unique_path("objects-%%%%-%%%%-%%%%");
        fs::create_directories(m_root);
        fs::current_path(m_root);
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

// A log writing to a temporary file; Text() closes it and reads back what was written.
class LogCapture
{
public:
    LogCapture()
        : m_path(testing::TempDir() + "objects_log_" + std::to_string(getpid()) + ".txt"),
          m_log(std::make_unique<Core::System::LogSystem>(m_path))
    {
    }
    ~LogCapture() { std::remove(m_path.c_str()); }

    std::string Text()
    {
        m_log.reset();
        std::ifstream file(m_path);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

private:
    std::string m_path;
    std::unique_ptr<Core::System::LogSystem> m_log;
};
