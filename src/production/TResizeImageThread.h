#pragma once

#include "base/MetadataChoice.h"
#include "engine/AlphaFlatten.h"
#include "engine/RasterImage.h"
#include "ports/MainThread.h"
#include "production/FileStamp.h"
#include "production/SpareCores.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace fotoplex {

// Turns one source picture into one JPEG file on a thread of its own.
//
// Life: constructed on the main thread ("created suspended"), its fields set by the job,
// then Resume() starts the thread one priority step below normal. Execute reads, resizes and
// writes; whatever happens, it then has the main thread release the picture and sets
// WorkerDone (release order) as its very last action. Errors stay inside the worker, where
// the job reads them once WorkerDone is true.
//
// Beyond the plain rules: a source of which nothing could be read ends the work before any
// output is created, and an output is written whole or not at all, so that no empty or cut
// file is left for the pages to show.
//
// Priority: on Linux threads of the normal policy have a nice value; one step below normal
// is the process's nice value plus one, set for the worker thread alone.
class TResizeImageThread {
public:
    TResizeImageThread(MainThread& mainThread, std::atomic<bool>& workerDone);
    ~TResizeImageThread();
    TResizeImageThread(const TResizeImageThread&) = delete;
    TResizeImageThread& operator=(const TResizeImageThread&) = delete;

    std::unique_ptr<RasterImage> Picture;
    std::string Source;
    std::string Output;
    std::int32_t BoxHeight = 0;
    std::int32_t BoxWidth = 0;
    std::int32_t Filter = 0;
    std::int32_t Quality = 75;
    bool Progressive = false;
    bool KeepAspect = false;
    // What of the source's metadata the output carries.
    MetadataChoice Metadata = MetadataChoice::All;
    // The colour transparent areas are laid onto before resizing; none keeps the colours that
    // lie under them, as the classic pages always had.
    std::optional<Rgb> Matte;
    // The job's cores: held while the worker runs, borrowed from for a large resize. None
    // for a worker on its own.
    SpareCores* Cores = nullptr;

    // Starts the thread. Called once.
    void Resume();

    // The message of the error that ended the work early, once WorkerDone is true.
    const std::optional<std::string>& error() const { return error_; }
    // True when the source was read only in part (damaged data) and written as far as read.
    bool readInPart() const { return readInPart_; }
    // The source as it was when the work began reading it, once WorkerDone is true; a
    // source replaced meanwhile then differs from it, so its output is not taken as current.
    const FileStamp& sourceStamp() const { return sourceStamp_; }

    // The thread's body; public so that tests can run it on the calling thread.
    void Execute();

private:
    void produce();
    // The job chose to make the output again: when no picture comes of the source, the old
    // output goes rather than show something else.
    void removeOutput() const;
    void finish();

    MainThread& mainThread_;
    std::atomic<bool>& workerDone_;
    std::optional<std::string> error_;
    bool readInPart_ = false;
    FileStamp sourceStamp_;
    std::thread thread_;
};

// The width and height Resample receives for a box: the box values alone decide.
struct ResampleRequest {
    std::int32_t width;
    std::int32_t height;
};
ResampleRequest boxRequest(std::int32_t boxWidth, std::int32_t boxHeight, bool keepAspect);

// The worker's resize step: Resample into the box, the filter taken from Filter's low byte,
// on up to `threads` threads.
void resizeIntoBox(RasterImage& picture, std::int32_t boxWidth, std::int32_t boxHeight,
                   bool keepAspect, std::int32_t filter, std::int32_t threads = 1);

// The worker's writing steps: quality and progressive option taken over, the JPEG formed in
// memory and written whole beside the output, then renamed over it (WholeFile), so a write
// that fails leaves the previous output as it was and nothing cut. Errors: "Cannot create
// file %s: reason" (no file can be made there), "Cannot write file %s: reason".
void writeJpegOutput(RasterImage& picture, const std::string& output, std::int32_t quality,
                     bool progressive);

// Clears the read-only attribute of an existing file (on Linux: gives its owner write
// permission); the other attributes stay. Nothing happens when there is no such file.
void clearReadOnly(const std::string& path);

} // namespace fotoplex
