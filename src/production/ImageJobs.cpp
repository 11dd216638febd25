#include "production/ImageJobs.h"

#include "base/FileUtil.h"
#include "production/BuildRecord.h"
#include "production/MetadataCopy.h"
#include "production/ModernPictures.h"
#include "production/OutputNames.h"
#include "production/OutputNaming.h"
#include "production/PictureNaming.h"
#include "production/PictureProblems.h"
#include "production/ProductionQueue.h"
#include "production/SourceFiles.h"
#include "production/TResizeImageThread.h"
#include "project/PageStyle.h"

#include <filesystem>
#include <string>

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

enum class Decision { Produce, Keep, UpToDate };

// The overwrite policy for one output. A source is never its own output. The policy is about
// files: a folder lying at the output path is neither removed nor asked about, and the write
// then fails with "Cannot create file %s". Under "Overwrite" an output that the record knows
// to be what producing it again would give stays. An output to be made again is not deleted
// here: the new one replaces it whole, so a write that fails keeps it (and a source that
// gives no picture removes it, see removeReplaced).
Decision overwritePolicy(JobContext& job, const std::string& output,
                         const std::function<bool()>& upToDate) {
    std::error_code ec;
    if (!std::filesystem::exists(output, ec) || std::filesystem::is_directory(output, ec)) {
        return Decision::Produce;
    }
    switch (job.project.OverwriteMode) {
    case 0:
        if (upToDate()) {
            return Decision::UpToDate;
        }
        break;
    case 1: {
        const std::string text =
            "File " + SourceFileName(output) + " already exists. Do you want to overwrite it ?";
        if (job.dialogs.ask({"Confirm", text, MessageIcon::Question, MessageButtons::YesNo,
                             Answer::Yes}) != Answer::Yes) {
            return Decision::Keep;
        }
        break;
    }
    default:
        return Decision::Keep;
    }
    return Decision::Produce;
}

