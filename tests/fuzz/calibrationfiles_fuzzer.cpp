// Fuzzes the load of the calibration files the unit reads at start: the first byte chooses the
// file, the rest are its bytes. The coefficients, the speed table, the sources in use and the
// recommended angles are setup records; the extended table has a text form of its own, which
// must read back the same once the unit has written it.
#include "fuzzinput.h"
#include "recordload.h"

#include "calibration.h"
#include "calibrationpoints.h"
#include "recommendedangles.h"
#include "speedcalibrationdata.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void extendedTable(const QByteArray& bytes) {
    const SpeedCalibrationData::ExtendedTable current{};
    const auto parsed = SpeedCalibrationData::extendedFromText(QString::fromLatin1(bytes), current);
    if (!parsed) {
        return;
    }
    const QString written = SpeedCalibrationData::extendedText(*parsed);
    const auto again = SpeedCalibrationData::extendedFromText(written, current);
    if (!again || SpeedCalibrationData::extendedText(*again) != written) {
        std::abort();
    }
}

const Load kFiles[] = {
    [](const QByteArray& bytes) { recordload::record<calibration_s>(bytes); },
    [](const QByteArray& bytes) { recordload::list<SpeedCalibrationPoint>(bytes); },
    [](const QByteArray& bytes) { recordload::list<SpeedCalibrationPointSet>(bytes); },
    [](const QByteArray& bytes) { recordload::list<SinglePointRecommendedAngles_s>(bytes); },
    extendedTable,
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceLogging();
    loadWithChosenReader(kFiles, data, size);
    return 0;
}
