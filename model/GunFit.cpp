#include "model/GunFit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <nlopt.hpp>
#include <optional>
#include <stdexcept>
#include <string>

#include "common/ApplicationTitle.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "model/FitUncertainty.h"
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
// steps of 5 %, gets it out; the fit ends when a fresh start gains less than 1 %. A search of
// one parameter has no valley to follow: it ends without a fresh start, which would cost as
// many computations again (the whole fit of 10 000 distinct weights is held to 10 s).
constexpr double RestartStep = 0.05;
constexpr double RestartGain = 0.01;
constexpr int MostRestarts = 10;
constexpr int ComputationsPerParameter = 300;  // in each start
// Up to this many free parameters every subset of them is fitted first and the fit of the
// whole starts from the best of those optima; beyond, the subsets are the first k parameters
// in the order given (2ⁿ fits would cost too much).
constexpr size_t MostParametersForEverySubset = 3;

// The verdict on the fit: a poor fit misses the shots by more than three times their scatter,
// or by more than 1 % of their mean velocity where every pellet has a single shot. The
// scatter is never taken below 0.1 % of the mean velocity, the resolution of a chronograph
// (shots computed by the engine and written twice have none).
constexpr double PoorFitSpreads = 3;
constexpr double SingleShotLimitShare = 0.01;
constexpr double LeastSpreadShare = 0.001;

struct FreeParameter {
    GunParameter parameter;
    double start;
    double base;   // the value the searched ratio scales from: the minimum force, or 0
    size_t given;  // the position in the order given
    // The range searched, in the search's coordinate: ±SearchBound, narrowed where the values
    // the parameter accepts end sooner.
    double lowest = -SearchBound;
    double highest = SearchBound;
};

// A restitution stays below 1 and a gas ram's exponent from 1 to 1.67, so their search ends
// there when a factor of four would go beyond (the start, an accepted value, always inside). A
// hair inside the ends, so that a value rounded back from the coordinate stays accepted.
void NarrowToTheAcceptedValues(FreeParameter& free) {
    constexpr double Hair = 1e-9;
    const auto coordinate = [&](double value) { return std::log(value / free.start); };
    switch (RangeOf(free.parameter)) {
        case AcceptedRange::FromZeroBelowOne:
            free.highest = std::clamp(coordinate(1) - Hair, 0.0, SearchBound);
            break;
        case AcceptedRange::ZeroOrGasRam:
            free.lowest = std::clamp(coordinate(1) + Hair, -SearchBound, 0.0);
            free.highest = std::clamp(coordinate(1.67) - Hair, 0.0, SearchBound);
            break;
        default:
            break;
    }
}

// Each pellet's computed velocity (m/s, 0 where the shot fails) and the failures' messages by
// pellet.
struct PelletShots {
    std::vector<double> velocities;
    std::map<size_t, std::string> failures;
};

// Guns read and computed at a time: enough blocks to keep the cores busy.
constexpr size_t GunsAtATime = 8192;

// A point of the search (one coordinate per free parameter) and its sum of squares.
struct SearchPoint {
    std::vector<double> point;
    double squares;
};

class FitObjective {
public:
    FitObjective(const GunParameterTexts& gun, std::vector<FreeParameter> free,
                 std::vector<MeasuredPellet> pellets)
        : gun_(gun), free_(std::move(free)), pellets_(std::move(pellets)) {
        for (const MeasuredPellet& pellet : pellets_) {
            weightTexts_.push_back(NumberToField(pellet.bulletWeight, '.'));
            const double spread = pellet.velocitySpread.value_or(0);
            withinSquares_ += (pellet.shots - 1) * spread * spread;
        }
    }

    // The free parameters' values at a point of the search, in the window's units.
    std::vector<double> ValuesAt(const std::vector<double>& point) const {
        double minimumForce = FieldToNumber(At(gun_, GunParameter::MinimumForce), '.');
        std::vector<double> values;
        for (size_t j = 0; j < free_.size(); ++j) {
            const FreeParameter& free = free_[j];
            const double base = free.parameter == GunParameter::MaximumForce ? minimumForce : 0;
            values.push_back(base + (free.start - free.base) * std::exp(point[j]));
            if (free.parameter == GunParameter::MinimumForce) {
                minimumForce = values.back();
            }
        }
        return values;
    }

