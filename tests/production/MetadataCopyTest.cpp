// The image job's plain copies under "nolocation" and "profile": written whole, never with a
// location, and a picture whose location cannot be taken out is a problem, not a file.
#include "production/MetadataCopy.h"

#include "base/Error.h"
#include "engine/LocationScan.h"
#include "engine/RasterImage.h"
#include "production/ImageJobs.h"
#include "production/JobFakes.h"
#include "production/PictureProblems.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::FakeJobWindow;
using jobtest::fileBytes;
using jobtest::ScratchFolder;
using jobtest::ScriptedDialogs;
using jobtest::Unscripted;

const fs::path kData = fs::path(FOTOPLEX_TEST_DATA) / "location";

bool statesLocation(const fs::path& file) {
    const std::string bytes = fileBytes(file);
    return mayStateLocation(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

TEST(MetadataCopy, ACopyReplacesThePublishedFileInsteadOfRewritingIt) {
    ScratchFolder folder("metadata-copy-whole");
    const fs::path destination = folder.path() / "gps.jpg";
    const fs::path witness = folder.path() / "witness.jpg";
    std::ofstream(witness, std::ios::binary) << "the copy published before";
    fs::create_hard_link(witness, destination);
    ASSERT_EQ(CopyWithMetadata((kData / "gps.jpg").string(), destination.string(),
                               MetadataChoice::NoLocation),
              CopyOutcome::Copied);
    EXPECT_EQ(fileBytes(witness), "the copy published before")
        << "the old file was emptied and written again in place";
    EXPECT_FALSE(statesLocation(destination));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
        << "no temporary file stays";
}

TEST(MetadataCopy, ASourceWhoseLocationStaysIsNotPublished) {
    ScratchFolder folder("metadata-copy-kept");
    const fs::path destination = folder.path() / "out.heic";
    std::ofstream(destination) << "an older copy";
    for (const MetadataChoice choice : {MetadataChoice::NoLocation, MetadataChoice::Profile}) {
        EXPECT_EQ(CopyWithMetadata((kData / "gps.heic").string(), destination.string(), choice),
                  CopyOutcome::LocationKept);
        EXPECT_FALSE(fs::exists(destination));
    }
    // Never onto the source itself.
    const fs::path source = folder.path() / "gps.jpg";
    fs::copy_file(kData / "gps.jpg", source);
    const std::string original = fileBytes(source);
    EXPECT_THROW(CopyWithMetadata(source.string(), source.string(), MetadataChoice::NoLocation),
                 Error);
    EXPECT_EQ(fileBytes(source), original);
}

TEST(MetadataCopy, TheImageJobListsWhatItCouldNotCopyWithoutItsLocation) {
    ScratchFolder folder("metadata-copy-job");
    MainThreadQueue queue;
    FakeJobWindow window(queue);
    ScriptedDialogs dialogs{Unscripted::Fail};
    RasterImage sizeReader;
    TProject project;
    ProgramState state;
    fs::create_directories(folder.path() / "gallery");
    project.TargetDir = (folder.path() / "gallery").string() + "/";
    project.ResizeImages = false;
    project.ImageMetadata = MetadataChoice::NoLocation;
    const std::vector<std::string> names{"gps.jpg",  "gps.png",    "gps.webp",
                                         "gps.heic", "plain.heic", "gps.tif"};
    for (const std::string& name : names) {
        fs::copy_file(kData / name, folder.path() / name);
        project.Files.push_back((folder.path() / name).string());
    }
    JobContext job{project, state, window, dialogs, queue, sizeReader, [] { return true; },
                   [] {},   2};
    ImageJob(job);

    // The gps.* sources share the thumbnail name tn_gps.jpg, so all but the first are
    // published under a name of their own.
    const fs::path img = folder.path() / "gallery" / "img";
    for (const char* name : {"gps.jpg", "gps-2.png", "gps-3.webp", "plain.heic"}) {
        ASSERT_TRUE(fs::exists(img / name)) << name;
        EXPECT_FALSE(statesLocation(img / name)) << name;
    }
    EXPECT_EQ(fileBytes(img / "plain.heic"), fileBytes(kData / "plain.heic"));
    EXPECT_FALSE(fs::exists(img / "gps-4.heic"));
    EXPECT_FALSE(fs::exists(img / "gps-5.tif"));
    ASSERT_EQ(state.pictureProblems.failed.size(), 2u);
    const std::string text = PictureProblemsText(state.pictureProblems);
    EXPECT_NE(text.find("gps.heic"), std::string::npos) << text;
    EXPECT_NE(text.find("gps.tif"), std::string::npos) << text;
    EXPECT_NE(text.find(kLocationNotRemoved), std::string::npos) << text;
    EXPECT_EQ(state.imageSizes.widths[3], "0") << "nothing to read back";
    EXPECT_EQ(std::distance(fs::directory_iterator(img), fs::directory_iterator()), 4)
        << "no temporary file stays";
    for (const std::string& name : names) {
        EXPECT_EQ(fileBytes(folder.path() / name), fileBytes(kData / name)) << "source " << name;
    }
}

} // namespace
} // namespace fotoplex
