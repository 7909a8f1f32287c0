#include "gpio.h"
#include "gpiointerrupt.h"
#include "platform.h"
#include "testroot.h"
#include "waitfor.h"

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

namespace {
// Input pins on the virtual board's tree behave as the kernel's: each change of level written
// to a pin's value file is one edge, a write of the level it has is none.
class GpioEdges : public Gpio {
protected:
    GpioEdges() {
        QObject::connect(&watch, &GpioInterrupt::emitInterrupt, &watch,
                         [this](const QString& name) { edges << name; });
    }
    // Writes the level, then a change on the sentinel pin, and waits until that has been seen:
    // everything the first write caused has been reported by then.
    void writeAndSettle(const char* pin, const char* level) {
        root.writeFile(QStringLiteral("/sys/class/gpio/pio%1/value").arg(pin), level);
        sentinelLevel = !sentinelLevel;
        root.writeFile("/sys/class/gpio/pioD14/value", sentinelLevel ? "1\n" : "0\n");
        const qsizetype sentinels = edges.count("D14") + 1;
        ASSERT_TRUE(waitFor([&] { return edges.count("D14") == sentinels; }, 5000));
    }

    GPIO acknowledge{"A21", "21", GPIO::kInput};
    GPIO sentinel{"D14", "110", GPIO::kInput};
    GpioInterrupt watch;
    QStringList edges;
    bool sentinelLevel = false;
};

TEST_F(GpioEdges, EachChangeOfLevelIsOneEdge) {
    watch.registerInterrupt(acknowledge);
    watch.registerInterrupt(sentinel);
    writeAndSettle("A21", "1\n");
    writeAndSettle("A21", "1\n");
    writeAndSettle("A21", "0\n");
    EXPECT_EQ(edges.count("A21"), 2);
}

TEST_F(GpioEdges, AnUnregisteredPinIsNoLongerWatched) {
    watch.registerInterrupt(acknowledge);
    watch.registerInterrupt(sentinel);
    writeAndSettle("A21", "1\n");
    watch.unRegisterInterrupt(acknowledge);
    writeAndSettle("A21", "0\n");
    EXPECT_EQ(edges.count("A21"), 1);
    watch.registerInterrupt(acknowledge);
    writeAndSettle("A21", "1\n");
    EXPECT_EQ(edges.count("A21"), 2) << "registered again";
}
} // namespace
