// fotoplex-cli convert --resample W H [--filter F]: one Resample call between reading and
// writing, the same as calling it on a RasterImage directly.
#include "CliRunner.h"
#include "engine/PictureConvert.h"
#include "engine/RasterImage.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace fotoplex {
namespace {

using testing::runCli;

std::string fixture(const std::string& name) {
    return std::string(FOTOPLEX_TEST_DATA) + "/" + name;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The binary PPM the CLI writes for a picture.
std::string expectedPpm(const Picture& picture) {
    const Picture rgb = widenToRgb(picture);
    std::string out =
        "P6\n" + std::to_string(rgb.width) + " " + std::to_string(rgb.height) + "\n255\n";
    out.append(rgb.pixels.begin(), rgb.pixels.end());
    return out;
}

Picture resampledDirectly(const std::string& source, int width, int height,
                          TResampleFilter filter) {
    RasterImage image;
    image.ReadPictureFile(source);
    image.Resample(width, height, filter);
    return image.picture();
}

class ConvertResample : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder = std::filesystem::path(FOTOPLEX_BINARY_DIR) / "test-tmp" /
                 ("resample-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string file(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST_F(ConvertResample, WritesWhatOneResampleCallGives) {
    const std::string source = fixture("png/rgb8.png"); // 23 x 17
    struct Case {
        std::vector<std::string> options;
        int width;
        int height;
        TResampleFilter filter;
    };
    const Case cases[] = {
        {{"--resample", "40", "9"}, 40, 9, rfLanczos3}, // Lanczos3 unless told otherwise
        {{"--resample", "10", "-1", "--filter", "fast linear"}, 10, -1, rfFastLinear},
        {{"--filter", "Mitchell", "--resample", "-1", "30"}, -1, 30, rfMitchell},
        {{"--resample", "7", "5", "--filter", "0"}, 7, 5, rfNone},
        {{"--resample", "-1", "-1", "--filter", "BSPLINE"}, -1, -1, rfBSpline},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = {"convert", source, file("out.ppm")};
        words.insert(words.end(), c.options.begin(), c.options.end());
        const auto run = runCli(words);
        ASSERT_EQ(run.status, 0) << run.out;
        EXPECT_EQ(slurp(file("out.ppm")),
                  expectedPpm(resampledDirectly(source, c.width, c.height, c.filter)))
            << c.options[1];
    }
    // 23 x 17 with (10, -1): 10 x 7, the height following the aspect ratio.
    runCli({"convert", source, file("aspect.ppm"), "--resample", "10", "-1"});
    EXPECT_EQ(slurp(file("aspect.ppm")).rfind("P6\n10 7\n255\n", 0), 0u);
}

TEST_F(ConvertResample, BilevelPicturesStayBilevelOnlyWithNone) {
    const std::string source = fixture("tiff/bilevel-g4.tif");
    ASSERT_EQ(
        runCli({"convert", source, file("none.pbm"), "--resample", "46", "34", "--filter", "None"})
            .status,
        0);
    EXPECT_EQ(slurp(file("none.pbm")).rfind("P4\n46 34\n", 0), 0u);
    const auto grey =
        runCli({"convert", source, file("grey.pbm"), "--resample", "46", "34", "--filter", "1"});
    EXPECT_EQ(grey.status, 1);
    EXPECT_NE(grey.out.find("not a 1-bit picture"), std::string::npos);
}

TEST_F(ConvertResample, RefusesBadSizesAndFilters) {
    const std::string source = fixture("png/rgb8.png");
    const std::string out = file("x.ppm");
    const auto badFilter =
        runCli({"convert", source, out, "--resample", "5", "5", "--filter", "bicubic"});
    EXPECT_EQ(badFilter.status, 2);
    EXPECT_NE(badFilter.out.find("unknown filter 'bicubic'"), std::string::npos);
    EXPECT_EQ(runCli({"convert", source, out, "--resample", "5", "5", "--filter", "10"}).status, 2);
    EXPECT_EQ(runCli({"convert", source, out, "--resample", "5"}).status, 2);
    EXPECT_EQ(runCli({"convert", source, out, "--resample", "5", "x"}).status, 2);
    EXPECT_EQ(runCli({"convert", source, out, "--filter", "5"}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
} // namespace fotoplex
