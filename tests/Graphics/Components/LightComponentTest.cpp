// Light components: messages move their channels and radius, and what they write reads back as
// the same light. The renderer's pure choices (shadow camera, light-sphere culling, the sky's
// field of view) are checked here too, without a context.
#include "Core/Messages/Graphics/SetLightDiffuseToMessage.h"
#include "Core/Messages/Graphics/SetLightRadiusToMessage.h"
#include "Core/Messages/Graphics/SetLightSpecularToMessage.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/PointLightComponent.h"
#include "Graphics/Components/SpotLightComponent.h"
#include "Graphics/Rendering/DeferredRenderer.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <gtest/gtest.h>
#include <list>
#include <map>
#include <tinyxml2.h>

using Graphics::DeferredRenderer;
using Graphics::LightComponent;
using Graphics::PointLightComponent;
using Graphics::SpotLightComponent;

namespace
{
void Read(GameObjectComponent& component, const std::string& xml)
{
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
    Serializer::XmlReader reader(document.RootElement(), true);
    component.Deserialize(reader);
}

// Writes the component and reads the result into `into`; hands back the written XML.
std::string RoundTrip(GameObjectComponent& from, GameObjectComponent& into)
{
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("Light");
    document.InsertEndChild(root);
    Serializer::XmlWriter writer(document, root);
    from.Serialize(writer);
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    Read(into, printer.CStr());
    return printer.CStr();
}

void ExpectSameChannels(const LightComponent& a, const LightComponent& b)
{
    for (int i = 0; i < LightComponent::ChannelCount; ++i)
    {
        EXPECT_FLOAT_EQ(a.channels[i].min, b.channels[i].min) << "channel " << i;
        EXPECT_FLOAT_EQ(a.channels[i].max, b.channels[i].max) << "channel " << i;
        EXPECT_FLOAT_EQ(a.channels[i].value, b.channels[i].value) << "channel " << i;
        EXPECT_FLOAT_EQ(a.channels[i].rate, b.channels[i].rate) << "channel " << i;
        EXPECT_EQ(a.channels[i].stopAtMax, b.channels[i].stopAtMax) << "channel " << i;
    }
    EXPECT_EQ(a.IsShadowCaster(), b.IsShadowCaster());
}

const char* const PointLight = "<L><R min='0.2' max='0.8' value='0.5' rate='0.1' u='0' a='1' "
                               "b='0'/><G min='1' max='1' value='1'/><B/><SR/><SG/><SB/>"
                               "<DI min='4' max='4' value='4'/><SI/><Shadow>1</Shadow>"
                               "<Near min='0.5' max='0.5' value='0.5'/>"
                               "<Radius min='3' max='3' value='3'/></L>";
} // namespace

TEST(LightComponent, MessagesMoveTheColoursAndTheRadius)
{
    PointLightComponent light;
    SetLightDiffuseToMessage toOrange(0, Math::ColorRGBA(1.0f, 0.5f, 0.0f, 1.0f), 2.0f, 0);
    light.HandleMessage(&toOrange);
    light.Update(0.5f);
    light.Update(0.5f);
    EXPECT_NEAR(light.GetDiffuse().x, 0.5f, 1e-5f);
    EXPECT_NEAR(light.GetDiffuse().y, 0.25f, 1e-5f);
    EXPECT_NEAR(light.GetDiffuse().z, 0.0f, 1e-5f);
    for (int i = 0; i < 3; ++i)
        light.Update(1.0f);
    EXPECT_FLOAT_EQ(light.GetDiffuse().x, 1.0f) << "stays on the target";
    EXPECT_FLOAT_EQ(light.GetDiffuse().y, 0.5f);
    EXPECT_FLOAT_EQ(light.GetDiffuse().w, 1.0f);

    SetLightSpecularToMessage atOnce(0, Math::ColorRGBA(0.0f, 0.0f, 0.75f, 1.0f), 0.0f, 0);
    light.HandleMessage(&atOnce);
    EXPECT_FLOAT_EQ(light.GetSpecular().z, 0.75f) << "no duration: there at once";

    SetLightRadiusToMessage grow(0, 4.0f, 2.0f, 0);
    light.HandleMessage(&grow);
    light.Update(1.0f);
    EXPECT_NEAR(light.GetRadius(), 2.0f, 1e-5f);
    SetLightRadiusToMessage off(0, 0.0f, 5.0f, 0);
    light.HandleMessage(&off);
    EXPECT_EQ(light.GetRadius(), 0.0f) << "a radius of 0 is set at once";
    light.Update(1.0f);
    EXPECT_EQ(light.GetRadius(), 0.0f);

    SpotLightComponent spot;
    spot.range = 7.0f;
    SetLightRadiusToMessage ignored(0, 3.0f, 0.0f, 0);
    spot.HandleMessage(&ignored);
    EXPECT_EQ(spot.range, 7.0f) << "a spot light has no radius";
    ExpectSameChannels(spot, SpotLightComponent());
}

