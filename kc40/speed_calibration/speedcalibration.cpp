#include "speedcalibration.h"

#include "commandranges.h"
#include "logger.h"
#include "systemsetup.h"

#include <cmath>

namespace {
void logWarning(const QString& text) {
    Logger::instance()->append(text, Logger::LOG_WARNING);
}

constexpr int kTakeFromMeasurement = 8;

// What a point from the display may hold: zone, a source the display sets (not the
// defaults), real speed, measured STW and SOG 0..100 kn and mounting error -360..360 degrees
// (all x100), set, SOG valid, and take from measurement, which may be left off.
// The table narrows the speeds further against the vessel's maximum speed.
constexpr ParameterRange kPointSpeedX100{0, 10000};
constexpr ParameterRange kMountingErrorX100{-36000, 36000};
const CommandRanges kPointRanges{
    .fields = {{0, SpeedCalibrationData::kZones - 1},
               {SpeedCalibrationData::ManualSource, SpeedCalibrationData::AutomaticSource},
               kPointSpeedX100,
               kPointSpeedX100,
               kPointSpeedX100,
               kMountingErrorX100,
               kFlag,
               kFlag,
               kFlag},
    .optional = 1};

bool takesFromMeasurement(const MsgICM& msg) {
    const QList<int> p = msg.msgParameters();
    return p.size() > kTakeFromMeasurement && p[kTakeFromMeasurement] != 0;
}
} // namespace

SpeedCalibration::SpeedCalibration(SpeedCalibrationData* data, QObject* parent)
    : QObject(parent), m_data(data) {
    m_frqSwitchDelayTimer.setSingleShot(true);
    m_frqSwitchDelayTimer.setInterval(kFrequencySwitchDelayMs);
    connect(&m_frqSwitchDelayTimer, &QTimer::timeout, this,
            &SpeedCalibration::updatePointFromReceivedCommand);
    connect(m_data, &SpeedCalibrationData::sigSendAllCalibData, this,
            &SpeedCalibration::sendAllCalibrationPoints);
}

SpeedCalibration::Measurement SpeedCalibration::measurement() const {
    return m_measurement ? m_measurement() : Measurement{};
}

// While SOG is held at the low frequency (for a point or a calibration leg) it runs there.
bool SpeedCalibration::sogOnHighFrequency() const {
    return measurement().sogHighFrequency && !SystemSetup::getInstance()->getFixSogToLowFrequency();
}

bool SpeedCalibration::primaryFrequencyHigh() const {
    return SystemSetup::getInstance()->Vq2Setup.values().primaryFrequencyHigh;
}

void SpeedCalibration::slotCalibrationCommandReceived(NmeaMessagePtr msg) {
    const auto icm = std::dynamic_pointer_cast<MsgICM>(msg);
    if (!icm) {
        return;
    }
    switch (static_cast<msgCommands>(icm->commandID())) {
    case msgCommands::CalibrationPointCommand:
        handlePointCommand(icm);
        break;
    case msgCommands::CurrentCalibrationpoints:
        if (m_data->setCurrentlyUsedPoints(*icm)) {
            adjustDefaultPoints();
            sendAllCalibrationPoints();
        }
        break;
    case msgCommands::CalibrationCommand:
        handleCalibrationCommand(*icm);
        break;
    case msgCommands::RecommandedAngles:
        handleRecommendedAngles(*icm);
        break;
    default:
        break;
    }
}

void SpeedCalibration::handleCalibrationCommand(const MsgICM& msg) {
    const QList<int> p = msg.msgParameters();
    if (p.isEmpty()) {
        logWarning(QStringLiteral("Calibration command without action ignored"));
        return;
    }
    switch (p[0]) {
    case 0:
        m_periodic = PeriodicData::Manual;
        break;
    case 1:
        m_periodic = PeriodicData::SemiAutomatic;
        break;
    case 2:
        m_periodic = PeriodicData::Automatic;
        break;
    case 3:
        m_periodic = PeriodicData::None;
        break;
    case 9:
        m_periodic = PeriodicData::Temperature;
        break;
    case 10:
        m_periodic = PeriodicData::Tilt;
        break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        emit sigSemiAutomaticCommand(msg.clone());
        break;
    default:
        logWarning(QStringLiteral("Calibration command with unknown action %1 ignored").arg(p[0]));
        break;
    }
}

void SpeedCalibration::handleRecommendedAngles(const MsgICM& msg) {
    const auto angles = SinglePointRecommendedAngles_s::fromMessage(msg);
    if (!angles) {
        logWarning(QStringLiteral("Recommended angles message rejected: %1")
                       .arg(msg.getMsgBuffer().trimmed()));
        const QList<int> p = msg.msgParameters();
        rejectPoint(p.isEmpty() ? -1 : p[0]);
        return;
    }
    m_data->recommendedAngles().setPoint(*angles);
}

void SpeedCalibration::handlePointCommand(const std::shared_ptr<MsgICM>& msg) {
    const QList<int> p = msg->msgParameters();
    const QString fault = kPointRanges.fault(*msg, p);
    if (!fault.isEmpty()) {
        logWarning(QStringLiteral("Calibration point message rejected, %1: %2")
                       .arg(fault, msg->getMsgBuffer().trimmed()));
        rejectPoint(p.isEmpty() ? -1 : p[0]);
        return;
    }
    // One point at a time: a point arriving while another waits for the frequency switch
    // is handled right after it.
    if (m_tmpPointMsg) {
        m_waitingPoints.push_back(msg);
        return;
    }
    m_tmpPointMsg = msg;
    if (takesFromMeasurement(*msg) && sogOnHighFrequency()) {
        SystemSetup::getInstance()->setFixSogToLowFrequency(true);
        m_sogHeldLowForPoint = true;
        m_frqSwitchDelayTimer.start();
        return;
    }
    updatePointFromReceivedCommand();
}

