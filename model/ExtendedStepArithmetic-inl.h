// The arithmetic of one integration step of a shot in the extended model (two air volumes
// joined by an orifice, piston rebound, gas ram, air temperature): the equations and their
// units are in docs/extended-model.md, the energy budget's terms in docs/energy-budget.md.
//
// Like model/ShotStepArithmetic-inl.h, which it follows, this file has no include guard and is
// included once per element type's namespace after that file; every operation acts on each
// element as it acts on a plain double. Besides the element functions the basic arithmetic uses,
// it needs Power(x, y) = x^y for x > 0 and ChooseLazily, and model/SubsonicFlowFit.h. Its lambdas
// are inlined by force, as its functions are: a lambda called out of line would pass the lanes'
// packs through memory.

// The state's components: the basic model's four of piston and bullet, then the air of the two
// volumes, then (only in a run that keeps the energy budget) the integrated powers.
enum ExtendedComponent {
    CylinderEnergyComponent = 4,  // E_c = p_c × V_c, J
    BreechEnergyComponent,        // E_r = p_r × V_r, J
    CylinderAirMassComponent,     // m_c, kg
    BreechAirMassComponent,       // m_r, kg
    ExtendedCoreComponentCount,
    SpringWorkComponent = ExtendedCoreComponentCount,  // ∫ F v_p dt, J
    SpringLossComponent,                               // ∫ (1 − e) F v_p dt, J
    PackingFrictionComponent,                          // ∫ σ μ A_s (p_c − p_a) v_p dt, J
    AmbientWorkComponent,                              // ∫ p_a (A_b v_b − A_p v_p) dt, J
    ExtendedBudgetComponentCount
};

template <class T, size_t N>
using ExtendedShotState = std::array<T, N>;

// The inputs as the extended step uses them, worked out once per shot.
template <class T>
struct ExtendedShotCoefficients {
    T sweptVolume;                  // m³
    T pistonArea;                   // m²
    T boreArea;                     // m²
    T passageLength;                // m, the port (or the basic model's passage)
    T inverseBoreDiameter;          // 1/m
    T springRate;                   // N/m, coil spring
    T stroke;                       // m
    T springMinimumForce;           // N, coil spring
    T frictionArea;                 // m², packing friction factor times contact area
    T ambientPressure;              // Pa
    T inverseDrivenPistonMass;      // 1/kg
    T bulletAccelerationPerPascal;  // m/s² per Pa
    T kappa;
    T kappaMinusOne;
    T timeStep;         // s
    T releasePressure;  // Pa
    T barrelEnd;        // m
    T singleVolume;     // 1 without a port: the cylinder and the breech are one volume; else 0
    T portArea;         // m², 0 without a port
    T restitution;      // rebound over impact speed at the end of the cylinder
    T gasRam;           // 1 for a gas ram, 0 for a coil spring
    T ramMaximumForce;  // N, the ram's force cocked
    T ramGasLength;     // m, the ram's gas column cocked; 1 for a coil spring (unused)
    T ramExponent;      // polytropic exponent; 0 for a coil spring (unused)
    T inverseKappa;     // 1/κ
    T criticalRatio;    // (2/(κ+1))^(κ/(κ−1))
    T chokedFlowFunctionSquared;  // Ψ² at and below the critical ratio
    T subsonicFlowFactor;         // 2/(κ−1)
    T inverseGasConstant;         // 1/R
    // Ψ² above the critical ratio as (1 − r) P(u), u = (r − center) / half width: where fitted
    // (SubsonicFlowFit), else from the powers of r.
    T subsonicFitted;  // 1 where fitted, else 0
    T subsonicCenter;
    T subsonicInverseHalfWidth;
    std::array<T, SubsonicFlowTerms> subsonicPolynomial;
};

