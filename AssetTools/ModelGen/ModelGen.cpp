// modelgen <asset folder>: writes every generated model into <asset folder>/Models/bin as
// ".fbxbin" files. The output depends only on this program, so running it again gives the same
// bytes.
#include "AssetTools/Common/ToolFolder.h"
#include "AssetTools/ModelGen/CharacterBuilder.h"
#include "AssetTools/ModelGen/StaticModels.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace
{
using namespace AssetTools;
using Graphics::FbxBinWriter;

constexpr const char* Tool = "modelgen";
// The point-light volume needs only a rough sphere; the sky is seen whole and gets more.
constexpr u32 LightSphereSlices = 16;
constexpr u32 LightSphereStacks = 10;
constexpr u32 SkySlices = 32;
constexpr u32 SkyStacks = 16;

std::vector<CharacterDescription> Characters()
{
    std::vector<CharacterDescription> characters;
    const auto add = [&](const char* name, Look look, Prop prop, f32 deathTime,
                         const Proportions& body) {
        characters.push_back(CharacterDescription{name, body, prop, look, deathTime});
    };

    Proportions golem;
    golem.legLength = 0.8f;
    golem.legWidth = 0.28f;
    golem.hipSpread = 0.18f;
    golem.torsoHeight = 0.75f;
    golem.torsoWidth = 0.75f;
    golem.torsoDepth = 0.45f;
    golem.armLength = 0.85f;
    golem.armWidth = 0.24f;
    golem.handSize = 0.3f;
    golem.headSize = 0.26f;
    add("Golem", Look::Golem, Prop::None, 0.68f, golem);

    Proportions mage;
    mage.legWidth = 0.14f;
    mage.torsoWidth = 0.38f;
    mage.torsoDepth = 0.22f;
    mage.armWidth = 0.1f;
    mage.handSize = 0.1f;
    mage.roundHead = true;
    add("Mage", Look::Mage, Prop::Staff, 1.25f, mage);

    Proportions knight;
    knight.legWidth = 0.18f;
    knight.hipSpread = 0.12f;
    knight.torsoHeight = 0.62f;
    knight.torsoWidth = 0.5f;
    knight.torsoDepth = 0.3f;
    knight.armWidth = 0.14f;
    knight.handSize = 0.14f;
    add("SteamKnight", Look::SteamKnight, Prop::Sword, 0.68f, knight);

    Proportions melee;
    melee.legLength = 0.75f;
    melee.legWidth = 0.2f;
    melee.hipSpread = 0.13f;
    melee.torsoWidth = 0.55f;
    melee.torsoDepth = 0.32f;
    melee.armLength = 0.7f;
    melee.armWidth = 0.16f;
    melee.handSize = 0.16f;
    add("AIMelee", Look::Brute, Prop::Club, 0.8f, melee);

    Proportions ranged;
    ranged.legWidth = 0.13f;
    ranged.torsoWidth = 0.36f;
    ranged.torsoDepth = 0.2f;
    ranged.armWidth = 0.1f;
    ranged.handSize = 0.1f;
    add("AIRanged", Look::Archer, Prop::Bow, 0.8f, ranged);

    Proportions tank;
    tank.legLength = 0.8f;
    tank.legWidth = 0.24f;
    tank.hipSpread = 0.16f;
    tank.torsoHeight = 0.7f;
    tank.torsoWidth = 0.68f;
    tank.torsoDepth = 0.4f;
    tank.armLength = 0.72f;
    tank.armWidth = 0.2f;
    tank.handSize = 0.2f;
    add("AITank", Look::Guard, Prop::Club, 0.8f, tank);

    Proportions speedy;
    speedy.legLength = 0.95f;
    speedy.legWidth = 0.12f;
    speedy.hipSpread = 0.09f;
    speedy.torsoHeight = 0.52f;
    speedy.torsoWidth = 0.32f;
    speedy.torsoDepth = 0.18f;
    speedy.armWidth = 0.09f;
    speedy.handSize = 0.09f;
    speedy.headSize = 0.22f;
    add("AISpeedy", Look::Runner, Prop::Daggers, 0.8f, speedy);

    Proportions flock;
    flock.legLength = 0.4f;
    flock.legWidth = 0.1f;
    flock.hipSpread = 0.08f;
    flock.torsoHeight = 0.35f;
    flock.torsoWidth = 0.3f;
    flock.torsoDepth = 0.22f;
    flock.armLength = 0.36f;
    flock.armWidth = 0.08f;
    flock.handSize = 0.09f;
    flock.headSize = 0.3f;
    flock.roundHead = true;
    add("AIFlock", Look::Imp, Prop::None, 0.8f, flock);
    return characters;
}
} // namespace

int main(int argc, char** argv)
{
    std::string root;
    if (!ReadToolArguments(Tool, argc, argv, root))
        return 2;
    const std::string folder = MakeToolFolder(Tool, root, "Models/bin");
    if (folder.empty())
        return 1;

    std::vector<std::pair<std::string, Graphics::ModelFile>> models;
    models.emplace_back("Quad", StaticModels::Quad());
    models.emplace_back("Default", StaticModels::Cube());
    models.emplace_back("Sphere", StaticModels::Sphere(LightSphereSlices, LightSphereStacks));
    models.emplace_back("Skybox", StaticModels::Sphere(SkySlices, SkyStacks));
    models.emplace_back("Ground", StaticModels::Ground());
    for (const CharacterDescription& character : Characters())
        models.emplace_back(character.name, CharacterBuilder::Build(character));

    int failures = 0;
    for (const auto& [name, model] : models)
    {
        const std::string path = folder + '/' + name + ".fbxbin";
        FbxBinWriter writer;
        writer.WriteMesh(model);
        if (model.hasSkeleton)
        {
            writer.WriteSkeleton(model.bones);
            writer.WriteAnimations(model.animations);
        }
        writer.WriteEnd();
        if (!writer.Save(path))
        {
            std::fprintf(stderr, "Error [%s]: %s could not be written\n", Tool, path.c_str());
            ++failures;
        }
    }
    std::printf("%s: %zu models in %s\n", Tool, models.size() - failures, folder.c_str());
    return failures == 0 ? 0 : 1;
}
