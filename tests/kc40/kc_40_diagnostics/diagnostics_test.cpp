#include "diagnosticsstatus.h"
#include "kc_40_adc_results.h"
#include "kc_40_diagnostics.h"
#include "landiagtest.h"
#include "msgidm.h"
#include "msgsnf.h"
#include "nmeaparser.h"
#include "sensortest.h"
#include "signallog.h"
#include "voltagetest.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Comments = std::vector<std::pair<QString, QString>>;

DiagnosticsTest withComments(const QString& name, int status, const Comments& comments) {
    DiagnosticsTest test;
    test.testName = name;
    test.testStatus = status;
    for (const auto& [commentName, value] : comments) {
        test.addComment(commentName, value);
    }
    return test;
}

Comments commentsOf(const DiagnosticsTest& test) {
    Comments comments;
    for (qsizetype i = 0; i < test.testCommentName.size(); ++i) {
        comments.emplace_back(test.testCommentName[i], test.testCommentValue[i]);
    }
    return comments;
}

// "name=value; " for each comment, readable when a case fails.
std::string shown(const Comments& comments) {
    std::string text;
    for (const auto& [name, value] : comments) {
        text += (name + "=" + value + "; ").toStdString();
    }
    return text;
}

TEST(DiagnosticsTest, TextFormHasFourSectionsWithTwoDecimalResults) {
    DiagnosticsTest test = withComments("Voltages test", 1, {{"+24V", "ERR: 27.15 V"}});
    EXPECT_EQ(test.getTestDataString(), "Voltages test,1/a,1/a,1.00/+24V,ERR: 27.15 V");
    EXPECT_EQ(DiagnosticsTest::fromText(test.getTestDataString()), test);
}

// What the display shows of a result, and what comes back when the unit reads and gives it on.
TEST(DiagnosticsTest, ResultValuesKeepTheirTextThroughTheUnit) {
    const std::pair<float, const char*> cases[] = {
        {24.049f, "24.05"}, {-3.996f, "-4.00"}, {-0.006f, "-0.01"},
        {-0.004f, "0.00"},  {-0.0f, "0.00"},    {0.004f, "0.00"},
    };
    for (const auto& [value, shownValue] : cases) {
        DiagnosticsTest test = withComments("Voltages test", 1, {{"+24V", "OK"}});
        test.testResultValue[0] = value;
        const QString text = test.getTestDataString();
        EXPECT_EQ(text, QString("Voltages test,1/a,1/a,%1/+24V,OK").arg(shownValue)) << value;
        const auto again = DiagnosticsTest::fromText(text);
        ASSERT_TRUE(again) << value;
        EXPECT_EQ(again->getTestDataString(), text) << value;
    }
}

TEST(DiagnosticsTest, ReadFromTextOnlyWhenAllSectionsAndTheStatusAreThere) {
    const auto trailing =
        DiagnosticsTest::fromText("Sensor test,0/a,1,b/r,2.5,x/SENSOR,OK: COMM,w");
    ASSERT_TRUE(trailing);
    EXPECT_EQ(trailing->partialTestName, QStringList{"a"});
    EXPECT_EQ(trailing->testResultValue, QList<float>{2.5f});
    EXPECT_EQ(shown(commentsOf(*trailing)), shown(Comments{{"SENSOR", "OK: COMM"}}));

    for (const char* broken :
         {"Sensor test,0/a,1/a,1.00", "Sensor test,x///", "Sensor test,0/a,one//",
          "Sensor test,0/a,1/a,1.00/c,v/w", ",0///"}) {
        EXPECT_FALSE(DiagnosticsTest::fromText(broken)) << broken;
    }
}

// A test that reports a fixed result and counts its runs.
class FixedTest : public RunableDiagnosticTest {
public:
    FixedTest(const QString& name, DiagnosticsTest result)
        : RunableDiagnosticTest(name), m_result(std::move(result)) {}
    DiagnosticsTest runTest(bool) override {
        ++runs;
        return m_result;
    }
    DiagnosticsTest getDefaultTestData() const override { return notTested("X"); }
    int runs = 0;

private:
    DiagnosticsTest m_result;
};

