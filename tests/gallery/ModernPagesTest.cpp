// The modern page style: what each page declares, how pictures are offered, and a whole build
// read back as a browser would.

#include "GalleryTestSupport.h"
#include "HtmlScan.h"
#include "engine/RasterImage.h"
#include "gallery/BuildGallery.h"
#include "gallery/ImagePages.h"
#include "gallery/IndexPages.h"
#include "gallery/ModernIndexPages.h"
#include "gallery/ModernPageText.h"
#include "gallery/ModernPicturePages.h"
#include "gallery/ModernStylesheet.h"
#include "production/JobFakes.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <regex>
#include <set>
#include <sstream>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using testing::HtmlTag;
using testing::percentDecoded;
using testing::scanTags;

std::string joined(const std::vector<std::string>& lines) {
    return std::accumulate(
        lines.begin(), lines.end(), std::string(),
        [](std::string all, const std::string& line) { return all + line + "\r\n"; });
}

std::vector<HtmlTag> tagsNamed(const std::vector<HtmlTag>& tags, const std::string& name) {
    std::vector<HtmlTag> found;
    std::copy_if(tags.begin(), tags.end(), std::back_inserter(found),
                 [&](const HtmlTag& tag) { return tag.name == name; });
    return found;
}

// Pictures as the gathering gives them, without files: p1.jpg ... pN.jpg.
std::vector<ModernPicture> pictures(int count) {
    std::vector<ModernPicture> list;
    for (int k = 1; k <= count; ++k) {
        ModernPicture picture;
        const std::string n = std::to_string(k);
        picture.pageName = "p" + n + "_jpg.html";
        picture.anchor = "photo-" + n;
        picture.indexPage = (k - 1) / 12 + 1;
        picture.thumb = {"thumbs/tn_p" + n + ".jpg", "thumbs/tn_p" + n + ".jpg", 120, 90};
        picture.sharpThumb = PageFile{"thumbs/tn_p" + n + "@2x.jpg", "", 240, 180};
        picture.image = {"img/p" + n + ".jpg", "img/p" + n + ".jpg", 640, 480};
        picture.alt = "p" + n;
        list.push_back(picture);
    }
    return list;
}

class ModernFormTest : public ::testing::Test {
protected:
    ModernFormTest() {
        project = testing::projectIn(folder);
        project.PageStyle = "modern";
        project.Files = testing::numberedFiles(30);
    }
    std::string index(int page, int pages = 3) {
        std::vector<std::string> lines;
        FormModernIndexPage(project, list, page, pages, testing::testIdentity(), lines);
        return joined(lines);
    }
    std::string picture(std::size_t i) {
        std::vector<std::string> lines;
        FormModernPicturePage(project, list, i, testing::testIdentity(), lines);
        return joined(lines);
    }

    testing::TempFolder folder;
    TProject project;
    std::vector<ModernPicture> list = pictures(30);
};

TEST_F(ModernFormTest, EveryPageDeclaresHtml5Utf8LanguageAndAZoomableViewport) {
    project.PageLanguage = "de-CH";
    project.Encoding = 18; // iso-8859-1 for the classic pages: the modern ones stay UTF-8
    project.DocTitle = "K\xC3\xB6ln";
    for (const std::string& page : {index(1), index(3), picture(0), picture(29)}) {
        EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang=\"de-CH\">", 0), 0u);
        const auto tags = scanTags(page);
        const auto metas = tagsNamed(tags, "meta");
        ASSERT_FALSE(metas.empty());
        EXPECT_EQ(metas[0].attributes.at("charset"), "utf-8") << "the charset comes first";
        bool viewport = false;
        for (const HtmlTag& meta : metas) {
            if (meta.attributes.count("name") && meta.attributes.at("name") == "viewport") {
                viewport = true;
                const std::string& content = meta.attributes.at("content");
                EXPECT_NE(content.find("width=device-width"), std::string::npos);
                EXPECT_EQ(content.find("user-scalable"), std::string::npos);
                EXPECT_EQ(content.find("maximum-scale"), std::string::npos);
            }
        }
        EXPECT_TRUE(viewport);
        const std::size_t title = page.find("<title>");
        const std::string titleText = page.substr(title, page.find("</title>") - title);
        EXPECT_NE(titleText.find("K\xC3\xB6ln"), std::string::npos) << "UTF-8 bytes, no references";
    }
    project.PageLanguage = "not a tag";
    EXPECT_EQ(index(1).rfind("<!DOCTYPE html>\r\n<html lang=\"en\">", 0), 0u);
}

