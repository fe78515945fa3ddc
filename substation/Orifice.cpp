#include "substation/Orifice.h"

using vedan::Ext;
using vedan::store;

namespace substation {

namespace {

Orifice plates(qty::MassFlow flow, qty::Head head, std::optional<formulas::Water> water,
               qty::Diameter minBore, int n)
{
    Orifice o;
    o.plates = n;
    o.head = head;
    o.headPerPlate = qty::Head::metres(store(Ext(head.inMetres()) / Ext(n)));
    o.bore = formulas::plateBore(flow, o.headPerPlate);
    o.boreFits = o.bore.inMillimetres() >= minBore.inMillimetres();
    o.lastPlateDrop = formulas::dropOf(o.headPerPlate);
    o.chokeFits = true;
    if (water) {
        // Before the last plate the n − 1 plates ahead of it have taken their share.
        const qty::PressureDifference ahead = qty::PressureDifference::kgfPerCm2(
            store(Ext(n - 1) * Ext(o.lastPlateDrop.inKgfPerCm2())));
        const qty::AbsolutePressure before = qty::AbsolutePressure::kgfPerCm2(
            store(Ext(water->inlet.inKgfPerCm2()) - Ext(ahead.inKgfPerCm2())));
        o.lastPlateChoked = formulas::chokedDrop({.inlet = before, .vapour = water->vapour});
        o.chokeFits = o.lastPlateDrop.inKgfPerCm2() < o.lastPlateChoked->inKgfPerCm2();
    }
    return o;
}

} // namespace

Orifice orificeFor(qty::MassFlow flow, qty::Head head, std::optional<formulas::Water> water,
                   qty::Diameter minBore)
{
    Orifice o;
    for (int n = 1; n <= kMaxPlates; ++n) {
        o = plates(flow, head, water, minBore, n);
        if (o.fits())
            break;
    }
    return o;
}

} // namespace substation