TEST(LightComponent, WrittenLightsReadBackTheSame)
{
    PointLightComponent point;
    Read(point, PointLight);
    EXPECT_TRUE(point.IsShadowCaster());
    EXPECT_FLOAT_EQ(point.GetDiffuseIntensity(), 4.0f);
    EXPECT_FLOAT_EQ(point.GetNearRadius(), 1.5f);
    PointLightComponent pointCopy;
    RoundTrip(point, pointCopy);
    ExpectSameChannels(point, pointCopy);
    EXPECT_FLOAT_EQ(pointCopy.GetRadius(), 3.0f);
    EXPECT_FLOAT_EQ(pointCopy.GetNearRadius(), 1.5f);

    SpotLightComponent spot;
    Read(spot, "<L><R/><G/><B/><SR/><SG/><SB/><DI/><SI/><Shadow>0</Shadow>"
               "<A>30</A><C>60</C><T>2</T><Range>12</Range></L>");
    EXPECT_NEAR(spot.coneAngle, Math::PI / 3.0f, 1e-6f);
    SpotLightComponent spotCopy;
    const std::string written = RoundTrip(spot, spotCopy);
    EXPECT_NE(written.find(">30<"), std::string::npos) << written;
    EXPECT_NE(written.find(">60<"), std::string::npos) << written;
    EXPECT_FLOAT_EQ(spotCopy.firstAngle, spot.firstAngle);
    EXPECT_FLOAT_EQ(spotCopy.coneAngle, spot.coneAngle);
    EXPECT_FLOAT_EQ(spotCopy.thirdValue, 2.0f);
    EXPECT_FLOAT_EQ(spotCopy.range, 12.0f);
    EXPECT_FALSE(spotCopy.IsShadowCaster()) << "the flag starts false and reads back false";
}

namespace
{
std::map<u32, const Graphics::CameraComponent*> g_cameras;

const Graphics::CameraComponent* CameraOf(u32 objectId)
{
    const auto found = g_cameras.find(objectId);
    return found != g_cameras.end() ? found->second : nullptr;
}
} // namespace

TEST(DeferredRenderer, TheFirstShadowCasterLendsItsCameraToTheShadowPass)
{
    Graphics::CameraComponent active;
    Graphics::CameraComponent first;
    Graphics::CameraComponent second;
    SpotLightComponent plain;
    SpotLightComponent caster;
    SpotLightComponent laterCaster;
    SpotLightComponent casterWithoutCamera;
    plain.SetOwner(1);
    caster.SetOwner(2);
    laterCaster.SetOwner(3);
    casterWithoutCamera.SetOwner(4);
    caster.shadowCaster = laterCaster.shadowCaster = casterWithoutCamera.shadowCaster = true;
    g_cameras = {{1, &active}, {2, &first}, {3, &second}};

    using List = std::list<GameObjectComponent*>;
    EXPECT_EQ(DeferredRenderer::ChooseShadowCamera(List{}, &active, &CameraOf), &active);
    EXPECT_EQ(DeferredRenderer::ChooseShadowCamera(List{&plain}, &active, &CameraOf), &active)
        << "no caster: the active camera";
    EXPECT_EQ(DeferredRenderer::ChooseShadowCamera(List{}, nullptr, &CameraOf), nullptr);
    EXPECT_EQ(DeferredRenderer::ChooseShadowCamera(List{&plain, &caster, &laterCaster}, &active,
                                                   &CameraOf),
              &first)
        << "only the first caster counts";
    EXPECT_EQ(DeferredRenderer::ChooseShadowCamera(List{&casterWithoutCamera, &caster}, &active,
                                                   &CameraOf),
              nullptr)
        << "a caster without a camera leaves the map cleared";
    g_cameras.clear();
}

TEST(DeferredRenderer, LightSpheresSkyAndQuadsFollowTheirFormulas)
{
    EXPECT_FALSE(DeferredRenderer::SeesLightFromInside(10.0f, 1.0f, 5.0f));
    EXPECT_TRUE(DeferredRenderer::SeesLightFromInside(6.0f, 1.0f, 5.0f)) << "on the boundary";
    EXPECT_TRUE(DeferredRenderer::SeesLightFromInside(2.0f, 1.0f, 5.0f));
    EXPECT_NEAR(DeferredRenderer::SkyboxFieldOfView(1024.0f, 1.0f), 44.944f, 1e-3f);
    const Math::Matrix4 quad = DeferredRenderer::QuadMatrix(0.0f, 0.0f, 1.0f, 1.0f);
    const Math::Vector4 corner = quad * Math::Vector4(-0.5f, -0.5f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(corner.x, 0.0f) << "the unit quad fills the 0-1 square";
    EXPECT_FLOAT_EQ((quad * Math::Vector4(0.5f, 0.5f, 0.0f, 1.0f)).y, 1.0f);
}
