#pragma once

#include "calibrationmath.h"
#include "calibrationpoints.h"
#include "msgicm.h"
#include "recommendedangles.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>

// The speed calibration table: five speed zones, each with a point from up to four sources
// (0 default, 1 manual, 2 sea test, 3 automatic) and the source in use. Every measured speed
// of the sensor becomes a true speed through it. Lives on the main thread; every change is
// written to its file at once.
class SpeedCalibrationData : public QObject {
    Q_OBJECT
public:
    enum Source { DefaultSource = 0, ManualSource = 1, SeaTestSource = 2, AutomaticSource = 3 };
    static constexpr int kSources = 4;
    static constexpr int kZones = calibrationmath::kZones;
    static constexpr int kStoredPoints = 15; // sources 1..3, five zones each
    static constexpr int kIcmVersion = 1;

    static inline const QString kPointsFile = QStringLiteral("Speed_calibration_config");
    static inline const QString kUsedFile = QStringLiteral("used_calibration_points");
    static inline const QString kExtendedFile = QStringLiteral("Extended_speed_calibration_config");

    // What the sensor and the GPS show now, for a point taken from measurement.
    struct LiveValues {
        float gpsSog = 0.0f;
        bool gpsSogValid = false;
        float uncalibratedStw = 0.0f;
        float uncalibratedSog = 0.0f;
        bool calibratedSogValid = false;
    };

    static SpeedCalibrationData* getInstance();
    // Drops the table so that the next getInstance() reads it anew from the root then configured.
    static void resetForTests();

    explicit SpeedCalibrationData(const QString& systemType);

    // Conversion of one measured speed to the true speed, and back.
    float getCalibratedSpeed(float measured, SpeedType type, bool highFrequency) const;
    float getMeasuredSpeed(float real, SpeedType type, bool highFrequency) const;
    // Expected measured SOG at a true speed from the basic points in use.
    float getMeasuredSog(float real) const;

    int getNumberOfPoints() const { return kZones; }
    static bool isZone(int zone) { return zone >= 0 && zone < kZones; }
    static bool isSource(int source) { return source >= 0 && source < kSources; }

    // source -1: the source in use for that zone.
    SpeedCalibrationPoint getCalibrationPoint(int zone, int source) const;
    bool setCalibrationPoint(const SpeedCalibrationPoint& point, int source);
    ExtendedSpeedCalibrationPoint getExtendedCalibrationPoint(int zone, int source) const;
    bool setExtendedCalibrationPoint(const ExtendedSpeedCalibrationPoint& point, int source);
    QList<SpeedCalibrationPoint> getCalibrationPoints(int source) const;
    bool setCalibrationPoints(const QList<SpeedCalibrationPoint>& points, int source);
    float getMountingError(int zone, int source) const;

    bool setCalibrationPointFromValues(int zone, float real, float stw, float sog,
                                       float mountingError, bool isSet, int source, bool sogValid);
    // ICM 21 parameters 0..7; false (nothing stored) for a short or out-of-range message.
    bool setCalibrationPointFromMsg(const MsgICM& msg);
    // False, nothing stored, without a valid GPS speed over ground.
    bool setCalibrationPointFromMeasuredValues(int zone, int source, const LiveValues& live);
    bool validateCalibrationPoint(const SpeedCalibrationPoint& point) const;

    bool setCurrentlyUsedPoint(int zone, int source);
    // ICM 24 parameters 0..4; false, nothing changed, unless all five are sources.
    bool setCurrentlyUsedPoints(const MsgICM& msg);
    int getCurrentlyUsedPoint(int zone) const;
    NmeaMessagePtr getCurrentlyUsedPoints() const;
    // The ICM 21 the display gets for one zone of one source; null outside the table.
    NmeaMessagePtr getCalibrationPointMsg(int zone, int source, bool primaryHigh,
                                          bool sogHighFrequency) const;

    int getZoneNumber(float speed) const;
    bool allowWaterCurrentCalculation(bool demoActive) const;
    int getSetPointNumber(int source) const;
    void evaluateCalibrationStatus();
    QString getCalibrationStatus() const;
    QString getStatusReason() const;
    QString getCalibrationSuggestion() const;
    int pointAcceptedStatus() const { return m_pointAcceptedStatus; }
    void setPointAcceptedStatus(int status);
    bool calibrationDataReceived() const { return m_calibrationDataReceived; }

    bool ReadConfiguration();
    bool WriteConfiguration() const;
    // The extended file's text: one block per source, "{" + each zone's point text followed
    // by "!" + "}/". Reading it is all or nothing; each point takes the zone and source of its
    // place and keeps whether it is set from the current table.
    using ExtendedTable = std::array<std::array<ExtendedSpeedCalibrationPoint, kZones>, kSources>;
    static QString extendedText(const ExtendedTable& table);
    static std::optional<ExtendedTable> extendedFromText(const QString& text,
                                                         const ExtendedTable& current);
    bool ReadExtendedConfiguration(const QString& fileName);
    bool WriteExtendedConfiguration(const QString& fileName) const;
    void initializeExtendedCalibrationData();
    void populateExtendedWithBasicValues(bool sensorFactors);
    void setDefaultPointValues();
    void adjustDefaultPointValues();
    void adjustExtendedPointValues(int zone, int upperZone, int lowerZone);
    void getManSeaAutoDefaulValues();
    void clearAllCalibrationData();

    float vesselMaxSpeed() const;

    // The heading offsets the accepted sea tests recommend, per zone.
    RecommendedAngles& recommendedAngles() { return m_recommendedAngles; }
    const RecommendedAngles& recommendedAngles() const { return m_recommendedAngles; }

signals:
    void sigSendAllCalibData();

public slots:
    void slotMaxVesselSpeedChanged();

private:
    using Zones = std::array<SpeedCalibrationPoint, kZones>;
    using ExtendedZones = ExtendedTable::value_type;

    int sourceFor(int zone, int source) const;
    // The single points of the sources in use, walked on measured or on true speeds.
    calibrationmath::ZonePairs singlePointsInUse(SpeedType type, bool highFrequency,
                                                 bool fromMeasured) const;
    bool writeUsedPoints() const;
    bool readUsedPoints();
    void keepUnreadableCopy(const QString& fileName) const;
    // The two reference zones for filling a default zone, -1 standing for the origin.
    void referenceZones(int upperZone, int lowerZone, int zone, int& a, int& b) const;
    int lowestCalibratedZone() const;

    QString m_systemType;
    bool m_calibrationDataReceived = false;
    int m_clibrationStatusIndex = 0;
    int m_statusReasonIndex = 0;
    int m_clibrationSuggestionIndex = 0;
    int m_pointAcceptedStatus = 0;
    std::array<Zones, kSources> m_calibrationPoints;
    ExtendedTable m_extendedCalibrationPoints;
    std::array<int, kZones> m_currentlyInUse{};
    RecommendedAngles m_recommendedAngles;
    // Until the extended file has been read at start, its content must not be overwritten.
    bool m_extendedLoaded = false;
};
