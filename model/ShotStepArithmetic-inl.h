// The arithmetic of one integration step of a shot, written once for a plain double and for
// the packs of vector lanes that step several shots side by side. Every operation acts on each
// element as it acts on a plain double, in the same order, so a shot's figures are the same to
// the bit however it is run.
//
// No include guard, and nothing included here: the file is included once into the global
// namespace for plain doubles (model/ShotStepper.h) and once more into the namespace of each
// instruction set the lanes are compiled for (model/ShotLanes.cpp), so that every function is
// compiled for the instructions of the code that inlines it. The includer provides <array>,
// <cstddef>, model/ModelInputs.h, model/ResultSeries.h and model/ShotEngine.h, and for its
// element type T the operators and the functions SquareRoot, Choose, Larger, And, AndNot and Or.

// The integrated state, indexed by ShotComponent.
template <class T>
using BasicShotState = std::array<T, ShotComponentCount>;

// What a step records: the state after the step, and the pressure and temperature of the air.
template <class T>
struct BasicStepEntry {
    T time;            // s, at the end of the step
    T pistonTravel;    // m
    T pistonVelocity;  // m/s
    T bulletTravel;    // m
    T bulletVelocity;  // m/s
    T pressure;        // Pa
    T temperature;     // K
};

// The inputs as the step uses them, worked out once per shot so that each of the four
// evaluations of a step only does what depends on the state. A step is four evaluations in a
// row, each waiting on its divisions and square root, so the divisors that never change are
// kept as reciprocals, and the volume's reciprocal is taken once per evaluation: the results
// differ from plain division by at most an ulp per operation.
template <class T>
struct ShotCoefficients {
    T sweptVolume;                  // m³
    T pistonArea;                   // m²
    T boreArea;                     // m²
    T portVolume;                   // m³
    T inverseBoreDiameter;          // 1/m
    T airMass;                      // kg
    T springRate;                   // N/m
    T stroke;                       // m
    T springMinimumForce;           // N
    T frictionArea;                 // m², packing friction factor times contact area
    T ambientPressure;              // Pa
    T inverseDrivenPistonMass;      // 1/kg
    T bulletAccelerationPerPascal;  // m/s² per Pa of pressure difference
    T kappaMinusOne;
    T timeStep;         // s
    T releasePressure;  // Pa, ambient plus start pressure: the bullet is held below it
    T barrelEnd;        // m
};

// Calls visit on every coefficient in the order of declaration. The lanes keep their shots'
// coefficients in this order.
template <class Coefficients, class Visit>
constexpr void VisitCoefficients(Coefficients& c, Visit&& visit) {
    visit(c.sweptVolume);
    visit(c.pistonArea);
    visit(c.boreArea);
    visit(c.portVolume);
    visit(c.inverseBoreDiameter);
    visit(c.airMass);
    visit(c.springRate);
    visit(c.stroke);
    visit(c.springMinimumForce);
    visit(c.frictionArea);
    visit(c.ambientPressure);
    visit(c.inverseDrivenPistonMass);
    visit(c.bulletAccelerationPerPascal);
    visit(c.kappaMinusOne);
    visit(c.timeStep);
    visit(c.releasePressure);
    visit(c.barrelEnd);
}

// The air volume of a state (m³): the cylinder not yet swept by the piston, the port, and the
// bore behind the bullet.
template <class T>
[[gnu::always_inline]] inline T AirVolumeOf(const BasicShotState<T>& y,
                                            const ShotCoefficients<T>& c) {
    return c.sweptVolume - c.pistonArea * y[PistonTravelComponent] +
           c.boreArea * y[BulletTravelComponent] + c.portVolume;
}

// The temperature of the air (K) from its pressure × volume (J).
template <class T>
[[gnu::always_inline]] inline T AirTemperatureOf(const T& pressureVolume,
                                                 const ShotCoefficients<T>& c) {
    return (pressureVolume / c.airMass) * (1.0 / ModelConstants::GasConstant);
}

