#include "base/Error.h"
#include "cli/Commands.h"
#include "engine/PictureConvert.h"
#include "engine/RasterImage.h"
#include "engine/ReaderTable.h"
#include "engine/ResampleFilter.h"
#include "production/TResizeImageThread.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>

namespace fotoplex::cli {

namespace {

constexpr const char* kUsage =
    "Usage: fotoplex-cli convert SRC OUT [--quality Q] [--progressive]\n"
    "                            [--resample W H [--filter F]]\n"
    "                            [--box W H [--keep-aspect] [--filter F]]\n"
    "Reads SRC, resamples it to W x H when asked (W or H -1 keeps the aspect ratio;\n"
    "F is the filter's number 0-9 or its name, such as lanczos3 or \"fast linear\",\n"
    "default 5, Lanczos3) and writes OUT by its extension:\n"
    "  .jpg .jpeg  JPEG with quality Q (1-100, default 75)\n"
    "  .ppm        the pixels as binary PPM\n"
    "  .pbm        a 1-bit picture as binary PBM\n"
    "  .pgm        the alpha channel as binary PGM\n"
    "--box does what the gallery's resize worker does: the box values alone decide (with\n"
    "--keep-aspect a box at least as wide as high sets the width, else the height), and\n"
    "OUT gets JPEG data whatever its name, unless it ends in .ppm or .pbm.\n"
    "Exit status 3 when SRC could be read only in part (OUT is still written).\n";

struct ConvertOptions {
    std::string source;
    std::string output;
    int quality = 75;
    bool progressive = false;
    // Size changes are applied between reading and writing (see applySizeOptions).
    bool resample = false;
    std::int32_t resampleWidth = 0;
    std::int32_t resampleHeight = 0;
    std::optional<TResampleFilter> filter;
    bool box = false;
    std::int32_t boxWidth = 0;
    std::int32_t boxHeight = 0;
    bool keepAspect = false;
};

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Fills `options` from the words; on a mistake prints why and returns false.
bool parseOptions(const Args& args, ConvertOptions& options) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--progressive") {
            options.progressive = true;
        } else if (word == "--quality") {
            const auto value = i + 1 < args.size() ? parseInt(args[++i]) : std::nullopt;
            if (!value || *value < 1 || *value > 100) {
                std::cerr << "fotoplex-cli convert: --quality needs a number from 1 to 100\n";
                return false;
            }
            options.quality = *value;
        } else if (word == "--resample") {
            const auto width = i + 1 < args.size() ? parseInt(args[++i]) : std::nullopt;
            const auto height = i + 1 < args.size() ? parseInt(args[++i]) : std::nullopt;
            if (!width || !height) {
                std::cerr << "fotoplex-cli convert: --resample needs a width and a height "
                             "(-1 keeps the aspect ratio)\n";
                return false;
            }
            options.resample = true;
            options.resampleWidth = *width;
            options.resampleHeight = *height;
        } else if (word == "--box") {
            const auto width = i + 1 < args.size() ? parseInt(args[++i]) : std::nullopt;
            const auto height = i + 1 < args.size() ? parseInt(args[++i]) : std::nullopt;
            if (!width || !height) {
                std::cerr << "fotoplex-cli convert: --box needs a width and a height\n";
                return false;
            }
            options.box = true;
            options.boxWidth = *width;
            options.boxHeight = *height;
        } else if (word == "--keep-aspect") {
            options.keepAspect = true;
        } else if (word == "--filter") {
            const std::string text = i + 1 < args.size() ? args[++i] : std::string();
            options.filter = parseResampleFilter(text);
            if (!options.filter) {
                std::cerr << "fotoplex-cli convert: unknown filter '" << text
                          << "' (0-9, or None, Triangle, Hermite, Bell, BSpline, Lanczos3, "
                             "Mitchell, Nearest, Linear, Fast Linear)\n";
                return false;
            }
        } else if (word.size() > 1 && word[0] == '-') {
            std::cerr << "fotoplex-cli convert: unknown option '" << word << "'\n";
            return false;
        } else {
            positional.push_back(word);
        }
    }
    if (options.box && options.resample) {
        std::cerr << "fotoplex-cli convert: --box and --resample do not go together\n";
        return false;
    }
    if (options.filter && !options.resample && !options.box) {
        std::cerr << "fotoplex-cli convert: --filter goes with --resample or --box\n";
        return false;
    }
    if (options.keepAspect && !options.box) {
        std::cerr << "fotoplex-cli convert: --keep-aspect goes with --box\n";
        return false;
    }
    if (positional.size() != 2) {
        std::cerr << kUsage;
        return false;
    }
    options.source = positional[0];
    options.output = positional[1];
    return true;
}

