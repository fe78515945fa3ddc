#pragma once
// The heating season of a sized device: the network's temperature schedule from the design
// outdoor temperature to the end of the season, and at each outdoor temperature what the device
// then has to do, with the checks that matter there.
//
// The schedule is central quality regulation of a radiator heating load (exponent 0,8), as in
// Е. Я. Соколов, «Теплофикация и тепловые сети»: with the relative load
// Q̄ = (t_i − t_o)/(t_i − t_o′), Δt′ = ½(τ₃′ + τ₂′) − t_i, δτ′ = τ₁′ − τ₂′, θ′ = τ₃′ − τ₂′,
//   τ₁ = t_i + Δt′·Q̄^0,8 + (δτ′ − ½θ′)·Q̄,  τ₂ = t_i + Δt′·Q̄^0,8 − ½θ′·Q̄,
//   τ₃ = t_i + Δt′·Q̄^0,8 + ½θ′·Q̄,
// where τ₃′ = min(95 °C, τ₁′). The supply is cut at τ_cut for hot water: τ₁* = max(τ₁, τ_cut).
// Above the cut the network flow is the design flow G′; below it the local circulation is held
// at its design flow, as a regulating elevator aims to do: G = G′·(1 + u′)·(τ₃ − τ₂)/(τ₁* − τ₂).
// Everywhere u = (τ₁* − τ₃)/(τ₃ − τ₂) and Q = Q′·Q̄.
//
// A hydroelevator keeps its nozzle for G at the design available head; a valve or regulator is
// in series with the system, whose loss goes with the network flow squared (as the authority
// formula assumes). Depends on the selection library, the checks and Qt Core.

#include "checks/Checks.h"
#include "core/Failure.h"
#include "core/Quantities.h"
#include "selection/SizedSelection.h"

#include <QString>
#include <optional>
#include <vector>

namespace season {

inline constexpr double kDefaultIndoor = 18;   // °C
inline constexpr double kDefaultCut = 70;      // °C, for hot water
inline constexpr double kDefaultSeasonEnd = 8; // °C
inline constexpr double kDefaultStep = 1;      // K
inline constexpr long double kExponent = 0.8L; // of a radiator heating load
inline constexpr int kMaxPoints = 1000;

// The season asked for. A cut that is not asked for is the default where the design supply is
// above it, and none otherwise.
struct Schedule {
    qty::Temperature outdoorDesign;
    qty::Temperature indoor = qty::Temperature::celsius(kDefaultIndoor);
    std::optional<qty::Temperature> cut = std::nullopt;
    qty::Temperature seasonEnd = qty::Temperature::celsius(kDefaultSeasonEnd);
    double step = kDefaultStep; // K
};

// The device at one outdoor temperature; a field that does not apply to the kind is absent.
struct Point {
    qty::Temperature outdoor = qty::Temperature::celsius(0);
    double relativeLoad = 0;                                     // Q̄
    qty::Temperature supply = qty::Temperature::celsius(0);      // τ₁*, the supply actually held
    qty::Temperature ret = qty::Temperature::celsius(0);         // τ₂
    qty::Temperature mixed = qty::Temperature::celsius(0);       // τ₃
    qty::HeatLoad load = qty::HeatLoad::gcalPerHour(0);          // Q
    qty::MassFlow networkFlow = qty::MassFlow::tonnesPerHour(0); // G
    double mixingRatio = 0;                                      // u
    std::optional<qty::Diameter> nozzleDiameter;                 // hydroelevator
    std::optional<qty::Head> requiredHead;                       // hydroelevator
    std::optional<qty::Head> availableHead;                      // hydroelevator
    std::optional<qty::PressureDifference> pressureDrop;         // valves and regulator
    std::optional<qty::FlowCoefficient> requiredKv;              // valves and regulator
    std::optional<double> capacityRatio; // Kv/Kvy of the first offered model
    std::vector<checks::Check> checks;
    checks::Status verdict = checks::Status::Passed;
};

// The cut in force for a design supply temperature.
std::optional<double> cutInForce(const Schedule& schedule, double designSupply);

// Where the supply is cut: the cut in force, and the outdoor temperature at which τ₁ falls to
// it, solved from the schedule's equation (none when the season ends before τ₁ reaches it).
struct Cut {
    double temperature = 0;        // τ_cut, °C
    std::optional<double> outdoor; // t_o, °C
};
// The season's cut; none without a cut in force. The root of τ₁(Q̄) = τ_cut is bracketed in
// 0 < Q̄ < 1, where τ₁ rises with Q̄, and halved to the last bit of a long double.
std::optional<Cut> cutOf(const selection::SizedSelection& sized, const Schedule& schedule);

// The season's points from the design selection, or the failure with the Russian reason it
// cannot be computed: the end not above the design outdoor temperature or not below the indoor
// one, a step that is not positive, a return not colder than the mixed water, an asked cut not
// below the design supply, more than 1,000 points (input failures), or an arithmetic fault.
vedan::Outcome<std::vector<Point>> sweep(const selection::SizedSelection& sized,
                                         const Schedule& schedule);

// The ids of the checks a season point carries for the kind.
const QStringList& checkIds(selection::EquipmentKind kind);

} // namespace season
