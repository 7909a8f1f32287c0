#pragma once

#include "extendedsemiautocalibration.h"
#include "msgicm.h"
#include "platformtimer.h"
#include "semiautocalibration.h"

#include <QObject>

#include <functional>

class SpeedCalibration;
class SpeedCalibrationData;

// The sea test run from the display (ICM 18 actions 4 to 8): legs over a known distance are
// sampled every 500 ms, measured against GPS by the basic and the extended computation side by
// side, and the result is transferred into the calibration table as the sea-test point of the
// zone of its speed, with the heading offsets it recommends. Lives on the main thread; its
// times come from the unit's clock.
class SemiAutoCalibrationController : public QObject {
    Q_OBJECT
public:
    using SampleSource = std::function<SemiAutoSample()>;

    static constexpr int semiSamplingTime = 500;
    // Leg distances the display may ask for, hundredths of a nautical mile.
    static constexpr int kMinLegDistanceX100 = 1;
    static constexpr int kMaxLegDistanceX100 = 10000;
    // Below 95 % valid SOG samples in a leg, the table's SOG is trusted more than the leg's.
    static constexpr double kSogTrustedPercent = 95.0;

    SemiAutoCalibrationController(SpeedCalibrationData* data, SpeedCalibration& display,
                                  QObject* parent = nullptr);

    void setSampleSource(SampleSource source) { m_samples = std::move(source); }
    bool isLegRunning() const { return m_extended.isRunning(); }

    // ICM 23 and ICM 31 for the display's sea-test page.
    NmeaMessagePtr getDataForSemiautomaticCalibration() const;
    NmeaMessagePtr getValidityForSemiautomaticCalibration() const;
    // Zone 0..4 of a leg's true speed; -1 for no speed, 5 or more above the maximum.
    int getCalibrationPointNr(float speed) const;

signals:
    void sigSendSingleOnUdpOutput(NmeaMessagePtr msg);
    // The leg under way (0 none) and its distance in whole nautical miles, for DATR.
    void sigLegProgress(quint32 leg, quint32 distance);

public slots:
    void slotSemiAutomaticCommand(NmeaMessagePtr msg);
    void slotSemiAutoTimerTimeout();
    // The unit stops the leg (GPS covered the distance) and tells the display.
    void stopLegFromSemiCalibration();

private:
    void startLeg(float distance);
    void stopLeg(bool byUnit);
    void cancelSemi(int leg);
    void transferSemiAutoCalPoint();
    bool acceptPoint(SpeedCalibrationPoint point, ExtendedSpeedCalibrationPoint extended);
    void takeSample(qint64 now);
    void holdSogLow(bool hold);
    void reject(int zone);

    SpeedCalibrationData* m_data;
    SpeedCalibration& m_display;
    SampleSource m_samples;
    SemiAutoCalibration m_basic;
    ExtendedSemiAutoCalibratin m_extended;
    PlatformTimer m_samplingTimer;
    qint64 m_lastSampleTime = 0;
};
