// The render component's asset look-ups and the animation controller's playing, headless.
#include "Graphics/Components/RenderComponent.h"
#include "Core/Messages/Graphics/AnimationPlayUntilMessage.h"
#include "Core/Messages/Graphics/AnimationSetTimeMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Graphics/SetModelMessage.h"
#include "Graphics/Assets/Animation.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include "Xml/XmlWriter.h"
#include "tests/Graphics/Rendering/DrawingWorld.h"
#include "tests/Support/QueuedMessages.h"

using Graphics::AnimationControllerComponent;
using Graphics::RenderComponent;
using Graphics::ShaderProgramFile;

class RenderComponentTest : public DrawingWorld
{
protected:
    // A hero: its render component (skinned model, "Lit") and its controller, read in order.
    AnimationControllerComponent* MakeHero()
    {
        GameObject* hero = MakeObject();
        Add<RenderComponent>(hero, "<R><Model>Hero</Model><Material>Stone</Material>"
                                   "<ShaderProgram>Lit</ShaderProgram></R>");
        return Add<AnimationControllerComponent>(hero, "<A/>");
    }
};

TEST_F(RenderComponentTest, FallsBackToQuadAndDefaultAndPicksTheVariantOfTheModel)
{
    GameObject* object = MakeObject();
    auto* render = Add<RenderComponent>(
        object, "<R><Model>Nope</Model><Material>Nope</Material><ShaderProgram>Nope</ShaderProgram>"
                "<Visible>0</Visible><DebugColor R='255' G='0' B='0' A='255'/>"
                "<Transparent>1</Transparent></R>");
    EXPECT_EQ(render->GetModel(), Model("Quad"));
    EXPECT_EQ(render->GetMaterial(), Material("Default"));
    EXPECT_EQ(render->GetProgram(), Program("Default", ShaderProgramFile::Static));
    EXPECT_FALSE(render->visible);
    EXPECT_TRUE(render->transparent);

    // Written in the order it is read, so a saved component reads back the same.
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("RenderComponent");
    document.InsertEndChild(root);
    Serializer::XmlWriter writer(document, root);
    render->Serialize(writer);
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    auto* copy = Add<RenderComponent>(MakeObject(), printer.CStr());
    EXPECT_EQ(copy->GetModel(), render->GetModel());
    EXPECT_EQ(copy->GetProgram(), render->GetProgram());
    EXPECT_FALSE(copy->visible);
    EXPECT_TRUE(copy->transparent);
    EXPECT_FLOAT_EQ(copy->debugColor.g, 0.0f);

    auto* lit = Add<RenderComponent>(MakeObject(), "<R><Model>Rock</Model>"
                                                   "<ShaderProgram>Lit</ShaderProgram></R>");
    EXPECT_EQ(lit->GetProgram(), Program("Lit", ShaderProgramFile::Static));
    // A new model looks the program up again in its category, and the controller follows.
    auto* controller = Add<AnimationControllerComponent>(Factory().FindObject(lit->GetOwner()));
    SetModelMessage swap(0, "Hero", lit->GetOwner());
    lit->HandleMessage(&swap);
    EXPECT_EQ(lit->GetModel(), Model("Hero"));
    EXPECT_EQ(lit->GetProgram(), Program("Lit", ShaderProgramFile::Skinned));
    EXPECT_EQ(controller->GetBoneCount(), 2u);
    SetModelMessage missing(0, "Nope", lit->GetOwner());
    lit->HandleMessage(&missing);
    EXPECT_EQ(lit->GetModel(), Model("Hero")) << "no \"Default\" model: the model stays";
}

TEST_F(RenderComponentTest, AnimationsRestartSwapClampAndPose)
{
    AnimationControllerComponent* controller = MakeHero();
    ASSERT_NE(controller->GetCurrentAnimation(), nullptr);
    EXPECT_EQ(controller->GetCurrentAnimation()->name, "Idle");

    // A swap to what plays keeps its time; a non-looping one ends with a swap back to "Idle".
    controller->Update(0.5f);
    AnimationSwapMessage same(0, "Idle", 1, controller->GetOwner());
    controller->HandleMessage(&same);
    EXPECT_FLOAT_EQ(controller->time, 0.5f);
    AnimationSwapMessage wave(0, "Wave", 0, controller->GetOwner());
    controller->HandleMessage(&wave);
    EXPECT_EQ(controller->GetCurrentAnimation()->name, "Wave");
    controller->Update(1.5f);
    EXPECT_FLOAT_EQ(controller->time, 0.0f);
    {
        QueuedMessages queued(*messages);
        ASSERT_EQ(queued.size(), 1u);
        const auto* back = queued.As<AnimationSwapMessage>(0);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->animationName, "Idle");
        EXPECT_EQ(back->loop, 1u);
        EXPECT_EQ(back->targetObjectId, controller->GetOwner());
    }

    // Play-until is held within the animation; reaching it stops the playing.
    AnimationPlayUntilMessage late(0, 5.0f, controller->GetOwner());
    controller->HandleMessage(&late);
    EXPECT_FLOAT_EQ(controller->until, 1.0f);
    AnimationPlayUntilMessage early(0, -1.0f, controller->GetOwner());
    controller->HandleMessage(&early);
    EXPECT_FLOAT_EQ(controller->until, 0.0f);
    controller->Update(0.25f);
    EXPECT_FALSE(controller->playing);

    // Set-time poses at once: the tip bone stands two units above the root.
    AnimationSetTimeMessage setTime(0, 0.5f, true, controller->GetOwner());
    controller->HandleMessage(&setTime);
    EXPECT_FALSE(controller->playing);
    EXPECT_FLOAT_EQ(controller->time, 0.5f);
    EXPECT_NEAR(controller->GetBonePosition(1).y, 2.0f, 1e-5f);
    EXPECT_NEAR(controller->GetBonePosition(0).y, 0.0f, 1e-5f);

    // Played once until its end, an animation stops there and holds its last pose: no restart,
    // no swap back to "Idle", however long it is left.
    controller->HandleMessage(&same);
    controller->HandleMessage(&wave);
    controller->HandleMessage(&late);
    for (int frame = 0; frame < 4; ++frame)
        controller->Update(0.4f);
    EXPECT_FALSE(controller->playing);
    EXPECT_EQ(controller->GetCurrentAnimation()->name, "Wave");
    EXPECT_GT(controller->time, 1.0f);
    EXPECT_EQ(QueuedMessages(*messages).size(), 0u);

    // Without a skeleton the controller stays inert and guards every message.
    auto* inert = Add<AnimationControllerComponent>(MakeObject(), "<A/>");
    inert->HandleMessage(&late);
    inert->HandleMessage(&setTime);
    inert->Update(1.0f);
    EXPECT_EQ(inert->GetCurrentAnimation(), nullptr);
    EXPECT_FALSE(inert->playUntil);
}
