#include "model/SweepRunner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "common/WorkerThreads.h"
#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

struct ShardCase {
    size_t points;
    size_t shards;
};

class ShardSplit : public testing::TestWithParam<ShardCase> {};

// The shards in order cover the grid once, in contiguous parts whose sizes differ by at most a
// point, so that their outputs in order make the whole sweep.
TEST_P(ShardSplit, CoversTheGridInOrderInNearlyEqualParts) {
    const auto [points, shards] = GetParam();
    size_t next = 0;
    size_t shortest = points;
    size_t longest = 0;
    for (size_t k = 1; k <= shards; ++k) {
        const SweepPointRange part = ShardPoints(points, {k, shards});
        EXPECT_EQ(part.first, next) << k;
        shortest = std::min(shortest, part.end - part.first);
        longest = std::max(longest, part.end - part.first);
        next = part.end;
    }
    EXPECT_EQ(next, points);
    EXPECT_LE(longest - shortest, 1u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Grids, ShardSplit, testing::Values(
    ShardCase{10, 3},
    ShardCase{2, 5},           // more shards than points: some are empty
    ShardCase{1'000'000, 7},
    ShardCase{5, 1}));
// clang-format on

// Records what the sweep hands over: the points of every block written, in the order written,
// and how far the computed blocks ran ahead of the writing.
class RecordingSink : public SweepRowSink {
public:
    std::string RowsText(std::span<const SweepRow> rows) const override {
        std::string text;
        for (const SweepRow& row : rows) {
            text += std::to_string(row.point) + ' ';
        }
        const size_t ahead = ++computed_ - written_;
        size_t seen = mostAhead_;
        while (ahead > seen && !mostAhead_.compare_exchange_weak(seen, ahead)) {
        }
        return text;
    }

    void Write(const std::string& rowsText, SweepProgress progress) override {
        text += rowsText;
        lastProgress = progress;
        ++written_;
    }

    std::string text;
    SweepProgress lastProgress;
    mutable std::atomic<size_t> computed_ = 0;
    std::atomic<size_t> written_ = 0;
    mutable std::atomic<size_t> mostAhead_ = 0;
};

std::string PointList(size_t first, size_t end) {
    std::string list;
    for (size_t point = first; point < end; ++point) {
        list += std::to_string(point) + ' ';
    }
    return list;
}

// A grid of many blocks: refused points (a stroke of 0) are quick to compute.
SweepGrid QuickGrid() {
    return {ExampleGunWith({{PistonStroke, "0"}}), {{BarrelLength, 100, 500, 30'000}}};
}

TEST(SweepRunner, WritesTheRowsOfItsShardInGridOrderWhileItComputes) {
    RecordingSink sink;
    ComputeSweep(QuickGrid(), {2, 3}, 2, sink);
    EXPECT_EQ(sink.text, PointList(10'000, 20'000));
    EXPECT_EQ(sink.lastProgress.pointsDone, 10'000u);
    EXPECT_EQ(sink.lastProgress.points, 10'000u);
    // The blocks are written as they finish, not held until the end.
    EXPECT_LE(sink.mostAhead_, 8u);
}

// An exception on a worker thread used to end the program: it reaches the caller now, after
// every thread has stopped.
TEST(SweepRunner, AFailureOfTheSinkOnAnyThreadReachesTheCaller) {
    class FailingSink : public SweepRowSink {
    public:
        std::string RowsText(std::span<const SweepRow> rows) const override {
            if (rows.front().point >= 2048) {
                throw std::runtime_error("no room");
            }
            return {};
        }
        void Write(const std::string&, SweepProgress) override {}
    } sink;
    EXPECT_THROW(ComputeSweep(QuickGrid(), {}, 2, sink), std::runtime_error);
}

TEST(WorkerThreads, NeverMoreThanTheCoresOrTheBlocks) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    EXPECT_EQ(UsableThreads(100'000, 1'000'000), cores);
    EXPECT_EQ(UsableThreads(0, 1'000'000), cores);
    EXPECT_EQ(UsableThreads(100'000, 1), 1u);
    EXPECT_EQ(UsableThreads(1, 0), 1u);
}

}  // namespace
