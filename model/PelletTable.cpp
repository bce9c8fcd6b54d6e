#include "model/PelletTable.h"

#include "common/FieldNumber.h"
#include "model/GunBatch.h"

GunParameterTexts WithBulletWeight(const GunParameterTexts& gun, double bulletWeight) {
    GunParameterTexts texts = gun;
    texts[static_cast<size_t>(Index(GunParameter::BulletWeight))] =
        NumberToField(bulletWeight, '.');
    return texts;
}

std::vector<PelletRow> ComputePelletTable(const GunParameterTexts& gun,
                                          std::span<const double> bulletWeights,
                                          unsigned threads) {
    std::vector<GunParameterTexts> guns;
    for (const double weight : bulletWeights) {
        guns.push_back(WithBulletWeight(gun, weight));
    }
    const std::vector<ShotFigures> figures =
        ComputeGunFigures(guns, threads, ShotComputation::Smooth);
    std::vector<PelletRow> rows;
    for (size_t i = 0; i < guns.size(); ++i) {
        const std::string& weightText = guns[i][static_cast<size_t>(Index(GunParameter::BulletWeight))];
        rows.push_back({FieldToNumber(weightText, '.'), figures[i]});
    }
    return rows;
}

bool IsOverLimit(const ShotFigures& figures, double energyLimit) {
    return figures.bulletEnergy > energyLimit;
}
