// What a stretch of steps takes from the lanes' columns (model/ShotLanes.h) and gives back to
// them: the state (K vectors from the vector first on) and the summary so far, for the lanes of
// either model. No include guard: a kernel file includes it inside its namespace for each
// instruction set, after model/LanePack-inl.h and the step arithmetic.

template <size_t K, class Lanes>
using LaneStateOf = std::array<Pack<K>, std::tuple_size_v<decltype(Lanes::state)>>;

template <size_t K, class Lanes>
HWY_INLINE LaneStateOf<K, Lanes> LoadState(const Lanes& lanes, size_t first = 0) {
    LaneStateOf<K, Lanes> y;
    for (size_t i = 0; i < y.size(); ++i) {
        y[i] = Load<K>(lanes.state[i], first);
    }
    return y;
}

template <size_t K, class Lanes>
HWY_INLINE void StoreState(const LaneStateOf<K, Lanes>& y, Lanes& lanes, size_t first = 0) {
    for (size_t i = 0; i < y.size(); ++i) {
        Store(y[i], lanes.state[i], first);
    }
}

template <size_t K, class Lanes>
HWY_INLINE BasicShotSummary<Pack<K>> LoadSummary(const Lanes& lanes) {
    BasicShotSummary<Pack<K>> summary;
    summary.maximumPressure = Load<K>(lanes.maximumPressure);
    summary.maximumPistonVelocity = Load<K>(lanes.maximumPistonVelocity);
    summary.maximumTemperature = Load<K>(lanes.maximumTemperature);
    summary.last.pressure = Load<K>(lanes.lastPressure);
    summary.last.pistonVelocity = Load<K>(lanes.lastPistonVelocity);
    summary.last.temperature = Load<K>(lanes.lastTemperature);
    summary.last.bulletVelocity = Load<K>(lanes.lastBulletVelocity);
    return summary;
}

template <size_t K, class Lanes>
HWY_INLINE void StoreSummary(const BasicShotSummary<Pack<K>>& summary, Lanes& lanes) {
    Store(summary.maximumPressure, lanes.maximumPressure);
    Store(summary.maximumPistonVelocity, lanes.maximumPistonVelocity);
    Store(summary.maximumTemperature, lanes.maximumTemperature);
    Store(summary.last.pressure, lanes.lastPressure);
    Store(summary.last.pistonVelocity, lanes.lastPistonVelocity);
    Store(summary.last.temperature, lanes.lastTemperature);
    Store(summary.last.bulletVelocity, lanes.lastBulletVelocity);
}