template <class Coefficients, class Visit>
constexpr void VisitExtendedCoefficients(Coefficients& c, Visit&& visit) {
    for (auto* member : {&c.sweptVolume,
                         &c.pistonArea,
                         &c.boreArea,
                         &c.passageLength,
                         &c.inverseBoreDiameter,
                         &c.springRate,
                         &c.stroke,
                         &c.springMinimumForce,
                         &c.frictionArea,
                         &c.ambientPressure,
                         &c.inverseDrivenPistonMass,
                         &c.bulletAccelerationPerPascal,
                         &c.kappa,
                         &c.kappaMinusOne,
                         &c.timeStep,
                         &c.releasePressure,
                         &c.barrelEnd,
                         &c.singleVolume,
                         &c.portArea,
                         &c.restitution,
                         &c.gasRam,
                         &c.ramMaximumForce,
                         &c.ramGasLength,
                         &c.ramExponent,
                         &c.inverseKappa,
                         &c.criticalRatio,
                         &c.chokedFlowFunctionSquared,
                         &c.subsonicFlowFactor,
                         &c.inverseGasConstant,
                         &c.subsonicFitted,
                         &c.subsonicCenter,
                         &c.subsonicInverseHalfWidth}) {
        visit(*member);
    }
    for (auto& coefficient : c.subsonicPolynomial) {
        visit(coefficient);
    }
}

// The forces, pressures and flows of a state in a direction of the piston: the derivatives and
// the energy budget's powers both take them from here, so each formula has one place.
template <class T>
struct ExtendedShotForces {
    T cylinderPressure;  // p_c, Pa
    T breechPressure;    // p_r, Pa: the pressure behind the pellet (p_c without a port)
    T basePressure;      // Pa, the breech pressure less the moving column's loss
    T springForce;       // F, N: the coil's or the ram's whole force
    T springShare;       // e: 0.9 forward, 1 back
    T frictionArea;      // σ μ A_s, m²
    T portMassFlow;      // ṁ, kg/s, positive from the cylinder into the breech
    T portEnergyFlow;    // κ R T_u ṁ, W: the enthalpy carried, times κ − 1
};

// The ram's force (N) at the piston's travel: F_max (ℓ0 / (ℓ0 + x))^n, which is F_max cocked
// and F_min at the end of the stroke by the choice of ℓ0.
template <class T>
[[gnu::always_inline]] inline T GasRamForce(const T& pistonTravel,
                                            const ExtendedShotCoefficients<T>& c) {
    return c.ramMaximumForce *
           Power(c.ramGasLength / (c.ramGasLength + pistonTravel), c.ramExponent);
}

// The port's flows, positive from the cylinder into the breech.
template <class T>
struct PortFlows {
    T mass;    // ṁ, kg/s
    T energy;  // κ R T_u ṁ, W: the enthalpy carried, times κ − 1
};

template <class Mask, class T>
[[gnu::always_inline]] inline PortFlows<T> Choose(const Mask& condition, const PortFlows<T>& a,
                                                  const PortFlows<T>& b) {
    return {Choose(condition, a.mass, b.mass), Choose(condition, a.energy, b.energy)};
}

// The two volumes' air seen from the side the port's flow comes from (u) and the side it goes
// to (d), with the one reciprocal 1 / (V_u V_d E_u m_u) that serves every division of an
// evaluation: the volumes' reciprocals, the pressure ratio and E_u/m_u.
template <class T>
struct PortSides {
    T upstreamEnergy;         // E_u = p_u V_u, J
    T upstreamMass;           // m_u, kg
    T upstreamVolume;         // V_u, m³
    T downstreamEnergy;       // E_d, J
    T downstreamVolume;       // V_d, m³
    T energyMass;             // E_u m_u
    T inverseProduct;         // 1 / (V_u V_d E_u m_u)
    T inverseUpstreamVolume;  // 1 / V_u
};

// a₀ + a₁ u + a₂ u² + … by Estrin's scheme: pairs a_2i + a_2i+1 u, then pairs of those with u²,
// and so on, so that few operations wait on each other; written out whole, in a fixed order,
// the same bits for every element type.
template <size_t i, class T, size_t N>
[[gnu::always_inline]] inline T PairedTerm(const std::array<T, N>& terms, const T& power) {
    if constexpr (2 * i + 1 < N) {
        return terms[2 * i] + terms[2 * i + 1] * power;
    } else {
        return terms[2 * i];
    }
}

template <class T, size_t N>
[[gnu::always_inline]] inline T PolynomialValue(const std::array<T, N>& terms, const T& u) {
    if constexpr (N == 1) {
        return terms[0];
    } else {
        const auto paired = [&]<size_t... i>(std::index_sequence<i...>)
            __attribute__((always_inline)) {
            return std::array<T, (N + 1) / 2>{PairedTerm<i>(terms, u)...};
        }
        (std::make_index_sequence<(N + 1) / 2>());
        return PolynomialValue(paired, u * u);
    }
}

