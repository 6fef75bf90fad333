#pragma once
// The picture converter of the "个性化" page: any picture GDI+ can decode
// becomes a BMP file in the converter's folder.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace velmora {

enum PictureFormat : std::int32_t { PictureBmp = 1, PictureJpeg = 2, PictureGif = 3, PictureTiff = 4, PicturePng = 5 };

// Converts the bytes of a picture into the format through GDI+, which it
// starts and shuts down itself. 1 when converted bytes were produced: they
// go to *result and, when outputFile is not blank, also into that file (the
// format's extension appended unless the name already ends in it, in any
// letter case). 0 otherwise, with *result untouched and no file written.
// flatten makes the image opaque, white under its transparent parts.
int convertPicture(const std::vector<unsigned char>& picture, std::int32_t format,
                   const std::string& outputFile = {}, std::vector<unsigned char>* result = nullptr,
                   bool flatten = false);

// The converter's open-file dialog; its file name is the chosen picture and
// lasts for the whole run.
platform::OpenFileDialog& dialogPicture();

// Click handlers of "选择图片", "保存目录" and "转换".
void buttonPickPictureClicked();
void buttonPickFolderClicked();
void buttonConvertClicked();

}  // namespace velmora
