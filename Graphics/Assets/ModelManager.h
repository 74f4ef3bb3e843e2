#pragma once
// The models of the game, one category (enumeration "Model") read from assets/Models/bin: each
// ".fbxbin" file is a model named by its file name up to the first '.'. Main thread only.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Assets/Model.h"

namespace Graphics
{
class ModelManager : public AssetManager<Model, ModelParam>
{
public:
    static constexpr const char* EnumName = "Model";
    static constexpr const char* Folder = "assets/Models/bin";
    static constexpr const char* Extension = ".fbxbin";

    ModelManager();
    ~ModelManager() override;

    static ModelManager* Instance() { return s_instance; }

    // Every file of the folder not yet present (the argument is not used).
    void LoadAll(u32 category) override;
    // The model of that name from "<Folder>/<name>.fbxbin"; nothing when it is present.
    void Load(const std::string& name, u32 category) override;
    std::string GetDirectory(bool withSeparator) override
    {
        return GetCategoryDirectory(0, withSeparator);
    }

private:
    static ModelManager* s_instance;
};
} // namespace Graphics
