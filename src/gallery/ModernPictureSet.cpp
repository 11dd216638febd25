#include "gallery/ModernPictureSet.h"

#include "engine/PictureCaption.h"
#include "engine/RasterImage.h"
#include "gallery/ModernPageText.h"
#include "gallery/PageNames.h"
#include "gallery/UrlEncoding.h"
#include "production/OutputNames.h"
#include "production/OutputNaming.h"
#include "production/PictureNaming.h"
#include "production/SourceFiles.h"
#include "project/TProject.h"

namespace fotoplex {

namespace {

int entryNumber(const std::vector<std::string>& list, std::size_t k) {
    try {
        return k < list.size() ? std::stoi(list[k]) : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

PageFile pageFile(const TProject& project, const std::string& path, int width, int height) {
    const std::string relative = RelativeToTarget(project, path);
    return {UrlInPage(relative), relative, width, height};
}

PageFile listedFile(const TProject& project, const std::string& path, const SizeLists& sizes,
                    std::size_t k) {
    return pageFile(project, path, entryNumber(sizes.widths, k), entryNumber(sizes.heights, k));
}

// The sharp version beside a file, when one was made and it is larger.
std::optional<PageFile> sharpFile(const TProject& project, RasterImage& reader,
                                  const PageFile& plain, const std::string& path) {
    const std::string sharp = SharpFilePath(path);
    reader.FileParams.Format = FileFormat::Unknown;
    reader.ReadFileHeader(sharp);
    if (reader.FileParams.Format == FileFormat::Unknown || reader.FileParams.Width <= plain.width ||
        plain.width <= 0) {
        return std::nullopt;
    }
    return pageFile(project, sharp, reader.FileParams.Width, reader.FileParams.Height);
}

std::optional<std::string> captionOf(const std::string& source, const std::string& image) {
    const std::string readable = ResolveSourcePath(source);
    if (HasJpegExtension(readable)) {
        return ReadJpegCaption(readable);
    }
    // Other formats: what the picture made from it carries, when it is a JPEG.
    return ReadJpegCaption(image);
}

} // namespace

std::vector<ModernPicture> GatherModernPictures(const TProject& project,
                                                const ProgramState& state) {
    const OutputNames names = OutputNames::For(project);
    const TableSize table = ShownTableSize(project);
    const std::size_t perPage = static_cast<std::size_t>(table.rows) * table.cols;
    RasterImage reader;
    std::vector<ModernPicture> pictures;
    pictures.reserve(project.Files.size());
    for (std::size_t k = 0; k < project.Files.size(); ++k) {
        const std::string& source = project.Files[k];
        ModernPicture picture;
        picture.pageName = names.pageName(k);
        picture.anchor = "photo-" + std::to_string(k + 1);
        picture.indexPage = static_cast<int>(k / perPage + 1);
        const std::string& thumbPath = names.thumbPath(k);
        picture.thumb = listedFile(project, thumbPath, state.thumbSizes, k);
        picture.sharpThumb = sharpFile(project, reader, picture.thumb, thumbPath);
        const std::string& imagePath = names.imagePath(k);
        picture.image = listedFile(project, imagePath, state.imageSizes, k);
        if (project.ResizeImages) {
            picture.sharpImage = sharpFile(project, reader, picture.image, imagePath);
        }
        picture.caption = captionOf(source, imagePath);
        picture.alt = AltText(picture.caption, source);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::string SourceSet(const PageFile& file, const PageFile& sharp) {
    // Hundredths in integers: the density must not follow a locale's decimal comma.
    const long hundredths =
        (sharp.width * 100L + file.width / 2) / (file.width > 0 ? file.width : 1);
    std::string density = std::to_string(hundredths / 100);
    if (hundredths % 100 != 0) {
        const long fraction = hundredths % 100;
        density += fraction < 10 ? ".0" : ".";
        density += std::to_string(fraction);
        while (density.back() == '0') {
            density.pop_back();
        }
    }
    // A comma would end a candidate early.
    const auto candidate = [](std::string reference) {
        for (std::size_t at = reference.find(','); at != std::string::npos;
             at = reference.find(',', at)) {
            reference.replace(at, 1, "%2C");
        }
        return reference;
    };
    return candidate(file.reference) + " 1x, " + candidate(sharp.reference) + " " + density + "x";
}

} // namespace fotoplex
