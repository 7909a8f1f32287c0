#include "junctionboxview.h"

#include <gtest/gtest.h>

namespace {

// A repeater's pulses: each fall of the pin starts one; the rate comes from the last two and
// lapses when the train stops.
TEST(JunctionBoxView, PulseRateFollowsTheFallsOfTheOutput) {
    JunctionBoxView view;
    struct Step {
        bool level;
        qint64 atMs;
    };
    const Step train[] = {{true, 0}, {false, 1740}, {true, 1800}, {false, 3540}, {true, 3600}};
    for (const Step& step : train) {
        view.pinLevel(QStringLiteral("A16"), step.level, step.atMs);
    }
    EXPECT_EQ(view.pulsesPerHour(QStringLiteral("A16"), 4000), 2000);
    EXPECT_EQ(view.pulsesPerHour(QStringLiteral("A16"), 3540 + 30001), std::nullopt);
    EXPECT_EQ(view.pulsesPerHour(QStringLiteral("A20"), 4000), std::nullopt);
    const QStringList screen = view.render(4000);
    EXPECT_TRUE(screen.filter(QStringLiteral("Aux2 A16 out StwPulseOutput")).size() == 1 &&
                screen.filter(QStringLiteral("2000 pulses/h")).size() == 1)
        << screen.join('\n').toStdString();
}

} // namespace
