#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

struct PictureFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// Every picture the executable's resources carry, encoded as the files the resource script
// names.
[[nodiscard]] std::vector<PictureFile> DrawPictureFiles();

} // namespace pictures
