// The orbit: reading it, advancing theta at its speed, where it puts its object in each
// perspective, the centre and distance messages, and what a missing centre element means.
#include "Core/Components/OrbitComponent.h"
#include "Core/Messages/Object/SetOrbitAroundMessage.h"
#include "Core/Messages/Object/SetOrbitDistanceMessage.h"
#include "Math/MathUtils.h"
#include "tests/Support/MountWorld.h"
#include <cmath>
#include <gtest/gtest.h>

namespace
{
// An orbit element: spherical coordinate (perspective, radius, phi, theta), centre, speed.
std::string OrbitXml(int perspective, const std::string& centre, f32 speed)
{
    return "<OrbitComponent><orbit perspective=\"" + std::to_string(perspective) +
           "\" radius=\"2\" phi=\"90\" theta=\"0\"/>" + centre + "<speed>" + std::to_string(speed) +
           "</speed></OrbitComponent>";
}
} // namespace

class OrbitTest : public MountWorld
{
protected:
    GameObject* Orbiter(int perspective, const std::string& centre, f32 speed)
    {
        return Build("Wisp", TransformAt(0.0f, 0.0f, 0.0f) + OrbitXml(perspective, centre, speed));
    }
};

TEST_F(OrbitTest, ThetaAdvancesAtItsSpeedAndTheObjectRidesTheCircle)
{
    GameObject* wisp = Orbiter(3, "<centre X=\"0\" Y=\"0\" Z=\"0\"/>", 90.0f);
    OrbitComponent* orbit = Find<OrbitComponent>(wisp);
    TransformComponent* transform = Find<TransformComponent>(wisp);
    for (int step = 0; step < 10; ++step)
        orbit->Update(0.1f);
    EXPECT_NEAR(orbit->GetOrbit().theta, Math::HALF_PI, 1e-5f);
    const Math::Point4& at = transform->position;
    EXPECT_NEAR(std::sqrt(at.x * at.x + at.y * at.y + at.z * at.z), 2.0f, 1e-5f);
    EXPECT_NEAR(at.y, 0.0f, 1e-5f) << "in the plane phi = pi/2";
    EXPECT_NEAR(at.x, 2.0f, 1e-5f);
    EXPECT_EQ(at.w, 1.0f);

    // A full turn and a half in one update wraps once: theta ends at pi.
    orbit->GetOrbit().theta = 0.0f;
    orbit->SetSpeed(360.0f * Math::DEG_TO_RAD);
    orbit->Update(1.5f);
    EXPECT_NEAR(orbit->GetOrbit().theta, Math::PI, 1e-5f);
}

TEST_F(OrbitTest, MessagesMoveTheCentreAndChangeTheDistance)
{
    GameObject* wisp = Orbiter(3, "<centre X=\"1\" Y=\"1\" Z=\"1\"/>", 0.0f);
    OrbitComponent* orbit = Find<OrbitComponent>(wisp);
    SetOrbitAroundMessage around(0, Math::Vector4(10.0f, 0.0f, 0.0f, 1.0f),
                                 Math::Vector4(0.0f, 1.0f, 0.0f, 0.0f), wisp->GetId());
    wisp->HandleMessage(&around);
    EXPECT_EQ(orbit->GetOrbit().radius, 2.0f);
    EXPECT_NEAR(orbit->GetOrbit().phi, Math::HALF_PI, 1e-6f);
    orbit->Update(0.0f);
    EXPECT_EQ(Find<TransformComponent>(wisp)->position, Math::Point4(10.0f, 0.0f, 2.0f, 1.0f));

    SetOrbitDistanceMessage distance(0, 5.0f, wisp->GetId());
    wisp->HandleMessage(&distance);
    orbit->Update(0.0f);
    EXPECT_EQ(Find<TransformComponent>(wisp)->position, Math::Point4(10.0f, 0.0f, 5.0f, 1.0f));
}

TEST_F(OrbitTest, PerspectiveOneStaysAtTheCentreAndAMissingCentreIsTheOrigin)
{
    GameObject* still = Orbiter(1, "<centre X=\"3\" Y=\"4\" Z=\"5\"/>", 45.0f);
    Find<OrbitComponent>(still)->Update(0.5f);
    EXPECT_EQ(Find<TransformComponent>(still)->position, Math::Point4(3.0f, 4.0f, 5.0f, 1.0f));

    // The elements are positional: without a centre element the speed element is read as the
    // centre (it has no coordinates, so the centre is the origin) and no speed is left to read.
    GameObject* centred = Orbiter(3, "", 30.0f);
    const OrbitComponent* orbit = Find<OrbitComponent>(centred);
    EXPECT_EQ(orbit->GetOrbit().centre, Math::Point4(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(orbit->GetSpeed(), 0.0f);

    // Never read from XML: it stands still.
    GameObject* unread = Build("Wisp", TransformAt(0.0f, 0.0f, 0.0f) + "<OrbitComponent/>");
    OrbitComponent* idle = Find<OrbitComponent>(unread);
    idle->Update(1.0f);
    EXPECT_EQ(idle->GetOrbit().theta, 0.0f);
    EXPECT_EQ(idle->GetSpeed(), 0.0f);
}
