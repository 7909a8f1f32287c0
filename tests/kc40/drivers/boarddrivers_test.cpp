// The junction box's chip drivers and the older log's link: how they read the chips' bytes,
// and the drivers against the virtual board's chips.
#include "freshunit.h"
#include "i2cdevices.h"
#include "junctionboxdevices.h"
#include "junctionboxfile.h"
#include "spiextension.h"
#include "systemvariables.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <tuple>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (const int value : values) {
        result.append(static_cast<char>(value));
    }
    return result;
}

TEST(TemperatureRegister, TwelveBitsOfSixteenthsLeftAligned) {
    const std::tuple<quint8, quint8, float> cases[] = {
        {0x19, 0x00, 25.0f},  {0xff, 0xf0, -0.0625f}, {0x7f, 0xf0, 127.9375f},
        {0xe7, 0x00, -25.0f}, {0x00, 0x1f, 0.0625f}, // the low nibble is not part of it
    };
    for (const auto& [high, low, celsius] : cases) {
        EXPECT_FLOAT_EQ(Temperature::celsiusOf(high, low), celsius) << int(high) << " " << int(low);
    }
}

// Each pair carries the channel's number in the high nibble, which is not part of the value.
TEST(AdcSequence, PairsGiveTenBitChannels) {
    QByteArray block;
    const int words[8] = {0x000, 0x004, 0x3ff << 2, 0x200 << 2, 0x001, 0x003, 0xabc, 0xfff};
    for (int i = 0; i < 8; ++i) {
        block.append(static_cast<char>((i << 4) | (words[i] >> 8)));
        block.append(static_cast<char>(words[i] & 0xff));
    }
    const std::array<quint16, 8> expected = {0, 1, 1023, 512, 0, 0, 0x2af, 1023};
    EXPECT_EQ(AD7997::channelsOf(block), expected);
}

TEST(IdEeprom, IdIsTheLastFourBytesInMemoryOrder) {
    EXPECT_EQ(UniqIdEEPROM::idOf(bytes({0x29, 0x41, 0x78, 0x56, 0x34, 0x12})), 0x12345678u);
    EXPECT_EQ(UniqIdEEPROM::idOf(bytes({0x29, 0x41, 0x78, 0x56, 0x34})), 0u);
}

TEST(IdEeprom, HardwareVersionEndsAtTheFirstBlankOrNulAndKeepsOnlyPrintables) {
    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray("B1") + QByteArray(14, '\xff'), "B1"},
        {QByteArray(16, '\xff'), ""},
        {QByteArray("C3\0xyz", 6) + QByteArray(10, '\xff'), "C3"},
        {bytes({0x01, 'B', 0x80, '2', 0xff, 'Z'}), "B2"},
        {bytes({0x80, 0x90, 0x07, 0xfe, 0x00}), ""},
    };
    for (const auto& [block, version] : cases) {
        EXPECT_EQ(UniqIdEEPROM::hardwareVersionOf(block), QLatin1String(version))
            << block.toHex().constData();
    }
}

QByteArray vq1Answer(qint32 speed, quint8 marker) {
    QByteArray answer(SpiExtension::kFrameBytes, '\0');
    const auto put = [&answer](int at, qint32 value) {
        qToLittleEndian(value, answer.data() + at);
    };
    put(0, speed);
    put(4, 74);
    answer[8] = 9;
    put(9, -72);
    answer[13] = 7;
    put(14, 125);
    put(18, 123456);
    put(22, 118);
    answer[26] = static_cast<char>(marker);
    return answer;
}

TEST(Vq1Answer, FieldsAreLittleEndianAndOnlyAMarkedAnswerCounts) {
    const std::optional<Vq1Answer> answer = Vq1Answer::decode(vq1Answer(73, 0xaa));
    ASSERT_TRUE(answer);
    EXPECT_FLOAT_EQ(answer->speed.value_or(-1.0f), 7.3f);
    EXPECT_FLOAT_EQ(answer->forwardSpeed, 7.4f);
    EXPECT_EQ(answer->forwardQuality, 9);
    EXPECT_FLOAT_EQ(answer->aftSpeed, -7.2f);
    EXPECT_EQ(answer->aftQuality, 7);
    EXPECT_DOUBLE_EQ(answer->trip, 1.25);
    EXPECT_DOUBLE_EQ(answer->total, 1234.56);
    EXPECT_FLOAT_EQ(answer->temperature, 11.8f);

    EXPECT_FALSE(Vq1Answer::decode(vq1Answer(-9999, 0xaa))->speed);
    EXPECT_FALSE(Vq1Answer::decode(vq1Answer(73, 0xab)));
    EXPECT_FALSE(Vq1Answer::decode(QByteArray(26, '\xaa')));
}

