#pragma once
// Builds the skinned models of the playable characters and the enemies: a humanoid of boxes,
// cylinders and spheres, each piece bound rigidly to one bone, with the five animations every
// character plays ("Idle", "Run", "Attack", "Hit", "Death").
//
// Skeleton layout: a bone's local transform is its position in the model at rest (no rotation)
// and its offset is the inverse, so the bind pose gives identity matrices and the mesh is
// modelled where it is drawn at rest. Keys are relative to the parent bone; parents come before
// their children. Characters stand on y = 0 and face +z; their left is +x.
#include "Graphics/Formats/ModelFile.h"
#include <string>

namespace AssetTools
{
struct Proportions
{
    f32 legLength = 0.85f;
    f32 legWidth = 0.16f;
    f32 hipSpread = 0.11f; // x of each leg's centre
    f32 torsoHeight = 0.6f;
    f32 torsoWidth = 0.42f;
    f32 torsoDepth = 0.24f;
    f32 armLength = 0.62f;
    f32 armWidth = 0.12f;
    f32 handSize = 0.12f;
    f32 headSize = 0.26f;
    bool roundHead = false;
};

// What the character carries in its right hand.
enum class Prop
{
    None,
    Staff,
    Sword,
    Club,
    Bow,
    Daggers, // one in each hand
};

// Pieces that make a silhouette recognisable.
enum class Look
{
    Golem,       // boulder shoulders, glowing core, small head
    Mage,        // pointed hat and robe
    SteamKnight, // helmet with visor, shoulder plates, a chimney on the back
    Brute,       // horns
    Archer,      // hood
    Guard,       // helmet, shoulder plates, a shield on the left arm
    Runner,      // a crest
    Imp,         // ears and wings
};

struct CharacterDescription
{
    std::string name;
    Proportions body;
    Prop prop = Prop::None;
    Look look = Look::Brute;
    // When the "Death" animation reaches its lying pose; it holds it from then on.
    f32 deathTime = 0.8f;
};

class CharacterBuilder
{
public:
    // Bone indices; every character has all of them, in this order.
    enum Bone : u32
    {
        Hips,
        Spine,
        Head,
        UpperArmLeft,
        LowerArmLeft,
        UpperArmRight,
        LowerArmRight,
        UpperLegLeft,
        LowerLegLeft,
        UpperLegRight,
        LowerLegRight,
        PropBone, // at the right hand
        BoneCount,
    };

    static Graphics::ModelFile Build(const CharacterDescription& description);
};
} // namespace AssetTools