    // The gun with the free parameters at those values.
    GunParameterTexts GunWith(const std::vector<double>& values) const {
        GunParameterTexts texts = gun_;
        for (size_t j = 0; j < free_.size(); ++j) {
            At(texts, free_[j].parameter) = NumberToField(values[j], '.');
        }
        return texts;
    }

    // The computed shot of every pellet of the gun with the values. The pellets go through the
    // lanes, in blocks over the cores, a bounded number of guns at a time (a gun's numbers
    // take about a third of a kilobyte); each gun's texts are the gun's but the weight's, so
    // only the weight's text is read for each.
    PelletShots ShotsWith(const std::vector<double>& values) {
        const GunFieldNumbers gun(GunWith(values), '.');
        PelletShots shots;
        shots.velocities.reserve(pellets_.size());
        std::vector<GunFieldNumbers> guns;
        for (size_t first = 0; first < pellets_.size(); first += GunsAtATime) {
            const size_t count = std::min(GunsAtATime, pellets_.size() - first);
            guns.clear();
            for (size_t k = first; k < first + count; ++k) {
                guns.push_back(gun);
                guns.back().Set(GunParameter::BulletWeight, weightTexts_[k], '.');
            }
            const std::vector<ShotFigures> figures =
                ComputeGunFigures(guns, 0, ShotComputation::Smooth);
            for (size_t i = 0; i < count; ++i) {
                // A shot that fails (it does not leave the barrel within the step limit)
                // counts as 0 m/s.
                shots.velocities.push_back(figures[i].failure.empty() ? figures[i].muzzleVelocity
                                                                      : 0);
                if (!figures[i].failure.empty()) {
                    shots.failures.emplace(first + i, figures[i].failure);
                }
            }
        }
        ++computations_;
        return shots;
    }

    // The sum of squares of measured less computed velocity over all shots: each pellet's
    // shots scatter about their mean, and the mean misses the computed velocity.
    double SquaresOf(const std::vector<double>& velocities) const {
        double squares = withinSquares_;
        for (size_t k = 0; k < pellets_.size(); ++k) {
            const double miss = pellets_[k].meanVelocity - velocities[k];
            squares += pellets_[k].shots * miss * miss;
        }
        return squares;
    }

    // Every search of a subset begins at the fit's start and every fresh start at the best
    // point found: those points' sums are known, and are not computed again.
    double SquaresAt(const std::vector<double>& point) {
        if (const auto known = squaresAt_.find(point); known != squaresAt_.end()) {
            return known->second;
        }
        const double squares = SquaresOf(ShotsWith(ValuesAt(point)).velocities);
        squaresAt_.emplace(point, squares);
        return squares;
    }

    void KnowSquaresAt(const std::vector<double>& point, double squares) {
        squaresAt_.emplace(point, squares);
    }

    const std::vector<FreeParameter>& Free() const { return free_; }
    const std::vector<MeasuredPellet>& Pellets() const { return pellets_; }
    int Computations() const { return computations_; }

private:
    static const std::string& At(const GunParameterTexts& texts, GunParameter parameter) {
        return texts[static_cast<size_t>(Index(parameter))];
    }
    static std::string& At(GunParameterTexts& texts, GunParameter parameter) {
        return texts[static_cast<size_t>(Index(parameter))];
    }

    GunParameterTexts gun_;
    std::vector<FreeParameter> free_;  // in the order of the table
    std::vector<MeasuredPellet> pellets_;
    std::vector<std::string> weightTexts_;  // each pellet's weight as its field holds it
    double withinSquares_ = 0;
    int computations_ = 0;
    std::map<std::vector<double>, double> squaresAt_;  // by point of the search
};

[[noreturn]] void AbortNotConverging(const FitObjective& objective) {
    ShowMessageAndAbort("The fit does not converge within " +
                        std::to_string(objective.Computations()) +
                        " computations of the shots; free fewer parameters, or start from a gun "
                        "nearer the shots.");
}

