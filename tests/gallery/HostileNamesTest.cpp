// Photos from folders that others fill can carry names meant to become markup or script.
// A whole gallery is built from such names and every page is read back as a browser would.

#include "HtmlScan.h"
#include "base/FileUtil.h"
#include "engine/RasterImage.h"
#include "gallery/BuildGallery.h"
#include "gallery/PageIdentity.h"
#include "production/JobFakes.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::FakeJobWindow;
using jobtest::ScratchFolder;
using jobtest::ScriptedDialogs;
using jobtest::Unscripted;
using testing::HtmlTag;
using testing::percentDecoded;
using testing::scanTags;

const fs::path kSamples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";

const std::vector<std::string> kHostileNames = {
    R"(x" onmouseover="alert(1).jpg)",
    "javascript:alert(1);x.jpg",
    "<b>.jpg",
    "a&b.jpg",
    "<img src=x onerror=alert(1)>.jpg",
    "plain.jpg",
};

// What the classic pages are made of; anything else came from a name.
const std::set<std::string> kClassicElements = {
    "html", "head", "meta", "title", "script", "link", "body",   "table",
    "tr",   "td",   "h1",   "h2",    "h3",     "h4",   "h5",     "h6",
    "p",    "br",   "a",    "img",   "font",   "b",    "select", "option"};
const std::set<std::string> kClassicAttributes = {
    "http-equiv", "content",  "name",    "type",        "href",        "rel",    "language",
    "width",      "height",   "border",  "cellspacing", "cellpadding", "valign", "align",
    "class",      "bgcolor",  "colspan", "color",       "target",      "src",    "alt",
    "style",      "onchange", "value",   "selected"};

const std::set<std::string> kModernElements = {
    "html", "head", "meta", "title", "link", "body", "header", "h1",     "p",      "main",
    "ul",   "li",   "a",    "img",   "nav",  "span", "footer", "script", "figure", "figcaption"};
const std::set<std::string> kModernAttributes = {
    "lang",  "charset",    "name",         "content",       "rel",      "href",  "id",
    "class", "aria-label", "aria-current", "src",           "srcset",   "width", "height",
    "alt",   "loading",    "decoding",     "fetchpriority", "property", "target"};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Layout {
    const char* name;
    const char* thumbFolder;
    const char* thumbPrefix;
};

class HostileNamesTest : public ::testing::TestWithParam<Layout> {
protected:
    HostileNamesTest() : scratch(std::string("hostile-") + GetParam().name), window(queue) {
        fs::create_directories(scratch.path() / "gallery");
        fs::create_directories(scratch.path() / "in");
        project.TargetDir = (scratch.path() / "gallery").string() + "/";
        project.ImageFolder = "img/";
        project.ThumbFolder = GetParam().thumbFolder;
        project.ThumbPrefix = GetParam().thumbPrefix;
        project.TableCols = 2;
        project.TableRows = 2; // two index pages, so the navigation links are read too
        project.JumpMenu = true;
        project.ImgResizeMethod = 1;
        project.ThumbResizeMethod = 1;
        for (const std::string& name : kHostileNames) {
            fs::copy_file(kSamples / "rocket.jpg", scratch.path() / "in" / name);
            project.Files.push_back((scratch.path() / "in" / name).string());
        }
    }

