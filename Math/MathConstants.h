#pragma once
// Constants of the math library beyond the scalar ones in MathUtils.h: the origin, the axes,
// gravity, the identity and zero matrices and quaternions, the coordinate planes, the fallback
// ray and the six axis-aligned spherical coordinates. All are constant-initialised, so they
// hold their values from program start, static initialisers included.
#include "Math/MathUtils.h"
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Ray3.h"
#include "Math/SphericalCoordinate.h"

namespace Math
{

inline constexpr Point4 ORIGIN(0.0f, 0.0f, 0.0f, 1.0f);
inline constexpr Vector4 AXIS_X(1.0f, 0.0f, 0.0f, 0.0f);
inline constexpr Vector4 AXIS_Y(0.0f, 1.0f, 0.0f, 0.0f);
inline constexpr Vector4 AXIS_Z(0.0f, 0.0f, 1.0f, 0.0f);
// Metres per second squared, downwards.
inline constexpr Vector4 GRAVITY(0.0f, -9.81f, 0.0f, 0.0f);

inline constexpr Matrix4 MATRIX4_IDENTITY(false);
// All zeros: also the result of a failed Matrix4::Inverse.
inline constexpr Matrix4 MATRIX4_ZERO(true);

inline constexpr Quaternion QUATERNION_ZERO(0.0f, 0.0f, 0.0f, 0.0f);
inline constexpr Quaternion QUATERNION_IDENTITY(1.0f, 0.0f, 0.0f, 0.0f);

inline const Plane PLANE_XY(0.0f, 0.0f, 1.0f, 0.0f);
// The ground plane.
inline const Plane PLANE_XZ(0.0f, 1.0f, 0.0f, 0.0f);
inline const Plane PLANE_YZ(1.0f, 0.0f, 0.0f, 0.0f);

// The ray used when there is no cursor.
inline const Ray3 RAY_X(ORIGIN, AXIS_X);

// First-person coordinates of radius 1 at the origin, looking along each axis.
inline constexpr SphericalCoordinate SPHERICAL_POS_X(HALF_PI, HALF_PI, 1.0f, ORIGIN,
                                                     SphericalCoordinate::FIRST_PERSON);
inline constexpr SphericalCoordinate SPHERICAL_NEG_X(HALF_PI, THREE_HALVES_PI, 1.0f, ORIGIN,
                                                     SphericalCoordinate::FIRST_PERSON);
inline constexpr SphericalCoordinate SPHERICAL_POS_Y(SphericalCoordinate::PHI_MIN, 0.0f, 1.0f,
                                                     ORIGIN, SphericalCoordinate::FIRST_PERSON);
inline constexpr SphericalCoordinate SPHERICAL_NEG_Y(PI - SphericalCoordinate::PHI_MIN, 0.0f, 1.0f,
                                                     ORIGIN, SphericalCoordinate::FIRST_PERSON);
inline constexpr SphericalCoordinate SPHERICAL_POS_Z(HALF_PI, 0.0f, 1.0f, ORIGIN,
                                                     SphericalCoordinate::FIRST_PERSON);
inline constexpr SphericalCoordinate SPHERICAL_NEG_Z(HALF_PI, PI, 1.0f, ORIGIN,
                                                     SphericalCoordinate::FIRST_PERSON);

} // namespace Math
