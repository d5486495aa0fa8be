#pragma once

#include "NulTerminated.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

// A module loaded in the process, as its handle value. 0 is never a loaded module.
using ModuleHandle = std::uintptr_t;

// What a sub-block query finds inside a version resource.
struct VersionValue {
    // The value's bytes where the resource holds them, up to the end of the node that holds it
    // (or of the resource). Nothing outside the resource is ever covered.
    std::span<const std::byte> bytes;
    // The length as Windows reports it: UTF-16 units counting the NUL for a string, bytes for a
    // binary value, 0 for a block that only has children.
    std::uint32_t length = 0;
};

// The version-resource functions the tool uses, with the inputs and results of their Windows
// counterparts (GetModuleHandleW, GetModuleFileNameW, GetFileVersionInfoSizeW,
// GetFileVersionInfoW, VerQueryValueW).
class VersionResources {
public:
    virtual ~VersionResources() = default;

    // The handle of a module already loaded in the process; 0 when there is none of that name.
    [[nodiscard]] virtual ModuleHandle
    ModuleHandleOf(const platform::NulTerminated& moduleName) noexcept = 0;

    // The program's own module, as GetModuleHandleW(NULL) names it; 0 when it is not known.
    [[nodiscard]] virtual ModuleHandle RunningModule() noexcept = 0;

    // Writes the module's full path and a NUL into `buffer`; returns the characters written
    // without the NUL, 0 on failure. A path that does not fit is cut and the buffer's size is
    // returned.
    [[nodiscard]] virtual std::uint32_t ModuleFileName(ModuleHandle module,
                                                       std::span<wchar_t> buffer) noexcept = 0;

    // How many bytes reading the file's version resource needs; 0 when the file has none, cannot
    // be read, or does not exist.
    [[nodiscard]] virtual std::uint32_t
    VersionResourceSize(const platform::NulTerminated& fileName) noexcept = 0;

    // Reads the file's version resource (the VS_VERSIONINFO block) into `data`, cut to its size.
    [[nodiscard]] virtual bool ReadVersionResource(const platform::NulTerminated& fileName,
                                                   std::span<std::byte> data) noexcept = 0;

    // Finds a sub-block of a resource read by ReadVersionResource: "\" for the fixed record,
    // "\VarFileInfo\Translation", "\StringFileInfo\040904E4\ProductName". Path parts are split
    // at '\', empty parts skipped; keys match whole and without regard to case. On failure the
    // value is empty with length 0.
    [[nodiscard]] virtual bool QueryVersionValue(std::span<const std::byte> data,
                                                 const platform::NulTerminated& subBlock,
                                                 VersionValue& value) noexcept = 0;
};

} // namespace platform
