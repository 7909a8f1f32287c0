#include "calibrationfixture.h"
#include "speedcalibration.h"
#include "waitfor.h"

#include <QList>

#include <climits>

namespace {
// What the display would receive: every ICM as its command and parameters.
struct Sent {
    int command;
    QList<int> parameters;
};

class CalibrationCommands : public CalibrationTest {
protected:
    CalibrationCommands() { renew(); }

    // The table as a restart reads it, with a controller of its own.
    void renew() {
        restart();
        controller = std::make_unique<SpeedCalibration>(data.get());
        const auto record = [this](const NmeaMessagePtr& msg) {
            const auto icm = std::dynamic_pointer_cast<MsgICM>(msg);
            ASSERT_TRUE(icm);
            sent.append({icm->commandID(), icm->msgParameters()});
        };
        QObject::connect(controller.get(), &SpeedCalibration::sigSendSingleOnUdpOutput, record);
        // A sea-test point leaves together with its zone's recommended angles.
        QObject::connect(
            controller.get(), &SpeedCalibration::sigSendGroupOnUdpOutput,
            [record](const QList<NmeaMessagePtr>& group) {
                ASSERT_EQ(group.size(), 2);
                record(group[0]);
                const auto angles = std::dynamic_pointer_cast<MsgICM>(group[1]);
                ASSERT_TRUE(angles);
                EXPECT_EQ(angles->commandID(), int(msgCommands::RecommandedAngles));
                EXPECT_EQ(angles->msgParameters().value(0),
                          std::dynamic_pointer_cast<MsgICM>(group[0])->msgParameters().value(0));
            });
        controller->setMeasurementSource([this] { return now; });
    }

    void receive(msgCommands command, const QList<int>& parameters) {
        controller->slotCalibrationCommandReceived(
            std::make_shared<MsgICM>(1, command, parameters));
    }
    QList<Sent> sentWith(msgCommands command) const {
        QList<Sent> result;
        for (const Sent& s : sent) {
            if (s.command == static_cast<int>(command)) {
                result.append(s);
            }
        }
        return result;
    }
    std::array<int, 5> sources() const {
        std::array<int, 5> result{};
        for (int zone = 0; zone < 5; ++zone) {
            result[zone] = data->getCurrentlyUsedPoint(zone);
        }
        return result;
    }

