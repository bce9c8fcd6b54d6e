#include "model/SmoothShot.h"

#include <array>
#include <cstddef>

#include "common/FloatingPointFaults.h"
#include "model/ShotStepper.h"
#include "model/ShotSummary.h"

namespace {

// What the piston does over a stretch of the run. At rest it stays where it is: against the
// end of the cylinder, or held by the packing's friction while neither direction's drive can
// move it.
enum class PistonMotion { Forward, Back, AtRest };

struct Regime {
    PistonMotion piston = PistonMotion::Forward;
    bool bulletReleased = false;
};

// The changes of regime the run locates within their steps. Each has a quantity that is
// negative before the event and positive once it has happened.
enum class ShotEvent {
    Release,       // the air reaches the release pressure: the bullet is let go
    DeadStop,      // the piston reaches the end of the cylinder and stops dead
    Turn,          // the moving piston's velocity passes through zero
    LeaveForward,  // the piston at rest is driven forward again
    LeaveBack,     // the piston at rest is driven back
    Muzzle,        // the bullet reaches the end of the barrel
};
constexpr std::array AllShotEvents = {ShotEvent::Release,   ShotEvent::DeadStop,
                                      ShotEvent::Turn,      ShotEvent::LeaveForward,
                                      ShotEvent::LeaveBack, ShotEvent::Muzzle};

// More events than this in one step can only come from a regime flickering at the rounding
// level; the step then ends without locating more.
constexpr int MostEventsPerStep = 16;
// The located event time, as a share of the stretch, is good to this.
constexpr double EventTimeTolerance = 1e-14;
constexpr int MostLocatingIterations = 60;

using Coefficients = ShotCoefficients<double>;

// The piston's acceleration (m/s²) with the drive factors of a direction.
double PistonAcceleration(const ShotState& y, const Coefficients& c, bool forward) {
    return DerivativesInDirection(y, c, forward)[PistonVelocityComponent];
}

// The piston at rest at the state: it moves forward when the forward drive pushes it forward
// (and it is not against the end of the cylinder), back when the backward drive pulls it back,
// and otherwise stays.
PistonMotion MotionFromRest(const ShotState& y, const Coefficients& c) {
    if (y[PistonTravelComponent] < c.stroke && PistonAcceleration(y, c, true) > 0) {
        return PistonMotion::Forward;
    }
    if (PistonAcceleration(y, c, false) < 0) {
        return PistonMotion::Back;
    }
    return PistonMotion::AtRest;
}

// The derivatives within a regime: the piston at rest and the held bullet do not move.
ShotState RegimeDerivatives(const ShotState& y, const Coefficients& c, Regime regime) {
    ShotState f = DerivativesInDirection(y, c, regime.piston != PistonMotion::Back);
    if (regime.piston == PistonMotion::AtRest) {
        f[PistonTravelComponent] = 0;
        f[PistonVelocityComponent] = 0;
    }
    if (!regime.bulletReleased) {
        f[BulletTravelComponent] = 0;
        f[BulletVelocityComponent] = 0;
    }
    return f;
}

// One classical Runge–Kutta step of length h within a regime, with the step arithmetic's own
// stage and weighting formulas.
ShotState Advance(const ShotState& y, double h, const Coefficients& c, Regime regime) {
    const auto increments = [&](const ShotState& at) {
        ShotState k = RegimeDerivatives(at, c, regime);
        for (double& value : k) {
            value *= h;
        }
        return k;
    };
    const ShotState k1 = increments(y);
    const ShotState k2 = increments(HalfStage(y, k1));
    const ShotState k3 = increments(HalfStage(y, k2));
    const ShotState k4 = increments(FullStage(y, k3));
    ShotState next;
    for (size_t i = 0; i < next.size(); ++i) {
        next[i] = Weighted(y[i], k1[i], k2[i], k3[i], k4[i]);
    }
    return next;
}

double PressureOf(const ShotState& y, const Coefficients& c) {
    return y[PressureVolumeComponent] / AirVolumeOf(y, c);
}

bool IsWatched(ShotEvent event, const ShotState& y, const Coefficients& c, Regime regime) {
    switch (event) {
        case ShotEvent::Release:
            return !regime.bulletReleased;
        case ShotEvent::DeadStop:
            return regime.piston == PistonMotion::Forward;
        case ShotEvent::Turn:
            return regime.piston != PistonMotion::AtRest;
        case ShotEvent::LeaveForward:
            return regime.piston == PistonMotion::AtRest && y[PistonTravelComponent] < c.stroke;
        case ShotEvent::LeaveBack:
            return regime.piston == PistonMotion::AtRest;
        case ShotEvent::Muzzle:
            return regime.bulletReleased;
    }
    return false;
}

// The event's quantity: negative before it, positive once it has happened.
double EventQuantity(ShotEvent event, const ShotState& y, const Coefficients& c, Regime regime) {
    switch (event) {
        case ShotEvent::Release:
            return PressureOf(y, c) - c.releasePressure;
        case ShotEvent::DeadStop:
            return y[PistonTravelComponent] - c.stroke;
        case ShotEvent::Turn:
            return regime.piston == PistonMotion::Forward ? -y[PistonVelocityComponent]
                                                          : y[PistonVelocityComponent];
        case ShotEvent::LeaveForward:
            return PistonAcceleration(y, c, true);
        case ShotEvent::LeaveBack:
            return -PistonAcceleration(y, c, false);
        case ShotEvent::Muzzle:
            return y[BulletTravelComponent] - c.barrelEnd;
    }
    return 0;
}

// The share θ of a stretch of length h from y at which the event's quantity, on the stretch's
// own Runge–Kutta step of length θh, passes zero; its quantity is `before` at 0 and `after` at
// 1, with before ≤ 0 < after. Regula falsi with the Illinois halving: it keeps the crossing
// bracketed and converges superlinearly. The share returned is the bracket's upper end, where
// the event has happened.
double LocateEvent(ShotEvent event, const ShotState& y, double h, const Coefficients& c,
                   Regime regime, double before, double after) {
    double low = 0;
    double high = 1;
    int lastMoved = 0;  // -1: low moved last, +1: high
    for (int i = 0; i < MostLocatingIterations && high - low > EventTimeTolerance; ++i) {
        double share = (low * after - high * before) / (after - before);
        if (!(share > low && share < high)) {
            share = 0.5 * (low + high);
        }
        const double quantity = EventQuantity(event, Advance(y, share * h, c, regime), c, regime);
        if (quantity > 0) {
            high = share;
            after = quantity;
            if (lastMoved == +1) {
                before *= 0.5;
            }
            lastMoved = +1;
        } else {
            low = share;
            before = quantity;
            if (lastMoved == -1) {
                after *= 0.5;
            }
            lastMoved = -1;
        }
    }
    return high;
}

class SmoothShot {
public:
    explicit SmoothShot(const ModelInputs& inputs)
        : c_(CoefficientsOf(inputs)), y_(InitialShotState(inputs)) {
        regime_.piston = MotionFromRest(y_, c_);
    }

