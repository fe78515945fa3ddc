#include "cli/SubstationCase.h"

#include "cli/SizeOutput.h"
#include "substation/Presentation.h"

using substation::Element;
using substation::ElementKind;

namespace cli {

vedan::Outcome<substation::Scheme> schemeOf(const std::optional<QString>& id)
{
    const auto refused = vedan::refusedInput<substation::Scheme>;
    if (!id)
        return refused(QStringLiteral("не указана схема теплового пункта"));
    const std::optional<substation::Scheme> scheme = substation::schemeOfId(*id);
    if (!scheme)
        return refused(QStringLiteral("неизвестная схема теплового пункта «%1»").arg(*id));
    return {*scheme, std::nullopt};
}

selection::EquipmentKind requestKind(substation::Scheme scheme)
{
    return scheme == substation::Scheme::Elevator ? selection::EquipmentKind::Hydroelevator
                                                  : selection::EquipmentKind::ControlValve;
}

QString sizeKindOf(substation::Scheme scheme)
{
    return selection::kinds::token(requestKind(scheme));
}

substation::Options substationOptions(substation::Scheme scheme, const SubstationNumbers& numbers)
{
    substation::Options options;
    options.scheme = scheme;
    if (numbers.otherLosses)
        options.otherLosses = qty::Head::metres(*numbers.otherLosses);
    if (numbers.authority)
        options.targetAuthority = *numbers.authority;
    if (numbers.range)
        options.settingRange = static_cast<int>(*numbers.range);
    if (numbers.maxElevatorHead)
        options.maxElevatorHead = qty::Head::metres(*numbers.maxElevatorHead);
    if (numbers.minBore)
        options.minBore = qty::Diameter::millimetres(*numbers.minBore);
    return options;
}

namespace {

std::optional<double> kv(const std::optional<qty::FlowCoefficient>& value)
{
    return qty::readIn(value, &qty::FlowCoefficient::inCubicMetresPerHour);
}

json::Value offerJson(const Element& e)
{
    return e.offer() ? json::text(e.offer()->designation) : json::Value();
}

json::Value elementJson(const Element& e)
{
    json::Value object;
    object["kind"] = json::text(substation::elementId(e.kind));
    object["head"] = json::number(e.head.inMetres());
    switch (e.kind) {
    case ElementKind::Orifice:
        object["pressureDrop"] = json::numberOr(
            qty::readIn(substation::elementDrop(e), &qty::PressureDifference::inKgfPerCm2));
        object["plates"] = e.orifice ? json::Value(e.orifice->plates) : json::Value();
        object["bore"] = json::numberOr(e.orifice ? std::optional(e.orifice->bore.inMillimetres())
                                                  : std::nullopt);
        break;
    case ElementKind::Regulator:
    case ElementKind::Valve:
        object["pressureDrop"] =
            json::numberOr(qty::readIn(e.drop, &qty::PressureDifference::inKgfPerCm2));
        if (e.kind == ElementKind::Regulator)
            object["setPoint"] =
                json::numberOr(qty::readIn(e.setPoint, &qty::PressureDifference::inKgfPerCm2));
        object["requiredKv"] = json::numberOr(kv(e.requiredKv));
        object["requiredKvy"] = json::numberOr(kv(e.requiredKvy));
        object["offer"] = offerJson(e);
        if (e.kind == ElementKind::Valve)
            object["authority"] = json::numberOr(e.authority);
        break;
    case ElementKind::Elevator:
        object["availableHead"] =
            json::numberOr(qty::readIn(e.availableHead, &qty::Head::inMetres));
        object["nozzleDiameter"] =
            json::numberOr(qty::readIn(e.nozzle, &qty::Diameter::inMillimetres));
        object["throatDiameter"] =
            json::numberOr(qty::readIn(e.throat, &qty::Diameter::inMillimetres));
        object["requiredHead"] = json::numberOr(qty::readIn(e.requiredHead, &qty::Head::inMetres));
        object["offer"] = offerJson(e);
        break;
    case ElementKind::Other:
    case ElementKind::System: break;
    }
    return object;
}

} // namespace

json::Value budgetJson(const substation::Budget& b)
{
    json::Value elements = json::Value::array();
    for (const Element& e : b.elements)
        elements.push_back(elementJson(e));
    json::Value checkList = json::Value::array();
    for (const checks::Check& c : b.checks)
        checkList.push_back(checkJson(c));
    json::Value object;
    object["scheme"] = json::text(substation::schemeId(b.scheme));
    object["networkFlow"] = json::number(b.networkFlow.inTonnesPerHour());
    object["availableHead"] = json::number(b.availableHead.inMetres());
    object["elements"] = std::move(elements);
    object["checks"] = std::move(checkList);
    object["verdict"] = json::text(checks::statusId(checks::verdict(b.checks)));
    return object;
}

} // namespace cli
