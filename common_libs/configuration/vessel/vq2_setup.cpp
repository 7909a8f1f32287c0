#include "vq2_setup.h"

#include <algorithm>

VQ2_Setup::VQ2_Setup(const QString& softwareVersion) : SetupRecord(QStringLiteral("vq2_setup")) {
    readSetup();
    if (m_s.lowSpeedAveragingTime == 0) {
        m_s.lowSpeedAveragingTime = 10;
    }
    m_s.depthPingChangeLimit = std::min(m_s.depthPingChangeLimit, kMaxDepthPingChangeLimit);
    m_s.softwareVersion = softwareVersion;
}

void VQ2_Setup::getDefaults(int level) {
    const float maxSpeed = m_s.vesselMaxSpeed;
    const QString version = m_s.softwareVersion;
    m_s = VQ2_Setup_S{};
    m_s.softwareVersion = version;
    if (level == 0) {
        m_s.vesselMaxSpeed = maxSpeed;
    }
    m_frequencySourceIsDefault = true;
    writeSetup();
}

void VQ2_Setup::setVq2(float draft, float vesselMaxSpeed, float vesselLength,
                       float sensorDistanceFromBow, float tonnage, int averagingTime,
                       int lowSpeedAveragingTime, int currentCorrection, bool stwOn,
                       bool sogLostBottom, int shalowWaterPingLenght, int deepWaterPingLenght,
                       float depthPingChangeLimit, bool useTwoDecimals) {
    VQ2_Setup_S s = m_s;
    s.draft = draft;
    s.vesselMaxSpeed = vesselMaxSpeed;
    s.vesselLength = vesselLength;
    s.sensorDistanceFromBow = sensorDistanceFromBow;
    s.tonnage = tonnage;
    s.averagingTime = averagingTime;
    s.lowSpeedAveragingTime = lowSpeedAveragingTime;
    s.currentCorrection = currentCorrection;
    s.stwOn = stwOn;
    s.sogLostBottom = sogLostBottom;
    s.shalowWaterPingLenght = shalowWaterPingLenght;
    s.deepWaterPingLenght = deepWaterPingLenght;
    s.depthPingChangeLimit = depthPingChangeLimit;
    s.useTwoDecimals = useTwoDecimals;
    storeReceived(s);
}

void VQ2_Setup::setAveragingTimes(int stw, int stwLowSpeed, int sog, int sogLowSpeed) {
    m_s.stwAveragingTime = stw;
    m_s.stwLowSpeedAveragingTime = stwLowSpeed;
    m_s.averagingTime = sog;
    m_s.lowSpeedAveragingTime = sogLowSpeed;
    writeSetup();
}

int VQ2_Setup::getOutputParamsToInt() const {
    if (m_s.outputParams == kSatLog) {
        return 2;
    }
    return m_s.outputParams == kSogStw ? 1 : 0;
}

QString VQ2_Setup::outputParamsFromInt(int code) {
    switch (code) {
    case 2:
        return kSatLog;
    case 1:
        return kSogStw;
    default:
        return kSogOnly;
    }
}

void VQ2_Setup::setPrimaryFrequencyHigh(bool high, bool write) {
    m_s.primaryFrequencyHigh = high;
    if (write) {
        writeSetup();
    }
}

int VQ2_Setup::pingLengthIndex(int code) {
    switch (code) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    default:
        return 3;
    }
}
