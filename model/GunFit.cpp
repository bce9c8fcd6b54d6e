#include "model/GunFit.h"

#include <algorithm>
#include <cmath>
#include <nlopt.hpp>
#include <stdexcept>

#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "model/GunBatch.h"
#include "model/PelletTable.h"

namespace {

// The search runs over the logarithm of each free value's ratio to its start (of the spring's
// force difference for the maximum force, which must stay above the minimum): every parameter
// on the same relative scale, and never at or below 0.
constexpr double SearchFactor = 4;
const double SearchBound = std::log(SearchFactor);

// The muzzle velocity is the one at the last whole step before the muzzle, so it moves in
// jumps as a parameter varies (a step more or less in the barrel, the release a step earlier):
// about 0.1 m/s for the example gun, several tenths for a gun that still accelerates hard at
// the muzzle. A gradient from small differences sees only those jumps. Sbplx (subplex:
// Nelder–Mead searches on changing subspaces) compares values only and keeps to the bounds.
// Its first steps, about 10 % of each value, see the trend across hundreds of jumps; it ends
// when its steps are down to 0.01 %, inside the width of one jump in any parameter.
constexpr double InitialStep = 0.1;
constexpr double StepTolerance = 1e-4;
// A simplex can collapse on a jump before it reaches the bottom of a long valley (two
// parameters that the shots tell apart only barely). A fresh start from the best point, with
// steps of 5 %, gets it out; the fit ends when a fresh start gains less than 1 %.
constexpr double RestartStep = 0.05;
constexpr double RestartGain = 0.01;
constexpr int MostRestarts = 10;
constexpr int ComputationsPerParameter = 300;  // in each start

struct FreeParameter {
    GunParameter parameter;
    double start;
    double base;  // the value the searched ratio scales from: the minimum force, or 0
};

class FitObjective {
public:
    FitObjective(const GunParameterTexts& gun, std::vector<FreeParameter> free,
                 std::vector<MeasuredPellet> pellets, std::span<const MeasuredShot> shots)
        : gun_(gun), free_(std::move(free)), pellets_(std::move(pellets)), shots_(shots) {}

    // The gun at a point of the search.
    GunParameterTexts GunAt(const std::vector<double>& point) const {
        GunParameterTexts texts = gun_;
        double minimumForce = FieldToNumber(At(texts, GunParameter::MinimumForce), '.');
        for (size_t j = 0; j < free_.size(); ++j) {
            const FreeParameter& free = free_[j];
            const double base =
                free.parameter == GunParameter::MaximumForce ? minimumForce : 0;
            const double value = base + (free.start - free.base) * std::exp(point[j]);
            At(texts, free.parameter) = NumberToField(value, '.');
            if (free.parameter == GunParameter::MinimumForce) {
                minimumForce = FieldToNumber(At(texts, free.parameter), '.');
            }
        }
        return texts;
    }

    // The computed shot of every pellet of the gun at the point.
    std::vector<ShotFigures> ShotsAt(const std::vector<double>& point) {
        const GunParameterTexts texts = GunAt(point);
        std::vector<GunParameterTexts> guns;
        for (const MeasuredPellet& pellet : pellets_) {
            guns.push_back(WithBulletWeight(texts, pellet.bulletWeight));
        }
        ++computations_;
        // One thread: a handful of shots run side by side there already.
        return ComputeGunFigures(guns, 1, ShotComputation::Smooth);
    }

    // The sum of squares of measured less computed velocity over all shots. A pellet whose shot
    // fails (it does not leave the barrel within the step limit) counts as computed at 0 m/s.
    double SquaresAt(const std::vector<double>& point) {
        const std::vector<ShotFigures> figures = ShotsAt(point);
        double squares = 0;
        for (const MeasuredShot& shot : shots_) {
            const double computed = Computed(figures, shot.bulletWeight);
            squares += (shot.velocity - computed) * (shot.velocity - computed);
        }
        return squares;
    }

    double Computed(const std::vector<ShotFigures>& figures, double bulletWeight) const {
        for (size_t k = 0; k < pellets_.size(); ++k) {
            if (pellets_[k].bulletWeight == bulletWeight) {
                return figures[k].failure.empty() ? figures[k].muzzleVelocity : 0;
            }
        }
        throw std::logic_error("every shot's weight is a pellet's");
    }

    const std::vector<MeasuredPellet>& Pellets() const { return pellets_; }
    int Computations() const { return computations_; }

private:
    static std::string& At(GunParameterTexts& texts, GunParameter parameter) {
        return texts[static_cast<size_t>(Index(parameter))];
    }

    GunParameterTexts gun_;
    std::vector<FreeParameter> free_;
    std::vector<MeasuredPellet> pellets_;
    std::span<const MeasuredShot> shots_;
    int computations_ = 0;
};

std::string ValueText(double value, GunParameter parameter) {
    const char* unit = InfoOf(parameter).unit;
    return NumberToField(value, '.') + (*unit ? std::string(" ") + unit : "");
}

}  // namespace

bool IsFittable(GunParameter parameter) {
    return parameter != GunParameter::BulletWeight && parameter != GunParameter::ComputationStep;
}

