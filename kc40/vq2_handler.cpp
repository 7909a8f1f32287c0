#include "vq2_handler.h"

#include "gpsmovementdetection.h"
#include "logger.h"
#include "msgcfg.h"
#include "msgdat.h"
#include "msgicm.h"
#include "msgqst.h"
#include "msgsnf.h"
#include "msgtst.h"
#include "pipelinemath.h"
#include "sensordatavalidator.h"
#include "sensorinfo.h"
#include "systemsetup.h"
#include "systemvariables.h"
#include "udperrorcounter.h"
#include "unitconverter.h"
#include "unitinstance.h"

#include <QDebug>
#include <memory>

namespace {

constexpr int kMinGoodQuality = 3;
constexpr std::chrono::milliseconds kLedPulse{200};
constexpr int kIcmVersion = 1;
constexpr int kDeepPowerLevel = 3;

int hundredths(float x) {
    return UnitConverter::floatToInt(x, 100);
}

} // namespace

VQ2* VQ2::getInstance() {
    return unitInstance<VQ2>([] { return new VQ2; });
}

void VQ2::resetForTests() {
    dropUnitInstance<VQ2>();
}

NmeaMessagePtr VQ2_Handler::createCFGmsg(const SensorConfiguration& configuration, int systemId,
                                         const QString& formats, int powerLevel) {
    return std::make_shared<MsgCFG>(
        systemId, configuration.mode | (2 * configuration.frequencyBand), powerLevel,
        configuration.waterTrackPulseLength,
        static_cast<quint32>(configuration.simulatedDepthIndex), formats);
}

NmeaMessagePtr VQ2_Handler::createTESTmsg(int systemId, float speed, bool on,
                                          const QString& formats) {
    return std::make_shared<MsgTST>(systemId, on ? 3 : 2, speed, QStringLiteral("00"), formats);
}

NmeaMessagePtr VQ2_Handler::createRawDataCFGmsg(int mode, int powerLevel) {
    return std::make_shared<MsgCFG>(4, mode, powerLevel, 1, 1u, QStringLiteral("1000"));
}

VQ2_Handler::VQ2_Handler(QObject* parent) : QObject(parent) {
    const SystemSetup* setup = SystemSetup::getInstance();
    VQ2::getInstance()->nWaterTrackPulseLength = setup->Vq2Setup.getDepthWaterPingLenghtIndex();
    m_depthModeEvaluator.setSogHighFreqTreshold(
        setup->Vq2Setup.values().sogFrequendcyChangeTreshold);
    SystemVariables* sv = SystemVariables::getInstance();
    sv->vq2data.setSpeedCalibration(speedCalib);
    sv->vq2dataDat5.setSpeedCalibration(speedCalib);
}

void VQ2_Handler::setSpeedCalibration(SpeedCalibrationSource* calibration) {
    speedCalib = calibration != nullptr ? calibration : &m_passThrough;
    SystemVariables* sv = SystemVariables::getInstance();
    sv->vq2data.setSpeedCalibration(speedCalib);
    sv->vq2dataDat5.setSpeedCalibration(speedCalib);
}

void VQ2_Handler::setForwReverseDirection(bool reverse) {
    SystemVariables* sv = SystemVariables::getInstance();
    sv->vq2data.setForwReverseDirection(reverse);
    sv->vq2dataDat5.setForwReverseDirection(reverse);
}

void VQ2_Handler::setMinRawDepth(float depth) {
    SystemVariables* sv = SystemVariables::getInstance();
    sv->vq2data.checkButtom.setMinRawDepth(depth);
    sv->vq2dataDat5.checkButtom.setMinRawDepth(depth);
}

void VQ2_Handler::setMaxRawDepth(float depth) {
    SystemVariables* sv = SystemVariables::getInstance();
    sv->vq2data.checkButtom.setMaxRawDepth(depth);
    sv->vq2dataDat5.checkButtom.setMaxRawDepth(depth);
}

void VQ2_Handler::slotSogFrequendcyChangeTresholdChanged() {
    const float treshold =
        SystemSetup::getInstance()->Vq2Setup.values().sogFrequendcyChangeTreshold;
    m_depthModeEvaluator.setSogHighFreqTreshold(treshold);
    qDebug() << "Sog frq treshold: " << treshold;
}

void VQ2_Handler::slotVesselStill(bool still) {
    m_vesselStill = still;
    SystemVariables* sv = SystemVariables::getInstance();
    sv->vq2data.setVesselStill(still);
    sv->vq2dataDat5.setVesselStill(still);
}

