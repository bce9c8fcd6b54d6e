#include "model/SweepRunner.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "common/WorkerThreads.h"
#include "model/EnergyBudget.h"
#include "model/GunBatch.h"

namespace {

// Points computed as one block: enough to keep the lanes full most of the time, few enough that
// the threads finish together.
constexpr size_t BlockPoints = 512;
// The blocks that may be computed ahead of the one to be written next, per thread.
constexpr size_t BlocksAheadPerThread = 4;

// The rows of one block: its points read, checked and computed side by side. Only the varied
// texts are read for each point; the others' numbers are the gun's.
std::vector<SweepRow> ComputeBlock(const SweepGrid& grid, const GunFieldNumbers& gunNumbers,
                                   SweepPointRange points, ShotComputation computation,
                                   SimulationResult& scratch) {
    const size_t count = points.end - points.first;
    const std::vector<GunFieldNumbers> guns = grid.PointNumbers(gunNumbers, points.first, count);
    std::vector<SweepRow> rows(count);
    for (size_t r = 0; r < count; ++r) {
        SweepRow& row = rows[r];
        row.point = points.first + r;
        for (size_t a = 0; a < grid.axes.size(); ++a) {
            row.variedValues[a] = guns[r].Number(grid.axes[a].parameter);
        }
    }
    std::vector<ShotFigures> figures(count);
    std::vector<ModelInputs> inputs(count);
    ComputeGunBlock(guns, figures, scratch, computation, inputs);
    for (size_t r = 0; r < count; ++r) {
        rows[r].figures = std::move(figures[r]);
        if (rows[r].figures.failure.empty()) {
            rows[r].efficiency = ShotEfficiency(rows[r].figures.bulletEnergy, inputs[r]);
        }
    }
    return rows;
}

// The blocks of a shard between the threads that compute them and the sink that takes them in
// order. Any thread writes the next block when it is ready and no other is writing; a thread
// computes no block further ahead than its share of the window, so the texts held stay few.
class OrderedBlocks {
public:
    OrderedBlocks(const SweepGrid& grid, SweepPointRange points, ShotComputation computation,
                  unsigned threads, SweepRowSink& sink)
        : grid_(grid),
          gunNumbers_(grid.gun, '.'),
          points_(points),
          computation_(computation),
          blocks_((points.end - points.first + BlockPoints - 1) / BlockPoints),
          sink_(sink),
          window_(threads * BlocksAheadPerThread),
          ready_(window_) {}

    void Work(std::stop_token stop) {
        const auto scratch = std::make_unique<SimulationResult>();
        std::unique_lock lock(guard_);
        for (;;) {
            changed_.wait(lock, stop,
                          [this] { return CanWrite() || CanCompute() || AllWritten(); });
            if (stop.stop_requested() || AllWritten()) {
                return;
            }
            if (CanWrite()) {
                WriteNextBlock(lock);
            } else {
                ComputeNextBlock(lock, *scratch);
            }
            changed_.notify_all();
        }
    }

private:
    std::optional<std::string>& Slot(size_t block) { return ready_[block % window_]; }
    bool CanWrite() { return !writing_ && written_ < blocks_ && Slot(written_).has_value(); }
    bool CanCompute() const { return taken_ < blocks_ && taken_ < written_ + window_; }
    bool AllWritten() const { return written_ == blocks_; }

    void WriteNextBlock(std::unique_lock<std::mutex>& lock) {
        writing_ = true;
        const std::string text = std::move(*Slot(written_));
        Slot(written_).reset();
        const SweepProgress progress{
            std::min(points_.end, points_.first + (written_ + 1) * BlockPoints) - points_.first,
            points_.end - points_.first};
        lock.unlock();
        sink_.Write(text, progress);
        lock.lock();
        ++written_;
        writing_ = false;
    }

    void ComputeNextBlock(std::unique_lock<std::mutex>& lock, SimulationResult& scratch) {
        const size_t block = taken_++;
        const size_t first = points_.first + block * BlockPoints;
        lock.unlock();
        const std::vector<SweepRow> rows =
            ComputeBlock(grid_, gunNumbers_, {first, std::min(points_.end, first + BlockPoints)},
                         computation_, scratch);
        std::string text = sink_.RowsText(rows);
        lock.lock();
        Slot(block) = std::move(text);
    }

    const SweepGrid& grid_;
    const GunFieldNumbers gunNumbers_;  // of the texts that are not varied
    const SweepPointRange points_;
    const ShotComputation computation_;
    const size_t blocks_;
    SweepRowSink& sink_;
    const size_t window_;
    std::mutex guard_;
    std::condition_variable_any changed_;
    std::vector<std::optional<std::string>> ready_;  // by block, modulo the window
    size_t taken_ = 0;
    size_t written_ = 0;
    bool writing_ = false;
};

}  // namespace

SweepPointRange ShardPoints(size_t pointCount, SweepShard shard) {
    const size_t shortPart = pointCount / shard.count;
    const size_t longParts = pointCount % shard.count;
    const size_t k = shard.number - 1;
    const size_t first = k * shortPart + std::min(k, longParts);
    return {first, first + shortPart + (k < longParts ? 1 : 0)};
}

void ComputeSweep(const SweepGrid& grid, SweepShard shard, unsigned threads, SweepRowSink& sink,
                  ShotComputation computation) {
    const SweepPointRange points = ShardPoints(grid.PointCount(), shard);
    const size_t blocks = (points.end - points.first + BlockPoints - 1) / BlockPoints;
    const unsigned usedThreads = UsableThreads(threads, blocks);
    OrderedBlocks ordered(grid, points, computation, usedThreads, sink);
    RunOnThreads(usedThreads, [&ordered](std::stop_token stop) { ordered.Work(stop); });
}
