// Covers: ParticleEmitterComponent and its shapes (CubeEmitterComponent, ...).
// The eight shapes: where particles are born and which way they fly, their keys written back
// as read (the base's EmissionDirection and the shape's own one both), and the shapes that set
// nothing.
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/Particles/CubeEmitterComponent.h"
#include "tests/Graphics/Particles/ParticleWorld.h"
#include "tests/Support/TempFiles.h"
#include <fstream>
#include <gtest/gtest.h>

using namespace Graphics;
using namespace ParticleXml;

namespace
{
constexpr u32 ParticlesName = 200;

// A shape element: the base keys (a still pool of 200, born at once), then the shape's own.
std::string Shape(const std::string& type, const std::string& own,
                  const std::string& direction = "<EmissionDirection X=\"0\" Y=\"0\" Z=\"1\"/>")
{
    return "<" + type + "><ParticleData>Fire</ParticleData>" +
           Count(static_cast<f32>(ParticlesName), static_cast<f32>(ParticlesName)) + direction +
           own + "</" + type + ">";
}

struct Born
{
    Math::Point4 position;
    Math::Vector4 direction;
};

// The particles of a shape after one step; the components before it default to a transform.
std::vector<Born> Emit(ParticleWorld& w, const std::string& shape,
                       const std::string& before = Transform())
{
    GameObject* object = w.Make(before + Data("Fire", "Dot", 100.0f) + shape);
    auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(object);
    w.Step();
    std::vector<Born> born;
    const ParticlePool& pool = emitter->GetPool();
    for (u32 slot = 0; slot < pool.GetCapacity(); ++slot)
    {
        if (pool.IsAlive(slot))
        {
            const Particle particle = pool.Get(slot);
            born.push_back({particle.position, particle.direction});
        }
    }
    return born;
}

f32 Length(const Math::Vector4& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

std::string Written(GameObjectComponent& component)
{
    tinyxml2::XMLDocument document;
    GameObject::SerializeComponent(document, nullptr, component);
    tinyxml2::XMLPrinter printer(nullptr, true);
    document.Print(&printer);
    return printer.CStr();
}
} // namespace

TEST(EmitterShapes, CirclesSphereAndCylinderBearTheirRadiiAndDirections)
{
    ParticleWorld w;
    const std::string circle = "<Radius>2</Radius><RadiusFill>0.25</RadiusFill>";
    for (const Born& p : Emit(w, Shape("CircleEmitterComponent",
                                       circle + "<RadiusVariance>-1</RadiusVariance>"
                                                "<EmissionDirection>1</EmissionDirection>")))
    {
        EXPECT_GE(Length(p.position), 1.5f - 1e-4f);
        EXPECT_LE(Length(p.position), 2.0f + 1e-4f);
        EXPECT_NEAR(p.position.z, 0.0f, 1e-5f);
        EXPECT_GT(p.position.Dot(p.direction) - p.position.w * p.direction.w, 0.0f); // out
    }
    for (const Born& p : Emit(w, Shape("CircleEmitterComponent",
                                       circle + "<RadiusVariance>1</RadiusVariance>"
                                                "<EmissionDirection>-1</EmissionDirection>")))
    {
        EXPECT_GE(Length(p.position), 1.5f - 1e-4f);
        EXPECT_LE(Length(p.position), 2.5f + 1e-4f);
        EXPECT_LT(p.position.x * p.direction.x + p.position.y * p.direction.y, 0.0f); // in
    }
    for (const Born& p :
         Emit(w, Shape("SphereEmitterComponent", "<Radius>3</Radius><RadiusFill>0</RadiusFill>"
                                                 "<RadiusVariance>0</RadiusVariance>"
                                                 "<EmissionDirection>0</EmissionDirection>")))
    {
        EXPECT_NEAR(Length(p.position), 3.0f, 1e-4f);
        EXPECT_EQ(Length(p.direction), 0.0f); // "None": still unless pulled
    }
    // Height 0: every particle on the bottom circle.
    for (const Born& p :
         Emit(w, Shape("CylinderEmitterComponent",
                       "<RadiusBottom>1</RadiusBottom><RadiusTop>4</RadiusTop>"
                       "<RadiusFill>0</RadiusFill><RadiusVariance>0</RadiusVariance>"
                       "<Height>0</Height><EmissionDirection>1</EmissionDirection>")))
    {
        EXPECT_NEAR(Length(p.position), 1.0f, 1e-4f);
        EXPECT_NEAR(p.position.z, 0.0f, 1e-5f);
        EXPECT_NEAR(Length(p.direction), 1.0f, 1e-4f);
    }
    // A cylinder of height 2 tapers from 1 to 3 along its axis.
    for (const Born& p :
         Emit(w, Shape("CylinderEmitterComponent",
                       "<RadiusBottom>1</RadiusBottom><RadiusTop>3</RadiusTop>"
                       "<RadiusFill>0</RadiusFill><RadiusVariance>0</RadiusVariance>"
                       "<Height>2</Height><EmissionDirection>1</EmissionDirection>")))
    {
        EXPECT_NEAR(std::hypot(p.position.x, p.position.y), 1.0f + p.position.z, 1e-4f);
    }
}

TEST(EmitterShapes, SquaresLinesAndPointsBearTheirOutlinesAndDirections)
{
    ParticleWorld w;
    // A 2 x 4 outline across +Z: right is X, up is Y.
    for (const Born& p : Emit(w, Shape("SquareEmitterComponent",
                                       "<Width>2</Width><Height>4</Height><ScaleFill>0</ScaleFill>"
                                       "<ScaleVariance>0</ScaleVariance>"
                                       "<EmissionDirection>1</EmissionDirection>")))
    {
        const bool onSide = std::fabs(std::fabs(p.position.x) - 1.0f) < 1e-4f &&
                            std::fabs(p.position.y) <= 2.0f + 1e-4f;
        const bool onEnd = std::fabs(std::fabs(p.position.y) - 2.0f) < 1e-4f &&
                           std::fabs(p.position.x) <= 1.0f + 1e-4f;
        EXPECT_TRUE(onSide || onEnd) << p.position.x << ", " << p.position.y;
        EXPECT_NEAR(Length(p.direction), 1.0f, 1e-4f);
    }
    // A line of 3 along +Z sending particles along +X ("Standard", no variance), in world axes.
    const std::string line = "<LineDirection X=\"1\" Y=\"0\" Z=\"0\"/><LineLength>3</LineLength>"
                             "<EmissionCoordinateSystem>1</EmissionCoordinateSystem>";
    for (const Born& p :
         Emit(w, Shape("LineEmitterComponent", line + "<EmissionType>1</EmissionType>")))
    {
        EXPECT_NEAR(p.position.x, 0.0f, 1e-5f);
        EXPECT_GE(p.position.z, 0.0f);
        EXPECT_LE(p.position.z, 3.0f);
        EXPECT_EQ(p.direction, Math::Vector4(1, 0, 0, 0));
    }
    for (const Born& p :
         Emit(w, Shape("LineEmitterComponent", line + "<EmissionType>0</EmissionType>")))
        EXPECT_EQ(Length(p.direction), 0.0f);
    // A vertical line in the emitter's frame still has directions.
    for (const Born& p :
         Emit(w, Shape("LineEmitterComponent",
                       "<LineDirection X=\"0\" Y=\"0\" Z=\"1\"/><LineLength>1</LineLength>"
                       "<EmissionCoordinateSystem>0</EmissionCoordinateSystem>"
                       "<EmissionType>1</EmissionType>",
                       "<EmissionDirection X=\"0\" Y=\"1\" Z=\"0\"/>")))
        EXPECT_NEAR(Length(p.direction), 1.0f, 1e-4f);

    // A point reflecting its direction sends about half of its particles backwards.
    u32 backwards = 0;
    const std::vector<Born> point =
        Emit(w, Shape("PointEmitterComponent", "<DirectionReflect>1</DirectionReflect>"
                                               "<DirectionVariance X=\"0\" Y=\"0\" Z=\"0\"/>"));
    for (const Born& p : point)
    {
        EXPECT_NEAR(std::fabs(p.direction.z), 1.0f, 1e-5f);
        backwards += p.direction.z < 0.0f ? 1u : 0u;
    }
    EXPECT_GT(backwards, ParticlesName * 35 / 100);
    EXPECT_LT(backwards, ParticlesName * 65 / 100);
}

TEST(EmitterShapes, EveryShapeWritesBackWhatItReadIncludingBothEmissionDirections)
{
    ParticleWorld w;
    const std::string shapes[] = {
        Shape("PointEmitterComponent", "<DirectionReflect>1</DirectionReflect><DirectionVariance "
                                       "X=\"10\" Y=\"20\" Z=\"30\"/>"),
        Shape("CircleEmitterComponent",
              "<Radius>2</Radius><RadiusFill>0.5</RadiusFill><RadiusVariance>-1</RadiusVariance>"
              "<EmissionDirection>2</EmissionDirection><RadiusNormalVariance>15</"
              "RadiusNormalVariance>"
              "<RadiusDirectionVariance>5</RadiusDirectionVariance>"),
        Shape("LineEmitterComponent",
              "<LineDirection X=\"1\" Y=\"0\" Z=\"0\"/><LineLength>2</LineLength>"
              "<EmissionCoordinateSystem>1</EmissionCoordinateSystem><EmissionType>1</EmissionType>"
              "<DirectionVariance X=\"1\" Y=\"2\" Z=\"3\"/><DirectionReflect>0</DirectionReflect>"),
        Shape("SquareEmitterComponent",
              "<Width>1</Width><Height>2</Height><ScaleFill>0.5</ScaleFill>"
              "<ScaleVariance>1</ScaleVariance><EmissionDirection>-1</EmissionDirection>"),
        Shape("SphereEmitterComponent",
              "<Radius>1</Radius><RadiusFill>0</RadiusFill>"
              "<RadiusVariance>1</RadiusVariance><EmissionDirection>1</EmissionDirection>"),
        Shape("CylinderEmitterComponent",
              "<RadiusBottom>1</RadiusBottom><RadiusTop>2</RadiusTop><RadiusFill>0</RadiusFill>"
              "<RadiusVariance>0</RadiusVariance><Height>3</Height><EmissionDirection>1</"
              "EmissionDirection>"),
        Shape("MeshEmitterComponent",
              "<Mesh>Rock</Mesh><Interpolate>1</Interpolate><AttachToModel>0</AttachToModel>"),
    };
    for (const std::string& shape : shapes)
    {
        GameObject* first = w.Make(Transform() + shape);
        auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(first);
        const std::string written = Written(*emitter);
        GameObject* second = w.Make(Transform() + written);
        EXPECT_EQ(Written(*ParticleWorld::First<ParticleEmitterComponent>(second)), written);
        const std::size_t base = written.find("<EmissionDirection X=");
        EXPECT_NE(base, std::string::npos) << written;
        if (shape.find("<EmissionDirection>") != std::string::npos)
        {
            EXPECT_NE(written.find("<EmissionDirection>", base), std::string::npos) << written;
        }
    }
    // Point keeps its angles in degrees in the file.
    GameObject* point = w.Make(Transform() + shapes[0]);
    EXPECT_NE(Written(*ParticleWorld::First<ParticleEmitterComponent>(point))
                  .find("<DirectionVariance X=\"10\" Y=\"20\" Z=\"30\"/>"),
              std::string::npos);

    // A cube reads nothing: no pool, never filed, never emitting.
    GameObject* cube = w.Make(Transform() + Shape("CubeEmitterComponent", ""));
    auto* emitter = ParticleWorld::First<CubeEmitterComponent>(cube);
    ASSERT_NE(emitter, nullptr);
    EXPECT_EQ(emitter->GetPool().GetCapacity(), 0u);
    EXPECT_EQ(w.system->GetRegistered().count(cube->GetId()), 0u);
}

TEST(EmitterShapes, MeshesSampleTheirModelOrDefaultAndSetNothingWithout)
{
    ParticleWorld w;
    const std::string mesh = "<Mesh>Missing</Mesh><Interpolate>0</Interpolate>";
    // No model at all, not even "Default": nothing is set.
    for (const Born& p : Emit(w, Shape("MeshEmitterComponent", mesh)))
    {
        EXPECT_EQ(Length(p.position), 0.0f);
        EXPECT_EQ(Length(p.direction), 0.0f);
    }

    // One triangle with its normals along +Z, filed as "Default".
    TempFolder folder;
    ModelFile model;
    model.hasMesh = true;
    model.vertexCount = 3;
    model.triangleCount = 1;
    const f32 corners[3][3] = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}};
    for (const auto& corner : corners)
    {
        StaticVertex vertex{};
        std::copy(corner, corner + 3, vertex.position);
        vertex.normal[2] = 1.0f;
        const u08* bytes = reinterpret_cast<const u08*>(&vertex);
        model.vertices.insert(model.vertices.end(), bytes, bytes + sizeof(vertex));
    }
    model.indices = {0, 1, 2};
    const std::vector<u08> encoded = FbxBinWriter::Encode(model);
    std::ofstream(folder.Path("Default.fbxbin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(encoded.data()),
               static_cast<std::streamsize>(encoded.size()));
    ModelManager models;
    ModelParam param;
    param.path = folder.Path("Default.fbxbin");
    ASSERT_NE(models.Add("Default", param, 0), nullptr);

    for (const Born& p : Emit(w, Shape("MeshEmitterComponent", mesh)))
    {
        // On one of the three corners, flying along its normal.
        EXPECT_NEAR(p.position.x + p.position.y + p.position.z, 2.0f, 1e-5f);
        EXPECT_EQ(Length(p.position), 2.0f);
        EXPECT_EQ(p.direction, Math::Vector4(0, 0, 1, 0));
    }
    for (const Born& p :
         Emit(w, Shape("MeshEmitterComponent", "<Mesh>Missing</Mesh><Interpolate>1</Interpolate>")))
        EXPECT_NEAR(p.position.x + p.position.y + p.position.z, 2.0f, 1e-4f); // in the triangle
    // Attached to a model the object does not render, the shape sets nothing.
    for (const Born& p :
         Emit(w, Shape("MeshEmitterComponent", mesh + "<AttachToModel>1</AttachToModel>")))
        EXPECT_EQ(Length(p.position), 0.0f);

    // Attached to the model the object is drawn with (named "Rock", which is not loaded, so the
    // emitter's own mesh would be "Default" too). The owner's half turn about Y turns the corners
    // and the normals; its position does not move them.
    w.world.engine.GetFactory()->GetComponentFactory().Register<RenderComponent>(
        ComponentFactory::GraphicsPool);
    const std::string drawn = "<TransformComponent><position X=\"5\" Y=\"0\" Z=\"0\"/>"
                              "<orientation X=\"0\" Y=\"180\" Z=\"0\"/>"
                              "<scale X=\"1\" Y=\"1\" Z=\"1\"/></TransformComponent>"
                              "<RenderComponent><Model>Default</Model></RenderComponent>";
    const std::vector<Born> attached =
        Emit(w,
             Shape("MeshEmitterComponent", "<Mesh>Rock</Mesh><Interpolate>0</Interpolate>"
                                           "<AttachToModel>1</AttachToModel>"),
             drawn);
    ASSERT_FALSE(attached.empty());
    for (const Born& p : attached)
    {
        // (-2, 0, 0), (0, 2, 0) or (0, 0, -2), flying along -Z.
        EXPECT_NEAR(-p.position.x + p.position.y - p.position.z, 2.0f, 1e-5f);
        EXPECT_NEAR(Length(p.position), 2.0f, 1e-5f);
        EXPECT_EQ(p.position.w, 0.0f);
        EXPECT_NEAR(p.direction.x, 0.0f, 1e-5f);
        EXPECT_NEAR(p.direction.z, -1.0f, 1e-5f);
    }
}