TEST(Vq1TripTotal, EachIsHundredthsIn24BitsBigEndian) {
    const std::tuple<float, float, const char*> cases[] = {
        {1.23f, 1234.56f, "00007b01e240"},
        {0.0f, 0.0f, "000000000000"},
        {1.15f, 0.01f, "000073000001"},
        {0.0f, 200000.0f, "000000ffffff"},
    };
    for (const auto& [trip, total, hex] : cases) {
        EXPECT_EQ(SpiExtension::tripTotalData(trip, total).toHex(), QByteArray(hex))
            << trip << " " << total;
    }
}

// The drivers against the virtual board's chips, described in the root's board file.
class OnVirtualBoard : public ::testing::Test {
protected:
    void describe(const QByteArray& json) {
        root.writeFile(QStringLiteral("/board/junction_box.json"), json);
    }
    void openBus() { ASSERT_TRUE(i2c.init()); }

    FreshUnitRoot root;
    I2C i2c;
};

TEST_F(OnVirtualBoard, ChipsAnswerWhatTheBoardFileDescribes) {
    describe(R"({ "adc": { "supply_24V": 24.1, "rail_3V3": 3.0, "current_sensor_mA": 420 },
                  "board_temperature": -4.5,
                  "eeprom": { "id": 2864434397, "hardware_version": "C3" } })");
    openBus();
    AD7997 adc;
    Temperature temperature;
    UniqIdEEPROM eeprom;
    ASSERT_TRUE(adc.init(&i2c) && temperature.init(&i2c) && eeprom.init(&i2c));

    AdcReading reading;
    ASSERT_TRUE(adc.readAdc(reading));
    EXPECT_NEAR(reading.value[0], 24.1f, 0.04f);
    EXPECT_TRUE(reading.valid[0]);
    EXPECT_NEAR(reading.value[4], 3.0f, 0.01f);
    EXPECT_FALSE(reading.valid[4]) << "3.0 V is below the 3.3 V rail's limit";
    EXPECT_NEAR(reading.value[7], 420.0f, 1.3f);
    float celsius = 0.0f;
    ASSERT_TRUE(temperature.readTemperature(&celsius));
    EXPECT_FLOAT_EQ(celsius, -4.5f);
    EXPECT_EQ(eeprom.readID(), 2864434397u);
    EXPECT_EQ(eeprom.readHardwareVersion(), QLatin1String("C3"));

    describe(R"({ "eeprom": { "hardware_version": "" } })");
    EXPECT_EQ(eeprom.readHardwareVersion(), QString()) << "a blank EEPROM";
}

TEST_F(OnVirtualBoard, DriversWithoutAnOpenBusFail) {
    I2C closed;
    AD7997 adc;
    UniqIdEEPROM eeprom;
    I2C_LED leds;
    EXPECT_FALSE(adc.init(&closed));
    EXPECT_FALSE(eeprom.init(nullptr));
    EXPECT_FALSE(leds.init(&closed));
    AdcReading reading;
    EXPECT_FALSE(adc.readAdc(reading));
    EXPECT_EQ(eeprom.readID(), 0u);
    EXPECT_EQ(eeprom.readHardwareVersion(), QString());
    EXPECT_FALSE(leds.setLeds(0x1c));
}

TEST_F(OnVirtualBoard, ChipsThatDoNotAnswerFailTheirOperations) {
    const std::tuple<const char*, bool, bool, bool> cases[] = {
        // not answering, ADC read, temperature read, LEDs written
        {R"(["adc"])", false, true, true},
        {R"(["temperature", "leds"])", true, false, false},
        {R"(["bus"])", false, false, false},
    };
    for (const auto& [silent, adcRead, temperatureRead, ledsWritten] : cases) {
        describe(R"({ "not_answering": )" + QByteArray(silent) + " }");
        I2C bus;
        ASSERT_TRUE(bus.init());
        AD7997 adc;
        Temperature temperature;
        I2C_LED leds;
        adc.init(&bus);
        temperature.init(&bus);
        leds.init(&bus);
        AdcReading reading;
        reading.value[0] = 99.0f;
        float celsius = 0.0f;
        EXPECT_EQ(adc.readAdc(reading), adcRead) << silent;
        EXPECT_EQ(reading.value[0] == 99.0f, !adcRead) << silent << ": a failed read leaves it";
        EXPECT_EQ(temperature.readTemperature(&celsius), temperatureRead) << silent;
        EXPECT_EQ(leds.setLeds(0x5c), ledsWritten) << silent;
    }
}

