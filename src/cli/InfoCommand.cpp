#include "cli/Commands.h"
#include "engine/RasterImage.h"

#include <iostream>

namespace fotoplex::cli {

// fotoplex-cli info FILE...: one line per file from its header:
// path, format, width, height, horizontal and vertical dots per inch, tab-separated; the size is
// the upright one, and a file stored turned or mirrored adds "orientation N".
int runInfoCommand(const Args& args) {
    if (args.empty() || args[0] == "--help") {
        (args.empty() ? std::cerr : std::cout)
            << "Usage: fotoplex-cli info FILE...\n"
               "Prints path, format, width, height, resx, resy for each file, tab-separated.\n"
               "The size is the upright one; a picture stored turned or mirrored adds\n"
               "'orientation N' (EXIF numbering, 2 to 8).\n";
        return args.empty() ? kExitUsage : kExitOk;
    }
    RasterImage image;
    for (const std::string& path : args) {
        image.ReadFileHeader(path);
        const TFileParams& p = image.FileParams;
        const bool known = p.Format != FileFormat::Unknown;
        std::cout << path << '\t' << fileFormatName(p.Format) << '\t' << (known ? p.Width : 0)
                  << '\t' << (known ? p.Height : 0) << '\t' << (known ? p.ResolutionX : 0) << '\t'
                  << (known ? p.ResolutionY : 0);
        if (known && p.Orientation != 1) {
            std::cout << "\torientation " << p.Orientation;
        }
        std::cout << '\n';
    }
    return kExitOk;
}

} // namespace fotoplex::cli
