#include "filelist/PictureDialogs.h"

namespace fotoplex {

const std::vector<FileFilter>& sourcePictureFilters() {
    static const std::vector<FileFilter> filters = {
        {"Web Images (*.jpg; *.jpeg; *.gif; *.png)", "*.jpg;*.jpeg;*.jpe;*.gif;*.png"},
        {"JPEG Images (*.jpg; *.jpeg; *.jpe)", "*.jpg;*.jpeg;*.jpe"},
        {"GIF Images (*.gif)", "*.gif"},
        {"Portable Network Graphics (*.png)", "*.png"},
        {"TIFF Images (*.tif; *.tiff; *.fax)", "*.tif;*.tiff;*.fax"},
        {"Windows Bitmap (*.bmp; *.dib; *.rle)", "*.bmp;*.dib;*.rle"},
        {"PaintBrush (*.pcx)", "*.pcx"},
        {"Phone and Web Photos (*.heic; *.heif; *.avif; *.webp)", "*.heic;*.heif;*.avif;*.webp"},
        {"All Supported Image Formats",
         "*.jpg;*.jpeg;*.jpe;*.gif;*.pcx;*.bmp;*.dib;*.rle;*.png;*.tif;*.tiff;*.fax;"
         "*.heic;*.heif;*.hif;*.avif;*.webp;*.jp2;*.j2k;*.jpc;*.tga;*.targa;*.vda;*.icb;*.vst;"
         "*.win;*.ico;*.cur;*.pxm;*.ppm;*.pgm;*.pbm;*.pnm"},
        {"All Files (*.*)", "*.*"},
    };
    return filters;
}

const std::vector<FileFilter>& backgroundImageFilters() {
    static const std::vector<FileFilter> filters = {
        {"Web Images (*.jpg; *.jpeg; *.gif; *.png)", "*.jpg;*.jpeg;*.jpe;*.gif;*.png"},
        {"JPEG Images (*.jpg; *.jpeg; *.jpe)", "*.jpg;*.jpeg;*.jpe"},
        {"GIF Images (*.gif)", "*.gif"},
        {"Portable Network Graphics (*.png)", "*.png"},
        {"All Files (*.*)", "*.*"},
    };
    return filters;
}

PictureRequest selectImagesRequest(const std::string& sourceDir) {
    return PictureRequest{kSelectImagesTitle, sourceDir, sourcePictureFilters(), true};
}

PictureRequest backgroundImageRequest(const std::string& folder) {
    return PictureRequest{kSelectImagesTitle, folder, backgroundImageFilters(), false};
}

} // namespace fotoplex
