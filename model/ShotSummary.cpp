#include "model/ShotSummary.h"

ShotFigures CompletedShotFigures(const ShotSummary& summary, int lastIndex,
                                 double firstStepBulletVelocity, double bulletMass) {
    ShotFigures figures;
    figures.lastIndex = lastIndex;
    figures.maximumPressure = summary.maximumPressure;
    figures.maximumPistonVelocity = summary.maximumPistonVelocity;
    figures.maximumTemperature = summary.maximumTemperature;
    figures.muzzleVelocity = lastIndex >= 0 ? summary.last.bulletVelocity : firstStepBulletVelocity;
    figures.bulletEnergy = BulletEnergyOf(bulletMass, figures.muzzleVelocity);
    return figures;
}