void VQ2_Handler::slotCheckGpsMovement() {
    GpsMovementDetection* detection = GpsMovementDetection::getInstance();
    detection->slotCheckMovement(SystemVariables::getInstance()->getSOG_R_GPS());
    slotVesselStill(detection->isNotMoving());
}

bool VQ2_Handler::simulationOn() const {
    return SystemSetup::getInstance()->simulationParameters.SimulationModeOn;
}

bool VQ2_Handler::primaryFrequencyHigh() const {
    return SystemSetup::getInstance()->Vq2Setup.values().primaryFrequencyHigh;
}

void VQ2_Handler::handleDatMsg(const NmeaMessagePtr& message, quint64 timestamp) {
    const auto* dat = dynamic_cast<const MsgDAT*>(message.get());
    if (!dat) {
        return;
    }
    SystemVariables* store = SystemVariables::getInstance();
    if (dat->systemID() == 4) {
        store->msgDAT4.setNmeaMessage(*dat, timestamp);
        handleDat4(*dat, timestamp);
    } else if (dat->systemID() == 5) {
        store->msgDAT5.setNmeaMessage(*dat, timestamp);
        handleDat5(*dat, timestamp);
    } else {
        return;
    }
    selectPreferedFrequency();
}

// The primary data set, in order: stuck check, monitoring, quality, the model, LEDs, GPS
// fallback for ground speed, stern speeds, current and distances, depth mode.
void VQ2_Handler::handleDat4(const MsgDAT& dat, quint64 timestamp) {
    SystemVariables* sv = SystemVariables::getInstance();
    checkStuckData(dat);
    const VQ2* vq2 = VQ2::getInstance();
    Q_EMIT sigSendSingleOnUdpOutput(std::make_shared<MsgICM>(
        kIcmVersion, msgCommands::QualityFactorDataCommand,
        QList<int>{hundredths(dat.fwdSpeedWater()), hundredths(dat.aftSpeedWater()),
                   hundredths(dat.fwdSpeedGround()), hundredths(dat.aftSpeedGround()),
                   dat.fwdSigQualityWater(), dat.aftSigQualityWater(), dat.fwdSigQualityGround(),
                   dat.aftSigQualityGround(), hundredths(dat.depthFwd()),
                   hundredths(dat.depthAft()), vq2->nWaterTrackPulseLength,
                   hundredths(dat.fTemperature()), primaryFrequencyHigh() ? 1 : 0,
                   vq2->frequencyBand}));
    sv->bTwoAxisDepth = true;
    STW_data_quality_low_DAT4 =
        dat.fwdSigQualityWater() < kMinGoodQuality || dat.aftSigQualityWater() < kMinGoodQuality ||
        dat.fwdSigQualityGround() < kMinGoodQuality || dat.aftSigQualityGround() < kMinGoodQuality;
    countQuality(STW_data_quality_low_DAT4);
    sensor_data_validator::resetInvalidValuesPresent();
    sv->vq2data.handleDat_4_msg(dat, timestamp);
    pulseLeds(STW_data_quality_low_DAT4);
    if (!primaryFrequencyHigh()) {
        Q_EMIT sigCheckSpeedLimits();
    }
    replaceOrKeepSog(sv->vq2data, timestamp);
    calculateSternSpeeds(sv->vq2data, !sv->bSOG_fromGPS);
    if (!primaryFrequencyHigh()) {
        calculateCurrentAndDistances(sv->vq2data);
    }
    checkDepthMode(dat);
    m_dat4Msg = dat;
}

void VQ2_Handler::handleDat5(MsgDAT dat, quint64 timestamp) {
    SystemVariables* sv = SystemVariables::getInstance();
    if (m_dat4Msg) {
        dat.setFwdSpeedGround(m_dat4Msg->fwdSpeedGround());
        dat.setAftSpeedGround(m_dat4Msg->aftSpeedGround());
        dat.setFwdSigQualityGround(m_dat4Msg->fwdSigQualityGround());
        dat.setAftSigQualityGround(m_dat4Msg->aftSigQualityGround());
        dat.setDepthFwd(m_dat4Msg->depthFwd());
        dat.setDepthAft(m_dat4Msg->depthAft());
    }
    Q_EMIT sigSendSingleOnUdpOutput(std::make_shared<MsgICM>(
        kIcmVersion, msgCommands::QualityFactorDataCommand,
        QList<int>{hundredths(dat.fwdSpeedWater()), hundredths(dat.aftSpeedWater()),
                   dat.fwdSigQualityWater(), dat.aftSigQualityWater()}));
    sv->bTwoAxisDepth = true;
    STW_data_quality_low_DAT5 =
        dat.fwdSigQualityWater() < kMinGoodQuality || dat.aftSigQualityWater() < kMinGoodQuality;
    countQuality(STW_data_quality_low_DAT5);
    sensor_data_validator::resetInvalidValuesPresent();
    if (&sv->vq2dataDat5 != &sv->vq2data) {
        sv->vq2dataDat5.handleDat_4_msg(dat, timestamp);
    }
    pulseLeds(STW_data_quality_low_DAT5);
    if (primaryFrequencyHigh()) {
        Q_EMIT sigCheckSpeedLimits();
    }
    calculateSternSpeeds(sv->vq2dataDat5, true);
    if (primaryFrequencyHigh()) {
        calculateCurrentAndDistances(sv->vq2dataDat5);
    }
}

