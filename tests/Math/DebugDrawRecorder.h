#pragma once
// Installs a debug-draw table that records every call instead of drawing, so tests can check
// what a shape or query draws, in which order and colour. Construct one per test; it restores
// the empty table when it goes out of scope.
#include "Math/ColorRGBA.h"
#include "Math/DebugDraw.h"
#include "Math/Shapes/AABB3.h"
#include "Math/Shapes/Capsule3.h"
#include "Math/Shapes/Cone3.h"
#include "Math/Shapes/Line3.h"
#include "Math/Shapes/OOB3.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Shapes/Rectangle3.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"

#include <string>
#include <vector>

namespace MathTest
{

struct DrawCall
{
    std::string kind;
    bool hasColour = false;
    Math::ColorRGBA colour;
    // The drawn point (points), the first end (segments) or the reference point (others).
    Math::Point4 first;
    // The second end of a segment.
    Math::Point4 second;
    // The grid size of a plane.
    float size = 0.0f;
};

class DebugDrawRecorder
{
public:
    DebugDrawRecorder()
    {
        Calls().clear();
        Math::DebugDrawTable table;
        table.point4 = [](const Math::Point4& p, const Math::ColorRGBA* c) { Add("point", c, p); };
        table.plane =
            [](const Math::Plane&, const Math::Point4* centre, const Math::ColorRGBA* c, float size)
        { Add("plane", c, centre ? *centre : Math::Point4(-1, -1, -1, -1)).size = size; };
        table.ray3 = [](const Math::Ray3& s, const Math::ColorRGBA* c) { Add("ray", c, s.origin); };
        table.line3 = [](const Math::Line3& s, const Math::ColorRGBA* c)
        { Add("line", c, s.point); };
        table.segment3 = [](const Math::Segment3& s, const Math::ColorRGBA* c)
        { Add("segment", c, s.p0).second = s.p1; };
        table.sphere3 = [](const Math::Sphere3& s, const Math::ColorRGBA* c)
        { Add("sphere", c, s.centre); };
        table.circle3 = [](const Math::Circle3& s, const Math::ColorRGBA* c)
        { Add("circle", c, s.centre); };
        table.rectangle3 = [](const Math::Rectangle3& s, const Math::ColorRGBA* c)
        { Add("rectangle", c, s.centre); };
        table.cone3 = [](const Math::Cone3& s, const Math::ColorRGBA* c)
        { Add("cone", c, s.GetPosition()); };
        table.capsule3 = [](const Math::Capsule3& s, const Math::ColorRGBA* c)
        { Add("capsule", c, s.GetPosition()); };
        table.oob3 = [](const Math::OOB3& s, const Math::ColorRGBA* c) { Add("oob", c, s.centre); };
        table.aabb3 = [](const Math::AABB3& s, const Math::ColorRGBA* c)
        { Add("aabb", c, s.GetPosition()); };
        Math::SetDebugDrawTable(table);
    }
    ~DebugDrawRecorder() { Math::ResetDebugDrawTable(); }
    DebugDrawRecorder(const DebugDrawRecorder&) = delete;
    DebugDrawRecorder& operator=(const DebugDrawRecorder&) = delete;

    const std::vector<DrawCall>& GetCalls() const { return Calls(); }

    std::vector<std::string> Kinds() const
    {
        std::vector<std::string> kinds;
        for (const DrawCall& call : Calls())
        {
            kinds.push_back(call.kind);
        }
        return kinds;
    }

private:
    static std::vector<DrawCall>& Calls()
    {
        static std::vector<DrawCall> calls;
        return calls;
    }

    static DrawCall& Add(const char* kind, const Math::ColorRGBA* colour, const Math::Point4& p)
    {
        DrawCall call;
        call.kind = kind;
        call.hasColour = colour != nullptr;
        if (colour)
        {
            call.colour = *colour;
        }
        call.first = p;
        Calls().push_back(call);
        return Calls().back();
    }
};

} // namespace MathTest
