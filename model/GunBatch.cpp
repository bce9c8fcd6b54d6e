#include "model/GunBatch.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "common/CommandErrors.h"
#include "common/WorkerThreads.h"

namespace {
// Guns computed as one block: enough to keep the lanes full most of the time.
constexpr size_t BlockGuns = 512;

// Hands out the blocks of the guns to the threads; each block is made ready (its texts read)
// and computed on the thread that takes it.
template <typename Gun, typename ReadyBlock>
std::vector<ShotFigures> ComputeInBlocks(std::span<const Gun> guns, unsigned threads,
                                         ShotComputation computation, ReadyBlock readyBlock) {
    std::vector<ShotFigures> figures(guns.size());
    const size_t blocks = (guns.size() + BlockGuns - 1) / BlockGuns;
    std::atomic<size_t> nextBlock = 0;
    RunOnThreads(UsableThreads(threads, blocks), [&](std::stop_token stop) {
        const auto scratch = std::make_unique<SimulationResult>();
        for (size_t block = nextBlock++; block < blocks && !stop.stop_requested();
             block = nextBlock++) {
            const size_t first = block * BlockGuns;
            const size_t count = std::min(BlockGuns, guns.size() - first);
            ComputeGunBlock(readyBlock(guns.subspan(first, count)),
                            std::span(figures).subspan(first, count), *scratch, computation);
        }
    });
    return figures;
}

}  // namespace

ModelInputs CheckedInputsOf(const GunParameterTexts& texts, char decimalSeparator) {
    return CheckedInputsOf(GunFieldNumbers(texts, decimalSeparator));
}

ModelInputs CheckedInputsOf(const GunFieldNumbers& fields) {
    ModelInputs inputs;
    ReadModelInputs(fields, inputs);
    ValidateModelInputs(inputs);
    CompleteModelInputs(inputs);
    return inputs;
}

void ComputeGunBlock(std::span<const GunFieldNumbers> guns, std::span<ShotFigures> figures,
                     SimulationResult& scratch, ShotComputation computation,
                     std::span<ModelInputs> checkedInputs) {
    std::vector<ModelInputs> runnable;
    std::vector<size_t> runnableGun;
    runnable.reserve(guns.size());
    runnableGun.reserve(guns.size());
    for (size_t i = 0; i < guns.size(); ++i) {
        try {
            runnable.push_back(CheckedInputsOf(guns[i]));
            runnableGun.push_back(i);
        } catch (const CommandFailure& refusal) {
            figures[i] = ShotFigures{refusal.what()};
        }
    }
    std::vector<ShotFigures> computed(runnable.size());
    ComputeShotFigures(runnable, computed, scratch, BestShotLaneKernel(), computation);
    for (size_t r = 0; r < runnable.size(); ++r) {
        figures[runnableGun[r]] = std::move(computed[r]);
        if (!checkedInputs.empty()) {
            checkedInputs[runnableGun[r]] = runnable[r];
        }
    }
}

std::vector<ShotFigures> ComputeGunFigures(std::span<const GunFieldNumbers> guns, unsigned threads,
                                           ShotComputation computation) {
    return ComputeInBlocks(guns, threads, computation,
                           [](std::span<const GunFieldNumbers> block) { return block; });
}

std::vector<ShotFigures> ComputeGunFigures(std::span<const GunParameterTexts> guns,
                                           unsigned threads, ShotComputation computation) {
    return ComputeInBlocks(guns, threads, computation,
                           [](std::span<const GunParameterTexts> block) {
                               std::vector<GunFieldNumbers> numbers;
                               numbers.reserve(block.size());
                               for (const GunParameterTexts& texts : block) {
                                   numbers.emplace_back(texts, '.');
                               }
                               return numbers;
                           });
}
