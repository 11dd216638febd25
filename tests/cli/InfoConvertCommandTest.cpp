#include "cli/CliRunner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using CliRun = fotoplex::testing::CliResult;

// Runs fotoplex-cli with the words (already quoted as needed); stderr goes to a file.
CliRun runCli(const std::string& words, const std::string& errFile = "/dev/null") {
    return fotoplex::testing::runCommand(std::string(FOTOPLEX_CLI) + " " + words + " 2>" + errFile);
}

std::string data(const std::string& name) {
    return std::string(FOTOPLEX_TEST_DATA) + "/" + name;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder = std::filesystem::path(FOTOPLEX_BINARY_DIR) / "test-tmp" /
                 ("cli-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string file(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST(InfoCommand, PrintsOneTabSeparatedLinePerFile) {
    const CliRun info =
        runCli("info " + data("jpeg/density-cm.jpg") + " " + data("png/rgb8.png") + " " +
               data("tiff/density-cm.tif") + " " + data("README.md") + " " + data("missing.gif"));
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, data("jpeg/density-cm.jpg") + "\tjpeg\t23\t17\t300\t300\n" +
                            data("png/rgb8.png") + "\tpng\t23\t17\t300\t300\n" +
                            data("tiff/density-cm.tif") + "\ttiff\t23\t17\t127\t127\n" +
                            data("README.md") + "\tunknown\t0\t0\t0\t0\n" + data("missing.gif") +
                            "\tunknown\t0\t0\t0\t0\n");
}

TEST(InfoCommand, WithoutFilesIsAUsageError) {
    EXPECT_EQ(runCli("info").status, 2);
}

TEST_F(CliFolder, ConvertWritesJpegWithTheGivenQualityAndProgression) {
    const std::string low = file("low.jpg");
    const std::string high = file("high.JPEG");
    ASSERT_EQ(runCli("convert " + data("jpeg/big.jpg") + " " + low + " --quality 10").status, 0);
    ASSERT_EQ(runCli("convert " + data("jpeg/big.jpg") + " " + high + " --progressive").status, 0);
    EXPECT_LT(std::filesystem::file_size(low), std::filesystem::file_size(high));
    const CliRun info = runCli("info " + high);
    // The source's 1:1 density has no unit: the output carries the display's resolution.
    EXPECT_EQ(info.out, high + "\tjpeg\t96\t80\t96\t96\n");
    // Progressive files start their first scan with a progressive frame marker (SOF2).
    EXPECT_NE(slurp(high).find("\xFF\xC2"), std::string::npos);
    EXPECT_EQ(slurp(low).find("\xFF\xC2"), std::string::npos);
}

TEST_F(CliFolder, InfoGivesTheUprightSizeAndATurnedPicturesOrientation) {
    const CliRun info =
        runCli("info " + data("orientation/jpeg-1.jpg") + " " + data("orientation/jpeg-6.jpg") +
               " " + data("orientation/png-8.png") + " " + data("orientation/tiff-3.tif"));
    EXPECT_EQ(info.out,
              data("orientation/jpeg-1.jpg") + "\tjpeg\t45\t30\t1\t1\n" +
                  data("orientation/jpeg-6.jpg") + "\tjpeg\t30\t45\t1\t1\torientation 6\n" +
                  data("orientation/png-8.png") + "\tpng\t30\t45\t0\t0\torientation 8\n" +
                  data("orientation/tiff-3.tif") + "\ttiff\t45\t30\t0\t0\torientation 3\n");
}