// The derivatives with the drive factors of the given direction of the piston: forward (or at
// rest) the spring drives at 90 % and the packing friction holds back; moving back the spring
// pushes fully and the friction changes sign so that it always opposes the motion. The smooth
// computation (model/SmoothShot.cpp) keeps a direction for a whole stretch of its run.
template <class T, class Mask>
[[gnu::always_inline]] inline BasicShotState<T> DerivativesInDirection(const BasicShotState<T>& y,
                                                                       const ShotCoefficients<T>& c,
                                                                       const Mask& forward) {
    using namespace ModelConstants;
    const T& pistonTravel = y[PistonTravelComponent];
    const T& pistonVelocity = y[PistonVelocityComponent];
    const T& bulletTravel = y[BulletTravelComponent];
    const T& bulletVelocity = y[BulletVelocityComponent];

    const T inverseVolume = 1.0 / AirVolumeOf(y, c);
    const T pressure = y[PressureVolumeComponent] * inverseVolume;
    // The moving air column loses pressure with its length and the bullet's speed, divided by
    // the air's specific volume V / m_air. With the bullet at rest the base sees the full
    // pressure.
    const T columnLoss = pressure * ColumnFriction * (PortLength + bulletTravel) * bulletVelocity *
                         c.inverseBoreDiameter * (c.airMass * inverseVolume);
    const T basePressure = SquareRoot(pressure * pressure - columnLoss);

    const T springShare = Choose(forward, T{} + SpringEfficiency, T{} + 1.0);
    const T frictionArea = Choose(forward, c.frictionArea, -c.frictionArea);

    return {
        pistonVelocity,
        (springShare * c.springRate * (c.stroke - pistonTravel) +
         springShare * c.springMinimumForce -
         (c.pistonArea + frictionArea) * (pressure - c.ambientPressure)) *
            c.inverseDrivenPistonMass,
        bulletVelocity,
        (basePressure - c.ambientPressure) * c.bulletAccelerationPerPascal,
        // Work done on the air by the piston less the work the air does on the bullet.
        (c.pistonArea * pistonVelocity * pressure - c.boreArea * bulletVelocity * basePressure) *
            c.kappaMinusOne,
    };
}

// The derivatives with the drive factors of the direction the piston moves in at the state.
template <class T>
[[gnu::always_inline]] inline BasicShotState<T> Derivatives(const BasicShotState<T>& y,
                                                            const ShotCoefficients<T>& c) {
    return DerivativesInDirection(y, c, y[PistonVelocityComponent] >= 0.0);
}

// The stage arithmetic is written out component by component, so that no component has to go
// through memory between the four evaluations of a step.

// k = Δt × f(Y).
template <class T>
[[gnu::always_inline]] inline BasicShotState<T> Increments(const BasicShotState<T>& y,
                                                           const ShotCoefficients<T>& c) {
    const BasicShotState<T> f = Derivatives(y, c);
    const T& dt = c.timeStep;
    return {dt * f[0], dt * f[1], dt * f[2], dt * f[3], dt * f[4]};
}

// The stage state y + k / 2 (halving by a multiplication with 0.5 gives the same number).
template <class T>
[[gnu::always_inline]] inline BasicShotState<T> HalfStage(const BasicShotState<T>& y,
                                                          const BasicShotState<T>& k) {
    return {y[0] + k[0] * 0.5, y[1] + k[1] * 0.5, y[2] + k[2] * 0.5, y[3] + k[3] * 0.5,
            y[4] + k[4] * 0.5};
}

// The stage state y + k.
template <class T>
[[gnu::always_inline]] inline BasicShotState<T> FullStage(const BasicShotState<T>& y,
                                                          const BasicShotState<T>& k) {
    return {y[0] + k[0], y[1] + k[1], y[2] + k[2], y[3] + k[3], y[4] + k[4]};
}

