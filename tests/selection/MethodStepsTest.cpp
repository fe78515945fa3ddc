// The one description of each method against what reads it: the README's table of values says
// what the steps say, and every kind's result lines are the steps' lines.

#include "selection/MethodSteps.h"
#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/ValveSizing.h"
#include "tests/support/Inputs.h"
#include "tests/support/QtPrinters.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace selection;
using sizingcases::Inputs;

namespace {

// The README's words for the kinds that have a value.
QString kindsText(const std::set<EquipmentKind>& kinds)
{
    using K = EquipmentKind;
    const std::map<std::set<K>, QString> texts = {
        {{K::Hydroelevator, K::ControlValve, K::MixingValve, K::Regulator}, "all"},
        {{K::Hydroelevator}, "hydroelevator"},
        {{K::Regulator}, "regulator"},
        {{K::ControlValve, K::MixingValve}, "control valve, mixing valve"},
        {{K::ControlValve, K::MixingValve, K::Regulator}, "valves, regulator"},
    };
    const auto found = texts.find(kinds);
    return found == texts.end() ? QStringLiteral("?") : found->second;
}

} // namespace

TEST(MethodSteps, TheReadmeTableOfValuesSaysWhatTheStepsSay)
{
    QFile readme(qEnvironmentVariable("VEDAN_TESTS_DIR") + QStringLiteral("/../README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    static const QRegularExpression row(
        QStringLiteral("^\\| `(\\w+)` \\| (.+?) \\| (.+?) \\| (.+?) \\|$"),
        QRegularExpression::MultilineOption);
    QStringList documented;
    for (auto it = row.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        documented << m.captured(1) + " | " + m.captured(2) + " | " + m.captured(3) + " | "
                          + m.captured(4);
    }
    QStringList described;
    for (const NamedValue& column : allValues()) {
        std::set<EquipmentKind> kinds;
        const MethodStep* step_found = nullptr;
        for (const EquipmentKind kind : kinds::kAll)
            for (const MethodStep& step : methodSteps(kind))
                if (step.value == column.value) {
                    kinds.insert(kind);
                    step_found = &step;
                }
        ASSERT_NE(step_found, nullptr) << column.name;
        described << QString::fromLatin1(column.name) + " | "
                         + QString::fromUtf8(step_found->meaning) + " | "
                         + QString::fromUtf8(step_found->unitName) + " | " + kindsText(kinds);
    }
    EXPECT_EQ(documented, described);
}

// Whatever the kind, the result box's value lines are the lines of its steps, in their order.
TEST(MethodSteps, EveryKindsValueLinesAreItsStepsLines)
{
    const SizingInputs in = Inputs{};
    for (const EquipmentKind kind : kinds::kAll) {
        SCOPED_TRACE(int(kind));
        const SizingOutcome outcome = [&] {
            switch (kind) {
            case EquipmentKind::Hydroelevator: return sizing::PodborRG(in);
            case EquipmentKind::ControlValve: return sizing::PodborKZR(in);
            case EquipmentKind::MixingValve: return sizing::PodborKST(in);
            case EquipmentKind::Regulator: return sizing::PodborRp(in, 1, 1);
            }
            return SizingOutcome{};
        }();
        const std::vector<MethodStep>& steps = methodSteps(kind);
        ASSERT_GE(outcome.lines.size(), qsizetype(steps.size()));
        for (size_t i = 0; i < steps.size(); ++i) {
            const std::optional<double> value = steps[i].value->read(outcome.values);
            ASSERT_TRUE(value) << steps[i].name;
            EXPECT_EQ(outcome.lines[qsizetype(i)], memoLine(steps[i], *value));
        }
    }
}