// Searches the coordinates given (the others stay as they are in the start), restarting from
// the best point until a fresh start gains little. Never ends worse than it started.
SearchPoint SearchFrom(FitObjective& objective, const std::vector<size_t>& coordinates,
                       SearchPoint best) {
    struct Context {
        FitObjective* objective;
        const std::vector<size_t>* coordinates;
        std::vector<double> point;
    } context{&objective, &coordinates, best.point};
    const size_t n = coordinates.size();
    nlopt::opt optimiser(nlopt::LN_SBPLX, static_cast<unsigned>(n));
    std::vector<double> lowest;
    std::vector<double> highest;
    for (const size_t c : coordinates) {
        lowest.push_back(objective.Free()[c].lowest);
        highest.push_back(objective.Free()[c].highest);
    }
    optimiser.set_lower_bounds(lowest);
    optimiser.set_upper_bounds(highest);
    optimiser.set_xtol_abs(StepTolerance);
    optimiser.set_maxeval(ComputationsPerParameter * static_cast<int>(n));
    optimiser.set_min_objective(
        [](const std::vector<double>& x, std::vector<double>&, void* data) {
            auto& c = *static_cast<Context*>(data);
            for (size_t i = 0; i < x.size(); ++i) {
                c.point[(*c.coordinates)[i]] = x[i];
            }
            return c.objective->SquaresAt(c.point);
        },
        &context);
    for (int start = 0;; ++start) {
        optimiser.set_initial_step(start == 0 ? InitialStep : RestartStep);
        std::vector<double> trial;
        for (const size_t c : coordinates) {
            trial.push_back(best.point[c]);
        }
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
            AbortNotConverging(objective);
        }
        const bool gained = n > 1 && trialSquares < best.squares * (1 - RestartGain);
        if (trialSquares < best.squares) {
            best.squares = trialSquares;
            for (size_t i = 0; i < n; ++i) {
                best.point[coordinates[i]] = trial[i];
            }
        }
        if (!gained) {
            return best;
        }
    }
}

// The fits of subsets of the free parameters (bit j: the table-ordered free parameter j),
// each searched from the start and from the best of its own smaller subsets' optima.
class SubsetFits {
public:
    SubsetFits(FitObjective& objective, SearchPoint start)
        : objective_(objective), start_(std::move(start)) {}

    SearchPoint Fit(unsigned subset) {
        if (subset == 0) {
            return start_;
        }
        if (const auto found = fits_.find(subset); found != fits_.end()) {
            return found->second;
        }
        std::optional<SearchPoint> bestSmaller;
        for (const unsigned smaller : SmallerSubsets(subset)) {
            SearchPoint fit = Fit(smaller);
            if (fit.squares < (bestSmaller ? bestSmaller->squares : start_.squares)) {
                bestSmaller = std::move(fit);
            }
        }
        std::vector<size_t> coordinates;
        for (size_t j = 0; j < objective_.Free().size(); ++j) {
            if (subset & (1u << j)) {
                coordinates.push_back(j);
            }
        }
        // From the start first: a subset's optimum can sit on a jump of the designed velocity
        // that holds the simplex short of the valley the start leads into. From the subset's
        // optimum only when that search ends worse than it.
        SearchPoint found = SearchFrom(objective_, coordinates, start_);
        if (bestSmaller && bestSmaller->squares < found.squares) {
            found = SearchFrom(objective_, coordinates, std::move(*bestSmaller));
        }
        return fits_[subset] = std::move(found);
    }

private:
    // The subsets one parameter smaller whose optima the fit of the subset starts from.
    std::vector<unsigned> SmallerSubsets(unsigned subset) const {
        const std::vector<FreeParameter>& free = objective_.Free();
        std::vector<unsigned> smaller;
        if (free.size() <= MostParametersForEverySubset) {
            for (size_t j = 0; j < free.size(); ++j) {
                if (subset & (1u << j) && subset != (1u << j)) {
                    smaller.push_back(subset & ~(1u << j));
                }
            }
            return smaller;
        }
        // The first k in the order given: drop the last given of the subset.
        size_t last = free.size();
        for (size_t j = 0; j < free.size(); ++j) {
            if (subset & (1u << j) && (last == free.size() || free[j].given > free[last].given)) {
                last = j;
            }
        }
        if (subset != (1u << last)) {
            smaller.push_back(subset & ~(1u << last));
        }
        return smaller;
    }

    FitObjective& objective_;
    SearchPoint start_;
    std::map<unsigned, SearchPoint> fits_;
};

