// libFuzzer entry over the object reader: every input is read as an object definition by a
// real game object (ObjectReaderFuzzHarness.h) and walked by every XML reader
// (XmlReaderFuzzHarness.h).
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "ObjectReaderFuzzHarness.h"
#include "XmlReaderFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One engine for the whole run: its factory and component pools are reused by every input.
    static Engine engine;
    static const bool registered = (Core::RegisterCore(engine), true);
    (void)registered;
    RunObjectReaderFuzzInput(*engine.GetFactory(), data, size);
    RunXmlReaderFuzzInput(data, size);
    return 0;
}
