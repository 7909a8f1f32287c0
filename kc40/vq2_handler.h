#pragma once

#include "depthtrendevaluator.h"
#include "ledpulse.h"
#include "msgdat.h"
#include "nmeamessage.h"
#include "speedcalibrationsource.h"

#include <QObject>
#include <QString>

#include <optional>

class VQ2DataModel;

// What a configuration sentence tells the sensor. Taken on the main thread, where the sensor's
// settings change, and handed to the command thread as a value.
struct SensorConfiguration {
    int mode = 0;
    int frequencyBand = 1;
    int waterTrackPowerLevel = 3;
    int waterTrackPulseLength = 3;
    int simulatedDepthIndex = 1;
};
Q_DECLARE_METATYPE(SensorConfiguration)

// The sensor's configuration as the unit commands it.
class VQ2 {
public:
    static VQ2* getInstance();
    // Drops the instance: the next getInstance() starts afresh. For test fixtures.
    static void resetForTests();

    SensorConfiguration configuration() const {
        return {mode, frequencyBand, nWaterTrackPowerLevel, nWaterTrackPulseLength,
                simulatedDepthIndex};
    }

    int getFrequencyBand() const { return frequencyBand; }
    void setSogFrequencyBand(int band) { frequencyBand = band; }

    int mode = 0;
    int frequencyBand = 1;
    int nWaterTrackPowerLevel = 3;
    int nWaterTrackPulseLength = 3;
    int nWaterTrackRangeOffset = 15;
    QString outputEnabled = QStringLiteral("1000");
    int nButtomTrackPowerLevel = 3;
    int nButtomTrackPulseLength = 3;
    int nButtomTrackRangeOffset = 15;
    int nPingMode = 0;
    // The simulated-depth index of the simulation parameters: the water-track range offset.
    int simulatedDepthIndex = 1;
};

// Receives the sensor's sentences (DAT, SNF, CFG) and builds the commands the sensor takes.
// Each DAT runs through the data model of its system (4 primary, 5 second frequency); the
// handler adds what spans both: the monitoring sentence, signal-quality LEDs, the stuck-data
// reload, ground speed from GPS, stern speeds, water current, the depth mode and the choice
// of the frequency that serves speed through water.
class VQ2_Handler : public QObject {
    Q_OBJECT
public:
    static constexpr quint8 kLedsQualityLow = 0x3c;
    static constexpr quint8 kLedsQualityGood = 0x5c;
    static constexpr quint8 kLedsIdle = 0x1c;
    static constexpr int kIdenticalDatsBeforeReload = 59;

    explicit VQ2_Handler(QObject* parent = nullptr);

    // A CFG for one system: mode with the frequency band, the given water-track power level.
    static NmeaMessagePtr createCFGmsg(const SensorConfiguration& configuration, int systemId,
                                       const QString& formats, int powerLevel);
    // A TST: on/off 3 when on, 2 when off; format to return "00".
    static NmeaMessagePtr createTESTmsg(int systemId, float speed, bool on, const QString& formats);
    static NmeaMessagePtr createRawDataCFGmsg(int mode, int powerLevel);

    void handleDatMsg(const NmeaMessagePtr& message, quint64 timestamp);
    void handleSnfMsg(const NmeaMessagePtr& message);
    void handleCfgMsg(const NmeaMessagePtr& message);

    // Until the calibration table is installed, a pass-through calibration is used.
    void setSpeedCalibration(SpeedCalibrationSource* calibration);
    void setForwReverseDirection(bool reverse);
    void setMinRawDepth(float depth);
    void setMaxRawDepth(float depth);
    void setForceDepthSwitchCheck() { m_depthModeEvaluator.setForceSwitch(true); }
    const depthTrendEvaluator& depthModeEvaluator() const { return m_depthModeEvaluator; }
    int depthModeSwitchCount() const { return m_depthSwitchCount; }
    int badSignalQualityCount() const { return m_badSigQualityCount; }
    int stwSourceChoice() const { return m_stwSource; }

public Q_SLOTS:
    void slotSogFrequendcyChangeTresholdChanged();
    // GPS movement detection: a vessel lying still gets the low-speed corrections.
    void slotVesselStill(bool still);
    // Once a second: whether GPS shows the ship lying still, and the corrections that follow.
    void slotCheckGpsMovement();

Q_SIGNALS:
    void sigSendConfigToSensor();
    void sigSendSingleOnUdpOutput(NmeaMessagePtr message);
    void sigReloadSensorVQ2();
    void sigCheckSpeedLimits();
    // A sensor with firmware below 3.0 sends DAT4 only: then a DAT4 is its sign of life.
    void sensorOnlyDAT4(bool only);
    // One pulse of the front LEDs per DAT, its colour telling the signal quality; the LEDs go
    // back to idle 200 ms after the last one.
    void sigPulseLeds(LedPulse pulse);
    // A fault for the network error counters: 77 for every DAT of low signal quality.
    void sigError(int errorId);

private:
    void handleDat4(const MsgDAT& dat, quint64 timestamp);
    void handleDat5(MsgDAT dat, quint64 timestamp);
    void checkStuckData(const MsgDAT& dat);
    void countQuality(bool low);
    void pulseLeds(bool qualityLow);
    void replaceOrKeepSog(VQ2DataModel& model, quint64 timestamp);
    void calculateSternSpeeds(VQ2DataModel& model, bool sogToo);
    void calculateCurrentAndDistances(VQ2DataModel& model);
    void calculateCurrentVq2Data(VQ2DataModel& model);
    void checkDepthMode(const MsgDAT& dat);
    void applyDepthMode(const QString& mode, int pulseLength, int powerLevel);
    void checkSogFrequencyBand();
    void selectPreferedFrequency();
    bool simulationOn() const;
    bool primaryFrequencyHigh() const;

    std::optional<MsgDAT> m_dat4Msg;
    int m_StwSogIdenticalCount = 0;
    depthTrendEvaluator m_depthModeEvaluator;
    PassThroughCalibration m_passThrough;
    SpeedCalibrationSource* speedCalib = &m_passThrough;
    bool STW_data_quality_low_DAT4 = false;
    bool STW_data_quality_low_DAT5 = false;
    bool m_vesselStill = false;
    bool m_sogBandChecked = false;
    int m_depthSwitchCount = 0;
    int m_badSigQualityCount = 0;
    int m_stwSource = -1;
};