// An output the policy gave up that nothing will replace: it goes, as it always has.
void removeReplaced(const std::string& output) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(output, ec)) {
        std::filesystem::remove(output, ec);
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

// The modern style bounds both sides and lays transparency onto the page background.
std::string styleShaping(const TProject& p) {
    return PageStyleOf(p) == PageStyleKind::Modern ? " modern " + p.BackColor.str() : "";
}

// The settings that shape an image or a thumbnail, as the record keeps them.
std::string imageShaping(const TProject& p) {
    const std::string metadata = metadataChoiceName(p.ImageMetadata);
    if (!p.ResizeImages) {
        return "copy " + metadata;
    }
    return "image " + std::to_string(p.ImgWidth) + " " + std::to_string(p.ImgHeight) + " " +
           std::to_string(p.KeepImgAspect) + " " + std::to_string(p.ImgResizeMethod) + " " +
           std::to_string(p.JPEGQuality) + " " + std::to_string(p.ProgressiveImg) + " " + metadata +
           styleShaping(p);
}

std::string thumbShaping(const TProject& p) {
    return "thumb " + std::to_string(p.ThumbWidth) + " " + std::to_string(p.ThumbHeight) + " " +
           std::to_string(p.KeepThumbAspect) + " " + std::to_string(p.ThumbResizeMethod) + " " +
           std::to_string(p.ThumbQuality) + " " + std::to_string(p.ProgressiveThumb) + " " +
           metadataChoiceName(p.ThumbMetadata) + styleShaping(p);
}

// The job's record, written back however the job ends.
class JobRecord {
public:
    explicit JobRecord(const TProject& project)
        : record(BuildRecord::Load(project.TargetDir.str())) {}
    ~JobRecord() {
        try {
            record.Save();
        } catch (...) {
        }
    }
    JobRecord(const JobRecord&) = delete;
    JobRecord& operator=(const JobRecord&) = delete;

    // Notes how a produced output came out: known when it was made whole (a picture read
    // only in part is made again, so that its problem is reported again).
    void produced(const std::string& output, const std::string& source, const FileStamp& read,
                  const std::string& shaping, bool whole) {
        if (!whole) {
            record.forget(output);
        } else {
            record.remember(output, source, read, shaping);
        }
    }

    BuildRecord record;
};

// What becomes of one file: its own source is left alone, else the overwrite policy rules.
Decision decide(JobContext& job, const std::string& source, const std::string& output,
                const std::function<bool()>& upToDate) {
    if (isOwnSource(job, source, output)) {
        return Decision::Keep;
    }
    return overwritePolicy(job, output, upToDate);
}

// A worker's file is back: a picture it could not make whole is noted under the source's
// listed name, and the record learns what was written.
void workerFinished(JobContext& job, JobRecord& record, const FinishedFile& file,
                    const std::string& listed, const std::string& shaping) {
    if (file.error) {
        NotePictureFailed(job.state.pictureProblems, listed, *file.error);
    } else if (file.readInPart) {
        NotePicturePartial(job.state.pictureProblems, listed);
    }
    record.produced(file.output, ResolveSourcePath(listed), file.sourceStamp, shaping,
                    !file.error && !file.readInPart);
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
    const OutputNames names = OutputNames::For(p);
    job.state.pictureProblems.distinctNames = names.distinctLines();

    BusyCursor busy(job.window);
    const auto& files = job.project.Files;
    job.window.setProgressMaximum(static_cast<int>(files.size()) - 1);
    job.window.setProgress(0);
    job.window.setStatus(0, "Status: Working...");

    const std::string shaping = imageShaping(p);
    JobRecord record(p);
    ProductionQueue queue(job.window, job.mainThread, job.state.workerDone, job.workers,
                          [&](const FinishedFile& file) {
                              if (file.produced) {
                                  workerFinished(job, record, file, files[file.index], shaping);
                              }
                              recordSize(job, file.output, job.state.imageSizes);
                              job.window.setProgress(static_cast<int>(file.index));
                          });
    bool cancelled = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        queue.makeRoom();
        const std::string& source = files[i];
        const std::string& output = names.imagePath(i);
        const std::string readable = ResolveSourcePath(source);
        queue.waitForPaths({readable, output});
        job.window.processEvents();
        if (askedToCancel(job)) {
            queue.drain(); // the files in flight finish whole
            job.window.setProgress(0);
            markImagesStale(job);
            job.state.jobCancelled = true;
            cancelled = true;
            break;
        }
        job.window.setStatus(1, "File: " + SourceFileName(source));
        std::optional<WorkOrder> order;
        const Decision decision = decide(
            job, source, output, [&] { return record.record.upToDate(output, readable, shaping); });
        if (decision == Decision::UpToDate) {
            ++job.state.picturesUpToDate;
        } else if (decision == Decision::Produce) {
            record.record.forget(output);
            if (p.ResizeImages) {
                ++job.state.picturesMade;
                order = WorkOrder{readable,         p.ImgWidth,        p.ImgHeight,
                                  p.KeepImgAspect,  p.ImgResizeMethod, p.JPEGQuality,
                                  p.ProgressiveImg, p.ImageMetadata,   std::nullopt};
                ShapeForPageStyle(p, job.sizeReader, *order);
            } else if (SourceExists(source)) {
                const FileStamp read = FileStamp::of(readable);
                if (CopyWithMetadata(readable, output, p.ImageMetadata) == CopyOutcome::Copied) {
                    ++job.state.picturesMade;
                    record.record.remember(output, readable, read, shaping);
                } else {
                    NotePictureFailed(job.state.pictureProblems, source, kLocationNotRemoved);
                }
            } else {
                removeReplaced(output);
            }
        }
        queue.add(i, output, std::move(order));
        queue.handBackDone();
    }
    queue.drain();
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
    const OutputNames names = OutputNames::For(p);
    job.state.pictureProblems.distinctNames = names.distinctLines();

    BusyCursor busy(job.window);
    const auto& files = job.project.Files;
    job.window.setProgressMaximum(static_cast<int>(files.size()) - 1);

    const std::string shaping = thumbShaping(p);
    JobRecord record(p);
    ProductionQueue queue(job.window, job.mainThread, job.state.workerDone, job.workers,
                          [&](const FinishedFile& file) {
                              if (file.produced) {
                                  workerFinished(job, record, file, files[file.index], shaping);
                              }
                              recordSize(job, file.output, job.state.thumbSizes);
                              if (file.produced) {
                                  job.window.setStatus(0, "Status: Saving");
                                  job.window.setStatus(1, "File: " + SourceFileName(file.output));
                              }
                              job.window.setProgress(static_cast<int>(file.index));
                          });
    bool cancelled = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        queue.makeRoom();
        const std::string& source = files[i];
        const std::string& output = names.thumbPath(i);
        const std::string readable = ResolveSourcePath(source);
        queue.waitForPaths({readable, output});
        if (askedToCancel(job)) {
            queue.drain(); // the files in flight finish whole
            job.window.setProgress(0);
            markThumbsStale(job);
            job.state.lastKey = 0;
            job.state.jobCancelled = true;
            cancelled = true;
            break;
        }
        std::optional<WorkOrder> order;
        const Decision decision = decide(
            job, source, output, [&] { return record.record.upToDate(output, readable, shaping); });
        if (decision == Decision::UpToDate) {
            ++job.state.picturesUpToDate;
        } else if (decision == Decision::Produce) {
            record.record.forget(output);
        }
        if (decision == Decision::Produce && !SourceExists(source)) {
            removeReplaced(output);
        } else if (decision == Decision::Produce) {
            ++job.state.picturesMade;
            job.window.setStatus(0, "Status: Loading");
            job.window.setStatus(1, "File: " + SourceFileName(source));
            job.window.setStatus(0, "Status: Resizing");
            order = WorkOrder{readable,           p.ThumbWidth,        p.ThumbHeight,
                              p.KeepThumbAspect,  p.ThumbResizeMethod, p.ThumbQuality,
                              p.ProgressiveThumb, p.ThumbMetadata,     std::nullopt};
            ShapeForPageStyle(p, job.sizeReader, *order);
        }
        queue.add(i, output, std::move(order));
        queue.handBackDone();
    }
    queue.drain();
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