    // Runs step n; true when the bullet reached the muzzle within it.
    bool Step() {
        double remaining = c_.timeStep;
        for (int events = 0; events < MostEventsPerStep; ++events) {
            const ShotState end = Advance(y_, remaining, c_, regime_);
            ShotEvent first{};
            double firstShare = 2;
            for (const ShotEvent event : AllShotEvents) {
                if (!IsWatched(event, y_, c_, regime_)) {
                    continue;
                }
                const double before = EventQuantity(event, y_, c_, regime_);
                const double after = EventQuantity(event, end, c_, regime_);
                if (before <= 0 && after > 0) {
                    const double share =
                        LocateEvent(event, y_, remaining, c_, regime_, before, after);
                    if (share < firstShare) {
                        first = event;
                        firstShare = share;
                    }
                }
            }
            if (firstShare > 1) {
                y_ = end;
                Pass();
                return false;
            }
            y_ = Advance(y_, firstShare * remaining, c_, regime_);
            remaining *= 1 - firstShare;
            if (Apply(first)) {
                Pass();
                return true;
            }
            Pass();
        }
        y_ = Advance(y_, remaining, c_, regime_);
        Pass();
        return false;
    }

    const ShotSummary& Summary() const { return summary_; }
    double BulletVelocity() const { return y_[BulletVelocityComponent]; }

private:
    // Applies the event at the current state; true when it ends the shot.
    bool Apply(ShotEvent event) {
        switch (event) {
            case ShotEvent::Release:
                regime_.bulletReleased = true;
                return false;
            case ShotEvent::DeadStop:
                y_[PistonTravelComponent] = c_.stroke;
                [[fallthrough]];
            case ShotEvent::Turn:
                // Coming to rest from a direction, the piston cannot go on in it.
                y_[PistonVelocityComponent] = 0;
                regime_.piston = RestOrOpposite(regime_.piston);
                return false;
            case ShotEvent::LeaveForward:
                regime_.piston = PistonMotion::Forward;
                return false;
            case ShotEvent::LeaveBack:
                regime_.piston = PistonMotion::Back;
                return false;
            case ShotEvent::Muzzle:
                return true;
        }
        return false;
    }

    PistonMotion RestOrOpposite(PistonMotion stopped) const {
        const PistonMotion next = MotionFromRest(y_, c_);
        return next == stopped ? PistonMotion::AtRest : next;
    }

    // The summary takes the state the run has reached.
    void Pass() {
        StepEntry entry{};
        entry.pistonTravel = y_[PistonTravelComponent];
        entry.pistonVelocity = y_[PistonVelocityComponent];
        entry.bulletTravel = y_[BulletTravelComponent];
        entry.bulletVelocity = y_[BulletVelocityComponent];
        entry.pressure = PressureOf(y_, c_);
        entry.temperature = AirTemperatureOf(y_[PressureVolumeComponent], c_);
        const StepEntry shown = InDisplayUnits(entry);
        summary_.maximumPressure = Larger(summary_.maximumPressure, shown.pressure);
        summary_.maximumPistonVelocity =
            Larger(summary_.maximumPistonVelocity, shown.pistonVelocity);
        summary_.maximumTemperature = Larger(summary_.maximumTemperature, shown.temperature);
        summary_.last = shown;
    }

    Coefficients c_;
    ShotState y_;
    Regime regime_;
    ShotSummary summary_;
};

}  // namespace

ShotFigures ComputeSmoothShotFigures(const ModelInputs& completedInputs) {
    ClearFloatingPointFaults();
    SmoothShot shot(completedInputs);
    int n = 0;
    bool atMuzzle = false;
    for (; n < StepLimit && !atMuzzle; ++n) {
        atMuzzle = shot.Step();
    }
    ShotFigures figures;
    if (atMuzzle) {
        // n is one past the step that reached the muzzle.
        figures = CompletedShotFigures(shot.Summary(), n - 2, shot.BulletVelocity(),
                                       completedInputs.BulletMass);
    }
    CompleteBeforeReadingFlags(figures);
    if (const FloatingPointFault fault = PendingFloatingPointFault();
        fault != FloatingPointFault::None) {
        return ShotFigures{FloatingPointFaultMessage(fault)};
    }
    if (!atMuzzle) {
        return ShotFigures{StepLimitMessage};
    }
    return figures;
}
