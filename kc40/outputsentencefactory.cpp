#include "gps_input.h"
#include "heading.h"
#include "msgcur.h"
#include "msgdatr.h"
#include "msgdlg.h"
#include "msgdli.h"
#include "msgdlm.h"
#include "msgdlr.h"
#include "msgdpt.h"
#include "msgdptr.h"
#include "msggga.h"
#include "msggll.h"
#include "msghdt.h"
#include "msgicm.h"
#include "msginfo.h"
#include "msgmtw.h"
#include "msgrot.h"
#include "msgvbw.h"
#include "msgvbwx.h"
#include "msgvhw.h"
#include "msgvlw.h"
#include "nmeaparser.h"
#include "sensorinfo.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "unitconverter.h"
#include "utc_time.h"
#include "vq2_handler.h"

#include <QHash>

#include <algorithm>
#include <climits>
#include <cmath>

// Which value goes into which output sentence. Every builder reads the store as it is at this
// moment: an expired value is absent and its field is written empty, with the status letter
// saying so. Angles are radians in the sensor data model and degrees on the wire.

namespace {

constexpr float kMaximumDepth = 225.0f;
constexpr float kKnotsToKmh = 1.852f;
constexpr float kCurrentDepth = 3.0f;
constexpr int kCurrentDataSet = 1;
constexpr int kCurrentLayer = 1;
constexpr float kSimulatedTotal = 999999.0f;
constexpr float kSimulatedTrip = 99999.9f;
// Values for the display go as hundredths.
constexpr int kHundredths = 100;
constexpr int kIcmVersion = 1;

const QString kStatusValid = QStringLiteral("A");
const QString kStatusInvalid = QStringLiteral("V");
const QString kTrue = QStringLiteral("T");
const QString kKnots = QStringLiteral("N");
const QString kSatelliteTalker = QStringLiteral("GP");

float valueOf(varFloat& value) {
    return value.getValidity() ? value.getValue() : kAbsentFloat;
}

float valueOf(const varDouble& value) {
    return value.getValidity() ? static_cast<float>(value.getValue()) : kAbsentFloat;
}

bool present(float value) {
    return value != kAbsentFloat;
}

QString status(bool valid) {
    return valid ? kStatusValid : kStatusInvalid;
}

float degrees(float radians) {
    return present(radians) ? UnitConverter::radToDeg(radians) : kAbsentFloat;
}

// A direction in whole-circle degrees (0 up to 360), as standard sentences carry it.
float bearing(float radians) {
    if (!present(radians)) {
        return kAbsentFloat;
    }
    const float wrapped = std::fmod(UnitConverter::radToDeg(radians), 360.0f);
    return wrapped < 0.0f ? wrapped + 360.0f : wrapped;
}

int hundredths(float value) {
    return UnitConverter::floatToInt(value, kHundredths);
}

int flag(bool on) {
    return on ? 1 : 0;
}

// Counters go into int fields; a count beyond them must not turn into the absent marker.
int counter(quint32 value) {
    return static_cast<int>(std::min<quint32>(value, INT_MAX - 1));
}

SystemSetup& setup() {
    return *SystemSetup::getInstance();
}

float draft() {
    return setup().Vq2Setup.values().draft;
}

struct OutputMode {
    bool sogOnly;
    bool satLog;
};

OutputMode outputMode() {
    const QString& mode = setup().Vq2Setup.values().outputParams;
    return {mode == VQ2_Setup::kSogOnly, mode == VQ2_Setup::kSatLog};
}

// A simulator's data model, not the sensor's, feeds the values (junction-box or GPS
// simulator). Read from the simulation setting itself: the store's own flag is cleared by
// every getInstance().
bool simulatorIsSource() {
    const SimulationParameters& sim = setup().simulationParameters;
    return sim.SimulationModeOn &&
           (sim.simulationSource == SimulationParameters::KC_40_FIXED_SPEED ||
            sim.simulationSource == SimulationParameters::GPS_SPEED);
}

struct Distances {
    float total;
    float trip;
};

// Through the water; in "SOG Only" mode the older log measures the water.
Distances waterDistances(SystemVariables& sv, const OutputMode& mode) {
    if (mode.sogOnly) {
        return {valueOf(sv.totalCumulativeWaterDistanceVQ1),
                valueOf(sv.waterDistanceSinceResetVQ1)};
    }
    return {valueOf(sv.totalCumulativeWaterDistance), valueOf(sv.waterDistanceSinceReset)};
}

// The water and ground speeds of the dual-speed sentences, before any mode rule.
struct DualSpeeds {
    float waterLong;
    float waterTra;
    bool waterValid;
    float waterAft;
    float groundLong;
    float groundTra;
    bool groundValid;
    float groundAft;
};

DualSpeeds dualSpeeds(SystemVariables& sv) {
    VQ2DataModel& stw = *sv.currentVQ2stwData;
    VQ2DataModel& sog = *sv.currentVQ2data;
    DualSpeeds speeds{};
    speeds.waterLong = valueOf(stw.stwLongBoatCallibrated);
    speeds.waterTra = valueOf(stw.stwTraBoatCallibrated);
    speeds.waterValid = present(speeds.waterLong) || present(speeds.waterTra);
    speeds.waterAft = valueOf(stw.stwTraAftCallibrated);
    speeds.groundLong = valueOf(sog.sogLongBoatCallibrated);
    speeds.groundTra = valueOf(sog.sogTraBoatCallibrated);
    speeds.groundValid = present(speeds.groundLong) || present(speeds.groundTra);
    speeds.groundAft = valueOf(sog.sogTraAftCallibrated);
    return speeds;
}

// The answer for a name the factory cannot build. Typed "NFO" (the name shares its key with
// "INFO") so that the output cycle recognises and drops it.
class NotBuiltNotice : public MsgINFO {
public:
    NotBuiltNotice() : MsgINFO(2, QStringLiteral("Sending of Nmea sentence not implemented!")) {
        m_message_type = QStringLiteral("NFO");
    }
};

NmeaMessagePtr notBuilt() {
    return std::make_shared<NotBuiltNotice>();
}

NmeaMessagePtr buildDPT(SystemVariables& sv, int) {
    VQ2DataModel& data = *sv.currentVQ2data;
    const float offset = draft();
    float depth = kAbsentFloat;
    if (data.bottom().isBottomValid()) {
        const float fwd = valueOf(data.depthFwd);
        depth = present(fwd) ? fwd - offset : kAbsentFloat;
    }
    return std::make_shared<MsgDPT>(depth, offset, kMaximumDepth);
}

NmeaMessagePtr buildDPTR(SystemVariables& sv, int) {
    float depthSD = kAbsentFloat;
    float offsetSD = kAbsentFloat;
    const auto* other = dynamic_cast<const MsgDPT*>(sv.msgDPT_SD.getNmeaMessage());
    if (sv.msgDPT_SD.getValidity() && other != nullptr) {
        depthSD = other->waterDepth();
        offsetSD = other->transducerOffset();
    }
    return std::make_shared<MsgDPTR>(valueOf(sv.currentVQ2data->depthFwd), draft(), depthSD,
                                     offsetSD, UTC_Time::getTimeStample());
}

NmeaMessagePtr buildMTW(SystemVariables& sv, int) {
    return std::make_shared<MsgMTW>(
        valueOf(sv.currentVQ2data->sensorTemperature.temperatureWithOffset), QStringLiteral("C"));
}

NmeaMessagePtr buildHDT(SystemVariables&, int) {
    return std::make_shared<MsgHDT>(valueOf(Heading::getHeadingTrue()), kTrue);
}

NmeaMessagePtr buildROT(SystemVariables& sv, int) {
    const float rate = valueOf(sv.rateOfTurn);
    return std::make_shared<MsgROT>(rate, status(present(rate)));
}

NmeaMessagePtr buildVHW(SystemVariables& sv, int) {
    varFloat& speed =
        outputMode().sogOnly ? sv.speedToWater_VQ1 : sv.currentVQ2stwData->stwResBoatCallibrated;
    const float knots = valueOf(speed);
    const float kmh = present(knots) ? knots * kKnotsToKmh : kAbsentFloat;
    return std::make_shared<MsgVHW>(valueOf(Heading::getHeadingTrue()), kTrue,
                                    valueOf(Heading::getHeadingMagnetic()), QStringLiteral("M"),
                                    knots, kKnots, kmh, QStringLiteral("K"));
}

NmeaMessagePtr buildVBW(SystemVariables& sv, int) {
    const OutputMode mode = outputMode();
    DualSpeeds speeds = dualSpeeds(sv);
    if (mode.sogOnly) {
        speeds.waterLong = valueOf(sv.speedToWater_VQ1);
        speeds.waterValid = present(speeds.waterLong);
        speeds.waterTra = kAbsentFloat;
        speeds.waterAft = kAbsentFloat;
    }
    auto vbw = std::make_shared<MsgVBW>(
        speeds.waterLong, speeds.waterTra, status(speeds.waterValid), speeds.groundLong,
        speeds.groundTra, status(speeds.groundValid), speeds.waterAft,
        status(present(speeds.waterAft)), speeds.groundAft, status(present(speeds.groundAft)));
    if (mode.satLog) {
        vbw->setTalkerID(kSatelliteTalker);
    }
    return vbw;
}

NmeaMessagePtr buildVBWX(SystemVariables& sv, int) {
    const DualSpeeds speeds = dualSpeeds(sv);
    const float olderLog = valueOf(sv.speedToWater_VQ1);
    return std::make_shared<MsgVBWX>(
        speeds.waterLong, speeds.waterTra, status(speeds.waterValid), speeds.groundLong,
        speeds.groundTra, status(speeds.groundValid), speeds.waterAft,
        status(present(speeds.waterAft)), speeds.groundAft, status(present(speeds.groundAft)),
        olderLog, status(present(olderLog)));
}

NmeaMessagePtr buildVLW(SystemVariables& sv, int) {
    const OutputMode mode = outputMode();
    Distances water{kSimulatedTotal, kSimulatedTrip};
    Distances ground{kSimulatedTotal, kSimulatedTrip};
    if (!simulatorIsSource()) {
        water = waterDistances(sv, mode);
        ground = {valueOf(sv.totalCumulativeGroundDistance), valueOf(sv.groundDistanceSinceReset)};
    }
    auto vlw = std::make_shared<MsgVLW>(water.total, kKnots, water.trip, kKnots, ground.total,
                                        kKnots, ground.trip, kKnots);
    if (mode.satLog) {
        vlw->setTalkerID(kSatelliteTalker);
    }
    return vlw;
}

NmeaMessagePtr buildCUR(SystemVariables& sv, int) {
    VQ2DataModel& stw = *sv.currentVQ2stwData;
    const float speed = valueOf(stw.wcRes);
    const float direction = bearing(valueOf(stw.wcCourse));
    // "P": ground speed, and with it the current, comes from the positioning system.
    const QString speedReference = sv.bSOG_fromGPS ? QStringLiteral("P") : QStringLiteral("B");
    return std::make_shared<MsgCUR>(status(present(speed) && present(direction)), kCurrentDataSet,
                                    kCurrentLayer, kCurrentDepth, direction, kTrue, speed,
                                    valueOf(sv.currentVQ2data->depthFwd),
                                    valueOf(Heading::getHeadingTrue()), kTrue, speedReference);
}

NmeaMessagePtr buildDLG(SystemVariables& sv, int) {
    const triptotal_SOG_setup_s& validity = setup().triptotal_sog_setup.values();
    return std::make_shared<MsgDLG>(valueOf(sv.totalCumulativeGroundDistance),
                                    valueOf(sv.groundDistanceSinceReset),
                                    validity.tripValid != 0.0f, validity.totalValid != 0.0f);
}

// 0 no draft set, 1 negative, 2 positive.
int draftCode(float value) {
    if (value == 0.0f) {
        return 0;
    }
    return value < 0.0f ? 1 : 2;
}

NmeaMessagePtr buildDLM(SystemVariables& sv, int) {
    VQ2DataModel& stw = *sv.currentVQ2stwData;
    VQ2DataModel& sog = *sv.currentVQ2data;
    return std::make_shared<MsgDLM>(
        valueOf(sv.rateOfTurn), valueOf(Heading::getHeadingTrue()),
        valueOf(stw.stwTraAftCallibrated), valueOf(sog.sogTraAftCallibrated), valueOf(stw.wcRes),
        degrees(valueOf(stw.wcCourse)), draftCode(draft()), sv.getSOG_R_GPS(),
        degrees(valueOf(sog.sensorTilt.tilt_X_boat)), degrees(valueOf(sog.sensorTilt.tilt_Y_boat)),
        degrees(valueOf(sog.cogResBoat)));
}

// The depth code tells the display how to read the depth fields: 4 single-axis, 2 two-axis,
// each times 10 while the transverse raw water speed is a replacement.
NmeaMessagePtr buildDLI(SystemVariables& sv, int) {
    VQ2DataModel& sog = *sv.currentVQ2data;
    const Distances water = waterDistances(sv, outputMode());
    const UTC_Time time = UTC_Time::getTimeInstance();
    const float tooShallow = sog.bottom().isTooShallow() ? 1.0f : 0.0f;
    const float temperature = valueOf(sog.sensorTemperature.temperatureWithOffset);
    const int code = sv.currentVQ2stwData->isStwRawTraReplaced() ? 10 : 1;
    if (!sv.bTwoAxisDepth) {
        return std::make_shared<MsgDLI>(water.total, water.trip, code * 4, 0.0f, 0.0f, 0.0f,
                                        tooShallow, 0.0f, temperature, time.hours, time.minuts);
    }
    const float fwd = valueOf(sog.depthFwd);
    return std::make_shared<MsgDLI>(water.total, water.trip, code * 2, fwd, valueOf(sog.depthSide),
                                    kAbsentFloat, tooShallow, fwd, temperature, time.hours,
                                    time.minuts);
}

NmeaMessagePtr buildDLR(SystemVariables& sv, int) {
    VQ2DataModel& stw = *sv.currentVQ2stwData;
    VQ2DataModel& sog = *sv.currentVQ2data;
    float groundLong = valueOf(sog.sogLongBoatCallibrated);
    float groundTra = valueOf(sog.sogTraBoatCallibrated);
    float groundRes = valueOf(sog.sogResBoatCallibrated);
    float groundDirection = degrees(valueOf(sog.cogResBoat));
    bool usedGps = false;
    if (!simulatorIsSource() && sv.bSOG_fromGPS && !outputMode().satLog) {
        if (setup().Vq2Setup.isEnabledGpsSogOnLostBottom()) {
            GPS_Input* gps = GPS_Input::getInstance();
            groundLong = valueOf(gps->speedLongKnots);
            groundTra = valueOf(gps->speedTransKnots);
            groundRes = valueOf(gps->speedKnotsFromVTG);
            usedGps = true;
        } else {
            groundLong = groundTra = groundRes = groundDirection = kAbsentFloat;
        }
    }
    return std::make_shared<MsgDLR>(
        valueOf(stw.stwLongBoatCallibrated), valueOf(stw.stwTraBoatCallibrated),
        valueOf(stw.stwResBoatCallibrated), degrees(valueOf(stw.ctwResBoat)), groundLong, groundTra,
        groundRes, groundDirection, valueOf(sv.speedToWater_VQ1), usedGps, sv.bWC_fromGPS);
}

struct Position {
    float latitude = kAbsentFloat;
    QString northOrSouth;
    float longitude = kAbsentFloat;
    QString eastOrWest;
};

// From the last valid GGA that carries a position, else from the last valid GLL.
Position lastPosition(SystemVariables& sv) {
    const auto* gga = dynamic_cast<const MsgGGA*>(sv.msgGGA.getNmeaMessage());
    if (sv.msgGGA.getValidity() && gga != nullptr && present(gga->latitude()) &&
        present(gga->longitude())) {
        return {gga->latitude(), gga->northOrSouth(), gga->longitude(), gga->eastOrWest()};
    }
    const auto* gll = dynamic_cast<const MsgGLL*>(sv.msgGLL.getNmeaMessage());
    if (sv.msgGLL.getValidity() && gll != nullptr) {
        return {gll->latitude(), gll->northOrSouth(), gll->longitude(), gll->eastOrWest()};
    }
    return {};
}

NmeaMessagePtr buildDATR(SystemVariables& sv, int) {
    const Position position = lastPosition(sv);
    return std::make_shared<MsgDATR>(
        position.latitude, position.northOrSouth, position.longitude, position.eastOrWest,
        UTC_Time::getTimeStample(), sv.getSOG_R_GPS(), valueOf(sv.trackDegreesTrue_GPS),
        static_cast<float>(VQ2::getInstance()->nWaterTrackPulseLength),
        counter(sv.nCurrentSeaCalibLeg), counter(sv.nCurrentSeaCalibDistance),
        SensorInfo::getInstance()->frequencyNr);
}

NmeaMessagePtr buildICM(SystemVariables& sv, int sub) {
    VQ2DataModel& stw = *sv.currentVQ2stwData;
    VQ2DataModel& sog = *sv.currentVQ2data;
    QList<int> parameters;
    switch (static_cast<msgCommands>(sub)) {
    case msgCommands::DataForManualCalibrationCommand:
        parameters = {hundredths(sv.getSOG_R_GPS()),
                      hundredths(valueOf(sog.sogResBoatCallibrated)),
                      hundredths(valueOf(stw.stwResBoatCallibrated)),
                      hundredths(valueOf(sog.sogResBoatNoCallib)),
                      hundredths(valueOf(stw.stwResBoatNoCallib)),
                      flag(setup().Vq2Setup.values().primaryFrequencyHigh),
                      flag(sv.vq2data.isSogFrequencyHigh())};
        break;
    case msgCommands::DataForTempCalibrationCommand: {
        SensorTemperature& temperature = sog.sensorTemperature;
        parameters = {hundredths(valueOf(temperature.temperatureAvg)),
                      hundredths(valueOf(temperature.temperatureWithOffset))};
        break;
    }
    case msgCommands::DataForTiltCalibrationCommand: {
        varFloat& y = sog.sensorTilt.tilt_Y_boat_averaged;
        varFloat& x = sog.sensorTilt.tilt_X_boat_averaged;
        parameters = {hundredths(degrees(valueOf(y))),       hundredths(degrees(y.getMaxValue())),
                      hundredths(degrees(y.getMinValue())),  hundredths(degrees(valueOf(x))),
                      hundredths(degrees(x.getMaxValue())),  hundredths(degrees(x.getMinValue())),
                      hundredths(degrees(y.getLastValue())), hundredths(degrees(x.getLastValue()))};
        break;
    }
    default:
        return notBuilt();
    }
    return std::make_shared<MsgICM>(kIcmVersion, sub, parameters);
}

using Builder = NmeaMessagePtr (*)(SystemVariables&, int);

struct NamedBuilder {
    const char* name;
    Builder build;
};

constexpr NamedBuilder kBuilders[] = {
    {"DPT", buildDPT}, {"DPTR", buildDPTR}, {"MTW", buildMTW},   {"HDT", buildHDT},
    {"ROT", buildROT}, {"VHW", buildVHW},   {"VBW", buildVBW},   {"VBWX", buildVBWX},
    {"VLW", buildVLW}, {"CUR", buildCUR},   {"DLG", buildDLG},   {"DLM", buildDLM},
    {"DLI", buildDLI}, {"DLR", buildDLR},   {"DATR", buildDATR}, {"ICM", buildICM},
};

const QHash<quint32, Builder>& buildersByHash() {
    static const QHash<quint32, Builder> table = [] {
        QHash<quint32, Builder> byHash;
        for (const NamedBuilder& entry : kBuilders) {
            byHash.insert(NmeaParser::calculateMessageTypeHash(QLatin1String(entry.name)),
                          entry.build);
        }
        return byHash;
    }();
    return table;
}

} // namespace

NmeaMessagePtr SystemVariables::getOutputMsgByName(const QString& name, int sub) {
    return getOutputMsgByHash(NmeaParser::calculateMessageTypeHash(name), sub);
}

NmeaMessagePtr SystemVariables::getOutputMsgByHash(quint32 hash, int sub) {
    const Builder build = buildersByHash().value(hash, nullptr);
    return build != nullptr ? build(*this, sub) : notBuilt();
}
