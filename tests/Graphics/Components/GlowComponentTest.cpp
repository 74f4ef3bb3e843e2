// Glow and intensity components colouring their object's render and text components.
#include "Graphics/Components/GlowComponent.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Graphics/SetGlowMessage.h"
#include "Core/Messages/Graphics/SetGlowToMessage.h"
#include "Graphics/Components/IntensityComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Components/TextComponent.h"
#include "tests/Graphics/Rendering/DrawingWorld.h"

using Graphics::GlowComponent;
using Graphics::RenderComponent;

class GlowComponentTest : public DrawingWorld
{
protected:
    static void SetColour(GlowComponent& glow, f32 r, f32 g, f32 b)
    {
        SetGlowMessage message(0, Math::ColorRGBA(r, g, b, 1.0f), Math::ColorRGBA(r, g, b, 1.0f),
                               glow.GetOwner());
        glow.HandleMessage(&message);
    }
    static Math::Vector3 Colour(const GlowComponent& glow)
    {
        return Math::Vector3(glow.channels[GlowComponent::Red].GetClampedValue(),
                             glow.channels[GlowComponent::Green].GetClampedValue(),
                             glow.channels[GlowComponent::Blue].GetClampedValue());
    }
};

TEST_F(GlowComponentTest, GlowsAddColoursAndKeepTheLargestExposure)
{
    GameObject* object = MakeObject();
    auto* render = Add<RenderComponent>(object);
    auto* first = Add<GlowComponent>(object);
    auto* second = Add<GlowComponent>(object);
    auto* global = Add<GlowComponent>(object, "<G><Global>1</Global></G>");
    SetColour(*first, 0.2f, 0.1f, 0.0f);
    first->channels[GlowComponent::Exposure].Set(2.0f, 2.0f, 2.0f, 0.0f, false, false);
    SetColour(*second, 0.3f, 0.0f, 0.5f);
    SetColour(*global, 0.0f, 0.4f, 0.0f);

    render->ResetBloom();
    for (GlowComponent* glow : {first, second, global})
        glow->Update(0.1f);
    EXPECT_NEAR(render->bloomEmissiveColor.x, 0.5f, 1e-6f);
    EXPECT_NEAR(render->bloomEmissiveColor.y, 0.1f, 1e-6f);
    EXPECT_NEAR(render->bloomEmissiveColor.z, 0.5f, 1e-6f);
    EXPECT_FLOAT_EQ(render->bloomEmissiveExposure, 2.0f);
    EXPECT_FLOAT_EQ(render->bloomEmissiveScale, 1.0f);
    EXPECT_FLOAT_EQ(render->bloomGlobalColor.y, 0.4f);
    EXPECT_FLOAT_EQ(render->bloomGlobalExposure, 1.0f);
}

TEST_F(GlowComponentTest, GlowsMoveToColoursAndTakePlayerColours)
{
    auto* glow = Add<GlowComponent>(MakeObject());
    SetColour(*glow, 0.0f, 0.0f, 0.0f);
    SetGlowToMessage toWhite(0, Math::ColorRGBA(1.0f, 1.0f, 1.0f, 1.0f), 2.0f, glow->GetOwner());
    glow->HandleMessage(&toWhite);
    glow->Update(1.0f);
    EXPECT_NEAR(Colour(*glow).x, 0.5f, 1e-6f);
    glow->Update(1.5f);
    glow->Update(1.0f);
    EXPECT_EQ(Colour(*glow), Math::Vector3(1.0f, 1.0f, 1.0f)) << "reached and held";
    SetGlowToMessage atOnce(0, Math::ColorRGBA(0.0f, 0.25f, 0.0f, 1.0f), 0.0f, glow->GetOwner());
    glow->HandleMessage(&atOnce);
    EXPECT_EQ(Colour(*glow), Math::Vector3(0.0f, 0.25f, 0.0f)) << "duration 0 is immediate";

    SetPlayerNumberMessage yellow(0, 3, glow->GetOwner());
    glow->HandleMessage(&yellow);
    glow->Update(5.0f);
    EXPECT_EQ(Colour(*glow), Math::Vector3(1.0f, 1.0f, 0.0f));
    SetPlayerNumberMessage fifth(0, 4, glow->GetOwner());
    glow->HandleMessage(&fifth);
    EXPECT_EQ(Colour(*glow), Math::Vector3(1.0f, 1.0f, 0.0f)) << "no fifth colour";
}

TEST_F(GlowComponentTest, IntensityColoursTheRenderAndTextComponents)
{
    GameObject* object = MakeObject();
    auto* render = Add<RenderComponent>(object);
    auto* text = Add<Graphics::TextComponent>(object);
    auto* intensity = Add<Graphics::IntensityComponent>(
        object, "<I><r a='0' b='1' c='0.5' d='1'/><g a='0.2' b='0.2' c='0.2'/>"
                "<b a='0' b='1' c='0.9' d='1' e='0' f='0' g='1'/><a a='0.5' b='0.5' c='0.5'/></I>");
    intensity->Update(0.25f);
    EXPECT_FLOAT_EQ(render->intensity.x, 0.75f);
    EXPECT_FLOAT_EQ(render->intensity.y, 0.2f);
    EXPECT_FLOAT_EQ(render->intensity.z, 1.0f) << "stopped at its bound, read within it";
    EXPECT_FLOAT_EQ(text->color.a, 0.5f);
    EXPECT_FLOAT_EQ(text->color.r, 0.75f);
}
