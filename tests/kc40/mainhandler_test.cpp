#include "fakeclock.h"
#include "freshunit.h"
#include "mainhandler.h"
#include "msgdat.h"
#include "msgicm.h"
#include "pseudoterminal.h"
#include "speedcalibration.h"
#include "speedcalibrationdata.h"
#include "systemvariables.h"
#include "vq2_handler.h"

#include <QMetaMethod>
#include <QSet>

#include <gtest/gtest.h>

#include <tuple>

namespace {
// The central object on a fresh board root, with the sensor line played by the test.
class MainHandlerOnBoard : public ::testing::Test {
protected:
    FreshUnitRoot root;
    PseudoTerminal sensor{root.path("/dev/ttyS3")};
};

TEST_F(MainHandlerOnBoard, DisplayCommandsThatNeedTheBoardReachIt) {
    MainHandler unit;
    const std::tuple<const char*, int, QList<int>, QByteArray> cases[] = {
        // The factory address goes to the board's network before the board restarts.
        {"reset of level 2", 8, {2, 1}, "/etc/init.d/S40network restart\nreboot\n"},
        {"update started on the display", 33, {2, 3}, "rm /var/www/UP_K105\n"},
    };
    for (const auto& [name, command, parameters, recorded] : cases) {
        QFile::remove(CommandRunner::recordFile());
        unit.displayCommands().slotSystemSetupMessage(
            std::make_shared<MsgICM>(1, command, parameters));
        EXPECT_EQ(root.readFile("/board_commands"), recorded) << name;
    }
}

template <class Part> Part* partOf(const MainHandler& unit) {
    for (QObject* part : unit.parts()) {
        if (auto* found = qobject_cast<Part*>(part)) {
            return found;
        }
    }
    return nullptr;
}

// A sea-test point taken on the display changes the speeds the unit measures from then on.
TEST_F(MainHandlerOnBoard, MeasuredSpeedsGoThroughTheUnitsCalibrationTable) {
    FakeClock clock;
    MainHandler unit;
    auto* calibration = partOf<SpeedCalibration>(unit);
    auto* sensor = partOf<VQ2_Handler>(unit);
    ASSERT_TRUE(calibration && sensor);
    // Zone 2: 12.5 kn true where the sensor measured 11.0 through the water and 11.5 over ground.
    calibration->slotCalibrationCommandReceived(
        std::make_shared<MsgICM>(1, int(msgCommands::CalibrationPointCommand),
                                 QList<int>{2, 2, 1250, 1100, 1150, 0, 1, 1, 0}));
    for (int i = 0; i < 20; ++i) {
        FakeClock::advance(500);
        sensor->handleDatMsg(std::make_shared<MsgDAT>(4, 11.0f, 9, 0.0f, 9, 21.0f, 0, 0, 0, 11.7f,
                                                      9, 0.0f, 9, 45.0f, 45.0f),
                             FakeClock::stamp());
    }
    VQ2DataModel& model = SystemVariables::getInstance()->vq2data;
    const float measured = model.sogResBoatNoCallib.getValue();
    EXPECT_NEAR(model.sogResBoatCallibrated.getValue(),
                SpeedCalibrationData::getInstance()->getCalibratedSpeed(measured, SOG_speed, false),
                0.01f);
    EXPECT_GT(model.sogResBoatCallibrated.getValue() - measured, 0.5f);
}

// Signals whose receivers are parts of the unit still to be built, each with its part.
const QSet<QString> kAwaitingReceivers = {};

// isSignalConnected is protected; a member pointer taken through a subclass reaches it.
struct SignalPeek : QObject {
    using QObject::isSignalConnected;
};

// "Class::signal" for every signal of the unit's own classes that nothing receives.
QSet<QString> signalsWithoutReceiver(const QList<QObject*>& parts) {
    const auto isConnected = &SignalPeek::isSignalConnected;
    QSet<QString> unconnected;
    for (const QObject* part : parts) {
        for (const QMetaObject* meta = part->metaObject(); meta; meta = meta->superClass()) {
            if (QByteArray(meta->className()).startsWith('Q')) {
                break;
            }
            for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
                const QMetaMethod method = meta->method(i);
                if (method.methodType() == QMetaMethod::Signal && !(part->*isConnected)(method)) {
                    unconnected << QString::fromLatin1(meta->className()) + QStringLiteral("::") +
                                       QString::fromLatin1(method.name());
                }
            }
        }
    }
    return unconnected;
}

std::string listed(const QSet<QString>& names) {
    QStringList sorted = names.values();
    sorted.sort();
    return sorted.join(QLatin1Char(' ')).toStdString();
}

TEST_F(MainHandlerOnBoard, EverySignalHasAReceiverButThoseOfPartsStillToBeBuilt) {
    MainHandler unit;
    const QSet<QString> unconnected = signalsWithoutReceiver(unit.parts());
    EXPECT_EQ(listed(unconnected - kAwaitingReceivers), "") << "signals nothing receives";
    EXPECT_EQ(listed(kAwaitingReceivers - unconnected), "")
        << "connected now: take them off the list";
}
} // namespace
