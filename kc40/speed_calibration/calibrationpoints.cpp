#include "calibrationpoints.h"

#include "serializationcontroller.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>
#include <numbers>

namespace {
constexpr float kRadPerDegree = std::numbers::pi_v<float> / 180.0f;

QString singleText(const SingleSpeedCalibrationPoint& point) {
    return SerializationController::objectText(
        SerializationController::toMap(SingleSpeedCalibrationPoint::staticMetaObject, &point));
}

bool parseSingle(const QString& text, SingleSpeedCalibrationPoint& point) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return false;
    }
    SingleSpeedCalibrationPoint parsed;
    SerializationController::fromMap(SingleSpeedCalibrationPoint::staticMetaObject, &parsed,
                                     document.object().toVariantMap());
    if (!std::isfinite(parsed.realSpeed) || !std::isfinite(parsed.measuredSpeed) ||
        !std::isfinite(parsed.angleOffset)) {
        return false;
    }
    point = parsed;
    return true;
}

bool parseIndex(const QString& text, int limit, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= 0 && value < limit;
}
} // namespace

float SpeedCalibrationPoint::getMountingErrorRad() const {
    return mountingError * kRadPerDegree;
}

bool SpeedCalibrationPoint::isFinite() const {
    return std::isfinite(realSpeed) && std::isfinite(measuredSTW) && std::isfinite(measuredSOG) &&
           std::isfinite(mountingError);
}

SingleSpeedCalibrationPoint::SingleSpeedCalibrationPoint(const SpeedCalibrationPoint& point,
                                                         SpeedType type)
    : isValid(type == STW_speed ? 1 : (point.sogValid ? 1 : 0)), realSpeed(point.realSpeed),
      measuredSpeed(type == STW_speed ? point.measuredSTW : point.measuredSOG),
      angleOffset(point.mountingError) {}

SingleSpeedCalibrationPoint
SingleSpeedCalibrationPoint::getAverageOfTwoPoints(const SingleSpeedCalibrationPoint& a,
                                                   const SingleSpeedCalibrationPoint& b) {
    SingleSpeedCalibrationPoint mean;
    mean.isValid = (a.valid() && b.valid()) ? 1 : 0;
    mean.realSpeed = (a.realSpeed + b.realSpeed) / 2.0f;
    mean.measuredSpeed = (a.measuredSpeed + b.measuredSpeed) / 2.0f;
    mean.angleOffset = (a.angleOffset + b.angleOffset) / 2.0f;
    return mean;
}

ExtendedSpeedCalibrationPoint::ExtendedSpeedCalibrationPoint(const SpeedCalibrationPoint& point,
                                                             int source, bool sensorFactors)
    : calibrationPointSource(source), calibrationPointNumber(point.calibrationPointNumber),
      isSet(point.isSet) {
    const auto single = [&](float measured) {
        SingleSpeedCalibrationPoint s;
        s.isValid = 1;
        s.realSpeed = point.realSpeed;
        s.measuredSpeed = measured;
        s.angleOffset = point.mountingError;
        return s;
    };
    if (sensorFactors) {
        stwHighFrequencyPoint = single(point.realSpeed * kStwHighFactor);
        stwLowFrequencyPoint = single(point.realSpeed * kStwLowFactor);
        sogHighFrequencyPoint = single(point.realSpeed * kSogFactor);
    } else {
        stwHighFrequencyPoint = single(point.measuredSTW);
        stwLowFrequencyPoint = single(point.measuredSTW);
        sogHighFrequencyPoint = single(point.measuredSOG);
    }
    sogLowFrequencyPoint = sogHighFrequencyPoint;
}

const SingleSpeedCalibrationPoint&
ExtendedSpeedCalibrationPoint::getSinglePoint(SpeedType type, bool highFrequency) const {
    if (type == STW_speed) {
        return highFrequency ? stwHighFrequencyPoint : stwLowFrequencyPoint;
    }
    return highFrequency ? sogHighFrequencyPoint : sogLowFrequencyPoint;
}

SingleSpeedCalibrationPoint& ExtendedSpeedCalibrationPoint::getSinglePoint(SpeedType type,
                                                                           bool highFrequency) {
    return const_cast<SingleSpeedCalibrationPoint&>(
        std::as_const(*this).getSinglePoint(type, highFrequency));
}

QString ExtendedSpeedCalibrationPoint::toText() const {
    return QStringLiteral("[%1?%2?").arg(calibrationPointNumber).arg(calibrationPointSource) +
           QStringList{singleText(stwHighFrequencyPoint), singleText(stwLowFrequencyPoint),
                       singleText(sogHighFrequencyPoint), singleText(sogLowFrequencyPoint)}
               .join(QLatin1Char('|')) +
           QLatin1Char(']');
}

bool ExtendedSpeedCalibrationPoint::fromText(const QString& text) {
    if (!text.startsWith(QLatin1Char('[')) || !text.endsWith(QLatin1Char(']'))) {
        return false;
    }
    const QStringList head = text.mid(1, text.size() - 2).split(QLatin1Char('?'));
    if (head.size() != 3) {
        return false;
    }
    const QStringList singles = head[2].split(QLatin1Char('|'));
    ExtendedSpeedCalibrationPoint parsed;
    if (singles.size() != 4 || !parseIndex(head[0], 5, parsed.calibrationPointNumber) ||
        !parseIndex(head[1], 4, parsed.calibrationPointSource) ||
        !parseSingle(singles[0], parsed.stwHighFrequencyPoint) ||
        !parseSingle(singles[1], parsed.stwLowFrequencyPoint) ||
        !parseSingle(singles[2], parsed.sogHighFrequencyPoint) ||
        !parseSingle(singles[3], parsed.sogLowFrequencyPoint)) {
        return false;
    }
    parsed.isSet = isSet;
    *this = parsed;
    return true;
}