    std::unique_ptr<SpeedCalibration> controller;
    SpeedCalibration::Measurement now;
    QList<Sent> sent;
};

TEST_F(CalibrationCommands, SeaTestPointByHandFillsTheDefaultZonesAndSurvivesARestart) {
    receive(msgCommands::CalibrationPointCommand, {2, 2, 1250, 1100, 1150, 0, 1, 1, 0});

    EXPECT_EQ(sentWith(msgCommands::CurrentCalibrationpoints).size(), 1);
    EXPECT_EQ(sentWith(msgCommands::CurrentCalibrationpoints).value(0).parameters,
              (QList<int>{0, 0, 2, 0, 0}));
    const QList<Sent> points = sentWith(msgCommands::CalibrationPointCommand);
    ASSERT_EQ(points.size(), 21) << "the point itself, then all twenty";
    EXPECT_EQ(points[0].parameters, (QList<int>{2, 2, 1250, 1100, 1150, 0, 1, 1, 0}));
    EXPECT_EQ(data->pointAcceptedStatus(), 1);
    EXPECT_TRUE(data->calibrationDataReceived());

    for (const bool restarted : {false, true}) {
        SCOPED_TRACE(restarted ? "after a restart" : "at once");
        const SpeedCalibrationData* table = restarted ? &restart() : data.get();
        EXPECT_NEAR(table->getCalibrationPoint(1, -1).measuredSTW, 6.6f, 1e-4f);
        EXPECT_NEAR(table->getCalibrationPoint(3, -1).measuredSTW, 15.4f, 1e-4f);
        EXPECT_NEAR(table->getCalibrationPoint(1, -1).measuredSOG, 6.9f, 1e-4f);
        EXPECT_EQ(table->getCurrentlyUsedPoint(2), 2);
        EXPECT_NEAR(table->getCalibratedSpeed(11.0f, STW_speed, true), 12.5f, 1e-4f);
        EXPECT_NEAR(table->getCalibratedSpeed(6.6f, STW_speed, true), 7.5f, 1e-4f);
        EXPECT_NEAR(table->getCalibratedSpeed(11.5f, SOG_speed, false), 12.5f, 1e-4f);
    }
}

TEST_F(CalibrationCommands, MalformedPointsAreRejectedWithoutTouchingTheTable) {
    // Zone, source, true speed, measured STW and SOG (x100), mounting error, three flags; the
    // true speed may reach the maximum + 5 kn, the STW the maximum + 10 kn, the SOG 100 kn.
    const QList<int> sound{2, 2, 1250, 1100, 1150, 0, 1, 1, 0};
    const std::pair<int, int> implausible[] = {{0, 5},     {0, -1},    {1, 0},       {1, 4},
                                               {2, -100},  {2, 3001},  {3, 3501},    {3, -50},
                                               {4, 10001}, {5, 36001}, {2, INT_MAX}, {8, INT_MAX}};
    const QByteArray points = configFile(SpeedCalibrationData::kPointsFile);
    const QByteArray used = configFile(SpeedCalibrationData::kUsedFile);
    auto notANumber = std::make_shared<MsgICM>();
    notANumber->setParams({"1", "21", "2", "2", "12.5", "1100", "1150", "0", "1", "1", "0"});
    QList<NmeaMessagePtr> messages{notANumber};
    for (const qsizetype count : {0, 3, 7}) {
        messages.append(
            std::make_shared<MsgICM>(1, msgCommands::CalibrationPointCommand, sound.mid(0, count)));
    }
    for (const auto& [field, value] : implausible) {
        QList<int> p = sound;
        p[field] = value;
        messages.append(std::make_shared<MsgICM>(1, msgCommands::CalibrationPointCommand, p));
    }
    for (const NmeaMessagePtr& msg : messages) {
        sent.clear();
        controller->slotCalibrationCommandReceived(msg);
        ASSERT_EQ(sent.size(), 1) << msg->getMsgBuffer().toStdString();
        EXPECT_EQ(sent[0].command, static_cast<int>(msgCommands::CalibrationPointRejected))
            << msg->getMsgBuffer().toStdString();
    }
    EXPECT_EQ(configFile(SpeedCalibrationData::kPointsFile), points);
    EXPECT_EQ(configFile(SpeedCalibrationData::kUsedFile), used);
    EXPECT_EQ(data->pointAcceptedStatus(), 0);
}

// Decimals that a float cannot hold exactly go back to the display as they came.
TEST_F(CalibrationCommands, PointsGoBackAsTheyCame) {
    const QList<int> cases[] = {
        {660, 660, -660}, {7, 7, 7},      {659, 1013, 29}, {2599, 2999, 36000},
        {1250, 1100, 0},  {3000, 3500, 0}}; // the last at the limits of true and measured speed
    for (const QList<int>& c : cases) {
        sent.clear();
        receive(msgCommands::CalibrationPointCommand, {1, 1, c[0], c[1], 1150, c[2], 1, 1, 0});
        const QList<Sent> points = sentWith(msgCommands::CalibrationPointCommand);
        ASSERT_FALSE(points.isEmpty()) << c[0];
        const QList<int>& p = points[0].parameters;
        EXPECT_EQ((QList<int>{p[2], p[3], p[5]}), c);
    }
}

TEST_F(CalibrationCommands, SourcesInUseFromTheDisplay) {
    // What the display sends, the sources then in use, the points sent back.
    const std::tuple<QList<int>, std::array<int, 5>, int> cases[] = {
        {{0, 1, 2, 3, 0}, {0, 1, 2, 3, 0}, 20},
        {{1, 1, 1, 1, 1, 9}, {1, 1, 1, 1, 1}, 20}, // extra parameters ignored
        {{2, 2}, {1, 1, 1, 1, 1}, 0},
        {{0, 0, 7, 0, 0}, {1, 1, 1, 1, 1}, 0},
        {{0, -1, 0, 0, 0}, {1, 1, 1, 1, 1}, 0},
    };
    for (const auto& [parameters, expected, pointsSent] : cases) {
        sent.clear();
        receive(msgCommands::CurrentCalibrationpoints, parameters);
        EXPECT_EQ(sources(), expected) << parameters.size();
        EXPECT_EQ(sentWith(msgCommands::CalibrationPointCommand).size(), pointsSent);
        renew();
        EXPECT_EQ(data->getCurrentlyUsedPoint(3), expected[3]) << "after a restart";
    }
}

TEST_F(CalibrationCommands, PeriodicDataChosenByTheCalibrationCommand) {
    // The action, the commands sent in one output cycle afterwards.
    const std::pair<QList<int>, QList<int>> cases[] = {
        {{0}, {22}}, {{1}, {23, 31}}, {{9}, {29}}, {{42}, {29}}, // an unknown action keeps it
        {{}, {29}},  {{10}, {30}},    {{3}, {}},
    };
    controller->setPreparedMessageSource(
        [](msgCommands command) { return std::make_shared<MsgICM>(1, command); });
    for (const auto& [parameters, periodic] : cases) {
        receive(msgCommands::CalibrationCommand, parameters);
        sent.clear();
        controller->slotSendOutputMessages();
        QList<int> commands;
        for (const Sent& s : sent) {
            commands.append(s.command);
        }
        EXPECT_EQ(commands, periodic) << parameters.value(0, -1);
    }
}

TEST_F(CalibrationCommands, SemiAutomaticActionsAreHandedOn) {
    QList<int> actions;
    QObject::connect(
        controller.get(), &SpeedCalibration::sigSemiAutomaticCommand, [&](NmeaMessagePtr msg) {
            actions.append(std::dynamic_pointer_cast<MsgICM>(msg)->msgParameters().value(0));
        });
    for (const int action : {4, 5, 6, 7, 8, 0, 3}) {
        receive(msgCommands::CalibrationCommand, {action, 0, 500});
    }
    EXPECT_EQ(actions, (QList<int>{4, 5, 6, 7, 8}));
}

TEST_F(CalibrationCommands, PointFromMeasurementNeedsAValidGpsSpeed) {
    now.sogHighFrequency = false;
    now.live = {10.0f, false, 8.0f, 9.0f, true};
    receive(msgCommands::CalibrationPointCommand, {1, 1, 0, 0, 0, 0, 1, 1, 1});
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].command, static_cast<int>(msgCommands::CalibrationPointRejected));
    EXPECT_EQ(sent[0].parameters, QList<int>{1});
    EXPECT_EQ(data->getCurrentlyUsedPoint(1), 0);

    sent.clear();
    now.live.gpsSogValid = true;
    now.otherFrequencyStw = 7.5f;
    receive(msgCommands::CalibrationPointCommand, {1, 1, 0, 0, 0, 0, 1, 1, 1});
    // The unit run end to end shows the GPS speed taken as the true speed; here the sensor's
    // other frequency fills the extended point.
    EXPECT_EQ(data->getCurrentlyUsedPoint(1), 1);
    const ExtendedSpeedCalibrationPoint ext = data->getExtendedCalibrationPoint(1, 1);
    EXPECT_FLOAT_EQ(ext.stwHighFrequencyPoint.measuredSpeed, 8.0f);
    EXPECT_FLOAT_EQ(ext.stwLowFrequencyPoint.measuredSpeed, 7.5f);
    EXPECT_FLOAT_EQ(ext.sogLowFrequencyPoint.measuredSpeed, 9.0f);
}

