#pragma once
// Registration of the rendering subsystem's system classes with the system factory.
class SystemFactory;

namespace Graphics
{
void RegisterGraphics(SystemFactory& factory);
}