TEST_F(ModernFormTest, EachPageHasItsOwnTitleAndDescription) {
    std::set<std::string> titles;
    std::set<std::string> descriptions;
    const auto collect = [&](const std::string& page) {
        const std::size_t open = page.find("<title>");
        titles.insert(page.substr(open, page.find("</title>") - open));
        for (const HtmlTag& meta : tagsNamed(scanTags(page), "meta")) {
            if (meta.attributes.count("name") && meta.attributes.at("name") == "description") {
                EXPECT_FALSE(meta.attributes.at("content").empty());
                descriptions.insert(meta.attributes.at("content"));
            }
        }
    };
    for (int page = 1; page <= 3; ++page) {
        collect(index(page));
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        collect(picture(i));
    }
    EXPECT_EQ(titles.size(), 33u);
    EXPECT_EQ(descriptions.size(), 33u);
}

TEST_F(ModernFormTest, ThumbnailsOfferTheirSharpVersionAndKeepTheirPlace) {
    list[13].sharpThumb.reset();      // a source too small for a sharp thumbnail
    list[14].sharpThumb->width = 180; // a source that had 1.5 times the pixels
    const auto tags = scanTags(index(2));
    const auto images = tagsNamed(tags, "img");
    ASSERT_EQ(images.size(), 12u);
    for (std::size_t k = 0; k < images.size(); ++k) {
        const auto& img = images[k].attributes;
        EXPECT_EQ(img.at("width"), "120");
        EXPECT_EQ(img.at("height"), "90");
        EXPECT_FALSE(img.at("alt").empty());
        EXPECT_EQ(img.count("loading") != 0, k >= static_cast<std::size_t>(kEagerThumbnails))
            << "the first screen loads at once, the rest lazily";
    }
    EXPECT_EQ(images[0].attributes.at("srcset"), "thumbs/tn_p13.jpg 1x, thumbs/tn_p13@2x.jpg 2x");
    EXPECT_EQ(images[1].attributes.count("srcset"), 0u);
    EXPECT_EQ(images[2].attributes.at("srcset"), "thumbs/tn_p15.jpg 1x, thumbs/tn_p15@2x.jpg 1.5x");

    const auto cells = tagsNamed(tags, "li");
    ASSERT_EQ(cells.size(), 12u);
    EXPECT_EQ(cells[0].attributes.at("id"), "photo-13");
    const auto links = tagsNamed(tags, "a");
    EXPECT_EQ(links[0].attributes.at("href"), "p13_jpg.html");
    EXPECT_EQ(links[0].attributes.count("target"), 0u) << "_self needs no target";
}

TEST_F(ModernFormTest, PagesLinkOnAndTheJumpMenuNeedsNoScript) {
    project.JumpMenu = true;
    const std::string first = index(1);
    const std::string middle = index(2);
    EXPECT_EQ(first.find("<script"), std::string::npos);
    EXPECT_EQ(middle.find("<script"), std::string::npos);
    EXPECT_NE(first.find(R"(<link rel="next" href="page2.html">)"), std::string::npos);
    EXPECT_EQ(first.find(R"(rel="prev")"), std::string::npos);
    EXPECT_NE(middle.find(R"(<a href="index.html" rel="prev">)"), std::string::npos);
    EXPECT_NE(middle.find(R"(<a href="page3.html" rel="next">)"), std::string::npos);
    EXPECT_NE(middle.find(R"(<a href="page2.html" aria-current="page">Page 2</a>)"),
              std::string::npos);
    project.JumpMenu = false;
    EXPECT_EQ(index(2).find("aria-current"), std::string::npos);
}

