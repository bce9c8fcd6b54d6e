#pragma once
// A sweep computed block by block on several threads and handed on in grid order as the blocks
// finish: its memory stays the same whatever the size of the grid. A shard of a grid is one of
// several contiguous parts, so that machines can share a large sweep.

#include <array>
#include <cstddef>
#include <span>
#include <string>

#include "model/ShotFigures.h"
#include "model/SmoothShot.h"
#include "model/SweepGrid.h"

struct SweepShard {
    size_t number = 1;  // K: from 1 up to count
    size_t count = 1;   // N
};

// The points first … end - 1 of a grid.
struct SweepPointRange {
    size_t first = 0;
    size_t end = 0;

    bool operator==(const SweepPointRange&) const = default;
};

// The points of shard K of N: the K-th of N contiguous parts of the grid, the first ones one
// point longer where the points do not divide evenly.
SweepPointRange ShardPoints(size_t pointCount, SweepShard shard);

// A point of the grid and its figures.
struct SweepRow {
    size_t point = 0;
    // The varied values as the computation read them from the point's texts, one per axis.
    std::array<double, MaxSweepAxes> variedValues{};
    // The failure holds the message the Compute button would show: a refusal of the checks or
    // the run's end.
    ShotFigures figures;
    // The muzzle energy over the energy the spring or ram releases over the whole stroke
    // (ShotEfficiency); 0 when the shot failed.
    double efficiency = 0;
};

struct SweepProgress {
    size_t pointsDone = 0;
    size_t points = 0;  // of the shard
};

class SweepRowSink {
public:
    virtual ~SweepRowSink() = default;
    // The text of a block of consecutive rows. Called on any of the sweep's threads, for the
    // blocks in any order and for several at once.
    virtual std::string RowsText(std::span<const SweepRow> rows) const = 0;
    // Writes the text of the next block of the shard in grid order; called for one block at a
    // time. The progress counts the points written with it.
    virtual void Write(const std::string& rowsText, SweepProgress progress) = 0;
};

// Computes the points of the shard on the given number of threads (0: one per core; never
// more than the cores or the blocks of the shard) and hands their rows to the sink. Each point
// is read and checked as the Compute button would, and computed by the given computation (the
// designed one as the Compute button computes it). An exception of the sink reaches the caller
// once every thread has stopped.
void ComputeSweep(const SweepGrid& grid, SweepShard shard, unsigned threads, SweepRowSink& sink,
                  ShotComputation computation = ShotComputation::Designed);
