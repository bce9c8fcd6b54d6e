#include "graph/ComparedSeries.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graph/PlotQuantities.h"
#include "model/ComputeCommand.h"
#include "tests/graph/GraphFixture.h"
#include "tests/support/ExampleGun.h"

namespace {

using enum GunParameter;

std::unique_ptr<SimulationResult> Computed(const GunParameterTexts& gun) {
    auto result = std::make_unique<SimulationResult>();
    ModelInputs inputs;
    SimulateShotFromFields(gun, '.', inputs, *result);
    return result;
}

using ComparedSeriesTest = GraphFixture;

// Three guns of different shot lengths over the bullet's travel, which stays 0 while a bullet
// is held: each curve runs in its slot's pen over exactly its own counted steps, neither cut
// short at another gun's last step nor carried on into the zeros beyond its own.
TEST_F(ComparedSeriesTest, DrawsEachGunInItsSlotsPenOverItsOwnSteps) {
    const auto stock = Computed(ExampleGunTexts());
    const auto strong = Computed(ExampleGunWith({{MaximumForce, "600"}}));
    const auto longBarrel = Computed(ExampleGunWith({{BarrelLength, "600"}}));
    ASSERT_LT(strong->LastIndex, stock->LastIndex);
    ASSERT_LT(stock->LastIndex, longBarrel->LastIndex);
    const std::vector<ComparedResult> guns = {
        {*stock, "stock"}, {*strong, "strong spring"}, {*longBarrel, "long barrel"}};
    StartUp();
    canvas.Clear();
    ASSERT_TRUE(LoadComparedSeries(guns, 4, 1, slot, Drawing(stock->LastIndex)));  // pressure

    const Colour pens[] = {{255, 0, 0}, {0, 0, 255}, {0, 0, 0}};
    for (size_t k = 0; k < guns.size(); ++k) {
        size_t lines = 0;
        for (const RecordedLine& line : canvas.lines) {
            lines += line.colour == pens[k] && line.width == 2 ? 1 : 0;
        }
        // One line to each counted point, one more for the legend's sample.
        EXPECT_EQ(lines, static_cast<size_t>(guns[k].result.LastIndex + 1) + 1) << k;
    }
    for (const char* name : {"stock", "strong spring", "long barrel",
                             "pressure [MPa] over bullet_travel [mm]"}) {
        EXPECT_TRUE(std::any_of(canvas.texts.begin(), canvas.texts.end(),
                                [&](const RecordedText& text) { return text.text == name; }))
            << name;
    }
}

}  // namespace
