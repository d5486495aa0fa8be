#include "PictureFiles.h"

#include "AppPicture.h"
#include "BmpFile.h"
#include "Flags.h"
#include "IcoFile.h"

namespace pictures {

std::vector<PictureFile> DrawPictureFiles()
{
    std::vector<PictureFile> files;
    files.push_back({"flag_eng.bmp", EncodeBmp24(DrawEnglishFlag(FlagLook::Plain))});
    files.push_back({"flag_eng_hl.bmp", EncodeBmp24(DrawEnglishFlag(FlagLook::Highlighted))});
    files.push_back({"flag_hun.bmp", EncodeBmp24(DrawHungarianFlag(FlagLook::Plain))});
    files.push_back({"flag_hun_hl.bmp", EncodeBmp24(DrawHungarianFlag(FlagLook::Highlighted))});
    files.push_back({"app_64.bmp", EncodeBmp24(DrawAppPicture(AppPictureSize::Large, kWhite))});
    files.push_back({"app_16.bmp", EncodeBmp24(DrawAppPicture(AppPictureSize::Small, kWhite))});
    files.push_back(
        {"tolvan.ico", EncodeIco8({DrawAppPicture(AppPictureSize::Small, kTransparent),
                                   DrawAppPicture(AppPictureSize::Medium, kTransparent)})});
    return files;
}

} // namespace pictures