// The command and the fields of an IDM as they read on the wire.
QStringList fieldsOf(const NmeaMessagePtr& message) {
    const NmeaMessagePtr read = NmeaParser::parse(message->getMsgBuffer());
    const auto* idm = dynamic_cast<const MsgIDM*>(read.get());
    return idm ? QStringList{QString::number(idm->commandID())} + idm->msgParameters()
               : QStringList{};
}

struct DiagnosticsOnTheBench : ::testing::Test {
    DiagnosticsOnTheBench() {
        log.on(&diagnostics, &KC_40_Diagnostics::sigSendGroupOnUdpOutput, "group",
               &KC_40_Diagnostics::sigSendSingleOnUdp, "udp");
    }
    // "Fixed,0///" and a name that makes it 106 characters: two full pieces.
    FixedTest* fixed = new FixedTest("Fixed", withComments(QString(101, 'N'), 0, {}));
    FixedTest* other = new FixedTest("Other", withComments("Other", 1, {}));
    KC_40_Diagnostics diagnostics{{fixed, other}, [](std::chrono::milliseconds) {}};
    SignalLog log;
};

TEST_F(DiagnosticsOnTheBench, AResultOf106CharactersLeavesAsTwoPiecesOf53) {
    const QList<NmeaMessagePtr> pieces =
        diagnostics.getTestMessageList(withComments(QString(101, 'N'), 0, {}));
    ASSERT_EQ(pieces.size(), 2);
    EXPECT_EQ(fieldsOf(pieces[0]).mid(0, 4), (QStringList{"2", "00", "00", "02"}));
    EXPECT_EQ(fieldsOf(pieces[0]).value(4), QString(53, 'N'));
    EXPECT_EQ(fieldsOf(pieces[1]).mid(0, 4), (QStringList{"2", "00", "01", "02"}));
    EXPECT_EQ(fieldsOf(pieces[1]).mid(4).join(','), QString(48, 'N') + ",0///");
}

TEST_F(DiagnosticsOnTheBench, GroupIdentifierAfter99IsZero) {
    const DiagnosticsTest test = withComments("T", 0, {});
    for (int i = 0; i < 99; ++i) {
        diagnostics.getTestMessageList(test);
    }
    EXPECT_EQ(fieldsOf(diagnostics.getTestMessageList(test).first()).value(1), "99");
    EXPECT_EQ(fieldsOf(diagnostics.getTestMessageList(test).first()).value(1), "00");
}

TEST_F(DiagnosticsOnTheBench, OnlyStartRunsATestAndItsResultIsFollowedByFinished) {
    const struct {
        const char* name;
        const char* parameter;
        const char* heard;
        int fixedRuns;
    } cases[] = {
        {"Fixed", "Stop", "", 0},
        {"Nothing", "Start", "", 0},
        {"Fixed", "Start", "group:IDM2,IDM2 udp:IDM99", 1},
        {"Self test", "Start", "group:IDM2,IDM2 udp:IDM99 group:IDM2 udp:IDM99 udp:IDM99", 1},
        {"Self test", "start", "udp:IDM99", 0},
    };
    for (const auto& c : cases) {
        fixed->runs = 0;
        log.events.clear();
        log.sentences.clear();
        diagnostics.slotDiagnosticsTest(c.name, c.parameter);
        EXPECT_EQ(log.heard(), c.heard) << c.name << " " << c.parameter;
        EXPECT_EQ(fixed->runs, c.fixedRuns) << c.name << " " << c.parameter;
        if (!log.sentences.isEmpty()) {
            EXPECT_EQ(
                fieldsOf(log.sentences.last()).mid(1),
                (QStringList{c.name == QString("Fixed") ? "Fixed" : "Self test", "Finished"}));
        }
    }
    EXPECT_EQ(diagnostics.status().getDiagnosticTest("Other")->testStatus, 1);
}

std::array<quint16, AdcReading::kChannels> healthySupplies() {
    return {620, 852, 775, 775, 767, 100, 1023, 200};
}

