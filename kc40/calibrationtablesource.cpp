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

namespace {
std::optional<BoatAxes> axesOf(varFloat& along, varFloat& across) {
    if (!along.getValidity() || !across.getValidity()) {
        return std::nullopt;
    }
    return BoatAxes{along.getValue(), across.getValue()};
}
} // namespace

SemiAutoSample semiAutoSample(SystemVariables& values) {
    VQ2DataModel& stw = *values.currentVQ2stwData;
    VQ2DataModel& main = values.vq2data;
    SemiAutoSample sample;
    if (stw.stwResBoatNoCallib.getValidity()) {
        sample.stw = axesOf(stw.stwLongBoatNoCallib, stw.stwTraBoatNoCallib);
    }
    VQ2DataModel& sog = *values.currentVQ2data;
    if (!values.bSOG_fromGPS && sog.sogResBoatNoCallib.getValidity()) {
        sample.sog = axesOf(sog.sogLongBoatNoCallib, sog.sogTraBoatNoCallib);
    }
    sample.stwCalibrated = valueOf(stw.stwResBoatCallibrated);
    sample.sogCalibrated = valueOf(sog.sogResBoatCallibrated);
    const float gps = values.getSOG_R_GPS();
    if (gps != kAbsentFloat) {
        sample.gpsSog = gps;
    }
    sample.stwLowFrequency = axesOf(main.stwLongBoatNoCallib, main.stwTraBoatNoCallib);
    sample.stwHighFrequency =
        axesOf(values.vq2dataDat5.stwLongBoatNoCallib, values.vq2dataDat5.stwTraBoatNoCallib);
    sample.sogHighFrequency = main.isSogFrequencyHigh();
    return sample;
}

NmeaMessagePtr calibrationPageData(SystemVariables& values, msgCommands command) {
    NmeaMessagePtr data = values.getOutputMsgByName(QStringLiteral("ICM"), int(command));
    return data->messageType() == QLatin1String("ICM") ? data : nullptr;
}
