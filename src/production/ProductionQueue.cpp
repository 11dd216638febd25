#include "production/ProductionQueue.h"

#include "production/TResizeImageThread.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace fotoplex {

namespace {

// Two spellings of one path ("a//b", "a/./b") count as the same.
std::string normalPath(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

} // namespace

int DefaultWorkerCount() {
    const unsigned processors = std::thread::hardware_concurrency();
    return processors == 0 ? 1 : static_cast<int>(processors);
}

struct ProductionQueue::Flight {
    std::size_t index = 0;
    std::string output;
    std::string outputKey; // normalised, for comparing
    std::string sourceKey;
    std::unique_ptr<std::atomic<bool>> ownDone;
    std::atomic<bool>* done = nullptr; // null: nothing to wait for
    std::unique_ptr<TResizeImageThread> worker;

    bool finished() const { return done == nullptr || done->load(std::memory_order_acquire); }
};

ProductionQueue::ProductionQueue(JobWindow& window, MainThread& mainThread,
                                 std::atomic<bool>& workerDone, int workers, HandBack handBack)
    : window_(window), mainThread_(mainThread), workerDone_(workerDone),
      workers_(std::max(1, workers)), handBack_(std::move(handBack)), cores_(workers_) {}

ProductionQueue::~ProductionQueue() {
    // A worker blocked in its main-thread release needs the events processed to end.
    try {
        while (running() > 0) {
            waitOnce();
        }
    } catch (...) {
    }
    queue_.clear();
}

int ProductionQueue::running() const {
    return static_cast<int>(std::count_if(queue_.begin(), queue_.end(),
                                          [](const auto& flight) { return !flight->finished(); }));
}

bool ProductionQueue::frontDone() const {
    return !queue_.empty() && queue_.front()->finished();
}

void ProductionQueue::waitOnce() {
    window_.processEvents();
    std::this_thread::sleep_for(std::chrono::microseconds(200));
}

void ProductionQueue::handBackFront() {
    std::unique_ptr<Flight> flight = std::move(queue_.front());
    queue_.pop_front();
    FinishedFile finished{flight->index, flight->output, flight->worker != nullptr, {}, false, {}};
    if (flight->worker) {
        finished.error = flight->worker->error();
        finished.readInPart = flight->worker->readInPart();
        finished.sourceStamp = flight->worker->sourceStamp();
        flight->worker.reset(); // joins the finished thread
    }
    handBack_(finished);
}

void ProductionQueue::handBackDone() {
    while (frontDone()) {
        handBackFront();
    }
}

void ProductionQueue::makeRoom() {
    // Files done behind a slow one wait to be handed back; they hold little, but not nothing.
    const std::size_t waitingLimit = 8 * static_cast<std::size_t>(workers_);
    handBackDone();
    while (running() >= workers_ || queue_.size() >= waitingLimit) {
        waitOnce();
        handBackDone();
    }
}

void ProductionQueue::waitForPaths(const std::vector<std::string>& paths) {
    std::vector<std::string> wanted;
    for (const std::string& path : paths) {
        wanted.push_back(normalPath(path));
    }
    const auto uses = [&](const std::unique_ptr<Flight>& flight) {
        return std::any_of(wanted.begin(), wanted.end(), [&](const std::string& path) {
            return path == flight->outputKey || path == flight->sourceKey;
        });
    };
    handBackDone();
    while (std::any_of(queue_.begin(), queue_.end(), uses)) {
        waitOnce();
        handBackDone();
    }
}

void ProductionQueue::add(std::size_t index, const std::string& output,
                          std::optional<WorkOrder> order) {
    auto flight = std::make_unique<Flight>();
    flight->index = index;
    flight->output = output;
    flight->outputKey = normalPath(output);
    if (order) {
        flight->sourceKey = normalPath(order->source);
        if (workers_ == 1) {
            flight->done = &workerDone_;
        } else {
            flight->ownDone = std::make_unique<std::atomic<bool>>(false);
            flight->done = flight->ownDone.get();
        }
        flight->done->store(false, std::memory_order_release);
        auto worker = std::make_unique<TResizeImageThread>(mainThread_, *flight->done);
        worker->Source = order->source;
        worker->Output = output;
        worker->BoxWidth = order->boxWidth;
        worker->BoxHeight = order->boxHeight;
        worker->KeepAspect = order->keepAspect;
        worker->Filter = order->filter;
        worker->Quality = order->quality;
        worker->Progressive = order->progressive;
        worker->Metadata = order->metadata;
        worker->Matte = order->matte;
        worker->Cores = &cores_;
        cores_.hold();
        worker->Resume();
        flight->worker = std::move(worker);
    }
    queue_.push_back(std::move(flight));
}

void ProductionQueue::drain() {
    handBackDone();
    while (!queue_.empty()) {
        waitOnce();
        handBackDone();
    }
}

} // namespace fotoplex
