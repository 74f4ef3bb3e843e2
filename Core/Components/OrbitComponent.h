#pragma once
// Moves its object round a centre on a sphere: each rendering update advances the azimuth
// (theta) at a constant angular speed and puts the object's transform at the orbit's target
// point (the centre plus the spherical offset in perspective 3, the centre itself in
// perspective 1). The graphics system calls Update for every registered orbit.
//
// XML, three elements in order whatever their tags: the spherical coordinate (perspective,
// radius, phi and theta in degrees), the centre and the speed in degrees per second. The
// elements are positional: the centre starts from the origin at each read, and a definition
// that leaves the centre out has its speed element read in the centre's place (it holds no
// coordinates, so the centre is the origin) and no speed left to read. The speed starts at 0,
// so such an orbit, like one never read, stands still. Messages 10 (new centre, all four
// components; the axis is not used) and 11 (new radius) take effect at the next update.
// Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/SphericalCoordinate.h"
#include <string>

class OrbitComponent : public GameObjectComponent
{
public:
    // The system that drives the orbits, found by this name; it may not exist.
    static constexpr const char* SystemName = "GraphicsSystem";

    // phi pi/2, theta 0, radius 1, centre at the origin, perspective 3, speed 0; registered
    // with the graphics system when there is one.
    OrbitComponent();
    OrbitComponent(const OrbitComponent&) = delete;
    OrbitComponent& operator=(const OrbitComponent&) = delete;
    // Leaves the graphics system.
    ~OrbitComponent() override;

    QUILL_COMPONENT_TYPE(OrbitComponent)

    // Leaves the graphics system, so a shut-down orbit is never driven.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message* message) override;

    // theta += speed x seconds (one wrap step into [0, 2 pi)), then the owner's transform
    // moves to the target point with w = 1. An owner without a transform is not moved.
    void Update(f32 seconds);

    const Math::SphericalCoordinate& GetOrbit() const { return m_orbit; }
    Math::SphericalCoordinate& GetOrbit() { return m_orbit; }
    // Radians per second.
    f32 GetSpeed() const { return m_speed; }
    void SetSpeed(f32 radiansPerSecond) { m_speed = radiansPerSecond; }

private:
    Math::SphericalCoordinate m_orbit;
    f32 m_speed;
};

QUILL_DECLARE_TYPE_RECORD(OrbitComponent)