TEST_F(CliFolder, ConvertWritesPixelsAsPpmAndAlphaAsPgm) {
    ASSERT_EQ(runCli("convert " + data("png/rgba8.png") + " " + file("c.ppm")).status, 0);
    ASSERT_EQ(runCli("convert " + data("png/rgba8.png") + " " + file("a.pgm")).status, 0);
    const std::string ppm = slurp(file("c.ppm"));
    ASSERT_EQ(ppm.rfind("P6\n23 17\n255\n", 0), 0u);
    EXPECT_EQ(ppm.size(), 13u + 23 * 17 * 3);
    // Pixel (0, 1) is transparent but keeps its stored colour (3, 15, 40).
    EXPECT_EQ(static_cast<unsigned char>(ppm[13 + 23 * 3]), 3);
    EXPECT_EQ(static_cast<unsigned char>(ppm[13 + 23 * 3 + 2]), 40);
    const std::string pgm = slurp(file("a.pgm"));
    ASSERT_EQ(pgm.rfind("P5\n23 17\n255\n", 0), 0u);
    EXPECT_EQ(static_cast<unsigned char>(pgm[13]), 0);
    EXPECT_EQ(static_cast<unsigned char>(pgm[13 + 10]), 100);
}

TEST_F(CliFolder, ConvertWritesOneBitPicturesAsPbmAndRefusesOthers) {
    ASSERT_EQ(runCli("convert " + data("tiff/bilevel-g4.tif") + " " + file("b.pbm")).status, 0);
    const std::string pbm = slurp(file("b.pbm"));
    ASSERT_EQ(pbm.rfind("P4\n23 17\n", 0), 0u);
    EXPECT_EQ(pbm.size(), 9u + 3 * 17);
    const std::string err = file("err.txt");
    EXPECT_EQ(runCli("convert " + data("png/rgb8.png") + " " + file("c.pbm"), err).status, 1);
    EXPECT_NE(slurp(err).find("not a 1-bit picture"), std::string::npos);
    EXPECT_EQ(runCli("convert " + data("png/rgb8.png") + " " + file("c.pgm"), err).status, 1);
    EXPECT_NE(slurp(err).find("no alpha channel"), std::string::npos);
}

TEST_F(CliFolder, AnIncompleteReadStillWritesWarnsAndExitsThree) {
    const std::string err = file("err.txt");
    const std::string src = data("jpeg/truncated.jpg");
    EXPECT_EQ(runCli("convert " + src + " " + file("t.jpg"), err).status, 3);
    EXPECT_NE(slurp(err).find(src), std::string::npos);
    EXPECT_EQ(runCli("info " + file("t.jpg")).out, file("t.jpg") + "\tjpeg\t96\t80\t96\t96\n");
}

TEST_F(CliFolder, ConvertFailuresNameTheFile) {
    const std::string err = file("err.txt");
    EXPECT_EQ(runCli("convert " + data("missing.png") + " " + file("x.jpg"), err).status, 1);
    EXPECT_NE(slurp(err).find("Cannot open file " + data("missing.png")), std::string::npos);
    EXPECT_EQ(runCli("convert " + data("png/rgb8.png") + " /no/such/dir/x.jpg", err).status, 1);
    EXPECT_NE(slurp(err).find("Cannot create file /no/such/dir/x.jpg"), std::string::npos);
    EXPECT_EQ(runCli("convert " + data("README.md") + " " + file("x.jpg"), err).status, 1);
    EXPECT_FALSE(std::filesystem::exists(file("x.jpg")));
}

TEST_F(CliFolder, ConvertRefusesBadOptions) {
    EXPECT_EQ(runCli("convert " + data("png/rgb8.png")).status, 2);
    EXPECT_EQ(
        runCli("convert " + data("png/rgb8.png") + " " + file("x.jpg") + " --quality 0").status, 2);
    EXPECT_EQ(runCli("convert " + data("png/rgb8.png") + " " + file("x.jpg") + " --quality").status,
              2);
    EXPECT_EQ(runCli("convert " + data("png/rgb8.png") + " " + file("x.jpg") + " --fast").status,
              2);
    EXPECT_EQ(runCli("convert " + data("png/rgb8.png") + " " + file("x.gif")).status, 2);
}

} // namespace