// Ψ² above the critical ratio: (1 − r) P(u) where the flow function is fitted, else from the
// powers of r, r^(2/κ) − r^((κ+1)/κ) = q (q − r) with q = r^(1/κ). The lanes take only shots
// whose flow function is fitted (model/ShotBatch.cpp runs the others alone), so that their
// kernels carry neither the power nor the choice.
template <class T>
[[gnu::always_inline]] inline T SubsonicFlowFunctionSquared(const T& ratio,
                                                            const ExtendedShotCoefficients<T>& c) {
    const auto fitted = [&]() __attribute__((always_inline)) {
        return (1.0 - ratio) *
               PolynomialValue(c.subsonicPolynomial,
                               (ratio - c.subsonicCenter) * c.subsonicInverseHalfWidth);
    };
    if constexpr (std::is_same_v<T, double>) {
        return ChooseLazily(c.subsonicFitted > 0.0, fitted, [&]() {
            const T q = Power(ratio, c.inverseKappa);
            return c.subsonicFlowFactor * (q * (q - ratio));
        });
    } else {
        return fitted();
    }
}

// The flows through the port: through an orifice of area A from the upstream side (pressure
// p_u, temperature T_u) to the downstream pressure p_d, ṁ = A p_u √(κ/(R T_u)) Ψ(p_d/p_u). With
// p_u = E_u/V_u and R T_u = E_u/m_u that is A √(κ E_u m_u Ψ²) / V_u, one square root for the
// flow and Ψ together, and the enthalpy carried is κ (E_u/m_u) ṁ. The flows' sign is the
// caller's.
template <class T>
[[gnu::always_inline]] inline PortFlows<T> PortFlowsOf(const PortSides<T>& s,
                                                       const ExtendedShotCoefficients<T>& c) {
    const T upstreamVolumeMass = s.upstreamVolume * s.upstreamMass;
    const T ratio = s.downstreamEnergy * s.upstreamVolume * upstreamVolumeMass * s.inverseProduct;
    const T specificEnergy = s.upstreamEnergy *
                             (s.upstreamVolume * s.downstreamVolume * s.upstreamEnergy) *
                             s.inverseProduct;  // E_u/m_u = R T_u
    const T subsonic = SubsonicFlowFunctionSquared(ratio, c);
    // A ratio rounded above 1, or q − r, the difference of two nearly equal numbers near a
    // ratio of 1, may take Ψ² below 0, where the flow is 0.
    const T psiSquared =
        Choose(ratio <= c.criticalRatio, c.chokedFlowFunctionSquared, Larger(subsonic, T{}));
    PortFlows<T> flows;
    flows.mass =
        c.portArea * SquareRoot(c.kappa * s.energyMass * psiSquared) * s.inverseUpstreamVolume;
    flows.energy = c.kappa * specificEnergy * flows.mass;
    return flows;
}

// The air's volumes of a state (m³): the breech, the port's passage and the bore behind the
// pellet, and the cylinder, with the breech in it where there is no port.
template <class T>
struct ExtendedVolumes {
    T columnLength;  // m, the passage and the bullet's travel: the moving air column
    T breech;
    T cylinder;
};

template <class T, size_t N>
[[gnu::always_inline]] inline ExtendedVolumes<T> VolumesOf(const ExtendedShotState<T, N>& y,
                                                           const ExtendedShotCoefficients<T>& c) {
    ExtendedVolumes<T> v;
    v.columnLength = c.passageLength + y[BulletTravelComponent];
    v.breech = c.boreArea * v.columnLength;
    v.cylinder =
        c.sweptVolume - c.pistonArea * y[PistonTravelComponent] + c.singleVolume * v.breech;
    return v;
}

