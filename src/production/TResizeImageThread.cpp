#include "production/TResizeImageThread.h"

#include "base/Error.h"
#include "base/WholeFile.h"
#include "engine/MetadataFilter.h"

#include <exception>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace fotoplex {

namespace {

void lowerThisThreadsPriority() {
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, thread);
    if (errno == 0) {
        ::setpriority(PRIO_PROCESS, thread, nice + 1);
    }
}

// Below this many source pixels a resize is over before more threads would pay.
constexpr std::int64_t kSplitPixels = std::int64_t{1} << 20;
constexpr int kMostBorrowed = 15;

int coresWorthBorrowing(const Picture& source) {
    const std::int64_t pixels = std::int64_t{source.width} * source.height;
    return pixels >= kSplitPixels ? kMostBorrowed : 0;
}

} // namespace

ResampleRequest boxRequest(std::int32_t boxWidth, std::int32_t boxHeight, bool keepAspect) {
    if (!keepAspect) {
        return {boxWidth, boxHeight};
    }
    if (boxWidth < boxHeight) {
        return {-1, boxHeight};
    }
    return {boxWidth, -1};
}

void clearReadOnly(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0) {
        ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    }
}

TResizeImageThread::TResizeImageThread(MainThread& mainThread, std::atomic<bool>& workerDone)
    : Picture(std::make_unique<RasterImage>()), mainThread_(mainThread), workerDone_(workerDone) {
    Picture->AutoUndo = false;
}

TResizeImageThread::~TResizeImageThread() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TResizeImageThread::Resume() {
    thread_ = std::thread([this] {
        lowerThisThreadsPriority();
        Execute();
    });
}

void TResizeImageThread::Execute() {
    try {
        produce();
    } catch (const std::exception& e) {
        error_ = e.what();
    } catch (...) {
        error_ = "unknown error";
    }
    finish();
}

void resizeIntoBox(RasterImage& picture, std::int32_t boxWidth, std::int32_t boxHeight,
                   bool keepAspect, std::int32_t filter, std::int32_t threads) {
    // The filter is one byte; a value past the last filter is Resample's business.
    const auto byte = static_cast<TResampleFilter>(filter & 0xFF);
    const ResampleRequest request = boxRequest(boxWidth, boxHeight, keepAspect);
    picture.Resample(request.width, request.height, byte, threads);
}

void writeJpegOutput(RasterImage& picture, const std::string& output, std::int32_t quality,
                     bool progressive) {
    picture.FileParams.Quality = quality;
    picture.FileParams.Progressive = progressive;
    picture.Incomplete = false;
    std::string bytes;
    try {
        bytes = picture.JpegBytes();
    } catch (const Error& error) {
        throw Error("Cannot write file " + output + ": " + error.what());
    }
    WriteFileWhole(output, bytes, "Cannot write file");
}

void TResizeImageThread::produce() {
    sourceStamp_ = FileStamp::of(Source);
    try {
        Picture->ReadPictureFile(Source);
    } catch (const Error&) {
        removeOutput();
        throw;
    }
    if (Picture->picture().empty()) {
        // Nothing was read: there is nothing to write either.
        removeOutput();
        throw Error(Picture->IncompleteReason.empty() ? "no picture in the file"
                                                      : Picture->IncompleteReason);
    }
    readInPart_ = Picture->Incomplete;
    if (Matte && !Picture->picture().alpha.empty()) {
        fotoplex::Picture flat = Picture->picture();
        FlattenOnto(flat, *Matte);
        Picture->assignPicture(std::move(flat));
    }
    {
        const SpareCores::Loan loan(Cores, coresWorthBorrowing(Picture->picture()));
        resizeIntoBox(*Picture, BoxWidth, BoxHeight, KeepAspect, Filter, 1 + loan.count());
    }
    if (Picture->picture().empty()) {
        removeOutput();
        throw Error("resized to nothing in a box of " + std::to_string(BoxWidth) + " x " +
                    std::to_string(BoxHeight) + " pixels");
    }
    auto& markers = Picture->FileParams.Markers;
    markers = markersFor(std::move(markers), Metadata);
    writeJpegOutput(*Picture, Output, Quality, Progressive);
}

void TResizeImageThread::removeOutput() const {
    struct stat info {};
    if (::stat(Output.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        ::unlink(Output.c_str());
    }
}

void TResizeImageThread::finish() {
    try {
        mainThread_.runOnMainThread([this] { Picture.reset(); });
    } catch (...) {
        Picture.reset();
    }
    if (Cores != nullptr) {
        Cores->release();
    }
    workerDone_.store(true, std::memory_order_release);
}

} // namespace fotoplex