GunFit FitGunToShots(const GunParameterTexts& gun, std::span<const GunParameter> freeParameters,
                     std::span<const MeasuredShot> shots) {
    std::vector<GunParameter> order(freeParameters.begin(), freeParameters.end());
    for (const GunParameter parameter : order) {
        if (!IsFittable(parameter) || std::count(order.begin(), order.end(), parameter) != 1) {
            throw std::invalid_argument("Fit different parameters other than the pellet's weight "
                                        "and the computation step");
        }
    }
    std::vector<MeasuredPellet> pellets = MeasuredPellets(shots);
    if (order.size() > pellets.size()) {
        ShowMessageAndAbort("A fit of " + std::to_string(order.size()) +
                            " parameters needs shots of at least as many pellet weights; the "
                            "shots have " +
                            std::to_string(pellets.size()) + ".");
    }
    // The gun as it stands must pass the Compute command's checks.
    CheckedInputsOf(gun, '.');

    // In the order of the table, so that a free minimum force is set before the maximum force
    // that must stay above it.
    std::sort(order.begin(), order.end(),
              [](GunParameter a, GunParameter b) { return Index(a) < Index(b); });
    std::vector<FreeParameter> free;
    const double minimumForce =
        FieldToNumber(gun[static_cast<size_t>(Index(GunParameter::MinimumForce))], '.');
    for (const GunParameter parameter : order) {
        const double start = FieldToNumber(gun[static_cast<size_t>(Index(parameter))], '.');
        const bool aboveMinimum = InfoOf(parameter).range == AcceptedRange::AboveMinimumForce;
        free.push_back({parameter, start, aboveMinimum ? minimumForce : 0});
    }
    FitObjective objective(gun, free, std::move(pellets), shots);

    const size_t n = free.size();
    std::vector<double> point(n, 0.0);
    {
        const std::vector<ShotFigures> start = objective.ShotsAt(point);
        if (std::all_of(start.begin(), start.end(),
                        [](const ShotFigures& f) { return !f.failure.empty(); })) {
            ShowMessageAndAbort("The fit cannot start: every shot of the gun fails (" +
                                WithClosingFullStop(start.front().failure) + ")");
        }
    }

    nlopt::opt optimiser(nlopt::LN_SBPLX, static_cast<unsigned>(n));
    optimiser.set_lower_bounds(std::vector<double>(n, -SearchBound));
    optimiser.set_upper_bounds(std::vector<double>(n, SearchBound));
    optimiser.set_xtol_abs(StepTolerance);
    optimiser.set_maxeval(ComputationsPerParameter * static_cast<int>(n));
    optimiser.set_min_objective(
        [](const std::vector<double>& x, std::vector<double>&, void* data) {
            return static_cast<FitObjective*>(data)->SquaresAt(x);
        },
        &objective);
    double squares = HUGE_VAL;
    for (int start = 0;; ++start) {
        optimiser.set_initial_step(start == 0 ? InitialStep : RestartStep);
        std::vector<double> trial = point;
        double trialSquares = HUGE_VAL;
        nlopt::result result = nlopt::FAILURE;
        try {
            result = optimiser.optimize(trial, trialSquares);
        } catch (const nlopt::roundoff_limited&) {
            // The steps went below what the sums of squares can tell apart: the point is the
            // best found, as with the step tolerance reached.
            result = nlopt::XTOL_REACHED;
        }
        if (result == nlopt::MAXEVAL_REACHED || result < 0 || start == MostRestarts) {
            ShowMessageAndAbort("The fit does not converge within " +
                                std::to_string(objective.Computations()) +
                                " computations of the shots; free fewer parameters, or start "
                                "from a gun nearer the shots.");
        }
        const bool gained = trialSquares < squares * (1 - RestartGain);
        if (trialSquares < squares) {
            squares = trialSquares;
            point = trial;
        }
        if (!gained) {
            break;
        }
    }

    GunFit fit;
    fit.gun = objective.GunAt(point);
    for (size_t j = 0; j < n; ++j) {
        const GunParameter parameter = free[j].parameter;
        fit.freeParameters.push_back(parameter);
        fit.startValues.push_back(free[j].start);
        fit.fittedValues.push_back(
            FieldToNumber(fit.gun[static_cast<size_t>(Index(parameter))], '.'));
        // A value at the end of the range searched is no minimum: the shots ask for more.
        if (std::fabs(point[j]) > SearchBound - 100 * StepTolerance) {
            const double span = free[j].start - free[j].base;
            ShowMessageAndAbort(
                std::string("The fit does not converge: ") + InfoOf(parameter).fieldName +
                " runs to " + ValueText(fit.fittedValues.back(), parameter) +
                ", the end of the range searched (" +
                ValueText(free[j].base + span / SearchFactor, parameter) + " to " +
                ValueText(free[j].base + span * SearchFactor, parameter) +
                "); start from a gun nearer the shots.");
        }
    }
    const std::vector<ShotFigures> figures = objective.ShotsAt(point);
    for (size_t k = 0; k < objective.Pellets().size(); ++k) {
        const MeasuredPellet& pellet = objective.Pellets()[k];
        if (!figures[k].failure.empty()) {
            ShowMessageAndAbort("The fitted gun's shot of the " +
                                NumberToField(pellet.bulletWeight, '.') +
                                " g pellet fails: " + WithClosingFullStop(figures[k].failure));
        }
        fit.pellets.push_back({pellet, figures[k].muzzleVelocity});
    }
    double finalSquares = 0;
    for (const MeasuredShot& shot : shots) {
        const double residual = shot.velocity - objective.Computed(figures, shot.bulletWeight);
        finalSquares += residual * residual;
    }
    fit.rmsResidual = std::sqrt(finalSquares / static_cast<double>(shots.size()));
    fit.computations = objective.Computations();
    fit.shots = fit.computations * static_cast<int>(objective.Pellets().size());
    return fit;
}
