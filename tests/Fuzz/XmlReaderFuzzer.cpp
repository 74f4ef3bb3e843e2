// libFuzzer entry over the XML reader; see XmlReaderFuzzHarness.h.
#include "tests/Xml/Fuzz/XmlReaderFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunXmlReaderFuzzInput(data, size);
    return 0;
}
