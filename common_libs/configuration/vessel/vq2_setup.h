#pragma once

#include "setuprecord.h"

#include <QObject>
#include <QString>

// Vessel and sensor setup, file "vq2_setup". Key names are the file format, spelling included.
struct VQ2_Setup_S {
    Q_GADGET
    Q_PROPERTY(float draft MEMBER draft)
    Q_PROPERTY(float vesselMaxSpeed MEMBER vesselMaxSpeed)
    Q_PROPERTY(float vesselLength MEMBER vesselLength)
    Q_PROPERTY(float sensorDistanceFromBow MEMBER sensorDistanceFromBow)
    Q_PROPERTY(float tonnage MEMBER tonnage)
    Q_PROPERTY(int averagingTime MEMBER averagingTime)
    Q_PROPERTY(int lowSpeedAveragingTime MEMBER lowSpeedAveragingTime)
    Q_PROPERTY(int gpsStillAveragingTime MEMBER gpsStillAveragingTime)
    Q_PROPERTY(int currentCorrection MEMBER currentCorrection)
    Q_PROPERTY(bool stwOn MEMBER stwOn)
    Q_PROPERTY(bool sogLostBottom MEMBER sogLostBottom)
    Q_PROPERTY(int shalowWaterPingLenght MEMBER shalowWaterPingLenght)
    Q_PROPERTY(int deepWaterPingLenght MEMBER deepWaterPingLenght)
    Q_PROPERTY(float depthPingChangeLimit MEMBER depthPingChangeLimit)
    Q_PROPERTY(bool useTwoDecimals MEMBER useTwoDecimals)
    Q_PROPERTY(QString outputParams MEMBER outputParams)
    Q_PROPERTY(bool newDepthSwitch MEMBER newDepthSwitch)
    Q_PROPERTY(int samplingDistance MEMBER samplingDistance)
    Q_PROPERTY(int stwAveragingTime MEMBER stwAveragingTime)
    Q_PROPERTY(int stwLowSpeedAveragingTime MEMBER stwLowSpeedAveragingTime)
    Q_PROPERTY(bool primaryFrequencyHigh MEMBER primaryFrequencyHigh)
    Q_PROPERTY(float sogFrequendcyChangeTreshold MEMBER sogFrequendcyChangeTreshold)
    Q_PROPERTY(QString softwareVersion MEMBER softwareVersion)
public:
    float draft = 0.0f;
    float vesselMaxSpeed = 22.0f;
    float vesselLength = 148.0f;
    float sensorDistanceFromBow = 4.0f;
    float tonnage = 1000.0f;
    int averagingTime = 20;
    int lowSpeedAveragingTime = 10;
    int gpsStillAveragingTime = 60;
    int currentCorrection = 2;
    bool stwOn = true;
    bool sogLostBottom = true;
    int shalowWaterPingLenght = 2;
    int deepWaterPingLenght = 8;
    float depthPingChangeLimit = 3.0f;
    bool useTwoDecimals = true;
    QString outputParams = QStringLiteral("SOG + STW");
    bool newDepthSwitch = false;
    int samplingDistance = 0;
    int stwAveragingTime = 30;
    int stwLowSpeedAveragingTime = 15;
    bool primaryFrequencyHigh = true;
    float sogFrequendcyChangeTreshold = 0.0f;
    QString softwareVersion;
};

class VQ2_Setup : public SetupRecord<VQ2_Setup_S> {
public:
    static inline const QString kSogOnly = QStringLiteral("SOG Only");
    static inline const QString kSogStw = QStringLiteral("SOG + STW");
    static inline const QString kSatLog = QStringLiteral("SAT LOG");
    static constexpr float kMaxDepthPingChangeLimit = 3.0f;

    // The build stamp is stored as the software version at every start.
    explicit VQ2_Setup(const QString& softwareVersion);

    void getDefaults(int level) override;

    // Parameters 0..13 of the display's vessel/sensor message, in message order.
    void setVq2(float draft, float vesselMaxSpeed, float vesselLength, float sensorDistanceFromBow,
                float tonnage, int averagingTime, int lowSpeedAveragingTime, int currentCorrection,
                bool stwOn, bool sogLostBottom, int shalowWaterPingLenght, int deepWaterPingLenght,
                float depthPingChangeLimit, bool useTwoDecimals);
    // The four averaging times of the tonnage rule, written once.
    void setAveragingTimes(int stw, int stwLowSpeed, int sog, int sogLowSpeed);

    int numberOfDecimals() const { return m_s.useTwoDecimals ? 2 : 1; }
    int getOutputParamsToInt() const;
    static QString outputParamsFromInt(int code);
    bool setOutputParamsFromInt(int code) {
        return set(&VQ2_Setup_S::outputParams, outputParamsFromInt(code));
    }
    bool isEnabledGpsSogOnLostBottom() const { return m_s.sogLostBottom; }
    float getShallowPowerLevel() const { return m_s.depthPingChangeLimit; }
    int getShalowWaterPingLenghtIndex() const { return pingLengthIndex(m_s.shalowWaterPingLenght); }
    int getDepthWaterPingLenghtIndex() const { return pingLengthIndex(m_s.deepWaterPingLenght); }
    void setPrimaryFrequencyHigh(bool high, bool write);
    bool getFrequencySourceIsDefault() const { return m_frequencySourceIsDefault; }
    bool getSTW_frequencyAtuoChanged() const { return m_STW_frequencyAtoChanged; }
    void setSTW_frequencyAutoChanged(bool changed) { m_STW_frequencyAtoChanged = changed; }
    bool getSetup2ReceivedFlag() const { return m_setup2ReceivedFlag; }
    void setSetup2ReceivedFlag(bool received) { m_setup2ReceivedFlag = received; }
    bool getNewSensorFirmware() const { return m_newSensorFirmware; }
    void setNewSensorFirmware(bool fresh) { m_newSensorFirmware = fresh; }

private:
    static int pingLengthIndex(int code);

    bool m_setup2ReceivedFlag = false;
    bool m_newSensorFirmware = false;
    bool m_frequencySourceIsDefault = false;
    bool m_STW_frequencyAtoChanged = false;
};
