#include "tests/Core/Fuzz/AssetBatchFuzzHarness.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/System/AssetLoaderSystem.h"
#include "tests/Platform/Fuzz/FuzzWorkFolder.h"
#include <memory>
#include <string>

namespace
{
using Core::AssetSectionHandler;
using Core::System::AssetLoaderSystem;

// Stands for every manager: takes the names and holds nothing.
class CountingSection : public AssetSectionHandler
{
public:
    bool HasManager() const override { return true; }
    void LoadAll(u32) override { ++m_requests; }
    void Load(const std::string& name, u32) override { m_requests += name.empty() ? 0u : 1u; }
    void DefineEditorEnum(const std::string&, u32) override {}
    u32 GetAssetCount(u32) const override { return m_requests; }

private:
    u32 m_requests = 0;
};
} // namespace

void RunAssetBatchFuzzInput(Engine& engine, const std::uint8_t* data, std::size_t size)
{
    FuzzWorkFolder::WriteFile("assets/AssetBatch/Fuzz.xml", data, size);
    const FuzzWorkFolder::Enter folder;

    AssetLoaderSystem::ClearSections();
    auto handler = std::make_shared<CountingSection>();
    for (const AssetLoaderSystem::Section& section : AssetLoaderSystem::Sections)
        AssetLoaderSystem::RegisterSection(section.name, handler);
    {
        AssetLoaderSystem loader;
        loader.LoadBatch("Fuzz");
    }
    AssetLoaderSystem::ClearSections();
    for (auto& [message, delay] : engine.TakeHeldMessages())
        DestroyMessage(message);
}
