#include "production/ModernPictures.h"

#include "production/BuildRecord.h"
#include "production/OutputNames.h"
#include "production/OutputNaming.h"
#include "production/PictureNaming.h"
#include "production/PictureProblems.h"
#include "production/SourceFiles.h"
#include "project/PageStyle.h"
#include "project/WebColor.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace fotoplex {

namespace {

std::int32_t scaled(std::int64_t length, std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t value = (length * numerator + denominator / 2) / denominator;
    return static_cast<std::int32_t>(std::max<std::int64_t>(1, value));
}

Rgb pageBackground(const TProject& project) {
    try {
        const RgbColor color = webColorToRgb(project.BackColor.str());
        return {color.red, color.green, color.blue};
    } catch (const std::exception&) {
        return {255, 255, 255};
    }
}

std::optional<PixelSize> uprightSize(RasterImage& reader, const std::string& path) {
    reader.FileParams.Format = FileFormat::Unknown;
    reader.ReadFileHeader(path);
    if (reader.FileParams.Format == FileFormat::Unknown || reader.FileParams.Width <= 0 ||
        reader.FileParams.Height <= 0) {
        return std::nullopt;
    }
    return PixelSize{reader.FileParams.Width, reader.FileParams.Height};
}

std::int32_t entryNumber(const std::vector<std::string>& list, std::size_t k) {
    try {
        return k < list.size() ? std::stoi(list[k]) : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

// One kind of picture to sharpen: thumbnails or resized images.
struct SharpKind {
    const char* name;
    bool thumbs; // else the resized images
    const SizeLists& shown;
    PixelSize box;
    bool keepAspect;
    std::int32_t filter;
    std::int32_t quality;
    bool progressive;
    MetadataChoice metadata;
};

std::string shapingOf(const SharpKind& kind, PixelSize size, Rgb matte) {
    return std::string("sharp ") + kind.name + " " + std::to_string(size.width) + " " +
           std::to_string(size.height) + " " + std::to_string(kind.filter) + " " +
           std::to_string(kind.quality) + " " + std::to_string(kind.progressive) + " " +
           metadataChoiceName(kind.metadata) + " " + std::to_string(matte.red) + "," +
           std::to_string(matte.green) + "," + std::to_string(matte.blue);
}

bool askedToCancel(JobContext& job) {
    if (job.state.lastKey != kEscapeKey) {
        return false;
    }
    job.state.lastKey = 0;
    const MessageRequest question{"Confirm", kCancelQuestion, MessageIcon::Question,
                                  MessageButtons::YesNo, Answer::Yes};
    return job.dialogs.ask(question) == Answer::Yes;
}

// Decides one file's sharp version; an order when a worker must make it.
std::optional<WorkOrder> sharpOrder(JobContext& job, BuildRecord& record, const SharpKind& kind,
                                    std::size_t i, const std::string& readable,
                                    const std::string& output, std::string& shaping) {
    const PixelSize shown{entryNumber(kind.shown.widths, i), entryNumber(kind.shown.heights, i)};
    // Width 0: the source has no sharper version to give (or is unknown).
    PixelSize size;
    bool sourceKnown = false;
    if (shown.width > 0) {
        if (const auto source = uprightSize(job.sizeReader, readable)) {
            sourceKnown = true;
            size = SharpSize(*source, shown, kind.box, kind.keepAspect).value_or(PixelSize{});
        }
    }
    std::error_code ec;
    const bool exists = std::filesystem::exists(output, ec);
    if (size.width == 0) {
        if (sourceKnown && exists) {
            std::filesystem::remove(output, ec);
        }
        record.forget(output);
        return std::nullopt;
    }
    const Rgb matte = pageBackground(job.project);
    shaping = shapingOf(kind, size, matte);
    if (exists && job.project.OverwriteMode == 0 && record.upToDate(output, readable, shaping)) {
        ++job.state.picturesUpToDate;
        return std::nullopt;
    }
    if (exists && job.project.OverwriteMode != 0) {
        return std::nullopt;
    }
    record.forget(output);
    ++job.state.picturesMade;
    WorkOrder order;
    order.source = readable;
    order.boxWidth = size.width;
    order.boxHeight = size.height;
    order.filter = kind.filter;
    order.quality = kind.quality;
    order.progressive = kind.progressive;
    order.metadata = kind.metadata;
    order.matte = matte;
    return order;
}

void makeSharp(JobContext& job, BuildRecord& record, const SharpKind& kind) {
    const auto& files = job.project.Files;
    const OutputNames names = OutputNames::For(job.project);
    std::vector<std::string> shapings(files.size());
    ProductionQueue queue(job.window, job.mainThread, job.state.workerDone, job.workers,
                          [&](const FinishedFile& file) {
                              if (!file.produced) {
                                  return;
                              }
                              const std::string& listed = files[file.index];
                              if (file.error) {
                                  NotePictureFailed(job.state.pictureProblems, listed, *file.error);
                              } else if (!file.readInPart) {
                                  record.remember(file.output, ResolveSourcePath(listed),
                                                  file.sourceStamp, shapings[file.index]);
                              }
                          });
    for (std::size_t i = 0; i < files.size(); ++i) {
        queue.makeRoom();
        const std::string readable = ResolveSourcePath(files[i]);
        const std::string output =
            SharpFilePath(kind.thumbs ? names.thumbPath(i) : names.imagePath(i));
        queue.waitForPaths({readable, output});
        job.window.processEvents();
        if (askedToCancel(job)) {
            queue.drain();
            job.state.jobCancelled = true;
            return;
        }
        job.window.setStatus(1, "File: " + SourceFileName(output));
        auto order = sharpOrder(job, record, kind, i, readable, output, shapings[i]);
        queue.add(i, output, std::move(order));
        queue.handBackDone();
    }
    queue.drain();
}

// The job's record, written back however the job ends.
class SavedRecord {
public:
    explicit SavedRecord(const TProject& project)
        : record(BuildRecord::Load(project.TargetDir.str())) {}
    ~SavedRecord() {
        try {
            record.Save();
        } catch (...) {
        }
    }
    SavedRecord(const SavedRecord&) = delete;
    SavedRecord& operator=(const SavedRecord&) = delete;

    BuildRecord record;
};

} // namespace

PixelSize FitBothSides(PixelSize source, PixelSize box) {
    if (source.width <= 0 || source.height <= 0) {
        return box;
    }
    // Height-bound when the source is relatively taller than the box.
    if (std::int64_t{source.width} * box.height <= std::int64_t{source.height} * box.width) {
        return {scaled(source.width, box.height, source.height), box.height};
    }
    return {box.width, scaled(source.height, box.width, source.width)};
}

std::optional<PixelSize> SharpSize(PixelSize source, PixelSize shown, PixelSize box,
                                   bool keepAspect) {
    const PixelSize twice{box.width * 2, box.height * 2};
    const PixelSize wanted = keepAspect ? FitBothSides(source, twice) : twice;
    if (wanted.width <= source.width && wanted.height <= source.height) {
        return wanted.width > shown.width ? std::optional(wanted) : std::nullopt;
    }
    if (keepAspect && source.width > shown.width && source.height > shown.height) {
        return source;
    }
    return std::nullopt;
}

void ShapeForPageStyle(const TProject& project, RasterImage& headerReader, WorkOrder& order) {
    if (PageStyleOf(project) != PageStyleKind::Modern) {
        return;
    }
    order.matte = pageBackground(project);
    if (!order.keepAspect) {
        return;
    }
    if (const auto source = uprightSize(headerReader, order.source)) {
        const PixelSize fitted = FitBothSides(*source, {order.boxWidth, order.boxHeight});
        order.boxWidth = fitted.width;
        order.boxHeight = fitted.height;
        order.keepAspect = false;
    }
}

void SharpPictureJob(JobContext& job) {
    const TProject& p = job.project;
    if (PageStyleOf(p) != PageStyleKind::Modern || p.Files.empty() || !job.checkTargetDir()) {
        return;
    }
    job.window.setStatus(0, "Status: Working...");
    SavedRecord saved(p);
    const SharpKind thumbs{
        "thumb",           true,       job.state.thumbSizes, {p.ThumbWidth, p.ThumbHeight},
        p.KeepThumbAspect, p.ThumbResizeMethod, p.ThumbQuality,       p.ProgressiveThumb,
        p.ThumbMetadata};
    makeSharp(job, saved.record, thumbs);
    if (p.ResizeImages && !job.state.jobCancelled) {
        const SharpKind images{
            "image",         false,   job.state.imageSizes, {p.ImgWidth, p.ImgHeight},
            p.KeepImgAspect, p.ImgResizeMethod, p.JPEGQuality,        p.ProgressiveImg,
            p.ImageMetadata};
        makeSharp(job, saved.record, images);
    }
    job.window.setStatus(0, "Status: Ready");
    job.window.setStatus(1, "");
}

} // namespace fotoplex