TEST_F(ModernFormTest, APicturePageLinksAroundAndBackToItsCell) {
    list[12].caption = "Dom & Rhein <am Abend>";
    list[12].alt = *list[12].caption;
    list[12].sharpImage = PageFile{"img/p13@2x.jpg", "", 1280, 960};
    const std::string page = picture(12);
    const auto tags = scanTags(page);
    const auto img = tagsNamed(tags, "img");
    ASSERT_EQ(img.size(), 1u);
    EXPECT_EQ(img[0].attributes.at("alt"), "Dom & Rhein <am Abend>");
    EXPECT_EQ(img[0].attributes.at("fetchpriority"), "high");
    EXPECT_EQ(img[0].attributes.at("srcset"), "img/p13.jpg 1x, img/p13@2x.jpg 2x");
    EXPECT_EQ(img[0].attributes.at("width"), "640");
    EXPECT_NE(page.find("<figcaption>Dom &amp; Rhein &lt;am Abend&gt;</figcaption>"),
              std::string::npos);
    EXPECT_NE(page.find(R"(<a id="up" href="page2.html#photo-13">)"), std::string::npos)
        << "picture 13 sits on the second index page";
    EXPECT_NE(page.find(R"(<link rel="prev" href="p12_jpg.html">)"), std::string::npos);
    EXPECT_NE(page.find(R"(<link rel="prefetch" href="p14_jpg.html">)"), std::string::npos);
    EXPECT_LT(page.size(), 4096u);

    const std::string first = picture(0);
    EXPECT_EQ(first.find(R"(id="prev")"), std::string::npos) << "nothing before the first";
    EXPECT_EQ(first.find("<figcaption>"), std::string::npos) << "no caption, no figcaption";
    EXPECT_EQ(picture(29).find(R"(rel="next")"), std::string::npos);
}

TEST(ModernScript, SmallAndItSpeaksOnlyToThePage) {
    const std::string script = kPictureScript;
    EXPECT_LT(script.size(), 2048u);
    for (const char* needed : {"ArrowLeft", "ArrowRight", "Escape", "ArrowUp", "location.replace",
                               "altKey", "ctrlKey", "metaKey", ">=50", "touchend"}) {
        EXPECT_NE(script.find(needed), std::string::npos) << needed;
    }
    for (const char* forbidden : {"http", "fetch(", "XMLHttpRequest", "eval", "</"}) {
        EXPECT_EQ(script.find(forbidden), std::string::npos) << forbidden;
    }
}

TEST_F(ModernFormTest, SharedLinksNeedTheSiteAddress) {
    EXPECT_EQ(picture(3).find("og:"), std::string::npos);
    EXPECT_EQ(picture(3).find("canonical"), std::string::npos);
    project.SiteAddress = "https://example.org/trip";
    const std::string page = picture(3);
    EXPECT_NE(page.find(R"(<link rel="canonical" href="https://example.org/trip/p4_jpg.html">)"),
              std::string::npos);
    EXPECT_NE(
        page.find(R"(<meta property="og:image" content="https://example.org/trip/img/p4.jpg">)"),
        std::string::npos);
    EXPECT_NE(page.find(R"(<meta property="og:image:width" content="640">)"), std::string::npos);
    EXPECT_NE(
        page.find(R"(<meta property="og:url" content="https://example.org/trip/p4_jpg.html">)"),
        std::string::npos);
    EXPECT_NE(page.find(R"(<meta name="twitter:card" content="summary_large_image">)"),
              std::string::npos);
    project.SiteAddress = "javascript:alert(1)";
    EXPECT_EQ(picture(3).find("og:"), std::string::npos) << "only a web address is shared";
}

TEST(ModernText, AltTextsAreCaptionsOrCleanedNames) {
    EXPECT_EQ(AltText(std::nullopt, "/p/IMG_0042-beach.jpg"), "IMG 0042 beach");
    EXPECT_EQ(AltText(std::nullopt, "/p/__-.jpg"), "__-.jpg") << "never empty";
    EXPECT_EQ(AltText(std::nullopt, "/p/M\xFCller_1.jpg"), "M\xC3\xBCller 1")
        << "a Windows-1252 name becomes UTF-8";
    EXPECT_EQ(AltText(std::string("Sunset"), "/p/x.jpg"), "Sunset");
}

TEST(ModernText, AttributesTakeTheUsersTextWithoutItsTags) {
    EXPECT_EQ(AttributeText("<i>Summer</i> &amp; \"sun\" &#8211; a < b > c"),
              "Summer &amp; &quot;sun&quot; &#8211; a &lt; b &gt; c");
    EXPECT_EQ(AttributeText("Tom & Jerry"), "Tom &amp; Jerry");
}

TEST(ModernStylesheet, DarkOnlyWithTheDefaultColoursAndReadableText) {
    TProject project;
    const auto css = [&] {
        std::string all;
        for (const std::string& rule : GetModernCSS(project)) {
            all += rule + "\n";
        }
        return all;
    };
    EXPECT_NE(css().find("prefers-color-scheme:dark"), std::string::npos);
    EXPECT_NE(css().find("prefers-reduced-motion"), std::string::npos);
    EXPECT_NE(css().find("font-size:16px"), std::string::npos) << "12px raised to 16px";
    project.NavFontSize = 20;
    EXPECT_NE(css().find("font-size:20px"), std::string::npos);
    project.BackColor = "#FFEEDD";
    EXPECT_EQ(css().find("prefers-color-scheme"), std::string::npos) << "the user's colours win";
    EXPECT_NE(css().find("background-color:#FFEEDD"), std::string::npos);
    project.MarginLeft = 20;
    EXPECT_NE(css().find("padding:8px 8px 8px 28px"), std::string::npos) << "margins as padding";
}

// A whole modern build of real pictures, read back.
class ModernBuildTest : public ::testing::Test {
protected:
    ModernBuildTest()
        : scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()), window(queue) {
        fs::create_directories(gallery());
        project.TargetDir = gallery().string() + "/";
        project.ImageFolder = "img/";
        project.ThumbFolder = "thumbs/";
        project.PageStyle = "modern";
        project.ResizeImages = true;
        project.ImgResizeMethod = 1;
        project.ThumbResizeMethod = 1;
        const fs::path samples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";
        for (const char* name : {"rocket.jpg", "coffee.png", "hubble_deep_field.jpg"}) {
            fs::copy_file(samples / name, scratch.path() / name);
            project.Files.push_back((scratch.path() / name).string());
        }
        project.Files.push_back(portrait("tall_one-2.jpg", 300, 400));
    }
    fs::path gallery() const { return scratch.path() / "gallery"; }

    std::string portrait(const std::string& name, int width, int height) {
        RasterImage image;
        image.assignPicture(makePicture(width, height, PixelFormat::Rgb24));
        image.FileParams.Quality = 50;
        const std::string path = (scratch.path() / name).string();
        image.WriteJpegFile(path);
        return path;
    }
    void build() {
        state.picturesMade = 0;
        JobContext job{project,
                       state,
                       window,
                       dialogs,
                       queue,
                       sizeReader,
                       [] { return true; },
                       [this] { project.Modified = true; }};
        BuildAllBtnClick(job);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(gallery() / name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::pair<int, int> sizeOf(const std::string& name) {
        RasterImage reader;
        reader.ReadFileHeader((gallery() / name).string());
        return {reader.FileParams.Width, reader.FileParams.Height};
    }

    jobtest::ScratchFolder scratch;
    TProject project;
    ProgramState state;
    MainThreadQueue queue;
    jobtest::FakeJobWindow window;
    jobtest::ScriptedDialogs dialogs{jobtest::Unscripted::DefaultAnswer};
    RasterImage sizeReader;
};

TEST_F(ModernBuildTest, PicturesAreBoundedOnBothSidesWithSharpVersionsAndJpgNames) {
    build();
    EXPECT_TRUE(fs::exists(gallery() / "img/coffee.jpg"));
    EXPECT_FALSE(fs::exists(gallery() / "img/coffee.png")) << "a PNG source gives a .jpg";
    EXPECT_EQ(sizeOf("img/tall_one-2.jpg"), std::make_pair(360, 480)) << "both sides bound";
    EXPECT_EQ(sizeOf("thumbs/tn_tall_one-2.jpg"), std::make_pair(90, 120));
    EXPECT_EQ(sizeOf("thumbs/tn_tall_one-2@2x.jpg"), std::make_pair(180, 240));
    EXPECT_FALSE(fs::exists(gallery() / "img/tall_one-2@2x.jpg")) << "never enlarged";
    EXPECT_EQ(sizeOf("thumbs/tn_rocket@2x.jpg"), std::make_pair(240, 160));
    EXPECT_EQ(sizeOf("img/hubble_deep_field@2x.jpg"), std::make_pair(1000, 872))
        << "a source with fewer pixels than twice gives what it has";
    EXPECT_FALSE(fs::exists(gallery() / "img/rocket@2x.jpg")) << "640 wide: nothing sharper";
}

TEST_F(ModernBuildTest, EveryReferenceReachesItsFileWithTheSizeItStates) {
    build();
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(gallery())) {
        if (entry.path().extension() != ".html") {
            continue;
        }
        ++pages;
        for (const HtmlTag& tag : scanTags(read(entry.path().filename().string()))) {
            for (const char* attribute : {"href", "src"}) {
                if (!tag.attributes.count(attribute)) {
                    continue;
                }
                std::string reference = tag.attributes.at(attribute);
                reference = reference.substr(0, reference.find('#'));
                if (reference.rfind("http", 0) == 0 || reference.rfind("data:", 0) == 0) {
                    continue;
                }
                EXPECT_TRUE(fs::exists(gallery() / percentDecoded(reference)))
                    << entry.path().filename() << ": " << reference;
            }
            if (tag.name != "img") {
                continue;
            }
            const auto stated = std::make_pair(std::stoi(tag.attributes.at("width")),
                                               std::stoi(tag.attributes.at("height")));
            EXPECT_EQ(sizeOf(percentDecoded(tag.attributes.at("src"))), stated);
            if (tag.attributes.count("srcset")) {
                std::smatch match;
                const std::string srcset = tag.attributes.at("srcset");
                ASSERT_TRUE(
                    std::regex_match(srcset, match, std::regex(R"((\S+) 1x, (\S+) ([0-9.]+)x)")));
                const auto sharp = sizeOf(percentDecoded(match[2]));
                EXPECT_NEAR(std::stod(match[3]), static_cast<double>(sharp.first) / stated.first,
                            0.01)
                    << srcset;
            }
        }
    }
    EXPECT_EQ(pages, 5);
}

TEST_F(ModernBuildTest, ASecondBuildGivesTheSameBytesAndMakesNothing) {
    build();
    const std::string index = read("index.html");
    const std::string page = read("coffee_png.html");
    const std::string css = read("main.css");
    build();
    EXPECT_EQ(state.picturesMade, 0) << "the build record knows every picture";
    EXPECT_EQ(read("index.html"), index);
    EXPECT_EQ(read("coffee_png.html"), page);
    EXPECT_EQ(read("main.css"), css);

    project.ThumbQuality = 60;
    build();
    EXPECT_EQ(state.picturesMade, 8) << "four thumbnails, four sharp thumbnails";
}

TEST_F(ModernBuildTest, TheClassicStyleMakesNoneOfIt) {
    project.PageStyle = "classic";
    build();
    EXPECT_TRUE(fs::exists(gallery() / "img/coffee.png"));
    for (const auto& entry : fs::recursive_directory_iterator(gallery())) {
        EXPECT_EQ(entry.path().filename().string().find("@2x"), std::string::npos) << entry.path();
    }
    EXPECT_EQ(read("index.html").rfind("<html><head>", 0), 0u);
}

} // namespace
} // namespace fotoplex
