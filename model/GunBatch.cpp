#include "model/GunBatch.h"

#include "common/CommandErrors.h"

ModelInputs CheckedInputsOf(const GunParameterTexts& texts, char decimalSeparator) {
    ModelInputs inputs;
    ReadModelInputs(texts, decimalSeparator, inputs);
    ValidateModelInputs(inputs);
    CompleteModelInputs(inputs);
    return inputs;
}

std::vector<ShotFigures> ComputeGunFigures(std::span<const GunParameterTexts> guns,
                                           unsigned threads) {
    std::vector<ShotFigures> figures(guns.size());
    std::vector<ModelInputs> runnable;
    std::vector<size_t> runnableGun;
    for (size_t i = 0; i < guns.size(); ++i) {
        try {
            runnable.push_back(CheckedInputsOf(guns[i], '.'));
            runnableGun.push_back(i);
        } catch (const CommandFailure& refusal) {
            figures[i].failure = refusal.what();
        }
    }
    std::vector<ShotFigures> computed(runnable.size());
    ComputeShotFiguresOnThreads(runnable, computed, threads);
    for (size_t r = 0; r < runnable.size(); ++r) {
        figures[runnableGun[r]] = std::move(computed[r]);
    }
    return figures;
}