template <class T, size_t N, class Mask>
[[gnu::always_inline]] inline ExtendedShotForces<T> ExtendedForcesInDirection(
    const ExtendedShotState<T, N>& y, const ExtendedShotCoefficients<T>& c, const Mask& forward) {
    using namespace ModelConstants;
    const Mask single = c.singleVolume > 0.0;
    const T& pistonTravel = y[PistonTravelComponent];
    const ExtendedVolumes<T> volumes = VolumesOf(y, c);
    const T& columnLength = volumes.columnLength;
    const T& breechVolume = volumes.breech;
    const T& cylinderVolume = volumes.cylinder;

    // Which way the port flows, without dividing: p_c ≥ p_r where E_c V_r ≥ E_r V_c. Without a
    // port the breech's own air is a placeholder that never changes, and the flow is 0.
    const Mask outOfCylinder =
        y[CylinderEnergyComponent] * breechVolume >= y[BreechEnergyComponent] * cylinderVolume;
    PortSides<T> sides;
    sides.upstreamEnergy =
        Choose(outOfCylinder, y[CylinderEnergyComponent], y[BreechEnergyComponent]);
    sides.upstreamMass =
        Choose(outOfCylinder, y[CylinderAirMassComponent], y[BreechAirMassComponent]);
    sides.upstreamVolume = Choose(outOfCylinder, cylinderVolume, breechVolume);
    sides.downstreamEnergy =
        Choose(outOfCylinder, y[BreechEnergyComponent], y[CylinderEnergyComponent]);
    sides.downstreamVolume = Choose(outOfCylinder, breechVolume, cylinderVolume);
    // As in the basic step, the reciprocals are taken once, here all from one division:
    // divisions are what an evaluation waits on.
    sides.energyMass = sides.upstreamEnergy * sides.upstreamMass;
    sides.inverseProduct = 1.0 / (cylinderVolume * breechVolume * sides.energyMass);
    const T inverseCylinderVolume = breechVolume * sides.energyMass * sides.inverseProduct;
    const T inverseBreechVolume = cylinderVolume * sides.energyMass * sides.inverseProduct;
    sides.inverseUpstreamVolume = Choose(outOfCylinder, inverseCylinderVolume, inverseBreechVolume);

    ExtendedShotForces<T> f;
    f.cylinderPressure = y[CylinderEnergyComponent] * inverseCylinderVolume;
    const T ownBreechPressure = y[BreechEnergyComponent] * inverseBreechVolume;
    f.breechPressure = Choose(single, f.cylinderPressure, ownBreechPressure);
    const T breechDensity = Choose(single, y[CylinderAirMassComponent] * inverseCylinderVolume,
                                   y[BreechAirMassComponent] * inverseBreechVolume);
    // The moving column's loss as the basic model has it, over the breech's air.
    const T columnLoss = f.breechPressure * ColumnFriction * columnLength *
                         y[BulletVelocityComponent] * c.inverseBoreDiameter * breechDensity;
    f.basePressure = SquareRoot(f.breechPressure * f.breechPressure - columnLoss);

    f.springForce = ChooseLazily(
        c.gasRam > 0.0,
        [&]() __attribute__((always_inline)) { return GasRamForce(pistonTravel, c); },
        [&]() __attribute__((always_inline)) {
            return c.springRate * (c.stroke - pistonTravel) + c.springMinimumForce;
        });
    f.springShare = Choose(forward, T{} + SpringEfficiency, T{} + 1.0);
    f.frictionArea = Choose(forward, c.frictionArea, -c.frictionArea);

    // The orifice's arithmetic runs only where a port is.
    const PortFlows<T> flows = ChooseLazily(
        single, []() __attribute__((always_inline)) { return PortFlows<T>{}; },
        [&]() __attribute__((always_inline)) { return PortFlowsOf(sides, c); });
    f.portMassFlow = Choose(outOfCylinder, flows.mass, -flows.mass);
    f.portEnergyFlow = Choose(outOfCylinder, flows.energy, -flows.energy);
    return f;
}

