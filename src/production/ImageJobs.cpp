#include "production/ImageJobs.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "base/FileUtil.h"
#include "production/OutputNaming.h"
#include "production/PictureProblems.h"
#include "production/SourceFiles.h"
#include "production/TResizeImageThread.h"

namespace fotoplex {

namespace {

// Restores the normal cursor however the job ends.
class BusyCursor {
public:
    explicit BusyCursor(JobWindow& window) : window_(window) { window_.setBusy(true); }
    ~BusyCursor() { window_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    JobWindow& window_;
};

// What the job hands over to one worker.
struct Box {
    std::int32_t width;
    std::int32_t height;
    bool keepAspect;
    std::int32_t filter;
    std::int32_t quality;
    bool progressive;
};

bool askedToCancel(JobContext& job) {
    if (job.state.lastKey != kEscapeKey) {
        return false;
    }
    job.state.lastKey = 0;
    const MessageRequest question{"Confirm", kCancelQuestion, MessageIcon::Question,
                                  MessageButtons::YesNo, Answer::Yes};
    return job.dialogs.ask(question) == Answer::Yes;
}

// The common start of both jobs. Returns false when the job must end here.
// The output folder is formed only after the check, which gives TargetDir its delimiter.
bool startJob(JobContext& job, std::string (*outputFolder)(const TProject&)) {
    if (!job.checkTargetDir()) {
        return false;
    }
    if (job.project.Files.empty()) {
        job.dialogs.ask({"Error", "Please select files first.", MessageIcon::Warning,
                         MessageButtons::Ok, Answer::Ok});
        return false;
    }
    EnsureOutputFolder(outputFolder(job.project));

    bool removed = false;
    auto& files = job.project.Files;
    for (std::size_t i = files.size(); i-- > 0;) {
        if (!SourceExists(files[i])) {
            files.erase(files.begin() + static_cast<long>(i));
            job.window.removeFileRow(static_cast<int>(i));
            removed = true;
        }
    }
    if (removed) {
        job.state.imagesBuilt = false;
        job.state.thumbsBuilt = false;
    }
    return true;
}

enum class Decision { Produce, Keep };

// The overwrite policy for one output. A source is never its own output. The policy is about
// files: a folder lying at the output path is neither removed nor asked about, and the write
// then fails with "Cannot create file %s".
Decision overwritePolicy(JobContext& job, const std::string& output) {
    std::error_code ec;
    if (!std::filesystem::exists(output, ec) || std::filesystem::is_directory(output, ec)) {
        return Decision::Produce;
    }
    switch (job.project.OverwriteMode) {
    case 0:
        break;
    case 1: {
        const std::string text = "File " + SourceFileName(output) +
                                 " already exists. Do you want to overwrite it ?";
        if (job.dialogs.ask({"Confirm", text, MessageIcon::Question, MessageButtons::YesNo,
                             Answer::Yes}) != Answer::Yes) {
            return Decision::Keep;
        }
        break;
    }
    default:
        return Decision::Keep;
    }
    std::filesystem::remove(output, ec);
    return Decision::Produce;
}

// Runs one worker and keeps the window alive until it is done; notes a picture it could not
// make whole under the source's listed name.
void runWorker(JobContext& job, const std::string& listed, const std::string& source,
               const std::string& output, const Box& box) {
    job.state.workerDone.store(false, std::memory_order_release);
    TResizeImageThread worker(job.mainThread, job.state.workerDone);
    worker.Source = source;
    worker.Output = output;
    worker.BoxWidth = box.width;
    worker.BoxHeight = box.height;
    worker.KeepAspect = box.keepAspect;
    worker.Filter = box.filter;
    worker.Quality = box.quality;
    worker.Progressive = box.progressive;
    worker.Resume();
    while (!job.state.workerDone.load(std::memory_order_acquire)) {
        job.window.processEvents();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (worker.error()) {
        NotePictureFailed(job.state.pictureProblems, listed, *worker.error());
    } else if (worker.readInPart()) {
        NotePicturePartial(job.state.pictureProblems, listed);
    }
}

// The pixel size of a written file; "0" x "0" when it cannot be read back.
void recordSize(JobContext& job, const std::string& output, SizeLists& sizes) {
    RasterImage& reader = job.sizeReader;
    reader.FileParams.Width = 0;
    reader.FileParams.Height = 0;
    reader.ReadFileHeader(output);
    const bool known = reader.FileParams.Format != FileFormat::Unknown;
    sizes.widths.push_back(known ? std::to_string(reader.FileParams.Width) : "0");
    sizes.heights.push_back(known ? std::to_string(reader.FileParams.Height) : "0");
}

void markImagesStale(JobContext& job) {
    job.state.imagesBuilt = false;
    job.state.thumbsBuilt = false;
    job.markModified();
}

void markThumbsStale(JobContext& job) {
    job.state.thumbsBuilt = false;
    job.markModified();
}

// A file whose output would be the source itself is left alone and said so.
bool isOwnSource(JobContext& job, const std::string& source, const std::string& output) {
    if (!SameFile(ResolveSourcePath(source), output)) {
        return false;
    }
    job.window.setStatus(1, "File: " + SourceFileName(source) + " (its own output: left as it is)");
    return true;
}

class WindowLock {
public:
    explicit WindowLock(JobWindow& window) : window_(window) { window_.lockWindow(); }
    ~WindowLock() {
        window_.unlockWindow();
        window_.setProgress(0);
    }
    WindowLock(const WindowLock&) = delete;
    WindowLock& operator=(const WindowLock&) = delete;

private:
    JobWindow& window_;
};

} // namespace

void ImageJob(JobContext& job) {
    const TProject& p = job.project;
    if (!startJob(job, ImageFolderPath)) {
        return;
    }
    job.state.imageSizes.clear();
    job.state.imagesBuilt = false;

    BusyCursor busy(job.window);
    const auto& files = job.project.Files;
    job.window.setProgressMaximum(static_cast<int>(files.size()) - 1);
    job.window.setProgress(0);
    job.window.setStatus(0, "Status: Working...");

    bool cancelled = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        job.window.processEvents();
        if (askedToCancel(job)) {
            job.window.setProgress(0);
            markImagesStale(job);
            job.state.jobCancelled = true;
            cancelled = true;
            break;
        }
        const std::string& source = files[i];
        const std::string output = ImageFilePath(p, source);
        job.window.setStatus(1, "File: " + SourceFileName(source));
        if (!isOwnSource(job, source, output) && overwritePolicy(job, output) == Decision::Produce) {
            const std::string readable = ResolveSourcePath(source);
            if (p.ResizeImages) {
                runWorker(job, source, readable, output,
                          {p.ImgWidth, p.ImgHeight, p.KeepImgAspect, p.ImgResizeMethod,
                           p.JPEGQuality, p.ProgressiveImg});
            } else if (SourceExists(source)) {
                CopyFileReplacing(readable, output);
            }
        }
        recordSize(job, output, job.state.imageSizes);
        job.window.setProgress(static_cast<int>(i));
    }
    job.window.setStatus(0, "Status: Ready");
    job.window.setStatus(1, "");
    if (!cancelled) {
        job.state.imagesBuilt = true;
    }
}

void ThumbJob(JobContext& job) {
    const TProject& p = job.project;
    if (!startJob(job, ThumbFolderPath)) {
        return;
    }
    job.state.thumbSizes.clear();
    job.state.thumbsBuilt = false;

    BusyCursor busy(job.window);
    const auto& files = job.project.Files;
    job.window.setProgressMaximum(static_cast<int>(files.size()) - 1);

    bool cancelled = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (askedToCancel(job)) {
            job.window.setProgress(0);
            markThumbsStale(job);
            job.state.lastKey = 0;
            job.state.jobCancelled = true;
            cancelled = true;
            break;
        }
        const std::string& source = files[i];
        const std::string output = ThumbFilePath(p, source);
        bool produced = false;
        if (!isOwnSource(job, source, output) && overwritePolicy(job, output) == Decision::Produce &&
            SourceExists(source)) {
            job.window.setStatus(0, "Status: Loading");
            job.window.setStatus(1, "File: " + SourceFileName(source));
            job.window.setStatus(0, "Status: Resizing");
            runWorker(job, source, ResolveSourcePath(source), output,
                      {p.ThumbWidth, p.ThumbHeight, p.KeepThumbAspect, p.ThumbResizeMethod,
                       p.ThumbQuality, p.ProgressiveThumb});
            produced = true;
        }
        recordSize(job, output, job.state.thumbSizes);
        if (produced) {
            job.window.setStatus(0, "Status: Saving");
            job.window.setStatus(1, "File: " + SourceFileName(output));
        }
        job.window.setProgress(static_cast<int>(i));
    }
    if (!cancelled) {
        job.state.thumbsBuilt = true;
    }
    job.window.setStatus(0, "Status: Ready");
    job.window.setStatus(1, "");
}

void RunImagesCommand(JobContext& job) {
    RunListingPictureProblems(job.state.pictureProblems, job.dialogs, [&] {
        WindowLock lock(job.window);
        ImageJob(job);
    });
}

void RunThumbnailsCommand(JobContext& job) {
    RunListingPictureProblems(job.state.pictureProblems, job.dialogs, [&] {
        WindowLock lock(job.window);
        ThumbJob(job);
    });
}

} // namespace fotoplex
