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
                                          std::span<const double> bulletWeights, unsigned threads) {
    // The guns differ in the weight's text alone: the others are read once.
    const GunFieldNumbers gunNumbers(gun, '.');
    std::vector<GunFieldNumbers> guns;
    guns.reserve(bulletWeights.size());
    for (const double weight : bulletWeights) {
        guns.push_back(gunNumbers);
        guns.back().Set(GunParameter::BulletWeight, NumberToField(weight, '.'), '.');
    }
    const std::vector<ShotFigures> figures =
        ComputeGunFigures(guns, threads, ShotComputation::Smooth);
    std::vector<PelletRow> rows;
    rows.reserve(guns.size());
    for (size_t i = 0; i < guns.size(); ++i) {
        rows.push_back({guns[i].Number(GunParameter::BulletWeight), figures[i]});
    }
    return rows;
}

bool IsOverLimit(const ShotFigures& figures, double energyLimit) {
    return figures.bulletEnergy > energyLimit;
}