template <class T, size_t N, class Mask>
[[gnu::always_inline]] inline ExtendedShotState<T, N> ExtendedDerivativesInDirection(
    const ExtendedShotState<T, N>& y, const ExtendedShotCoefficients<T>& c, const Mask& forward) {
    const ExtendedShotForces<T> f = ExtendedForcesInDirection(y, c, forward);
    const Mask single = c.singleVolume > 0.0;
    const T& pistonVelocity = y[PistonVelocityComponent];
    const T& bulletVelocity = y[BulletVelocityComponent];
    const T pistonWork = c.pistonArea * pistonVelocity * f.cylinderPressure * c.kappaMinusOne;
    const T bulletWork = c.boreArea * bulletVelocity * f.basePressure * c.kappaMinusOne;

    ExtendedShotState<T, N> d;
    d[PistonTravelComponent] = pistonVelocity;
    d[PistonVelocityComponent] =
        (f.springShare * f.springForce -
         (c.pistonArea + f.frictionArea) * (f.cylinderPressure - c.ambientPressure)) *
        c.inverseDrivenPistonMass;
    d[BulletTravelComponent] = bulletVelocity;
    d[BulletVelocityComponent] =
        (f.basePressure - c.ambientPressure) * c.bulletAccelerationPerPascal;
    d[CylinderEnergyComponent] = pistonWork - f.portEnergyFlow - Choose(single, bulletWork, T{});
    d[BreechEnergyComponent] = f.portEnergyFlow - Choose(single, T{}, bulletWork);
    d[CylinderAirMassComponent] = -f.portMassFlow;
    d[BreechAirMassComponent] = f.portMassFlow;
    if constexpr (N > ExtendedCoreComponentCount) {
        const T springPower = f.springForce * pistonVelocity;
        d[SpringWorkComponent] = springPower;
        d[SpringLossComponent] = (1.0 - f.springShare) * springPower;
        d[PackingFrictionComponent] =
            f.frictionArea * (f.cylinderPressure - c.ambientPressure) * pistonVelocity;
        d[AmbientWorkComponent] =
            c.ambientPressure * (c.boreArea * bulletVelocity - c.pistonArea * pistonVelocity);
    }
    return d;
}

// What a step of the extended model records besides the basic entry (whose pressure and
// temperature are the cylinder's).
template <class T>
struct ExtendedStepEntry {
    BasicStepEntry<T> basic;
    T breechPressure;     // Pa
    T breechTemperature;  // K
    T portMassFlow;       // kg/s
};

// The entry of a state; its breech temperature and port mass flow, which only the port's series
// record, only withPortFlow, else 0. A step needs no more than the cylinder's pressure and
// temperature and the breech's pressure, which come from the one reciprocal 1 / (V_c V_r m_c).
template <bool withPortFlow, class T, size_t N>
[[gnu::always_inline]] inline ExtendedStepEntry<T> ExtendedEntryOf(
    const ExtendedShotState<T, N>& y, const ExtendedShotCoefficients<T>& c) {
    const ExtendedVolumes<T> v = VolumesOf(y, c);
    const T volumes = v.cylinder * v.breech;
    const T& cylinderMass = y[CylinderAirMassComponent];
    const T inverseProduct = 1.0 / (volumes * cylinderMass);
    const auto single = c.singleVolume > 0.0;
    ExtendedStepEntry<T> entry{};
    entry.basic.pistonTravel = y[PistonTravelComponent];
    entry.basic.pistonVelocity = y[PistonVelocityComponent];
    entry.basic.bulletTravel = y[BulletTravelComponent];
    entry.basic.bulletVelocity = y[BulletVelocityComponent];
    entry.basic.pressure = y[CylinderEnergyComponent] * (v.breech * cylinderMass) * inverseProduct;
    entry.basic.temperature =
        y[CylinderEnergyComponent] * volumes * inverseProduct * c.inverseGasConstant;
    entry.breechPressure =
        Choose(single, entry.basic.pressure,
               y[BreechEnergyComponent] * (v.cylinder * cylinderMass) * inverseProduct);
    if constexpr (withPortFlow) {
        entry.breechTemperature =
            Choose(single, entry.basic.temperature,
                   y[BreechEnergyComponent] / y[BreechAirMassComponent] * c.inverseGasConstant);
        entry.portMassFlow =
            ExtendedForcesInDirection(y, c, y[PistonVelocityComponent] >= 0.0).portMassFlow;
    }
    return entry;
}

// Calls body(0), body(1), …, body(N − 1), written out: a loop the compiler keeps would take the
// lanes' components through memory.
template <size_t N, class Body>
[[gnu::always_inline]] inline void ForEachComponent(Body&& body) {
    [&]<size_t... i>(std::index_sequence<i...>) __attribute__((always_inline)) {
        (body(i), ...);
    }
    (std::make_index_sequence<N>());
}

