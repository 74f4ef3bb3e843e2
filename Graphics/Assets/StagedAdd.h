#pragma once
// An asset read on the asset loader's worker thread, handed to its manager on the main thread:
// Commit adds it under its name (the manager refuses a name it already holds), and the asset's
// Load takes the data staged in its parameter instead of reading the file again. A manager that
// is gone by then gets nothing.
#include "Core/Assets/AssetSectionHandler.h"
#include <string>
#include <utility>

namespace Graphics
{
template <class Manager, class Param> class StagedAdd : public Core::StagedAsset
{
public:
    StagedAdd(std::string name, Param param, u32 category)
        : m_name(std::move(name)), m_param(std::move(param)), m_category(category)
    {
    }

    void Commit() override
    {
        if (Manager* manager = Manager::Instance())
            manager->Add(m_name, m_param, m_category);
    }

private:
    std::string m_name;
    Param m_param;
    u32 m_category;
};
} // namespace Graphics
