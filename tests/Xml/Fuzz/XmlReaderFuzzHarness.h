#pragma once
// Feeds one input through the XML layer the way object definitions are read: the text is
// parsed as a file would be, every component element is read member by member with every kind
// of reader, the whole tree is walked with EnterElement and LeaveElement, and what was read is
// written out again. Shared by the libFuzzer target and the unit test that replays the saved
// corpus. Calls std::abort when a reader fails to make progress (a loop that would hang).
#include <cstddef>
#include <cstdint>

void RunXmlReaderFuzzInput(const std::uint8_t* data, std::size_t size);