// The weighted sum of a step's increments, k1 + 2 k2 + 2 k3 + k4, is gathered as each increment
// is worked out, in the order of that sum (so the same number), and no increment stays alive to
// the end of the step: the lanes step several shots at once and need their registers.
template <class T>
[[gnu::always_inline]] inline T TwiceAdded(const T& sum, const T& k) {
    return sum + 2.0 * k;
}

// y + (k1 + 2 k2 + 2 k3 + k4) / 6 from the sum of the first three and k4.
template <class T>
[[gnu::always_inline]] inline T WeightedComponent(const T& y, const T& sum, const T& k4) {
    return y + (sum + k4) * (1.0 / 6.0);
}

template <class T>
[[gnu::always_inline]] inline void AddTwiceTo(BasicShotState<T>& sum, const BasicShotState<T>& k) {
    sum = {TwiceAdded(sum[0], k[0]), TwiceAdded(sum[1], k[1]), TwiceAdded(sum[2], k[2]),
           TwiceAdded(sum[3], k[3]), TwiceAdded(sum[4], k[4])};
}

template <class T>
[[gnu::always_inline]] inline BasicShotState<T> Weighted(const BasicShotState<T>& y,
                                                         const BasicShotState<T>& sum,
                                                         const BasicShotState<T>& k4) {
    return {WeightedComponent(y[0], sum[0], k4[0]), WeightedComponent(y[1], sum[1], k4[1]),
            WeightedComponent(y[2], sum[2], k4[2]), WeightedComponent(y[3], sum[3], k4[3]),
            WeightedComponent(y[4], sum[4], k4[4])};
}

// The time at the end of step n (s): (n + 1) × Δt, as the step's clock reaches it in two
// halves.
template <class T>
[[gnu::always_inline]] inline T StepEndTime(const T& n, const T& timeStep) {
    return n * timeStep + timeStep * 0.5 + timeStep * 0.5;
}

// A classical fourth-order Runge–Kutta step taken one evaluation at a time: the increments of
// the latest stage and the weighted sum so far. The lanes step several groups of shots an
// evaluation of each in turn, so that one group's arithmetic fills another's waiting on its
// divisions and square root while each keeps its registers.
template <class T>
struct StepStages {
    BasicShotState<T> k;
    BasicShotState<T> sum;
};

// k1, from the state at the start of the step.
template <class T>
[[gnu::always_inline]] inline StepStages<T> FirstStage(const BasicShotState<T>& y,
                                                       const ShotCoefficients<T>& c) {
    const BasicShotState<T> k1 = Increments(y, c);
    return {k1, k1};
}

// k2 from k1, or k3 from k2.
template <class T>
[[gnu::always_inline]] inline void MiddleStage(StepStages<T>& stages, const BasicShotState<T>& y,
                                               const ShotCoefficients<T>& c) {
    stages.k = Increments(HalfStage(y, stages.k), c);
    AddTwiceTo(stages.sum, stages.k);
}

// k4 from k3, and the state at the end of the step.
template <class T>
[[gnu::always_inline]] inline void LastStage(const StepStages<T>& stages, BasicShotState<T>& y,
                                             const ShotCoefficients<T>& c) {
    y = Weighted(y, stages.sum, Increments(FullStage(y, stages.k), c));
}

// Advances the state by one classical fourth-order Runge–Kutta step, step index n. The entry
// gets the time, pressure and temperature; SettleStep completes it.
template <class T>
[[gnu::always_inline]] inline BasicStepEntry<T> IntegrateStep(BasicShotState<T>& y, const T& n,
                                                              const ShotCoefficients<T>& c) {
    StepStages<T> stages = FirstStage(y, c);
    MiddleStage(stages, y, c);
    MiddleStage(stages, y, c);
    LastStage(stages, y, c);
    BasicStepEntry<T> entry{};
    entry.time = StepEndTime(n, c.timeStep);
    entry.pressure = y[PressureVolumeComponent] / AirVolumeOf(y, c);
    entry.temperature = AirTemperatureOf(y[PressureVolumeComponent], c);
    return entry;
}