// Each pellet's change of computed velocity per relative change of each free value, by
// central differences of JacobianStep (one-sided where one side's shot fails).
std::vector<std::vector<double>> SensitivitiesAt(FitObjective& objective,
                                                 const std::vector<double>& values,
                                                 const std::vector<double>& velocities) {
    const size_t pellets = objective.Pellets().size();
    std::vector<std::vector<double>> sensitivities(pellets, std::vector<double>(values.size()));
    for (size_t j = 0; j < values.size(); ++j) {
        std::vector<double> varied = values;
        varied[j] = values[j] * (1 + JacobianStep);
        const PelletShots up = objective.ShotsWith(varied);
        varied[j] = values[j] * (1 - JacobianStep);
        const PelletShots down = objective.ShotsWith(varied);
        for (size_t k = 0; k < pellets; ++k) {
            const bool upShot = !up.failures.contains(k);
            const bool downShot = !down.failures.contains(k);
            const double high = upShot ? up.velocities[k] : velocities[k];
            const double low = downShot ? down.velocities[k] : velocities[k];
            const double span = (upShot ? JacobianStep : 0) + (downShot ? JacobianStep : 0);
            if (span == 0) {
                ShowMessageAndAbort(
                    std::string("The fit cannot tell how the shots depend on ") +
                    FieldNameOf(objective.Free()[j].parameter) + ": the " +
                    NumberToField(objective.Pellets()[k].bulletWeight, '.') +
                    " g pellet's shot fails with the value 1 % higher and 1 % lower (" +
                    WithClosingFullStop(up.failures.at(k)) + ")");
            }
            sensitivities[k][j] = (high - low) / span;
        }
    }
    return sensitivities;
}

[[noreturn]] void AbortNotFinite(const std::string& what, std::span<const MeasuredShot> shots) {
    double fastest = 0;
    double heaviest = 0;
    for (const MeasuredShot& shot : shots) {
        fastest = std::max(fastest, shot.velocity);
        heaviest = std::max(heaviest, shot.bulletWeight);
    }
    ShowMessageAndAbort("The fit has no finite result: " + what +
                        "; check the shots (the fastest is " + NumberToField(fastest, '.') +
                        " m/s, the heaviest " + NumberToField(heaviest, '.') +
                        " g). Nothing was written.");
}

}  // namespace

bool IsFittable(GunParameter parameter) {
    return parameter != GunParameter::BulletWeight && parameter != GunParameter::ComputationStep;
}

bool GunFit::IsPoor() const {
    return rmsResidual > poorFitLimit ||
           std::any_of(parameters.begin(), parameters.end(),
                       [](const FittedParameter& p) { return p.atSearchEnd; });
}