void VQ2_Handler::checkStuckData(const MsgDAT& dat) {
    if (simulationOn()) {
        return;
    }
    // Water and ground speeds that agree exactly, DAT after DAT, mean the sensor is stuck.
    if (dat.fwdSpeedWater() == dat.fwdSpeedGround() &&
        dat.aftSpeedWater() == dat.aftSpeedGround()) {
        if (++m_StwSogIdenticalCount > kIdenticalDatsBeforeReload) {
            m_StwSogIdenticalCount = 0;
            Q_EMIT sigReloadSensorVQ2();
        }
    } else {
        m_StwSogIdenticalCount = 0;
    }
}

void VQ2_Handler::countQuality(bool low) {
    if (low) {
        ++m_badSigQualityCount;
        Q_EMIT sigError(ERR_TYPE_SIG_QUALITY);
    }
}

void VQ2_Handler::pulseLeds(bool qualityLow) {
    const bool bad = qualityLow || sensor_data_validator::getInvalidValuesPresent();
    Q_EMIT sigPulseLeds({bad ? kLedsQualityLow : kLedsQualityGood, kLedsIdle, kLedPulse});
}

void VQ2_Handler::replaceOrKeepSog(VQ2DataModel& model, quint64 timestamp) {
    SystemVariables* sv = SystemVariables::getInstance();
    const bool sensorSogUsable =
        model.sogResBoatNoCallib.getValidity() && model.bottom().isBottomValid();
    if (!sensorSogUsable && sv->getSOG_R_GPS() != kAbsentFloat) {
        model.replaceSogWithGps(timestamp);
        sv->bSOG_fromGPS = true;
    } else {
        sv->bSOG_fromGPS = false;
    }
}

void VQ2_Handler::calculateSternSpeeds(VQ2DataModel& model, bool sogToo) {
    SystemVariables* sv = SystemVariables::getInstance();
    if (!sv->rateOfTurn.getValidity()) {
        model.stwTraAftCallibrated.setValidity(false);
        model.sogTraAftCallibrated.setValidity(false);
        return;
    }
    const float rot = sv->rateOfTurn.getValue();
    if (sogToo) {
        model.calculateSogAft(rot);
    }
    model.calculateStwAft(rot);
}

void VQ2_Handler::calculateCurrentAndDistances(VQ2DataModel& model) {
    calculateCurrentVq2Data(model);
    if (!m_vesselStill) {
        SystemVariables::getInstance()->calcTraveledDistancesFromVq2data();
    }
}

void VQ2_Handler::calculateCurrentVq2Data(VQ2DataModel& model) {
    SystemVariables* sv = SystemVariables::getInstance();
    const auto valueOf = [](varFloat& v) { return v.getValidity() ? v.getValue() : kAbsentFloat; };
    float gL = valueOf(model.sogLongBoatCallibrated);
    float gT = valueOf(model.sogTraBoatCallibrated);
    const auto fromPair = [&] {
        if (gL == kAbsentFloat || gT == kAbsentFloat) {
            sv->bWC_fromGPS = false;
            model.calculateWaterCurrent(gL, gT, false);
        } else {
            model.calculateWaterCurrent(gL, gT, true);
        }
    };
    switch (SystemSetup::getInstance()->Vq2Setup.values().currentCorrection) {
    case 0:
        sv->bWC_fromGPS = false;
        if (sv->bSOG_fromGPS) {
            model.calculateWaterCurrent(gL, gT, false);
        } else {
            fromPair();
        }
        break;
    case 1: {
        const float lon = sv->getSOG_L_GPS();
        const float tra = sv->getSOG_T_GPS();
        sv->bWC_fromGPS = lon != kAbsentFloat && tra != kAbsentFloat;
        model.calculateWaterCurrent(lon, tra, sv->bWC_fromGPS);
        break;
    }
    default:
        sv->bWC_fromGPS = sv->bSOG_fromGPS;
        if (sv->bSOG_fromGPS) {
            gL = sv->getSOG_L_GPS();
            gT = sv->getSOG_T_GPS();
        }
        fromPair();
        break;
    }
}

