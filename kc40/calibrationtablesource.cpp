#include "calibrationtablesource.h"

#include "systemvariables.h"

#include <limits>

namespace {
float valueOf(varFloat& value) {
    return value.getValidity() ? value.getValue() : std::numeric_limits<float>::quiet_NaN();
}
} // namespace

SpeedCalibration::Measurement liveCalibrationMeasurement(SystemVariables& values) {
    VQ2DataModel& sog = *values.currentVQ2data;
    VQ2DataModel& stw = *values.currentVQ2stwData;
    VQ2DataModel& otherFrequency = &stw == &values.vq2data ? values.vq2dataDat5 : values.vq2data;
    const float gps = values.getSOG_R_GPS();
    SpeedCalibration::Measurement now;
    now.live.gpsSogValid = gps != kAbsentFloat;
    now.live.gpsSog = now.live.gpsSogValid ? gps : 0.0f;
    now.live.uncalibratedStw = valueOf(stw.stwResBoatNoCallib);
    now.live.uncalibratedSog = valueOf(sog.sogResBoatNoCallib);
    now.live.calibratedSogValid = sog.sogResBoatCallibrated.getValidity();
    now.sogHighFrequency = values.vq2data.isSogFrequencyHigh();
    now.otherFrequencyStw = valueOf(otherFrequency.stwResBoatNoCallib);
    return now;
}

NmeaMessagePtr calibrationPageData(SystemVariables& values, msgCommands command) {
    NmeaMessagePtr data = values.getOutputMsgByName(QStringLiteral("ICM"), int(command));
    return data->messageType() == QLatin1String("ICM") ? data : nullptr;
}
