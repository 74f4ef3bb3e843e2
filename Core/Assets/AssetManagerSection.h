#pragma once
// The asset loader's handler for any AssetManager: it reaches the manager through a getter
// (usually the owning system's global pointer) each time, so a manager that does not exist yet
// or any more is simply reported as missing. The owning subsystem registers it:
//   AssetLoaderSystem::RegisterSection("Object",
//       std::make_shared<Core::AssetManagerSection<ObjectDefinitionManager>>(&GetManager));
// Pass-one managers that can read their files off the main thread override Stage and StageAll;
// without them the first pass of a background load runs on the main thread at commit time.
#include "Core/Assets/AssetSectionHandler.h"

namespace Core
{
template <class Manager> class AssetManagerSection : public AssetSectionHandler
{
public:
    using Getter = Manager* (*)();

    explicit AssetManagerSection(Getter getter) : m_getter(getter) {}

    bool HasManager() const override { return m_getter() != nullptr; }

    void LoadAll(u32 category) override
    {
        if (Manager* manager = m_getter())
            manager->LoadAll(category);
    }

    void Load(const std::string& name, u32 category) override
    {
        if (Manager* manager = m_getter())
            manager->Load(name, category);
    }

    void DefineEditorEnum(const std::string& name, u32 category) override
    {
        if (Manager* manager = m_getter())
            manager->DefineEditorEnum(name, category);
    }

    void FinalizeAll() override
    {
        Manager* manager = m_getter();
        if (manager == nullptr)
            return;
        for (u32 index = 0; index < manager->GetCategoryCount(); ++index)
        {
            for (auto* asset : manager->GetCategory(index)->assets)
                asset->Finalize();
        }
    }

    u32 GetAssetCount(u32 category) const override
    {
        Manager* manager = m_getter();
        return manager != nullptr ? manager->GetUsableCount(category) : 0u;
    }

protected:
    Manager* GetManager() const { return m_getter(); }

private:
    Getter m_getter;
};
} // namespace Core