// How the step just integrated ended a shot: at the step limit, or with the bullet at the
// muzzle. The step limit comes first.
template <class Mask>
struct StepEnds {
    Mask stepLimit;
    Mask muzzle;
};

// The piston's end stop, the step limit, the bullet's hold and release and the muzzle, in that
// order, for step n just integrated; the entry's travels and velocities follow the state.
template <class T, class Mask>
[[gnu::always_inline]] inline StepEnds<Mask> SettleStep(BasicShotState<T>& y,
                                                        BasicStepEntry<T>& entry, const T& n,
                                                        const ShotCoefficients<T>& c,
                                                        Mask& bulletReleased) {
    // The piston stops dead at the end of the cylinder; it may rebound later.
    const Mask stopped = y[PistonTravelComponent] > c.stroke;
    y[PistonTravelComponent] = Choose(stopped, c.stroke, y[PistonTravelComponent]);
    y[PistonVelocityComponent] = Choose(stopped, T{}, y[PistonVelocityComponent]);
    // A shot still going at the step limit ends there, its step left as integrated.
    const Mask stepLimit = n >= static_cast<double>(StepLimit);
    // Until the air reaches the start pressure the bullet is put back at the end of every
    // step; once released it is never held again.
    const Mask held = AndNot(Or(bulletReleased, stepLimit), c.releasePressure > entry.pressure);
    y[BulletTravelComponent] = Choose(held, T{}, y[BulletTravelComponent]);
    y[BulletVelocityComponent] = Choose(held, T{}, y[BulletVelocityComponent]);
    bulletReleased = Or(bulletReleased, entry.pressure >= c.releasePressure);

    entry.pistonTravel = y[PistonTravelComponent];
    entry.pistonVelocity = y[PistonVelocityComponent];
    entry.bulletTravel = y[BulletTravelComponent];
    entry.bulletVelocity = y[BulletVelocityComponent];
    return {stepLimit, y[BulletTravelComponent] >= c.barrelEnd};
}

// A value of a series in its display unit, with the compute command's factor.
template <Series SimulationResult::*series, class T>
[[gnu::always_inline]] inline T InDisplayUnit(const T& value) {
    constexpr double factor = SeriesInfo(series).toDisplayUnit;
    if constexpr (factor == 1) {
        return value;
    } else {
        return value * factor;
    }
}

// The entry with every value in its display unit, as the compute command converts the series.
template <class T>
[[gnu::always_inline]] inline BasicStepEntry<T> InDisplayUnits(const BasicStepEntry<T>& e) {
    return {
        InDisplayUnit<&SimulationResult::Time>(e.time),
        InDisplayUnit<&SimulationResult::PistonTravel>(e.pistonTravel),
        InDisplayUnit<&SimulationResult::PistonVelocity>(e.pistonVelocity),
        InDisplayUnit<&SimulationResult::BulletTravel>(e.bulletTravel),
        InDisplayUnit<&SimulationResult::BulletVelocity>(e.bulletVelocity),
        InDisplayUnit<&SimulationResult::Pressure>(e.pressure),
        InDisplayUnit<&SimulationResult::Temperature>(e.temperature),
    };
}

// The summary of a shot gathered from its counted entries in display units, in step order: the
// largest pressure, piston velocity and temperature of every entry but the last (each maximum
// starts at 0), and the last entry, whose bullet velocity is the muzzle velocity.
template <class T>
struct BasicShotSummary {
    T maximumPressure{};        // MPa
    T maximumPistonVelocity{};  // m/s
    T maximumTemperature{};     // K
    BasicStepEntry<T> last{};   // the latest counted entry; zero before the first