// --resample W H [--filter F] is exactly one Resample call, Lanczos3 unless told otherwise.
void applySizeOptions(const ConvertOptions& options, RasterImage& image) {
    if (options.box) {
        resizeIntoBox(image, options.boxWidth, options.boxHeight, options.keepAspect,
                      options.filter.value_or(rfLanczos3));
    }
    if (options.resample) {
        image.Resample(options.resampleWidth, options.resampleHeight,
                       options.filter.value_or(rfLanczos3));
    }
}

bool writeNetpbm(const std::string& path, const char* magic, const Picture& picture,
                 const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw cannotCreateFile(path, errno);
    }
    out << magic << '\n' << picture.width << ' ' << picture.height << '\n';
    if (std::string(magic) != "P4") {
        out << "255\n";
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// PBM stores 1 for black; our 1-bit pictures store 1 for white.
std::vector<std::uint8_t> pbmBits(const Picture& picture) {
    std::vector<std::uint8_t> bits(picture.pixels);
    for (std::uint8_t& byte : bits) {
        byte = static_cast<std::uint8_t>(~byte);
    }
    return bits;
}

// Writes the picture by the output's extension; returns an exit status.
int writeOutput(const ConvertOptions& options, RasterImage& image) {
    const std::string extension = lowerCaseExtension(options.output);
    const Picture& picture = image.picture();
    const bool raw = extension == ".ppm" || extension == ".pbm";
    if (options.box && !raw) {
        writeJpegOutput(image, options.output, options.quality, options.progressive);
        return kExitOk;
    }
    if (extension == ".jpg" || extension == ".jpeg") {
        image.FileParams.Quality = options.quality;
        image.FileParams.Progressive = options.progressive;
        image.WriteJpegFile(options.output);
        return kExitOk;
    }
    bool written = false;
    if (extension == ".ppm") {
        written = writeNetpbm(options.output, "P6", picture, widenToRgb(picture).pixels);
    } else if (extension == ".pbm") {
        if (picture.format != PixelFormat::Bilevel) {
            std::cerr << "fotoplex-cli convert: " << options.source
                      << " is not a 1-bit picture; .pbm needs one\n";
            return kExitError;
        }
        written = writeNetpbm(options.output, "P4", picture, pbmBits(picture));
    } else if (extension == ".pgm") {
        if (picture.alpha.empty()) {
            std::cerr << "fotoplex-cli convert: " << options.source
                      << " has no alpha channel for .pgm\n";
            return kExitError;
        }
        written = writeNetpbm(options.output, "P5", picture, picture.alpha);
    } else {
        std::cerr << "fotoplex-cli convert: cannot write '" << extension
                  << "' files (use .jpg, .jpeg, .ppm, .pbm or .pgm)\n";
        return kExitUsage;
    }
    if (!written) {
        std::cerr << "fotoplex-cli convert: writing " << options.output << " failed\n";
        return kExitError;
    }
    return kExitOk;
}

} // namespace

// fotoplex-cli convert SRC OUT [--quality Q] [--progressive] [--resample W H [--filter F]]
int runConvertCommand(const Args& args) {
    if (!args.empty() && args[0] == "--help") {
        std::cout << kUsage;
        return kExitOk;
    }
    ConvertOptions options;
    if (!parseOptions(args, options)) {
        return kExitUsage;
    }
    try {
        RasterImage image;
        image.ReadPictureFile(options.source);
        if (image.FileParams.Format == FileFormat::Unknown) {
            std::cerr << "fotoplex-cli convert: cannot read " << options.source
                      << ": not a picture in a format this program reads"
                      << (image.IncompleteReason.empty() ? "" : " (" + image.IncompleteReason + ")")
                      << "\n";
            return kExitError;
        }
        const bool partial = image.Incomplete;
        applySizeOptions(options, image);
        const int status = writeOutput(options, image);
        if (status == kExitOk && partial) {
            std::cerr << "fotoplex-cli convert: warning: " << options.source
                      << " is damaged or cut short ("
                      << (image.IncompleteReason.empty() ? "damaged data" : image.IncompleteReason)
                      << "); wrote what could be read\n";
            return kExitIncomplete;
        }
        return status;
    } catch (const Error& error) {
        std::cerr << "fotoplex-cli convert: " << error.what() << "\n";
        return kExitError;
    }
}

} // namespace fotoplex::cli