TEST_F(CalibrationCommands, PointFromMeasurementWaitsForTheLowFrequencyOnce) {
    now.sogHighFrequency = true;
    now.live = {10.0f, true, 8.0f, 9.0f, true};
    SystemSetup* setup = SystemSetup::getInstance();

    receive(msgCommands::CalibrationPointCommand, {3, 1, 0, 0, 0, 0, 1, 1, 1});
    receive(msgCommands::CalibrationPointCommand, {0, 2, 300, 260, 270, 0, 1, 1, 0});
    EXPECT_TRUE(setup->getFixSogToLowFrequency());
    EXPECT_TRUE(controller->isWaitingForFrequencySwitch());
    EXPECT_TRUE(sent.isEmpty()) << "nothing taken before the switch has settled";

    // The measurement changes while the sensor switches; the point takes the settled values.
    now.live.uncalibratedStw = 8.5f;
    ASSERT_TRUE(waitFor([this] { return !controller->isWaitingForFrequencySwitch(); },
                        SpeedCalibration::kFrequencySwitchDelayMs + 2000));
    EXPECT_FLOAT_EQ(data->getCalibrationPoint(3, 1).measuredSTW, 8.5f);
    EXPECT_FLOAT_EQ(data->getCalibrationPoint(0, 2).measuredSTW, 2.6f);
    EXPECT_EQ(sources(), (std::array<int, 5>{2, 0, 0, 1, 0}));
    EXPECT_EQ(sentWith(msgCommands::CurrentCalibrationpoints).size(), 2);
    EXPECT_FALSE(setup->getFixSogToLowFrequency()) << "SOG released once the point is taken";
    spinFor(50);
    EXPECT_EQ(sentWith(msgCommands::CurrentCalibrationpoints).size(), 2) << "each point once";
}

TEST_F(CalibrationCommands, ChangedMaximumSpeedResendsEveryPoint) {
    data->slotMaxVesselSpeedChanged();
    EXPECT_EQ(sentWith(msgCommands::CalibrationPointCommand).size(), 20);
}
} // namespace
