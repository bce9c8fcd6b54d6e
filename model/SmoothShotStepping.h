#pragma once
// The smooth computation's step with its events (docs/smooth-shot.md), written once for the
// basic model's state and the extended model's (docs/extended-model.md): the state, its
// coefficients and the arithmetic (AdvanceInRegime, EventQuantity, …) come from the progress's
// types.

#include "model/ExtendedShot.h"
#include "model/SmoothShot.h"

// An extended shot between two steps; the piston's kinetic energy lost at the end of the
// cylinder (J) is booked here for the energy budget.
template <size_t N>
struct ExtendedSmoothShotProgress {
    ExtendedState<N> y{};
    ShotRegime regime{};
    ShotSummary summary{};
    int stepIndex = 0;
    double impactLoss = 0;
};

namespace SmoothStepping {

// More events than this in one step can only come from a regime flickering at the rounding
// level; the step then ends without locating more.
inline constexpr int MostEventsPerStep = 16;
// The located event time, as a share of the stretch, is good to this.
inline constexpr double EventTimeTolerance = 1e-14;
inline constexpr int MostLocatingIterations = 60;

// The regime of a piston come to rest at the state: forward when the forward drive pushes it
// forward (and it is not against the end of the cylinder), back when the backward drive pulls
// it back, and otherwise at rest (against the end, or held by the packing's friction).
template <class State, class Coefficients>
void SetPistonFromRest(ShotRegime& regime, const State& y, const Coefficients& c) {
    const bool forward =
        y[PistonTravelComponent] < c.stroke && PistonAccelerationInDirection(y, c, true) > 0;
    regime.pistonBack = !forward && PistonAccelerationInDirection(y, c, false) < 0;
    regime.pistonAtRest = !forward && !regime.pistonBack;
}

// The share θ of a stretch of length h from y at which the event's quantity, on the stretch's
// own Runge–Kutta step of length θh, passes zero; its quantity is `before` at 0 and `after` at
// 1, with before ≤ 0 < after. Regula falsi with the Illinois halving: it keeps the crossing
// bracketed and converges superlinearly. The share returned is the bracket's upper end, where
// the event has happened.
template <class State, class Coefficients>
double LocateEvent(ShotEvent event, const State& y, double h, const Coefficients& c,
                   const ShotRegime& regime, double before, double after) {
    double low = 0;
    double high = 1;
    int lastMoved = 0;  // -1: low moved last, +1: high
    for (int i = 0; i < MostLocatingIterations && high - low > EventTimeTolerance; ++i) {
        double share = (low * after - high * before) / (after - before);
        if (!(share > low && share < high)) {
            share = 0.5 * (low + high);
        }
        const double quantity =
            EventQuantity(event, AdvanceInRegime(y, share * h, c, regime), c, regime);
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

// The basic model's piston stops dead.
inline bool ReboundFromTheEnd(SmoothShotProgress&, const ShotCoefficients<double>&) {
    return false;
}

// The extended model's piston leaves the end of the cylinder with the restitution times its
// impact speed, and the kinetic energy it lost is booked; true when it rebounds.
template <size_t N>
bool ReboundFromTheEnd(ExtendedSmoothShotProgress<N>& shot, const ExtendedCoefficients& c) {
    const double impact = shot.y[PistonVelocityComponent];
    const double rebound = c.restitution * impact;
    shot.impactLoss += 0.5 / c.inverseDrivenPistonMass * (impact * impact - rebound * rebound);
    if (!(rebound > 0)) {
        return false;
    }
    shot.y[PistonVelocityComponent] = -rebound;
    shot.regime.pistonBack = true;
    shot.regime.pistonAtRest = false;
    return true;
}

// Applies the event at the shot's state; true when it ends the shot.
template <class Progress, class Coefficients>
bool ApplyEvent(ShotEvent event, Progress& shot, const Coefficients& c) {
    ShotRegime& regime = shot.regime;
    switch (event) {
        case ShotEvent::Release:
            regime.bulletReleased = true;
            return false;
        case ShotEvent::DeadStop:
            shot.y[PistonTravelComponent] = c.stroke;
            if (ReboundFromTheEnd(shot, c)) {
                return false;
            }
            [[fallthrough]];
        case ShotEvent::Turn: {
            // Come to rest from a direction, the piston cannot go on in it.
            const bool wasBack = regime.pistonBack;
            shot.y[PistonVelocityComponent] = 0;
            SetPistonFromRest(regime, shot.y, c);
            if (regime.pistonBack == wasBack && !regime.pistonAtRest) {
                regime.pistonBack = false;
                regime.pistonAtRest = true;
            }
            return false;
        }
        case ShotEvent::LeaveForward:
            regime.pistonAtRest = false;
            regime.pistonBack = false;
            return false;
        case ShotEvent::LeaveBack:
            regime.pistonAtRest = false;
            regime.pistonBack = true;
            return false;
        case ShotEvent::Muzzle:
            return true;
    }
    return false;
}

// Runs step stepIndex with the events within it and moves on to the next; true when the bullet
// reached the muzzle within it (the state is then the muzzle's).
template <class Progress, class Coefficients>
bool StepWithEvents(Progress& shot, const Coefficients& c) {
    ++shot.stepIndex;
    double remaining = c.timeStep;
    for (int events = 0; events < MostEventsPerStep; ++events) {
        const auto end = AdvanceInRegime(shot.y, remaining, c, shot.regime);
        ShotEvent first{};
        double firstShare = 2;
        for (const ShotEvent event : AllShotEvents) {
            // Only the quantities of watched events are worked out, so that no arithmetic runs
            // here that the lanes leave out.
            if (!EventWatched(event, shot.y, c, shot.regime) ||
                !EventWithin(event, shot.y, end, c, shot.regime)) {
                continue;
            }
            const double share = LocateEvent(event, shot.y, remaining, c, shot.regime,
                                             EventQuantity(event, shot.y, c, shot.regime),
                                             EventQuantity(event, end, c, shot.regime));
            if (share < firstShare) {
                first = event;
                firstShare = share;
            }
        }
        if (firstShare > 1) {
            shot.y = end;
            TakeReachedState(shot.summary, shot.y, c);
            return false;
        }
        shot.y = AdvanceInRegime(shot.y, firstShare * remaining, c, shot.regime);
        remaining *= 1 - firstShare;
        const bool atMuzzle = ApplyEvent(first, shot, c);
        TakeReachedState(shot.summary, shot.y, c);
        if (atMuzzle) {
            return true;
        }
    }
    shot.y = AdvanceInRegime(shot.y, remaining, c, shot.regime);
    TakeReachedState(shot.summary, shot.y, c);
    return false;
}

// The figures of a shot that reached the muzzle in step stepIndex - 1.
template <class Progress>
ShotFigures FiguresAtTheMuzzle(const Progress& shot, double bulletMass) {
    return CompletedShotFigures(shot.summary, shot.stepIndex - 2, shot.y[BulletVelocityComponent],
                                bulletMass);
}

// The extended shot before its first step.
template <size_t N>
ExtendedSmoothShotProgress<N> StartExtendedSmoothShot(const ModelInputs& completedInputs,
                                                      const ExtendedCoefficients& c) {
    ExtendedSmoothShotProgress<N> shot;
    shot.y = InitialExtendedState<N>(completedInputs);
    SetPistonFromRest(shot.regime, shot.y, c);
    return shot;
}

}  // namespace SmoothStepping