// A classical Runge–Kutta step taken one stage at a time (0 to 3): the state at which a stage
// evaluates, from the step's start y and the previous stage's increments, and what the stage's
// increments k add to the weighted sum k1 + 2 k2 + 2 k3 (gathered as they come) or, for the
// last, to the state. The lanes step several groups of shots a stage of each in turn; a whole
// step calls them one stage after another.
template <class T, size_t N>
[[gnu::always_inline]] inline ExtendedShotState<T, N> StageState(
    const ExtendedShotState<T, N>& y, const ExtendedShotState<T, N>& previous, int stage) {
    ExtendedShotState<T, N> at = y;
    if (stage == 3) {
        ForEachComponent<N>([&](size_t i)
                                __attribute__((always_inline)) { at[i] = y[i] + previous[i]; });
    } else if (stage > 0) {
        ForEachComponent<N>([&](size_t i) __attribute__((always_inline)) {
            at[i] = y[i] + previous[i] * 0.5;
        });
    }
    return at;
}

template <class T, size_t N>
[[gnu::always_inline]] inline void TakeStage(ExtendedShotState<T, N>& y,
                                             ExtendedShotState<T, N>& sum,
                                             const ExtendedShotState<T, N>& k, int stage) {
    if (stage == 0) {
        sum = k;
    } else if (stage < 3) {
        ForEachComponent<N>([&](size_t i) __attribute__((always_inline)) {
            sum[i] = TwiceAdded(sum[i], k[i]);
        });
    } else {
        ForEachComponent<N>([&](size_t i) __attribute__((always_inline)) {
            y[i] = WeightedComponent(y[i], sum[i], k[i]);
        });
    }
}

// One classical Runge–Kutta step; increments(Y) gives h × f(Y).
template <class T, size_t N, class Increments>
[[gnu::always_inline]] inline ExtendedShotState<T, N> RungeKuttaStep(
    const ExtendedShotState<T, N>& y, Increments&& increments) {
    ExtendedShotState<T, N> next = y;
    ExtendedShotState<T, N> sum;
    ExtendedShotState<T, N> k = increments(y);
    TakeStage(next, sum, k, 0);
    k = increments(StageState(y, k, 1));
    TakeStage(next, sum, k, 1);
    k = increments(StageState(y, k, 2));
    TakeStage(next, sum, k, 2);
    k = increments(StageState(y, k, 3));
    TakeStage(next, sum, k, 3);
    return next;
}

// k = Δt × f(Y) with the drive factors of the direction of Y's own piston velocity: a stage of
// the designed step.
template <class T, size_t N>
[[gnu::always_inline]] inline ExtendedShotState<T, N> DesignedIncrements(
    const ExtendedShotState<T, N>& stage, const ExtendedShotCoefficients<T>& c) {
    ExtendedShotState<T, N> k =
        ExtendedDerivativesInDirection(stage, c, stage[PistonVelocityComponent] >= 0.0);
    ForEachComponent<N>([&](size_t i) __attribute__((always_inline)) { k[i] = c.timeStep * k[i]; });
    return k;
}

// The designed step of the extended model: the Runge–Kutta step with the drive factors of the
// direction of each stage's own piston velocity, then the entry of the state after it (with its
// port mass flow only withPortFlow).
template <bool withPortFlow, class T, size_t N>
[[gnu::always_inline]] inline ExtendedStepEntry<T> IntegrateExtendedStep(
    ExtendedShotState<T, N>& y, const T& n, const ExtendedShotCoefficients<T>& c) {
    y = RungeKuttaStep(
        y, [&](const ExtendedShotState<T, N>& stage)
               __attribute__((always_inline)) { return DesignedIncrements(stage, c); });
    ExtendedStepEntry<T> entry = ExtendedEntryOf<withPortFlow>(y, c);
    entry.basic.time = StepEndTime(n, c.timeStep);
    return entry;
}