    [[gnu::always_inline]] void AddCountedEntry(const BasicStepEntry<T>& entry) {
        maximumPressure = Larger(maximumPressure, last.pressure);
        maximumPistonVelocity = Larger(maximumPistonVelocity, last.pistonVelocity);
        maximumTemperature = Larger(maximumTemperature, last.temperature);
        last = entry;
    }
};

// The smooth computation (model/SmoothShot.cpp) runs the same step within a regime: the
// piston's drive direction (forward also while at rest), whether the piston is at rest, and
// whether the bullet is released. At rest the piston does not move, and the held bullet does
// not move either.
template <class Mask>
struct BasicShotRegime {
    Mask pistonBack;
    Mask pistonAtRest;
    Mask bulletReleased;
};

// k = h × f(Y) within the regime.
template <class T, class Mask>
[[gnu::always_inline]] inline BasicShotState<T> RegimeIncrements(const BasicShotState<T>& y,
                                                                 const T& h,
                                                                 const ShotCoefficients<T>& c,
                                                                 const BasicShotRegime<Mask>& r) {
    const BasicShotState<T> f = DerivativesInDirection(y, c, AndNot(r.pistonBack, T{} >= 0.0));
    return {h * Choose(r.pistonAtRest, T{}, f[0]), h * Choose(r.pistonAtRest, T{}, f[1]),
            h * Choose(r.bulletReleased, f[2], T{}), h * Choose(r.bulletReleased, f[3], T{}),
            h * f[4]};
}

// One classical Runge–Kutta step of length h within a regime.
template <class T, class Mask>
[[gnu::always_inline]] inline BasicShotState<T> AdvanceInRegime(const BasicShotState<T>& y,
                                                                const T& h,
                                                                const ShotCoefficients<T>& c,
                                                                const BasicShotRegime<Mask>& r) {
    const BasicShotState<T> k1 = RegimeIncrements(y, h, c, r);
    BasicShotState<T> sum = k1;
    const BasicShotState<T> k2 = RegimeIncrements(HalfStage(y, k1), h, c, r);
    AddTwiceTo(sum, k2);
    const BasicShotState<T> k3 = RegimeIncrements(HalfStage(y, k2), h, c, r);
    AddTwiceTo(sum, k3);
    return Weighted(y, sum, RegimeIncrements(FullStage(y, k3), h, c, r));
}

// The changes of regime the smooth computation locates within their steps. Each has a quantity
// that is negative before the event and positive once it has happened, watched in some regimes.
enum class ShotEvent {
    Release,       // the air reaches the release pressure: the bullet is let go
    DeadStop,      // the piston moving forward reaches the end of the cylinder
    Turn,          // the moving piston's velocity passes through zero
    LeaveForward,  // the piston at rest, short of the end, is driven forward again
    LeaveBack,     // the piston at rest is driven back
    Muzzle,        // the released bullet reaches the end of the barrel
};
inline constexpr ShotEvent AllShotEvents[] = {ShotEvent::Release,   ShotEvent::DeadStop,
                                              ShotEvent::Turn,      ShotEvent::LeaveForward,
                                              ShotEvent::LeaveBack, ShotEvent::Muzzle};

// The events watched only while the piston is at rest.
constexpr bool IsPistonAtRestEvent(ShotEvent event) {
    return event == ShotEvent::LeaveForward || event == ShotEvent::LeaveBack;
}

// The piston's acceleration (m/s²) with the drive factors of a direction.
template <class T, class Mask>
[[gnu::always_inline]] inline T PistonAccelerationInDirection(const BasicShotState<T>& y,
                                                              const ShotCoefficients<T>& c,
                                                              const Mask& forward) {
    return DerivativesInDirection(y, c, forward)[PistonVelocityComponent];
}

template <class T>
[[gnu::always_inline]] inline T PressureOfState(const BasicShotState<T>& y,
                                                const ShotCoefficients<T>& c) {
    return y[PressureVolumeComponent] / AirVolumeOf(y, c);
}