GunFit FitGunToShots(const GunParameterTexts& gun, std::span<const GunParameter> freeParameters,
                     std::span<const MeasuredShot> shots) {
    for (const GunParameter parameter : freeParameters) {
        if (!IsFittable(parameter) ||
            std::count(freeParameters.begin(), freeParameters.end(), parameter) != 1) {
            throw std::invalid_argument(
                "Fit different parameters other than the pellet's weight "
                "and the computation step");
        }
    }
    std::vector<MeasuredPellet> pellets = MeasuredPellets(shots);
    if (freeParameters.size() > pellets.size()) {
        ShowMessageAndAbort("A fit of " + std::to_string(freeParameters.size()) +
                            " parameters needs shots of at least as many pellet weights; the "
                            "shots have " +
                            std::to_string(pellets.size()) + ".");
    }
    // The gun as it stands must pass the Compute command's checks.
    CheckedInputsOf(gun, '.');

    // In the order of the table, so that a free minimum force is set before the maximum force
    // that must stay above it.
    std::vector<FreeParameter> free;
    const double minimumForce =
        FieldToNumber(gun[static_cast<size_t>(Index(GunParameter::MinimumForce))], '.');
    for (size_t given = 0; given < freeParameters.size(); ++given) {
        const GunParameter parameter = freeParameters[given];
        const double start = FieldToNumber(gun[static_cast<size_t>(Index(parameter))], '.');
        const bool aboveMinimum = RangeOf(parameter) == AcceptedRange::AboveMinimumForce;
        free.push_back({parameter, start, aboveMinimum ? minimumForce : 0, given});
        NarrowToTheAcceptedValues(free.back());
    }
    std::sort(free.begin(), free.end(), [](const FreeParameter& a, const FreeParameter& b) {
        return Index(a.parameter) < Index(b.parameter);
    });
    FitObjective objective(gun, free, std::move(pellets));

    const size_t n = free.size();
    SearchPoint start{std::vector<double>(n, 0.0), 0};
    {
        const PelletShots shotsAtStart = objective.ShotsWith(objective.ValuesAt(start.point));
        if (shotsAtStart.failures.size() == shotsAtStart.velocities.size()) {
            ShowMessageAndAbort("The fit cannot start: every shot of the gun fails (" +
                                WithClosingFullStop(shotsAtStart.failures.begin()->second) + ")");
        }
        start.squares = objective.SquaresOf(shotsAtStart.velocities);
        objective.KnowSquaresAt(start.point, start.squares);
        if (!std::isfinite(start.squares)) {
            AbortNotFinite("the shots' sum of squares is not a finite number", shots);
        }
    }
    const std::vector<double> point = SubsetFits(objective, start).Fit((1u << n) - 1).point;

    GunFit fit;
    const std::vector<double> values = objective.ValuesAt(point);
    fit.gun = objective.GunWith(values);
    const PelletShots fitted = objective.ShotsWith(values);
    if (!fitted.failures.empty()) {
        const auto& [k, failure] = *fitted.failures.begin();
        ShowMessageAndAbort("The fitted gun's shot of the " +
                            NumberToField(objective.Pellets()[k].bulletWeight, '.') +
                            " g pellet fails: " + WithClosingFullStop(failure));
    }
    const std::vector<double>& velocities = fitted.velocities;
    for (size_t k = 0; k < objective.Pellets().size(); ++k) {
        fit.pellets.push_back({objective.Pellets()[k], velocities[k]});
    }
    const double squares = objective.SquaresOf(velocities);
    fit.rmsResidual = std::sqrt(squares / static_cast<double>(shots.size()));
    if (!std::isfinite(fit.rmsResidual)) {
        AbortNotFinite("its RMS residual is " + NumberToField(fit.rmsResidual, '.') + " m/s",
                       shots);
    }

    const FitUncertainty uncertainty = UncertaintyOf(
        SensitivitiesAt(objective, values, velocities),
        [&] {
            std::vector<int> counts;
            for (const MeasuredPellet& pellet : objective.Pellets()) {
                counts.push_back(pellet.shots);
            }
            return counts;
        }(),
        squares);

    // Back to the order given.
    fit.parameters.resize(n);
    for (size_t j = 0; j < n; ++j) {
        const FreeParameter& p = free[j];
        const double fitted = FieldToNumber(fit.gun[static_cast<size_t>(Index(p.parameter))], '.');
        const std::optional<double> relative = uncertainty.relativeErrors[j];
        std::vector<double> end = point;
        end[j] = p.lowest;
        const double lowest = objective.ValuesAt(end)[j];
        end[j] = p.highest;
        const double highest = objective.ValuesAt(end)[j];
        fit.parameters[p.given] = {
            p.parameter,
            p.start,
            fitted,
            relative ? std::optional<double>(*relative * fitted) : std::nullopt,
            point[j] < p.lowest + 100 * StepTolerance || point[j] > p.highest - 100 * StepTolerance,
            lowest,
            highest};
        if (!std::isfinite(fitted) || (relative && !std::isfinite(*relative * fitted))) {
            AbortNotFinite(std::string(FieldNameOf(p.parameter)) + " has no finite value", shots);
        }
    }
    if (!uncertainty.correlations.empty()) {
        fit.correlations.assign(n, std::vector<double>(n));
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < n; ++j) {
                fit.correlations[free[i].given][free[j].given] = uncertainty.correlations[i][j];
            }
        }
    }
    for (const auto& [i, j] : uncertainty.indistinguishable) {
        fit.indistinguishable.emplace_back(std::min(free[i].given, free[j].given),
                                           std::max(free[i].given, free[j].given));
    }
    std::sort(fit.indistinguishable.begin(), fit.indistinguishable.end());

    double meanVelocity = 0;
    double pooledSquares = 0;
    int pooledDegrees = 0;
    for (const MeasuredPellet& pellet : objective.Pellets()) {
        meanVelocity += pellet.meanVelocity * pellet.shots / static_cast<double>(shots.size());
        if (pellet.velocitySpread) {
            pooledSquares += (pellet.shots - 1) * *pellet.velocitySpread * *pellet.velocitySpread;
            pooledDegrees += pellet.shots - 1;
        }
    }
    if (pooledDegrees > 0) {
        fit.pooledSpread = std::sqrt(pooledSquares / pooledDegrees);
    }
    fit.poorFitLimit = fit.pooledSpread ? PoorFitSpreads * std::max(*fit.pooledSpread,
                                                                    LeastSpreadShare * meanVelocity)
                                        : SingleShotLimitShare * meanVelocity;
    fit.computations = objective.Computations();
    fit.shots = fit.computations * static_cast<int>(objective.Pellets().size());
    return fit;
}
