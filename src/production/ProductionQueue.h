#pragma once

#include "base/MetadataChoice.h"
#include "engine/AlphaFlatten.h"
#include "ports/JobWindow.h"
#include "ports/MainThread.h"
#include "production/FileStamp.h"
#include "production/SpareCores.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

class TResizeImageThread;

// The number of workers a job runs when nobody chose: one per processor.
int DefaultWorkerCount();

// What one worker makes: the source read, resized into the box and written as JPEG.
struct WorkOrder {
    std::string source;
    std::int32_t boxWidth = 0;
    std::int32_t boxHeight = 0;
    bool keepAspect = false;
    std::int32_t filter = 0;
    std::int32_t quality = 75;
    bool progressive = false;
    MetadataChoice metadata = MetadataChoice::All;
    std::optional<Rgb> matte; // transparent areas laid onto this colour
};

// One file of the list, handed back to the job once its work is done.
struct FinishedFile {
    std::size_t index = 0;
    std::string output;
    bool produced = false;            // a worker made it
    std::optional<std::string> error; // what ended the worker early
    bool readInPart = false;          // the source was read only in part
    FileStamp sourceStamp;            // the source as the worker began reading it
};

// Hands the files of a job to at most W resize workers at once and hands them back to the
// job in list order, on the main thread. The job decides every file on the main thread in
// list order (questions, policy); the queue only runs the work and keeps the order.
//
// With W = 1 the job waits for each worker before it decides the next file, exactly as a
// single worker always did, and the worker signals through the program's WorkerDone. With
// more, each worker has its own done flag. Every worker keeps the worker's rules: one
// priority step below normal, its picture released on the main thread. While the queue
// waits it keeps processing the window's events, which carries out those releases.
class ProductionQueue {
public:
    using HandBack = std::function<void(const FinishedFile&)>;

    ProductionQueue(JobWindow& window, MainThread& mainThread, std::atomic<bool>& workerDone,
                    int workers, HandBack handBack);
    // Waits for the workers still running (an error left the job early), without handing
    // them back.
    ~ProductionQueue();
    ProductionQueue(const ProductionQueue&) = delete;
    ProductionQueue& operator=(const ProductionQueue&) = delete;

    // Waits until fewer than W workers run (and the files waiting to be handed back are
    // few), handing back what is done meanwhile.
    void makeRoom();
    // Waits until no queued file reads or writes one of paths (two files of one list may
    // share an output, or one file's output may be another's source).
    void waitForPaths(const std::vector<std::string>& paths);
    // Queues file `index` of the list; with an order a worker starts making `output`.
    void add(std::size_t index, const std::string& output, std::optional<WorkOrder> order);
    // Hands back every file at the front of the list whose work is done.
    void handBackDone();
    // Waits for every queued file and hands all of them back.
    void drain();

private:
    struct Flight;

    bool frontDone() const;
    int running() const;
    void waitOnce();
    void handBackFront();

    JobWindow& window_;
    MainThread& mainThread_;
    std::atomic<bool>& workerDone_;
    int workers_;
    HandBack handBack_;
    SpareCores cores_;
    std::deque<std::unique_ptr<Flight>> queue_;
};

} // namespace fotoplex
