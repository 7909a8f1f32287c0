#pragma once

#include "msgicm.h"
#include "speedcalibrationdata.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

// The display's side of the calibration table: points entered by hand or taken from the
// current measurement (ICM 21), the choice of sources (ICM 24), the recommended heading offsets
// (ICM 38) and the periodic data the calibration pages show (ICM 18). Replies leave as signals for
// the network output.
class SpeedCalibration : public QObject {
    Q_OBJECT
public:
    // The measurement a point is taken from, and the state of the sensor's frequencies.
    struct Measurement {
        SpeedCalibrationData::LiveValues live;
        bool sogHighFrequency = true;
        float otherFrequencyStw = 0.0f; // uncalibrated STW of the frequency not primary
    };
    using MeasurementSource = std::function<Measurement()>;
    // The prepared data message with a command number, or null when there is none yet.
    using PreparedMessageSource = std::function<NmeaMessagePtr(msgCommands)>;

    // Periodic sending chosen by ICM 18; at most one at a time.
    enum class PeriodicData { None, Manual, SemiAutomatic, Automatic, Temperature, Tilt };

    static constexpr int kFrequencySwitchDelayMs = 3000;

    explicit SpeedCalibration(SpeedCalibrationData* data, QObject* parent = nullptr);

    void setMeasurementSource(MeasurementSource source) { m_measurement = std::move(source); }
    void setPreparedMessageSource(PreparedMessageSource source) { m_prepared = std::move(source); }
    PeriodicData periodicData() const { return m_periodic; }
    bool isWaitingForFrequencySwitch() const { return m_frqSwitchDelayTimer.isActive(); }

    void sendCalibrationPoint(int zone, int source);
    bool validateCalibrationPoint(const SpeedCalibrationPoint& point) const {
        return m_data->validateCalibrationPoint(point);
    }
    // ICM 28 for the display, with the zone when it is one.
    void rejectPoint(int zone);

signals:
    void sigSendSingleOnUdpOutput(NmeaMessagePtr msg);
    void sigSendGroupOnUdpOutput(QList<NmeaMessagePtr> msgs);
    // ICM 18 actions 4..8, for the semi-automatic and automatic procedures.
    void sigSemiAutomaticCommand(NmeaMessagePtr msg);

public slots:
    void slotCalibrationCommandReceived(NmeaMessagePtr msg);
    void slotSendOutputMessages();
    void sendAllCalibrationPoints();
    void sendCalibrationPointSet(int source);
    void updatePointFromReceivedCommand();

private:
    void handlePointCommand(const std::shared_ptr<MsgICM>& msg);
    void handleCalibrationCommand(const MsgICM& msg);
    bool setExtendedFromManualOrGPS(const MsgICM& msg, const Measurement& now);
    void adjustDefaultPoints() { m_data->adjustDefaultPointValues(); }
    void handleRecommendedAngles(const MsgICM& msg);
    void sendPrepared(msgCommands command);
    Measurement measurement() const;
    bool primaryFrequencyHigh() const;
    bool sogOnHighFrequency() const;

    SpeedCalibrationData* m_data;
    MeasurementSource m_measurement;
    PreparedMessageSource m_prepared;
    PeriodicData m_periodic = PeriodicData::None;
    QTimer m_frqSwitchDelayTimer;
    // SOG was forced to the low frequency for the point waiting for the switch.
    bool m_sogHeldLowForPoint = false;
    // The point waiting for the frequency switch, and points that came in meanwhile.
    std::shared_ptr<MsgICM> m_tmpPointMsg;
    std::deque<std::shared_ptr<MsgICM>> m_waitingPoints;
};