    void build() {
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

    // Every link and picture reference of a page, with the tag that holds it.
    void expectReferencesReachFiles(const fs::path& page, const HtmlTag& tag) {
        for (const char* attribute : {"href", "src", "value"}) {
            const auto found = tag.attributes.find(attribute);
            if (found == tag.attributes.end() || found->second == kHomePageUrl) {
                continue;
            }
            const std::string& reference = found->second;
            EXPECT_FALSE(std::regex_search(reference, std::regex("^[A-Za-z][A-Za-z0-9+.-]*:")))
                << page.filename() << ": " << reference << " reads as a scheme";
            const fs::path target = fs::path(project.TargetDir.str()) / percentDecoded(reference);
            EXPECT_TRUE(fs::exists(target)) << page.filename() << ": " << reference;
        }
    }

    ScratchFolder scratch;
    TProject project;
    ProgramState state;
    MainThreadQueue queue;
    FakeJobWindow window;
    ScriptedDialogs dialogs{Unscripted::DefaultAnswer};
    RasterImage sizeReader;
};

TEST_P(HostileNamesTest, NoNameAddsMarkupAndEveryLinkReachesItsFile) {
    build();
    std::multiset<std::string> alts;
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(project.TargetDir.str())) {
        if (entry.path().extension() != ".html") {
            continue;
        }
        ++pages;
        for (const HtmlTag& tag : scanTags(readFile(entry.path()))) {
            const std::string element = tag.name[0] == '/' ? tag.name.substr(1) : tag.name;
            EXPECT_TRUE(kClassicElements.count(element))
                << entry.path().filename() << ": element " << tag.name;
            for (const auto& [name, value] : tag.attributes) {
                EXPECT_TRUE(kClassicAttributes.count(name))
                    << entry.path().filename() << ": attribute " << name << "=" << value;
            }
            expectReferencesReachFiles(entry.path(), tag);
            if (tag.name == "img" && tag.attributes.count("alt")) {
                alts.insert(tag.attributes.at("alt"));
            }
        }
    }
    EXPECT_EQ(pages, 2 + static_cast<int>(kHostileNames.size()));
    EXPECT_EQ(alts, std::multiset<std::string>(kHostileNames.begin(), kHostileNames.end()))
        << "each thumbnail's alt text reads its file's name";
}

TEST_P(HostileNamesTest, APlainNameKeepsItsBytes) {
    build();
    const std::string index = readFile(fs::path(project.TargetDir.str()) / "page2.html");
    const std::string thumb = std::string(GetParam().thumbFolder) + GetParam().thumbPrefix;
    EXPECT_NE(index.find(R"(<a href="plain_jpg.html" target="_self"><img src=")" + thumb +
                         R"(plain.jpg" )"),
              std::string::npos);
    EXPECT_NE(index.find(R"(alt="plain.jpg">)"), std::string::npos);
}

TEST_P(HostileNamesTest, TheModernPagesAddNothingEither) {
    project.PageStyle = "modern";
    project.ResizeImages = true;
    project.SiteAddress = "https://example.org/g/";
    build();
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(project.TargetDir.str())) {
        if (entry.path().extension() != ".html") {
            continue;
        }
        ++pages;
        for (const HtmlTag& tag : scanTags(readFile(entry.path()))) {
            const std::string element = tag.name[0] == '/' ? tag.name.substr(1) : tag.name;
            EXPECT_TRUE(kModernElements.count(element))
                << entry.path().filename() << ": element " << tag.name;
            for (const auto& [name, value] : tag.attributes) {
                EXPECT_TRUE(kModernAttributes.count(name))
                    << entry.path().filename() << ": attribute " << name << "=" << value;
            }
            for (const char* attribute : {"href", "src"}) {
                const auto found = tag.attributes.find(attribute);
                if (found == tag.attributes.end() || found->second.rfind("http", 0) == 0 ||
                    found->second.rfind("data:", 0) == 0) {
                    continue;
                }
                const std::string reference = found->second.substr(0, found->second.find('#'));
                EXPECT_FALSE(std::regex_search(reference, std::regex("^[A-Za-z][A-Za-z0-9+.-]*:")))
                    << reference;
                EXPECT_TRUE(
                    fs::exists(fs::path(project.TargetDir.str()) / percentDecoded(reference)))
                    << entry.path().filename() << ": " << reference;
            }
        }
    }
    EXPECT_EQ(pages, 2 + static_cast<int>(kHostileNames.size()));
}

INSTANTIATE_TEST_SUITE_P(Layouts, HostileNamesTest,
                         ::testing::Values(Layout{"thumbs", "thumbs/", "tn_"},
                                           // thumbnails named exactly as their sources, in
                                           // the target folder: the name is the whole link
                                           Layout{"bare", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace fotoplex
