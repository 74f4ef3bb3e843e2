#include "Math/Vector3.h"

#include <ostream>

namespace Math
{

std::ostream& operator<<(std::ostream& stream, const Vector3& v)
{
    return stream << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}

} // namespace Math