void SpeedCalibration::updatePointFromReceivedCommand() {
    const std::shared_ptr<MsgICM> msg = std::move(m_tmpPointMsg);
    m_tmpPointMsg.reset();
    if (!msg) {
        return;
    }
    const QList<int> p = msg->msgParameters();
    const int zone = p[0];
    const int source = p[1];
    const Measurement now = measurement();
    const bool stored = takesFromMeasurement(*msg)
                            ? m_data->setCalibrationPointFromMeasuredValues(zone, source, now.live)
                            : m_data->setCalibrationPointFromMsg(*msg);
    if (stored) {
        m_data->setCurrentlyUsedPoint(zone, source);
        setExtendedFromManualOrGPS(*msg, now);
        adjustDefaultPoints();
        emit sigSendSingleOnUdpOutput(m_data->getCurrentlyUsedPoints());
        sendCalibrationPoint(zone, source);
        sendAllCalibrationPoints();
    } else {
        rejectPoint(zone);
    }
    // The point is taken: SOG goes back to the frequency that serves it best.
    if (m_sogHeldLowForPoint) {
        m_sogHeldLowForPoint = false;
        SystemSetup::getInstance()->setFixSogToLowFrequency(false);
    }
    while (!m_waitingPoints.empty() && !m_tmpPointMsg) {
        const std::shared_ptr<MsgICM> next = m_waitingPoints.front();
        m_waitingPoints.pop_front();
        handlePointCommand(next);
    }
}

bool SpeedCalibration::setExtendedFromManualOrGPS(const MsgICM& msg, const Measurement& now) {
    const QList<int> p = msg.msgParameters();
    const int zone = p[0];
    const int source = p[1];
    const SpeedCalibrationPoint basic = m_data->getCalibrationPoint(zone, source);
    ExtendedSpeedCalibrationPoint ext = m_data->getExtendedCalibrationPoint(zone, source);
    ext.calibrationPointNumber = zone;
    ext.calibrationPointSource = source;
    ext.isSet = basic.isSet;
    const SingleSpeedCalibrationPoint stw(basic, STW_speed);
    const SingleSpeedCalibrationPoint sog(basic, SOG_speed);
    const bool primaryHigh = primaryFrequencyHigh();
    ext.getSinglePoint(STW_speed, primaryHigh) = stw;
    ext.sogHighFrequencyPoint = sog;
    ext.sogLowFrequencyPoint = sog;
    if (takesFromMeasurement(msg)) {
        ext.calibrationPointSource = SpeedCalibrationData::ManualSource;
        if (std::isfinite(now.otherFrequencyStw)) {
            SingleSpeedCalibrationPoint other = stw;
            other.measuredSpeed = now.otherFrequencyStw;
            ext.getSinglePoint(STW_speed, !primaryHigh) = other;
        }
    }
    return m_data->setExtendedCalibrationPoint(ext, source);
}

void SpeedCalibration::rejectPoint(int zone) {
    QList<int> parameters;
    if (SpeedCalibrationData::isZone(zone)) {
        parameters.append(zone);
    }
    emit sigSendSingleOnUdpOutput(std::make_shared<MsgICM>(
        SpeedCalibrationData::kIcmVersion, msgCommands::CalibrationPointRejected, parameters));
}

void SpeedCalibration::sendCalibrationPoint(int zone, int source) {
    if (!SpeedCalibrationData::isZone(zone) || !SpeedCalibrationData::isSource(source)) {
        return;
    }
    NmeaMessagePtr point =
        m_data->getCalibrationPointMsg(zone, source, primaryFrequencyHigh(), sogOnHighFrequency());
    // A sea-test point goes with the heading offsets its zone's sea test recommends.
    if (source == SpeedCalibrationData::SeaTestSource) {
        emit sigSendGroupOnUdpOutput(
            {point, m_data->recommendedAngles().getPointWithNumber(zone).toMessage()});
        return;
    }
    emit sigSendSingleOnUdpOutput(point);
}

void SpeedCalibration::sendCalibrationPointSet(int source) {
    for (int zone = 0; zone < SpeedCalibrationData::kZones; ++zone) {
        sendCalibrationPoint(zone, source);
    }
}

void SpeedCalibration::sendAllCalibrationPoints() {
    for (int source = 0; source < SpeedCalibrationData::kSources; ++source) {
        sendCalibrationPointSet(source);
    }
}

void SpeedCalibration::sendPrepared(msgCommands command) {
    if (!m_prepared) {
        return;
    }
    if (NmeaMessagePtr msg = m_prepared(command)) {
        emit sigSendSingleOnUdpOutput(std::move(msg));
    }
}

void SpeedCalibration::slotSendOutputMessages() {
    switch (m_periodic) {
    case PeriodicData::Manual:
        sendPrepared(msgCommands::DataForManualCalibrationCommand);
        break;
    case PeriodicData::SemiAutomatic:
    case PeriodicData::Automatic:
        sendPrepared(msgCommands::DataForSemiAutoCalibrationCommand);
        sendPrepared(msgCommands::ValidityForSemiAutoCalibrationCommand);
        break;
    case PeriodicData::Temperature:
        sendPrepared(msgCommands::DataForTempCalibrationCommand);
        break;
    case PeriodicData::Tilt:
        sendPrepared(msgCommands::DataForTiltCalibrationCommand);
        break;
    case PeriodicData::None:
        break;
    }
}
