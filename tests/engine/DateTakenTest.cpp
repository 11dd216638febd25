// When a photo was taken, read from the header of each format that carries EXIF. The
// fixtures in tests/data/dates were given their dates by exiftool (make-fixtures.sh).
#include "engine/dates/DateTaken.h"

#include "base/TempFolder.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

const std::string kDates = std::string(FOTOPLEX_TEST_DATA) + "/dates/";

// Dates without an offset are taken in a zone one hour east of UTC.
std::int64_t oneHourEast(std::int64_t) {
    return 3600;
}

std::optional<std::int64_t> secondsOf(const std::string& name) {
    const auto moment = readDateTaken(kDates + name, oneHourEast);
    if (!moment) {
        return std::nullopt;
    }
    EXPECT_EQ(moment->nanoseconds, 0);
    return moment->seconds;
}

struct DatedFile {
    const char* name;
    std::int64_t seconds; // UTC, as `date -u -d ... +%s` gives it
};

class DateTakenOfFile : public ::testing::TestWithParam<DatedFile> {};

TEST_P(DateTakenOfFile, ReadsTheMomentFromTheHeader) {
    EXPECT_EQ(secondsOf(GetParam().name), GetParam().seconds) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormatAndFallback, DateTakenOfFile,
    ::testing::Values(
        // DateTimeOriginal 12:00 at +02:00, ahead of CreateDate and DateTime of other years.
        DatedFile{"original-offset.jpg", 1714557600},
        // No DateTimeOriginal: CreateDate (DateTimeDigitized) 10:30 +00:00 before DateTime.
        DatedFile{"digitized.jpg", 1714559400},
        // Only DateTime, 11:00 at -01:00 in OffsetTime.
        DatedFile{"datetime-only.jpg", 1714564800},
        // A zeroed DateTimeOriginal is no date: CreateDate 09:00 +00:00.
        DatedFile{"zeroed-original.jpg", 1714554000},
        // 12:00 without an offset, one hour east of UTC.
        DatedFile{"no-offset.jpg", 1714561200}, DatedFile{"big-endian.jpg", 1714550400},
        DatedFile{"original.tif", 1714644000}, DatedFile{"original.png", 1714730400},
        DatedFile{"original.webp", 1714816800}, DatedFile{"original.heic", 1714903200},
        DatedFile{"original.avif", 1714989600}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(DateTakenOfFile, HeifWrittenByItsEncoderCarriesTheCamerasDate) {
    // heif-enc carried a JPEG's EXIF (2026:05:04 10:11:12, no offset) into its Exif item.
    const auto moment =
        readDateTaken(std::string(FOTOPLEX_TEST_DATA) + "/formats/exif.heic", oneHourEast);
    ASSERT_TRUE(moment);
    EXPECT_EQ(moment->seconds, 1777889472 - 3600);
}

TEST(DateTakenOfFile, NothingWithoutADateOrWithoutAPicture) {
    EXPECT_FALSE(secondsOf("no-date.jpg"));
    EXPECT_FALSE(secondsOf("make-fixtures.sh"));
    EXPECT_FALSE(secondsOf("missing.jpg"));
    EXPECT_FALSE(secondsOf("")); // the folder itself
    EXPECT_FALSE(readDateTaken(std::string(FOTOPLEX_TEST_DATA) + "/headers/sample.gif"));
}

// Prefixes of every fixture: no crash, no hang, and either no date or one the file states
// (a cut that loses DateTimeOriginal may leave a fallback readable, one that loses an offset
// leaves its date as local time).
TEST(DateTakenOfFile, CutFilesGiveNoDateOrOneTheFileStates) {
    TempFolder folder;
    for (const char* name : {"original-offset.jpg", "original.tif", "original.png", "original.webp",
                             "original.heic", "original.avif"}) {
        const std::string whole = readBytes(kDates + name);
        const auto dates = readExifDatesOfFile(kDates + name);
        ASSERT_TRUE(dates) << name;
        std::vector<std::int64_t> stated;
        for (const auto& [date, offset] : {std::pair{dates->original, dates->originalOffset},
                                           {dates->digitized, dates->digitizedOffset},
                                           {dates->modified, dates->modifiedOffset}}) {
            if (const auto moment = exifMoment(date, offset, oneHourEast)) {
                stated.push_back(moment->seconds);
                stated.push_back(exifMoment(date, "", oneHourEast)->seconds);
            }
        }
        ASSERT_FALSE(stated.empty()) << name;
        for (std::size_t length = 0; length < whole.size(); length += 7) {
            const std::string cut = folder.file("cut");
            writeBytes(cut, whole.substr(0, length));
            const auto moment = readDateTaken(cut, oneHourEast);
            if (moment) {
                EXPECT_NE(std::find(stated.begin(), stated.end(), moment->seconds), stated.end())
                    << name << " cut at " << length;
            }
        }
        // The whole file gives its DateTimeOriginal.
        writeBytes(folder.file("cut"), whole);
        EXPECT_EQ(readDateTaken(folder.file("cut"), oneHourEast)->seconds, stated.front());
    }
}

// Damaged counts and offsets in the EXIF structure are refused, not followed.
TEST(DateTakenOfFile, DamagedStructureGivesNoDate) {
    TempFolder folder;
    std::string bytes = readBytes(kDates + "original-offset.jpg");
    const std::size_t tiff = bytes.find("Exif") + 6;
    ASSERT_NE(tiff, std::string::npos);
    // IFD0's offset far past the block.
    std::string farOffset = bytes;
    farOffset[tiff + 4] = farOffset[tiff + 5] = farOffset[tiff + 6] = farOffset[tiff + 7] = '\xff';
    writeBytes(folder.file("far.jpg"), farOffset);
    EXPECT_FALSE(readDateTaken(folder.file("far.jpg")));
    // A byte order mark that is neither II nor MM.
    std::string badOrder = bytes;
    badOrder[tiff] = 'X';
    writeBytes(folder.file("order.jpg"), badOrder);
    EXPECT_FALSE(readDateTaken(folder.file("order.jpg")));
}

TEST(ExifMoment, ReadsTheExifDateForm) {
    const auto utc = [](std::int64_t) { return std::int64_t{0}; };
    EXPECT_EQ(exifMoment("2024:05:01 10:00:00", "", utc)->seconds, 1714557600);
    EXPECT_EQ(exifMoment("2000:02:29 23:59:59", "", utc)->seconds, 951868799);
    EXPECT_EQ(exifMoment("1969:12:31 23:59:59", "", utc)->seconds, -1);
    EXPECT_EQ(exifMoment("2024:05:01 12:00:00", "+02:00", utc)->seconds, 1714557600);
    EXPECT_EQ(exifMoment("2024:05:01 06:30:00", "-03:30", utc)->seconds, 1714557600);
}

TEST(ExifMoment, RefusesWhatIsNoDate) {
    const auto utc = [](std::int64_t) { return std::int64_t{0}; };
    for (const char* date :
         {"", "    :  :     :  :  ", "0000:00:00 00:00:00", "2023:02:29 10:00:00",
          "2024:13:01 10:00:00", "2024:04:31 10:00:00", "2024:05:01 24:00:00",
          "2024-05-01 10:00:00", "2024:05:01T10:00:00", "2024:05:01 10:00"}) {
        EXPECT_FALSE(exifMoment(date, "", utc)) << date;
    }
}

TEST(ExifMoment, AMalformedOffsetLeavesLocalTime) {
    for (const char* offset : {"+2:00", "02:00", "+02-00", "+15:00", "   :  "}) {
        EXPECT_EQ(exifMoment("2024:05:01 12:00:00", offset, oneHourEast)->seconds, 1714561200)
            << offset;
    }
}

TEST(ExifMoment, LocalTimeFollowsTheSystemZone) {
    // Central Europe keeps summer time in May: UTC+2.
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    const auto moment = exifMoment("2024:05:01 12:00:00", "");
    const auto winter = exifMoment("2024:01:01 12:00:00", "");
    saved ? setenv("TZ", previous.c_str(), 1) : unsetenv("TZ");
    tzset();
    ASSERT_TRUE(moment && winter);
    EXPECT_EQ(moment->seconds, 1714557600);
    EXPECT_EQ(winter->seconds, 1704106800);
}

} // namespace
} // namespace fotoplex
