#pragma once

#include "calibrationpoints.h"
#include "msgicm.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

// The heading offsets one zone's sea test recommends for SOG and STW, radians. The property
// names are the keys of the file.
struct SinglePointRecommendedAngles_s {
    Q_GADGET
    Q_PROPERTY(bool m_pointValid MEMBER m_pointValid)
    Q_PROPERTY(int m_pointNumber MEMBER m_pointNumber)
    Q_PROPERTY(float m_SOGecommendedAngle MEMBER m_SOGecommendedAngle)
    Q_PROPERTY(bool m_SOGangleValid MEMBER m_SOGangleValid)
    Q_PROPERTY(float m_STWecommendedAngle MEMBER m_STWecommendedAngle)
    Q_PROPERTY(bool m_STWangleValid MEMBER m_STWangleValid)
public:
    bool m_pointValid = false;
    int m_pointNumber = 0;
    float m_SOGecommendedAngle = 0.0f;
    bool m_SOGangleValid = false;
    float m_STWecommendedAngle = 0.0f;
    bool m_STWangleValid = false;

    // ICM 38: zone, valid, SOG angle x10000, valid, STW angle x10000, valid.
    NmeaMessagePtr toMessage() const;
    // The display's ICM 38; none when a parameter is missing or out of range.
    static std::optional<SinglePointRecommendedAngles_s> fromMessage(const MsgICM& msg);
};

// The recommended offsets of the five zones, kept in "Recommended_angles_config".
class RecommendedAngles {
public:
    static inline const QString kFile = QStringLiteral("Recommended_angles_config");
    static constexpr int kZones = 5;

    RecommendedAngles();

    const SinglePointRecommendedAngles_s& getPointWithNumber(int zone) const;
    // Stores and writes the point of its zone; false for a zone outside the table.
    bool setPoint(const SinglePointRecommendedAngles_s& point);
    bool getIsDefault() const { return m_isDefault; }

    bool ReadConfiguration();
    bool WriteConfiguration() const;
    // From the mounting errors of the sea-test points that are set (degrees): as the SOG angle
    // when only SOG is measured, else as the STW angle. Writes the file.
    void updateRecommendedAnglesFromSeaTestPoints(
        const std::array<SpeedCalibrationPoint, kZones>& seaTest, bool sogOnly);

private:
    std::array<SinglePointRecommendedAngles_s, kZones> m_points;
    bool m_isDefault = true;
};