// The designed step's settling, as the basic model's (SettleStep) but the piston rebounds from
// the end of the cylinder with the restitution, and the bullet is held until the pressure
// behind it reaches the release pressure. The entry's pressures stay as integrated.
template <class T, size_t N, class Mask>
[[gnu::always_inline]] inline StepEnds<Mask> SettleExtendedStep(
    ExtendedShotState<T, N>& y, ExtendedStepEntry<T>& entry, const T& n,
    const ExtendedShotCoefficients<T>& c, Mask& bulletReleased) {
    const Mask stopped = y[PistonTravelComponent] > c.stroke;
    y[PistonTravelComponent] = Choose(stopped, c.stroke, y[PistonTravelComponent]);
    y[PistonVelocityComponent] =
        Choose(stopped, -c.restitution * y[PistonVelocityComponent], y[PistonVelocityComponent]);
    const Mask stepLimit = n >= static_cast<double>(StepLimit);
    const Mask held =
        AndNot(Or(bulletReleased, stepLimit), c.releasePressure > entry.breechPressure);
    y[BulletTravelComponent] = Choose(held, T{}, y[BulletTravelComponent]);
    y[BulletVelocityComponent] = Choose(held, T{}, y[BulletVelocityComponent]);
    bulletReleased = Or(bulletReleased, entry.breechPressure >= c.releasePressure);

    entry.basic.pistonTravel = y[PistonTravelComponent];
    entry.basic.pistonVelocity = y[PistonVelocityComponent];
    entry.basic.bulletTravel = y[BulletTravelComponent];
    entry.basic.bulletVelocity = y[BulletVelocityComponent];
    return {stepLimit, y[BulletTravelComponent] >= c.barrelEnd};
}

// The smooth computation's step within a regime (BasicShotRegime), as RegimeIncrements and
// AdvanceInRegime do it for the basic model.
template <class T, size_t N, class Mask>
[[gnu::always_inline]] inline ExtendedShotState<T, N> AdvanceInRegime(
    const ExtendedShotState<T, N>& y, const T& h, const ExtendedShotCoefficients<T>& c,
    const BasicShotRegime<Mask>& r) {
    const Mask forward = AndNot(r.pistonBack, T{} >= 0.0);
    return RungeKuttaStep(
        y, [&](const ExtendedShotState<T, N>& stage) __attribute__((always_inline)) {
            const ExtendedShotState<T, N> f = ExtendedDerivativesInDirection(stage, c, forward);
            ExtendedShotState<T, N> k;
            for (size_t i = 0; i < N; ++i) {
                k[i] = h * f[i];
            }
            k[PistonTravelComponent] = h * Choose(r.pistonAtRest, T{}, f[PistonTravelComponent]);
            k[PistonVelocityComponent] =
                h * Choose(r.pistonAtRest, T{}, f[PistonVelocityComponent]);
            k[BulletTravelComponent] = h * Choose(r.bulletReleased, f[BulletTravelComponent], T{});
            k[BulletVelocityComponent] =
                h * Choose(r.bulletReleased, f[BulletVelocityComponent], T{});
            return k;
        });
}

template <class T, size_t N, class Mask>
[[gnu::always_inline]] inline T PistonAccelerationInDirection(const ExtendedShotState<T, N>& y,
                                                              const ExtendedShotCoefficients<T>& c,
                                                              const Mask& forward) {
    return ExtendedDerivativesInDirection(y, c, forward)[PistonVelocityComponent];
}

template <class T, size_t N, class Mask>
[[gnu::always_inline]] inline T EventQuantity(ShotEvent event, const ExtendedShotState<T, N>& y,
                                              const ExtendedShotCoefficients<T>& c,
                                              const BasicShotRegime<Mask>& r) {
    switch (event) {
        case ShotEvent::Release:
            return ExtendedEntryOf<false>(y, c).breechPressure - c.releasePressure;
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

template <class T, size_t N, class Mask>
[[gnu::always_inline]] inline Mask EventWithin(ShotEvent event, const ExtendedShotState<T, N>& y,
                                               const ExtendedShotState<T, N>& end,
                                               const ExtendedShotCoefficients<T>& c,
                                               const BasicShotRegime<Mask>& r) {
    return And(EventWatched(event, y, c, r),
               AndNot(EventQuantity(event, y, c, r) > 0.0, EventQuantity(event, end, c, r) > 0.0));
}

// The smooth summary takes a reached state: the cylinder's pressure and temperature.
template <class T, size_t N>
[[gnu::always_inline]] inline void TakeReachedState(BasicShotSummary<T>& summary,
                                                    const ExtendedShotState<T, N>& y,
                                                    const ExtendedShotCoefficients<T>& c) {
    const BasicStepEntry<T> shown = InDisplayUnits(ExtendedEntryOf<false>(y, c).basic);
    summary.maximumPressure = Larger(summary.maximumPressure, shown.pressure);
    summary.maximumPistonVelocity = Larger(summary.maximumPistonVelocity, shown.pistonVelocity);
    summary.maximumTemperature = Larger(summary.maximumTemperature, shown.temperature);
    summary.last = shown;
}
