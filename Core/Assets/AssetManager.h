#pragma once
// The store of one kind of named asset (object definitions, textures, models, shaders, fonts,
// materials...). Assets are kept in numbered categories; each category has a folder, its assets
// in the order they were added, a map from name hash to asset, and an editor enumeration of the
// asset names for drop-down lists.
//
// Conventions:
// - An asset is filed under the HashTypeName of its name and keeps its name beside it: a lookup
//   compares the name as well, so a second name with the same 32-bit hash finds nothing, and
//   the first asset added under a hash keeps it (FindHashHolder tells the manager which one).
// - An asset's index is its position in its category's list. Assets are never removed one by
//   one, so indices stay valid until UnloadAll.
// - Asset memory comes from the engine's bucket allocator when an engine exists at the
//   manager's construction (the ordinary heap otherwise), and goes back to the same place.
// - Category folders are stored without a trailing separator; paths use '/'.
// - No lock: managers belong to the main thread, except that an asset batch's first pass may
//   add and load assets of its own managers on a worker thread while the main thread leaves
//   them alone.
#include "Core/Assets/AssetPath.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/Allocator.h"
#include "Core/Memory/RefCountedArray.h"
#include "Core/Reflection/HashTypeName.h"
#include "Math/Types.h"
#include "TweakBar/TweakBar.h"
#include <new>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

template <class T, class Param> class AssetManager;

// Base class of every asset: a name, an index in its category and the parameter record it loads
// itself from.
template <class Param> class Asset
{
public:
    Asset() : m_index(0) {}
    virtual ~Asset() = default;
    Asset(const Asset&) = delete;
    Asset& operator=(const Asset&) = delete;

    // Second loading step, on the main thread after Load (graphics objects are created here).
    virtual void Finalize() {}
    // Reads the asset from its parameter; false keeps it out of its manager.
    virtual bool Load() = 0;
    virtual void Unload() = 0;
    // Reads the asset again in place; false stops the manager's ReloadAll.
    virtual bool Reload() { return true; }

    const std::string& GetName() const { return m_name; }
    u32 GetIndex() const { return m_index; }
    const Param& GetParam() const { return m_param; }

protected:
    u32 m_index;
    std::string m_name;
    Param m_param;

private:
    template <class, class> friend class AssetManager;
};

template <class T, class Param> class AssetManager
{
public:
    struct Category
    {
        std::vector<T*> assets;          // owned, in the order they were added
        std::unordered_map<u32, T*> map; // name hash -> asset
        // The editor enumeration: value i is labelled with the name of asset i. Labels point
        // into the assets' names, so the values are released before any asset is destroyed.
        RefCountedArray<TwEnumVal> editorValues;
        TwType editorType = 0;
        u32 editorValueCount = 0;
        std::string name; // the enumeration's name
        std::string folder;
    };

    // One empty category; LoadAll sizes the list to the categories the manager uses.
    AssetManager()
        : m_categories(1), m_allocator(g_Engine != nullptr ? g_Engine->GetAllocator() : nullptr)
    {
    }
    // Unloads and frees whatever UnloadAll has not.
    virtual ~AssetManager() { UnloadAll(); }
    AssetManager(const AssetManager&) = delete;
    AssetManager& operator=(const AssetManager&) = delete;

    // Fills the categories; each manager supplies its own.
    virtual void LoadAll(u32 launchFlags) = 0;
    // Loads one named asset of a category on demand.
    virtual void Load(const std::string& name, u32 category) = 0;
    // Reloads every asset, categories in index order and assets in list order, and stops at the
    // first one that fails: false then, true otherwise (also for an empty manager).
    virtual bool ReloadAll();
    // The manager's asset folder; none for the base.
    virtual std::string GetDirectory(bool) { return std::string(); }

    // Creates and loads an asset of that name from the parameter and files it under the next
    // index. Null when the category already holds the name (silently: the first one wins), when
    // Load fails (the category is left as it was), when the category is out of range (logged) or
    // when the name leaves the asset folder (logged, CheckAssetPath).
    T* Add(const std::string& name, const Param& param, u32 category);
    // Files the asset `oldName` under `newName` with a new parameter, keeping its index. False,
    // changing nothing, when the old name is not held or the new name's hash is taken.
    bool Rename(const std::string& oldName, const std::string& newName, const Param& param,
                u32 category);
    // Null for the empty name, an unknown name or a category out of range.
    T* Find(const std::string& name, u32 category) const;
    // The asset filed under the hash of `name`, whatever its own name; null when none is.
    T* FindHashHolder(const std::string& name, u32 category) const;
    // The same two for a name given as a C string (null reads as the empty name): the renderer
    // looks its programs and models up by literal names every frame, and a name longer than a
    // string keeps without the heap would otherwise be copied each time.
    T* Find(const char* name, u32 category) const;
    T* FindHashHolder(const char* name, u32 category) const;
    // Assets of the category that can be used, for the log; every asset by default.
    virtual u32 GetUsableCount(u32 category) const
    {
        return category < m_categories.size()
                   ? static_cast<u32>(m_categories[category].assets.size())
                   : 0u;
    }
    // The category's folder, with '/' appended when asked; empty for a category out of range.
    std::string GetCategoryDirectory(u32 category, bool withSeparator) const;
    // Rebuilds the category's editor enumeration from its assets in list order and defines it
    // with the editor-bar layer under `name`.
    void DefineEditorEnum(const std::string& name, u32 category);
    // Unloads and destroys every asset and releases every enumeration; the categories stay,
    // empty, with their names and folders.
    void UnloadAll();

    u32 GetCategoryCount() const { return static_cast<u32>(m_categories.size()); }
    // Null for a category out of range.
    const Category* GetCategory(u32 category) const
    {
        return category < m_categories.size() ? &m_categories[category] : nullptr;
    }

protected:
    std::vector<Category> m_categories;

private:
    // The bucket allocator's blocks are 8-byte aligned.
    static constexpr std::size_t BlockAlignment = 8;
    static_assert(alignof(T) <= BlockAlignment, "assets must fit the allocator's alignment");

    T* AllocateAsset();
    void DestroyAsset(T* asset);

    Allocator* m_allocator; // null: the ordinary heap
};

