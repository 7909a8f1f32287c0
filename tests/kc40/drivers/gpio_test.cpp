#include "gpio.h"
#include "platform.h"
#include "testroot.h"

#include <gtest/gtest.h>

namespace {

// The pins on a virtual board's sysfs tree: made, a pin is exported once and set up; an output
// writes what it is told, an input reads what the line shows.
class Gpio : public ::testing::Test {
protected:
    Gpio() { Platform::configure(root.path(), QString()); }
    ~Gpio() override { Platform::configure(QString(), QString()); }
    TestRoot root;
};

TEST_F(Gpio, APinIsExportedOnceWithItsDirectionAndEdge) {
    const GPIO power("C21", "85", GPIO::kOutput);
    const GPIO again("C21", "85", GPIO::kOutput);
    const GPIO input("D14", "110", GPIO::kInput);
    EXPECT_EQ(root.readFile("/sys/class/gpio/export"), "85\n110\n");
    EXPECT_EQ(root.readFile("/sys/class/gpio/pioC21/direction"), "out");
    EXPECT_EQ(root.readFile("/sys/class/gpio/pioD14/direction"), "in");
    EXPECT_EQ(root.readFile("/sys/class/gpio/pioD14/edge"), "both");
}

TEST_F(Gpio, OutputsWriteTheirStateAndInputsReadTheLine) {
    GPIO power("C21", "85", GPIO::kOutput);
    power.set();
    EXPECT_EQ(root.readFile("/sys/class/gpio/pioC21/value"), "1");
    power.reset();
    EXPECT_EQ(root.readFile("/sys/class/gpio/pioC21/value"), "0");
    EXPECT_FALSE(power.getState());

    GPIO input("D14", "110", GPIO::kInput);
    input.set();
    EXPECT_EQ(root.readFile("/sys/class/gpio/pioD14/value"), "0\n") << "an input is not driven";
    root.writeFile("/sys/class/gpio/pioD14/value", "1\n");
    EXPECT_TRUE(input.getState());
}
} // namespace