TEST(VoltageTest, SuppliesAreJudgedAgainstTheirLimitsButTheAuxiliaryCurrent) {
    KC_40_ADC_Results adc;
    VoltageTest voltages(adc);
    adc.setADC_I2C_Status(true);
    adc.takeMeasurements(AdcReading::fromRaw(healthySupplies()));
    DiagnosticsTest result = voltages.runTest(true);
    EXPECT_EQ(result.testStatus, 0);
    EXPECT_EQ(shown(commentsOf(result)), shown(Comments{{"ADC I2C", "OK: COMM"},
                                                        {"+24V", "OK: 24.05 V"},
                                                        {"+5V5", "OK: 5.50 V"},
                                                        {"+5V", "OK: 5.00 V"},
                                                        {"+5V AUX", "OK: 5.00 V"},
                                                        {"+3V3", "OK: 3.30 V"},
                                                        {"+5V CURR", "OK: 125 mA"},
                                                        {"+5V AUX CURR", "ERR: 1279 mA"},
                                                        {"SENS CURR", "OK: 250 mA"}}));

    auto raw = healthySupplies();
    raw[0] = 700;
    adc.takeMeasurements(AdcReading::fromRaw(raw));
    result = voltages.runTest(true);
    EXPECT_EQ(result.testStatus, 1);
    EXPECT_EQ(commentsOf(result)[1], (std::pair<QString, QString>{"+24V", "ERR: 27.15 V"}));

    adc.setADC_I2C_Status(false);
    result = voltages.runTest(true);
    EXPECT_EQ(result.testStatus, 1);
    EXPECT_EQ(shown(commentsOf(result)), shown(Comments{{"ADC I2C", "ERR: NO I2C"}}));
}

struct SensorTestOnTheBench : ::testing::Test {
    SensorTestOnTheBench() {
        adc.setADC_I2C_Status(true);
        adc.takeMeasurements(AdcReading::fromRaw(healthySupplies()));
        test.setFacts({"2-17", "B1", "3.02", "HI", false, "Config", 1});
        QObject::connect(&test, &SensorTest::sigSendOnNmeaOutput,
                         [this](int channel, const NmeaMessagePtr& message) {
                             const auto* snf = dynamic_cast<const MsgSNF*>(message.get());
                             requests << QString::number(channel) + ":" +
                                             QString::number(snf ? snf->sentenceType() : -1);
                             test.setSnfReceived(answers);
                         });
    }
    KC_40_ADC_Results adc;
    SensorTest test{adc, {std::chrono::milliseconds(0), std::chrono::milliseconds(0), 3}};
    QStringList requests;
    bool answers = true;
};

TEST_F(SensorTestOnTheBench, AnAnsweringSensorIsReportedWithItsFacts) {
    const DiagnosticsTest result = test.runTest(true);
    EXPECT_EQ(requests, QStringList{"3:1"});
    EXPECT_EQ(result.testStatus, 0);
    EXPECT_EQ(shown(commentsOf(result)), shown(Comments{{"SENSOR", "OK: COMM"},
                                                        {"SENS CURR", "OK: 250.1 mA"},
                                                        {"OK Nmea count", "0"},
                                                        {"NOK Nmea count", "0"},
                                                        {"Serial number", "2-17"},
                                                        {"Hardware revision", "B1"},
                                                        {"Firmware revision", "3.02"},
                                                        {"SOG frequency", "HI"},
                                                        {"STW frequency", "LOW"},
                                                        {"High resonance 890", "Config"},
                                                        {"SOG pulse length", "2 ms"}}));
}

TEST_F(SensorTestOnTheBench, SilenceOrAFailedBusFailsTheTest) {
    answers = false;
    DiagnosticsTest result = test.runTest(true);
    EXPECT_EQ(requests.size(), 3) << "one request an attempt";
    EXPECT_EQ(result.testStatus, 1);
    EXPECT_EQ(commentsOf(result)[0].second, "ERR: NO COM");

    answers = true;
    adc.setADC_I2C_Status(false);
    result = test.runTest(true);
    EXPECT_EQ(result.testStatus, 1);
    EXPECT_EQ(commentsOf(result)[1], (std::pair<QString, QString>{"SENS CURR", "ERR: NO I2C"}));

    // A unit that stops does not wait for its sensor.
    requests.clear();
    test.stop();
    result = test.runTest(true);
    EXPECT_TRUE(requests.isEmpty());
    EXPECT_EQ(commentsOf(result)[0].second, "ERR: NO COM");
}

