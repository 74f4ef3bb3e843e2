// Covers: ParticleSystemModifierComponent, ParticleSystemComponent, ObjectMountsComponent.
// What the shipped abilities and enemy attacks are drawn with: each ability object carries a
// model or mounts a particle effect, every effect named by a definition (mounted, or put on a hit
// by its modifier) or an ability script exists, and each of those effects holds particle data
// that one of its emitters draws.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <lua.hpp>
#include <string>
#include <tinyxml2.h>
#include <vector>

namespace
{
namespace fs = std::filesystem;

const fs::path Shipped = QUILL_ASSET_ROOT;

// Elements of a mount list that place the mount before them rather than name one.
bool IsPlacement(const std::string& tag)
{
    return tag == "position" || tag == "orientation" || tag == "scale";
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// An empty string when the shipped effect of that name exists and draws: it holds a particle
// data component and an emitter that names that data. Otherwise what is wrong with it.
std::string EffectProblem(const std::string& name)
{
    const fs::path file = Shipped / "assets/ParticleEffects" / (name + ".xml");
    tinyxml2::XMLDocument document;
    if (document.LoadFile(file.string().c_str()) != tinyxml2::XML_SUCCESS)
        return "no effect file " + file.string();
    const tinyxml2::XMLElement* root = document.RootElement();
    std::vector<std::string> data;
    std::vector<std::string> drawn;
    for (const tinyxml2::XMLElement* c = root->FirstChildElement(); c != nullptr;
         c = c->NextSiblingElement())
    {
        const tinyxml2::XMLElement* key = c->FirstChildElement("ParticleData");
        const std::string value = key != nullptr && key->GetText() != nullptr ? key->GetText() : "";
        if (std::string(c->Name()) == "ParticleSystemComponent")
            data.push_back(value);
        else if (EndsWith(c->Name(), "EmitterComponent"))
            drawn.push_back(value);
    }
    for (const std::string& used : drawn)
    {
        for (const std::string& held : data)
        {
            if (!used.empty() && used == held)
                return "";
        }
    }
    return name + " has no emitter drawing its particle data";
}

// The effects an object definition mounts, in file order: every mount that is no object
// definition of its own (a health bar) is taken for one.
std::vector<std::string> MountedEffects(const tinyxml2::XMLElement& root)
{
    std::vector<std::string> effects;
    for (const tinyxml2::XMLElement* mounts = root.FirstChildElement("ObjectMountsComponent");
         mounts != nullptr; mounts = mounts->NextSiblingElement("ObjectMountsComponent"))
    {
        for (const tinyxml2::XMLElement* m = mounts->FirstChildElement(); m != nullptr;
             m = m->NextSiblingElement())
        {
            if (!IsPlacement(m->Name()) &&
                !fs::exists(Shipped / "assets/Objects" / (std::string(m->Name()) + ".xml")))
                effects.push_back(m->Name());
        }
    }
    return effects;
}

TEST(ShippedEffects, EveryAbilityAndAttackCarriesAModelOrAParticleEffect)
{
    const char* const objects[] = {
        "Bolt",
        "MageOrb",
        "MageLaser",
        "MageLightningBolt",
        "MageLightningBoltLeft",
        "MageLightningBoltRight",
        "MageBlink",
        "GolemTitansFist",
        "GolemEarthquake",
        "GolemEnragedEarthquake",
        "GolemEnrage",
        "GolemEarthboundArmor",
        "SteamKnightLanceThrust",
        "SteamKnightSteamPump",
        "SteamKnightFissure",
        "SteamKnightDamageTrap",
        "SteamKnightSlowTrap",
        "SteamKnightTauntTrap",
        "AIMeleeStrike",
        "AIRangedBolt",
        "AITankShell",
        // what a fallen enemy leaves: its smoke and experience
        "ObjectTestExperienceArea",
    };
    for (const char* name : objects)
    {
        SCOPED_TRACE(name);
        tinyxml2::XMLDocument document;
        const fs::path file = Shipped / "assets/Objects" / (std::string(name) + ".xml");
        ASSERT_EQ(document.LoadFile(file.string().c_str()), tinyxml2::XML_SUCCESS);
        const tinyxml2::XMLElement& root = *document.RootElement();
        bool drawn = false;
        if (const tinyxml2::XMLElement* render = root.FirstChildElement("RenderComponent"))
        {
            const tinyxml2::XMLElement* model = render->FirstChildElement("Model");
            drawn = model != nullptr && model->GetText() != nullptr &&
                    fs::exists(Shipped / "assets/Models/bin" /
                               (std::string(model->GetText()) + ".fbxbin"));
        }
        for (const std::string& effect : MountedEffects(root))
        {
            EXPECT_EQ(EffectProblem(effect), "");
            drawn = true;
        }
        EXPECT_TRUE(drawn) << "neither a model nor a mounted particle effect";
        // The effect a definition's particle system modifier puts on what it hits draws too.
        for (const tinyxml2::XMLElement* modifier =
                 root.FirstChildElement("ParticleSystemModifierComponent");
             modifier != nullptr;
             modifier = modifier->NextSiblingElement("ParticleSystemModifierComponent"))
        {
            const tinyxml2::XMLElement* effect = modifier->FirstChildElement("systemName");
            ASSERT_TRUE(effect != nullptr && effect->GetText() != nullptr);
            EXPECT_EQ(EffectProblem(effect->GetText()), "");
        }
    }
}

// How big and how many the particles of a shipped effect are: the largest start size of its
// data and the most particles its emitters may hold together; zeros when it has none.
struct EffectSize
{
    float scale = 0.0f;
    int capacity = 0;
};

EffectSize SizeOf(const std::string& name)
{
    EffectSize size;
    tinyxml2::XMLDocument document;
    const fs::path file = Shipped / "assets/ParticleEffects" / (name + ".xml");
    if (document.LoadFile(file.string().c_str()) != tinyxml2::XML_SUCCESS)
        return size;
    for (const tinyxml2::XMLElement* c = document.RootElement()->FirstChildElement(); c != nullptr;
         c = c->NextSiblingElement())
    {
        if (std::string(c->Name()) == "ParticleSystemComponent")
        {
            if (const tinyxml2::XMLElement* start = c->FirstChildElement("ParticleScaleStart"))
                size.scale = std::max(size.scale, start->FloatAttribute("Y"));
        }
        else if (EndsWith(c->Name(), "EmitterComponent"))
        {
            if (const tinyxml2::XMLElement* count = c->FirstChildElement("ParticleCount"))
                size.capacity += count->IntAttribute("Y");
        }
    }
    return size;
}

// The Mage's and the SteamKnight's abilities read at the arena camera's distance, as the
// Golem's do: each ability object mounts an effect whose particles start at least half a unit
// across (a few pixels fewer and they are specks there) and that holds enough of them at once
// to draw its shape.
TEST(ShippedEffects, TheMagesAndTheKnightsAbilitiesMountEffectsLargeEnoughToSee)
{
    constexpr float SmallestScale = 0.5f;
    constexpr int FewestParticles = 8;
    for (const char* name : {"MageLaser", "MageBlink", "MageLightningBolt", "MageLightningBoltLeft",
                             "MageLightningBoltRight", "MageOrb", "SteamKnightLanceThrust",
                             "SteamKnightDamageTrap", "SteamKnightSteamPump", "SteamKnightFissure",
                             "SteamKnightSlowTrap", "SteamKnightTauntTrap"})
    {
        SCOPED_TRACE(name);
        tinyxml2::XMLDocument document;
        const fs::path file = Shipped / "assets/Objects" / (std::string(name) + ".xml");
        ASSERT_EQ(document.LoadFile(file.string().c_str()), tinyxml2::XML_SUCCESS);
        EffectSize largest;
        for (const std::string& effect : MountedEffects(*document.RootElement()))
        {
            const EffectSize size = SizeOf(effect);
            largest.scale = std::max(largest.scale, size.scale);
            largest.capacity = std::max(largest.capacity, size.capacity);
        }
        EXPECT_GE(largest.scale, SmallestScale);
        EXPECT_GE(largest.capacity, FewestParticles);
    }
}

// The effect a script's particle system modifier puts on what it hits is one that draws.
TEST(ShippedEffects, EveryEffectAnAbilityScriptPutsOnAHitExists)
{
    int named = 0;
    for (const auto& entry : fs::recursive_directory_iterator(Shipped / "assets/Scripts/Abilities"))
    {
        if (entry.path().extension() != ".lua")
            continue;
        SCOPED_TRACE(entry.path().string());
        // The scripts require their shared module from the shipped scripts folder.
        lua_State* state = luaL_newstate();
        luaL_openlibs(state);
        lua_getglobal(state, "package");
        lua_pushstring(state, (Shipped / "assets/Scripts/?.lua").string().c_str());
        lua_setfield(state, -2, "path");
        lua_pop(state, 1);
        ASSERT_EQ(luaL_dofile(state, entry.path().string().c_str()), LUA_OK)
            << lua_tostring(state, -1);
        lua_getglobal(state, "ParticleSystemModifier");
        if (lua_istable(state, -1))
        {
            lua_getfield(state, -1, "systemName");
            ASSERT_EQ(lua_type(state, -1), LUA_TSTRING);
            EXPECT_EQ(EffectProblem(lua_tostring(state, -1)), "");
            ++named;
        }
        lua_close(state);
    }
    EXPECT_GT(named, 0);
}
} // namespace
