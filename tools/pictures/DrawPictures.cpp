// Draws the pictures of the executable's resources and writes them as .bmp and .ico files.
//
//   tools/draw-pictures            (builds this program and writes into src/ui/res/)
//   draw_pictures OUTPUT_FOLDER    (the program itself)
//
// The files are committed; a test draws them again in memory and compares, so change the
// drawing here, run the command and commit the files together with it.
#include "PictureFiles.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: draw_pictures OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        for (const pictures::PictureFile& file : pictures::DrawPictureFiles()) {
            std::ofstream out(folder / file.name, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<std::streamsize>(file.bytes.size()));
            if (!out.flush()) {
                std::cerr << "draw_pictures: cannot write " << (folder / file.name) << '\n';
                return 1;
            }
            std::cout << (folder / file.name).string() << '\n';
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "draw_pictures: " << error.what() << '\n';
        return 1;
    }
}