void VQ2_Handler::checkDepthMode(const MsgDAT& dat) {
    m_depthModeEvaluator.addToDepthLists(dat.depthFwd(), dat.depthAft());
    const VQ2_Setup& setup = SystemSetup::getInstance()->Vq2Setup;
    if (m_depthModeEvaluator.switchToLowDepthMode()) {
        applyDepthMode(depthTrendEvaluator::kLow, setup.getShalowWaterPingLenghtIndex(),
                       static_cast<int>(setup.getShallowPowerLevel()));
    } else if (m_depthModeEvaluator.switchToHighDepthMode()) {
        applyDepthMode(depthTrendEvaluator::kHigh, setup.getDepthWaterPingLenghtIndex(),
                       kDeepPowerLevel);
    } else {
        checkSogFrequencyBand();
    }
}

void VQ2_Handler::applyDepthMode(const QString& mode, int pulseLength, int powerLevel) {
    if (m_depthModeEvaluator.getForceSwitch()) {
        qDebug() << "Force switch";
    }
    m_depthModeEvaluator.setMode(mode);
    ++m_depthSwitchCount;
    VQ2* vq2 = VQ2::getInstance();
    if (vq2->nWaterTrackPulseLength == pulseLength && vq2->nWaterTrackPowerLevel == powerLevel) {
        return;
    }
    vq2->nWaterTrackPulseLength = pulseLength;
    vq2->nWaterTrackPowerLevel = powerLevel;
    if (!simulationOn()) {
        Q_EMIT sigSendConfigToSensor();
    }
}

void VQ2_Handler::checkSogFrequencyBand() {
    SystemVariables::getInstance()->vq2data.setUseSogFrequencyHigh(false);
    VQ2* vq2 = VQ2::getInstance();
    if (m_sogBandChecked && vq2->getFrequencyBand() == 0) {
        return;
    }
    m_sogBandChecked = true;
    vq2->setSogFrequencyBand(0);
    Q_EMIT sigSendConfigToSensor();
    speedCalib->sendAllCalibrationPoints();
}

void VQ2_Handler::selectPreferedFrequency() {
    SystemVariables* sv = SystemVariables::getInstance();
    const auto quality = [](const VQ2DataModel& m) {
        return PipelineMath::AxisQuality{
            m.stwLongAverage().getValidity(), m.stwTraAverage().getValidity(),
            m.stwLongAverage().getAvgQuality(), m.stwTraAverage().getAvgQuality()};
    };
    const PipelineMath::AxisQuality q4 = quality(sv->vq2data);
    const PipelineMath::AxisQuality q5 = quality(sv->vq2dataDat5);
    m_stwSource = PipelineMath::selectPreferedFrequency(q4, q5, primaryFrequencyHigh());
    if (m_stwSource >= 0) {
        sv->setVQ2_STW_Source(m_stwSource == 1);
    }
    auto qst = std::make_shared<MsgQST>(q4.longQuality, q4.traQuality, q5.longQuality,
                                        q5.traQuality, 0, 0, m_stwSource, 0);
    Logger::instance()->append(qst->getMsgBuffer(), Logger::LOG_INFO);
    Q_EMIT sigSendSingleOnUdpOutput(qst);
}

void VQ2_Handler::handleSnfMsg(const NmeaMessagePtr& message) {
    Logger::instance()->append(QStringLiteral("SNF from sensor: ") + message->getMsgBuffer(),
                               Logger::LOG_INFO);
    const auto* snf = dynamic_cast<const MsgSNF*>(message.get());
    if (snf) {
        SensorInfo::getInstance()->setFromSNF(*snf);
    }
    if (snf && snf->sentenceType() == 1 && snf->firmwereRev() < 3.0f) {
        Q_EMIT sensorOnlyDAT4(true);
    }
}

void VQ2_Handler::handleCfgMsg(const NmeaMessagePtr& message) {
    Logger::instance()->append(QStringLiteral("Sensor configuration: ") + message->getMsgBuffer(),
                               Logger::LOG_DEBUG);
}