// The event's quantity at a state: negative before the event, positive once it has happened.
template <class T, class Mask>
[[gnu::always_inline]] inline T EventQuantity(ShotEvent event, const BasicShotState<T>& y,
                                              const ShotCoefficients<T>& c,
                                              const BasicShotRegime<Mask>& r) {
    switch (event) {
        case ShotEvent::Release:
            return PressureOfState(y, c) - c.releasePressure;
        case ShotEvent::DeadStop:
            return y[PistonTravelComponent] - c.stroke;
        case ShotEvent::Turn:
            return Choose(r.pistonBack, y[PistonVelocityComponent], -y[PistonVelocityComponent]);
        case ShotEvent::LeaveForward:
            return PistonAccelerationInDirection(y, c, T{} >= 0.0);
        case ShotEvent::LeaveBack:
            return -PistonAccelerationInDirection(y, c, T{} < 0.0);
        case ShotEvent::Muzzle:
            return y[BulletTravelComponent] - c.barrelEnd;
    }
    return T{};
}

// Where the event is watched: the regimes in which it can happen. The same for the extended
// model's state (model/ExtendedStepArithmetic-inl.h), which begins with the basic components.
template <class State, class Coefficients, class Mask>
[[gnu::always_inline]] inline Mask EventWatched(ShotEvent event, const State& y,
                                                const Coefficients& c,
                                                const BasicShotRegime<Mask>& r) {
    using T = typename State::value_type;
    const Mask always = T{} >= 0.0;
    switch (event) {
        case ShotEvent::Release:
            return AndNot(r.bulletReleased, always);
        case ShotEvent::DeadStop:
            return AndNot(r.pistonBack, AndNot(r.pistonAtRest, always));
        case ShotEvent::Turn:
            return AndNot(r.pistonAtRest, always);
        case ShotEvent::LeaveForward:
            return And(r.pistonAtRest, y[PistonTravelComponent] < c.stroke);
        case ShotEvent::LeaveBack:
            return r.pistonAtRest;
        case ShotEvent::Muzzle:
            return r.bulletReleased;
    }
    return T{} < 0.0;
}

// Whether the watched event happens within the stretch from y to end: its quantity is not
// positive at y and positive at end.
template <class T, class Mask>
[[gnu::always_inline]] inline Mask EventWithin(ShotEvent event, const BasicShotState<T>& y,
                                               const BasicShotState<T>& end,
                                               const ShotCoefficients<T>& c,
                                               const BasicShotRegime<Mask>& r) {
    return And(EventWatched(event, y, c, r),
               AndNot(EventQuantity(event, y, c, r) > 0.0, EventQuantity(event, end, c, r) > 0.0));
}

// The smooth computation's summary takes a state it reached (the end of a step or an event), in
// display units: the maxima include it, and it becomes the last.
template <class T>
[[gnu::always_inline]] inline void TakeReachedState(BasicShotSummary<T>& summary,
                                                    const BasicShotState<T>& y,
                                                    const ShotCoefficients<T>& c) {
    BasicStepEntry<T> entry{};
    entry.pistonTravel = y[PistonTravelComponent];
    entry.pistonVelocity = y[PistonVelocityComponent];
    entry.bulletTravel = y[BulletTravelComponent];
    entry.bulletVelocity = y[BulletVelocityComponent];
    entry.pressure = PressureOfState(y, c);
    entry.temperature = AirTemperatureOf(y[PressureVolumeComponent], c);
    const BasicStepEntry<T> shown = InDisplayUnits(entry);
    summary.maximumPressure = Larger(summary.maximumPressure, shown.pressure);
    summary.maximumPistonVelocity = Larger(summary.maximumPistonVelocity, shown.pistonVelocity);
    summary.maximumTemperature = Larger(summary.maximumTemperature, shown.temperature);
    summary.last = shown;
}