TEST(LanDiagTest, TrafficOnEth0SetsTheLoadStatus) {
    constexpr quint64 kMiB = 1048576;
    const struct {
        quint64 bytes;
        int status;
    } loads[] = {{15 * kMiB - 1, 0}, {15 * kMiB, -13}, {20 * kMiB, -13}, {20 * kMiB + 1, 13}};
    for (const auto& load : loads) {
        EXPECT_EQ(LanDiagTest::loadStatus(load.bytes), load.status) << load.bytes;
    }

    std::map<QString, Platform::InterfaceTraffic> counters{{"eth0", {4096, 10240}}};
    LanDiagTest traffic(
        [&](const QString& name) -> std::optional<Platform::InterfaceTraffic> {
            const auto found = counters.find(name);
            return found == counters.end()
                       ? std::nullopt
                       : std::optional<Platform::InterfaceTraffic>(found->second);
        },
        [&](std::chrono::milliseconds) {
            counters["eth0"] = {4096 + 16 * kMiB, 10240 + 100};
        });
    const DiagnosticsTest result = traffic.runTest(true);
    EXPECT_EQ(result.testStatus, -13);
    EXPECT_EQ(shown(commentsOf(result)), shown(Comments{{"eth0 Rec bytes per sec", "16777216"},
                                                        {"eth0 Sent bytes per sec", "100"},
                                                        {"eth0 Rec total kB", "16388"},
                                                        {"eth0 Sent total kB", "10"}}));
}

NmeaMessagePtr piece(const QString& fields) {
    return std::make_shared<MsgIDM>(1, 2, fields.split(','));
}

TEST(DiagnosticsStatus, ResultsArrivingInPiecesReplaceTheStoredOne) {
    const DiagnosticsTest sent = withComments("Sensor test", 0, {{"SENSOR", "OK: COMM"}});
    const QString text = sent.getTestDataString(); // 40 characters
    const QString a = text.left(20);
    const QString b = text.mid(20);
    const struct {
        const char* name;
        QStringList pieces;
        bool stored;
    } cases[] = {
        {"in order", {"07,00,02," + a, "07,01,02," + b}, true},
        {"a piece sent twice", {"07,00,02," + a, "07,00,02," + a, "07,01,02," + b}, true},
        {"the last before the first", {"07,01,02," + b, "07,00,02," + a}, false},
        {"a middle piece missing", {"07,00,03," + a, "07,02,03," + b}, false},
        {"index beyond the count", {"07,00,02," + a, "07,02,02," + b}, false},
        {"a second count in the set", {"07,00,03," + a, "07,01,02," + b}, false},
        {"a count over 99", {"07,00,100," + a, "07,99,100," + b}, false},
        {"a negative index", {"07,-1,02," + a, "07,01,02," + b}, false},
        {"a group identifier over 99", {"100,00,02," + a, "100,01,02," + b}, false},
        {"a stale set restarted by piece 00",
         {"07,00,02,Voltages test,1/a,1", "07,00,02," + a, "07,01,02," + b},
         true},
    };
    for (const auto& c : cases) {
        DiagnosticsStatus status;
        bool completed = false;
        for (const QString& fields : c.pieces) {
            completed = status.slotTestDataMessage(piece(fields)) || completed;
        }
        EXPECT_EQ(completed, c.stored) << c.name;
        EXPECT_EQ(status.getDiagnosticTest("Sensor test").has_value(), c.stored) << c.name;
        if (c.stored) {
            EXPECT_EQ(*status.getDiagnosticTest("Sensor test"), sent) << c.name;
        }
    }
}

} // namespace