template <class T, class Param> T* AssetManager<T, Param>::AllocateAsset()
{
    void* block = m_allocator != nullptr ? m_allocator->Allocate(static_cast<u32>(sizeof(T)))
                                         : ::operator new(sizeof(T));
    return new (block) T();
}

template <class T, class Param> void AssetManager<T, Param>::DestroyAsset(T* asset)
{
    asset->~T();
    if (m_allocator != nullptr)
        m_allocator->Free(asset, static_cast<u32>(sizeof(T)));
    else
        ::operator delete(asset);
}

template <class T, class Param>
T* AssetManager<T, Param>::Add(const std::string& name, const Param& param, u32 category)
{
    if (category >= m_categories.size())
    {
        Core::Log() << "Error [AssetManager]: cannot add " << name << " to category " << category
                    << ", which does not exist\n";
        return nullptr;
    }
    Category& target = m_categories[category];
    const u32 hash = HashTypeName(name.c_str());
    if (target.map.count(hash) != 0)
        return nullptr;
    if (!Core::CheckAssetPath("AssetManager", "asset", name))
        return nullptr;

    T* asset = AllocateAsset();
    asset->m_name = name;
    asset->m_param = param;
    if (!asset->Load())
    {
        DestroyAsset(asset);
        return nullptr;
    }
    asset->m_index = static_cast<u32>(target.assets.size());
    target.assets.push_back(asset);
    target.map.emplace(hash, asset);
    return asset;
}

template <class T, class Param>
T* AssetManager<T, Param>::FindHashHolder(const std::string& name, u32 category) const
{
    if (name.empty() || category >= m_categories.size())
        return nullptr;
    const Category& source = m_categories[category];
    const auto found = source.map.find(HashTypeName(name.c_str()));
    return found != source.map.end() ? found->second : nullptr;
}

template <class T, class Param>
T* AssetManager<T, Param>::Find(const std::string& name, u32 category) const
{
    T* holder = FindHashHolder(name, category);
    return holder != nullptr && holder->m_name == name ? holder : nullptr;
}

template <class T, class Param>
T* AssetManager<T, Param>::FindHashHolder(const char* name, u32 category) const
{
    if (name == nullptr || *name == '\0' || category >= m_categories.size())
        return nullptr;
    const Category& source = m_categories[category];
    const auto found = source.map.find(HashTypeName(name));
    return found != source.map.end() ? found->second : nullptr;
}

template <class T, class Param>
T* AssetManager<T, Param>::Find(const char* name, u32 category) const
{
    T* holder = FindHashHolder(name, category);
    return holder != nullptr && holder->m_name == name ? holder : nullptr;
}

template <class T, class Param>
bool AssetManager<T, Param>::Rename(const std::string& oldName, const std::string& newName,
                                    const Param& param, u32 category)
{
    T* asset = Find(oldName, category);
    if (asset == nullptr || newName.empty() || FindHashHolder(newName, category) != nullptr)
        return false;
    Category& target = m_categories[category];
    target.map.erase(HashTypeName(oldName.c_str()));
    asset->m_name = newName;
    asset->m_param = param;
    target.map.emplace(HashTypeName(newName.c_str()), asset);
    return true;
}

template <class T, class Param>
std::string AssetManager<T, Param>::GetCategoryDirectory(u32 category, bool withSeparator) const
{
    if (category >= m_categories.size())
        return std::string();
    const std::string& folder = m_categories[category].folder;
    return withSeparator ? folder + '/' : folder;
}

template <class T, class Param> bool AssetManager<T, Param>::ReloadAll()
{
    for (Category& category : m_categories)
    {
        for (T* asset : category.assets)
        {
            if (!asset->Reload())
                return false;
        }
    }
    return true;
}

template <class T, class Param>
void AssetManager<T, Param>::DefineEditorEnum(const std::string& name, u32 category)
{
    if (category >= m_categories.size())
    {
        Core::Log() << "Error [AssetManager]: no category " << category << " for the enumeration "
                    << name << '\n';
        return;
    }
    Category& target = m_categories[category];
    target.editorValues.Release();
    target.editorValueCount = 0;

    const std::size_t count = target.assets.size();
    TwEnumVal* values = new TwEnumVal[count > 0 ? count : 1];
    target.editorValues.Assign(values);
    for (std::size_t i = 0; i < count; ++i)
    {
        values[i].Value = static_cast<int>(i);
        values[i].Label = target.assets[i]->m_name.c_str();
        ++target.editorValueCount;
    }
    target.name = name;
    target.editorType = TwDefineEnum(target.name.c_str(), values, target.editorValueCount);
}

template <class T, class Param> void AssetManager<T, Param>::UnloadAll()
{
    for (Category& category : m_categories)
    {
        category.editorValues.Release();
        category.editorType = 0;
        category.editorValueCount = 0;
        // Emptied before the assets go, so nothing can reach a destroyed asset.
        std::vector<T*> assets;
        assets.swap(category.assets);
        category.map.clear();
        for (T* asset : assets)
        {
            asset->Unload();
            DestroyAsset(asset);
        }
    }
}
