// libFuzzer target: any bytes, read as a shortcut through the reader the tool uses on the files
// of the Startup folders.
#include "platform/ShellLinkReader.h"
#include "platform/Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    (void)platform::ReadShellLink(bytes, platform::FromWindows1252);
    return 0;
}