TEST_F(OnVirtualBoard, LedPortAndBusSwitchTakeTheirBytes) {
    openBus();
    I2C_LED leds;
    I2C_Switch extension;
    ASSERT_TRUE(leds.init(&i2c) && extension.init(&i2c));
    ASSERT_TRUE(leds.setLeds(0x1c));
    EXPECT_EQ(root.readFile(QStringLiteral("/board/leds")), "0x1C\n");
    ASSERT_TRUE(leds.setLeds(0x7c));
    EXPECT_EQ(root.readFile(QStringLiteral("/board/leds")), "0x7C\n");
    EXPECT_TRUE(extension.enableSwitchOnExtension(2));
    EXPECT_TRUE(extension.resetSwitchOnExtension());
}

TEST_F(OnVirtualBoard, JunctionBoxSendsAHardwareVersionOfMoreThanOneCharacterOnly) {
    const std::pair<const char*, QStringList> cases[] = {
        {"C3", {QStringLiteral("C3")}}, {"", {}}, {"B", {}}};
    for (const auto& [version, sent] : cases) {
        describe(R"({ "eeprom": { "hardware_version": ")" + QByteArray(version) + R"(" } })");
        JunctionBoxDevices board;
        QStringList heard;
        QObject::connect(&board, &JunctionBoxDevices::sigHardwareVersion,
                         [&heard](const QString& sent) { heard << sent; });
        board.slotStart();
        EXPECT_EQ(heard, sent) << version;
    }
}

TEST_F(OnVirtualBoard, JunctionBoxReadsTheSuppliesWithTheBusStatus) {
    describe(R"({ "board_temperature": 41.25 })");
    JunctionBoxDevices board;
    board.slotStart();
    board.slotReadSensors();
    KC_40_ADC_Results* results = KC_40_ADC_Results::getInstance();
    EXPECT_TRUE(results->getADC_I2C_Status());
    EXPECT_TRUE(results->getADC_Res(0));
    EXPECT_FLOAT_EQ(board.boardTemperature(), 41.25f);
    EXPECT_EQ(board.boardId(), 0x12345678u);

    describe(R"({ "not_answering": ["adc"] })");
    board.slotReadSensors();
    EXPECT_FALSE(results->getADC_I2C_Status());
    EXPECT_FALSE(results->getADC_Res(0)) << "no stale supplies";
}

TEST_F(OnVirtualBoard, OlderLogsSpeedAndDistancesReachTheStore) {
    describe(R"({ "vq1": { "speed": 7.3, "trip": 1.25, "total": 1234.56 } })");
    SpiExtension extension;
    ASSERT_TRUE(extension.init());
    SystemVariables& store = *SystemVariables::getInstance();
    ASSERT_TRUE(extension.getVQ1Speed(store));
    EXPECT_FLOAT_EQ(store.speedToWater_VQ1.getValue(), 7.3f);
    EXPECT_DOUBLE_EQ(store.waterDistanceSinceResetVQ1.getValue(), 1.25);
    EXPECT_DOUBLE_EQ(store.totalCumulativeWaterDistanceVQ1.getValue(), 1234.56);

    // The log takes the trip and total the unit sets and reports them from then on.
    extension.setTripTotal(0.0f, 1234.56f);
    EXPECT_EQ(root.readFile(QStringLiteral("/board/vq1_frames")), "21 02 00 00 00 01 E2 40\n");
    ASSERT_TRUE(extension.getVQ1Speed(store));
    EXPECT_DOUBLE_EQ(store.waterDistanceSinceResetVQ1.getValue(), 0.0);

    // Without the log nothing answers, and nothing changes.
    describe(R"({ "vq1": { "speed": 9.9 }, "not_answering": ["vq1"] })");
    EXPECT_FALSE(extension.getVQ1Speed(store));
    EXPECT_FLOAT_EQ(store.speedToWater_VQ1.getValue(), 7.3f);
}

} // namespace
