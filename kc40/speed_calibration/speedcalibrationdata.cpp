#include "speedcalibrationdata.h"

#include "logger.h"
#include "serializationcontroller.h"
#include "statusmessages.h"
#include "systemsetup.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {
const QString& configFolder() {
    return SerializationController::kConfigurationFolder;
}

std::unique_ptr<SpeedCalibrationData>& instanceSlot() {
    static std::unique_ptr<SpeedCalibrationData> instance;
    return instance;
}

void logLine(const QString& text, int level) {
    Logger::instance()->append(text, level);
}

// Factory speeds of the stored sources when their file cannot be used.
constexpr std::array<std::array<float, 5>, 3> kFactorySpeeds{{
    {2.5f, 5.5f, 12.0f, 15.0f, 20.0f},
    {2.5f, 5.5f, 10.0f, 15.0f, 20.0f},
    {2.5f, 5.5f, 10.0f, 15.0f, 20.0f},
}};

struct Reference {
    float real = 0.0f;
    float stw = 0.0f;
    float sog = 0.0f;
};
} // namespace

SpeedCalibrationData* SpeedCalibrationData::getInstance() {
    auto& instance = instanceSlot();
    if (!instance) {
        instance = std::make_unique<SpeedCalibrationData>(SystemSetup::getInstance()->systemType());
    }
    return instance.get();
}

void SpeedCalibrationData::resetForTests() {
    instanceSlot().reset();
}

SpeedCalibrationData::SpeedCalibrationData(const QString& systemType) : m_systemType(systemType) {
    initializeExtendedCalibrationData();
    ReadConfiguration();
    // Tables from before the recommended angles were kept give them from their sea tests.
    if (!m_recommendedAngles.ReadConfiguration()) {
        m_recommendedAngles.updateRecommendedAnglesFromSeaTestPoints(
            m_calibrationPoints[SeaTestSource],
            SystemSetup::getInstance()->Vq2Setup.values().outputParams == VQ2_Setup::kSogOnly);
    }
    const bool extendedRead = ReadExtendedConfiguration(kExtendedFile);
    m_extendedLoaded = true;
    if (!extendedRead) {
        populateExtendedWithBasicValues(false);
        WriteExtendedConfiguration(kExtendedFile);
    }
    adjustDefaultPointValues();
}

float SpeedCalibrationData::vesselMaxSpeed() const {
    return SystemSetup::getInstance()->Vq2Setup.values().vesselMaxSpeed;
}

int SpeedCalibrationData::sourceFor(int zone, int source) const {
    return source < 0 ? m_currentlyInUse[zone] : source;
}

// --- conversion -------------------------------------------------------------------------

calibrationmath::ZonePairs SpeedCalibrationData::singlePointsInUse(SpeedType type,
                                                                   bool highFrequency,
                                                                   bool fromMeasured) const {
    calibrationmath::ZonePairs pairs;
    for (int z = 0; z < kZones; ++z) {
        const SingleSpeedCalibrationPoint& s =
            m_extendedCalibrationPoints[m_currentlyInUse[z]][z].getSinglePoint(type, highFrequency);
        pairs[z] =
            fromMeasured
                ? calibrationmath::ZonePair{s.measuredSpeed, s.realSpeed, s.valid(), s.valid()}
                : calibrationmath::ZonePair{s.realSpeed, s.measuredSpeed, s.valid(), s.valid()};
    }
    return pairs;
}

float SpeedCalibrationData::getCalibratedSpeed(float measured, SpeedType type,
                                               bool highFrequency) const {
    return calibrationmath::convert(singlePointsInUse(type, highFrequency, true), measured);
}

float SpeedCalibrationData::getMeasuredSpeed(float real, SpeedType type, bool highFrequency) const {
    return calibrationmath::convert(singlePointsInUse(type, highFrequency, false), real);
}

float SpeedCalibrationData::getMeasuredSog(float real) const {
    calibrationmath::ZonePairs pairs;
    for (int z = 0; z < kZones; ++z) {
        const SpeedCalibrationPoint& p = m_calibrationPoints[m_currentlyInUse[z]][z];
        pairs[z] = {p.realSpeed, p.measuredSOG, true, p.sogValid};
    }
    return calibrationmath::convert(pairs, real);
}

// --- points -------------------------------------------------------------------------------

SpeedCalibrationPoint SpeedCalibrationData::getCalibrationPoint(int zone, int source) const {
    if (!isZone(zone) || (source != -1 && !isSource(source))) {
        return {};
    }
    return m_calibrationPoints[sourceFor(zone, source)][zone];
}

bool SpeedCalibrationData::setCalibrationPoint(const SpeedCalibrationPoint& point, int source) {
    if (!isZone(point.calibrationPointNumber) || !isSource(source) || !point.isFinite()) {
        return false;
    }
    m_calibrationPoints[source][point.calibrationPointNumber] = point;
    return source == DefaultSource || WriteConfiguration();
}

ExtendedSpeedCalibrationPoint SpeedCalibrationData::getExtendedCalibrationPoint(int zone,
                                                                                int source) const {
    if (!isZone(zone) || (source != -1 && !isSource(source))) {
        return {};
    }
    return m_extendedCalibrationPoints[sourceFor(zone, source)][zone];
}

bool SpeedCalibrationData::setExtendedCalibrationPoint(const ExtendedSpeedCalibrationPoint& point,
                                                       int source) {
    if (!isZone(point.calibrationPointNumber) || !isSource(source)) {
        return false;
    }
    m_extendedCalibrationPoints[source][point.calibrationPointNumber] = point;
    return WriteExtendedConfiguration(kExtendedFile);
}

QList<SpeedCalibrationPoint> SpeedCalibrationData::getCalibrationPoints(int source) const {
    if (!isSource(source)) {
        return {};
    }
    return {m_calibrationPoints[source].begin(), m_calibrationPoints[source].end()};
}

bool SpeedCalibrationData::setCalibrationPoints(const QList<SpeedCalibrationPoint>& points,
                                                int source) {
    if (!isSource(source) || points.size() != kZones) {
        return false;
    }
    for (int z = 0; z < kZones; ++z) {
        if (!points[z].isFinite()) {
            return false;
        }
    }
    for (int z = 0; z < kZones; ++z) {
        m_calibrationPoints[source][z] = points[z];
        m_calibrationPoints[source][z].calibrationPointNumber = z;
    }
    return source == DefaultSource || WriteConfiguration();
}

float SpeedCalibrationData::getMountingError(int zone, int source) const {
    return getCalibrationPoint(zone, source).getMountingErrorRad();
}

bool SpeedCalibrationData::setCalibrationPointFromValues(int zone, float real, float stw, float sog,
                                                         float mountingError, bool isSet,
                                                         int source, bool sogValid) {
    SpeedCalibrationPoint point;
    point.calibrationPointNumber = zone;
    point.realSpeed = real;
    point.measuredSTW = stw;
    point.measuredSOG = sog;
    point.mountingError = mountingError;
    point.isSet = isSet;
    point.sogValid = sogValid;
    if (!validateCalibrationPoint(point) || !isSource(source) || source == DefaultSource) {
        logLine(QStringLiteral("Calibration point for zone %1, source %2 rejected")
                    .arg(zone)
                    .arg(source),
                Logger::LOG_WARNING);
        return false;
    }
    if (!setCalibrationPoint(point, source)) {
        return false;
    }
    m_calibrationDataReceived = true;
    setPointAcceptedStatus(1);
    return true;
}

bool SpeedCalibrationData::setCalibrationPointFromMsg(const MsgICM& msg) {
    const QList<int> p = msg.msgParameters();
    if (p.size() < 8) {
        logLine(
            QStringLiteral("Calibration point message with %1 parameters rejected").arg(p.size()),
            Logger::LOG_WARNING);
        return false;
    }
    return setCalibrationPointFromValues(p[0], p[2] / 100.0f, p[3] / 100.0f, p[4] / 100.0f,
                                         p[5] / 100.0f, p[6] != 0, p[1], p[7] != 0);
}

bool SpeedCalibrationData::setCalibrationPointFromMeasuredValues(int zone, int source,
                                                                 const LiveValues& live) {
    if (!live.gpsSogValid) {
        logLine(
            QStringLiteral("Calibration point for zone %1 not taken: no valid GPS speed").arg(zone),
            Logger::LOG_WARNING);
        return false;
    }
    return setCalibrationPointFromValues(zone, live.gpsSog, live.uncalibratedStw,
                                         live.uncalibratedSog, 0.0f, true, source,
                                         live.calibratedSogValid);
}

bool SpeedCalibrationData::validateCalibrationPoint(const SpeedCalibrationPoint& point) const {
    const float max = vesselMaxSpeed();
    if (!point.isFinite() || !isZone(point.calibrationPointNumber) || point.realSpeed < 0.0f ||
        point.realSpeed > max + 5.0f) {
        return false;
    }
    const bool stwInUse =
        SystemSetup::getInstance()->Vq2Setup.values().outputParams == VQ2_Setup::kSogStw;
    return !stwInUse || (point.measuredSTW >= 0.0f && point.measuredSTW <= max + 10.0f);
}

// --- sources in use -------------------------------------------------------------------------

bool SpeedCalibrationData::setCurrentlyUsedPoint(int zone, int source) {
    if (!isZone(zone) || !isSource(source)) {
        return false;
    }
    if (m_currentlyInUse[zone] == source) {
        return true;
    }
    m_currentlyInUse[zone] = source;
    return writeUsedPoints();
}

bool SpeedCalibrationData::setCurrentlyUsedPoints(const MsgICM& msg) {
    const QList<int> p = msg.msgParameters();
    bool usable = p.size() >= kZones;
    for (int z = 0; usable && z < kZones; ++z) {
        usable = isSource(p[z]);
    }
    if (!usable) {
        logLine(QStringLiteral("Calibration sources message rejected: ") + msg.getMsgBuffer(),
                Logger::LOG_WARNING);
        return false;
    }
    for (int z = 0; z < kZones; ++z) {
        m_currentlyInUse[z] = p[z];
    }
    return writeUsedPoints();
}

int SpeedCalibrationData::getCurrentlyUsedPoint(int zone) const {
    return isZone(zone) ? m_currentlyInUse[zone] : DefaultSource;
}

NmeaMessagePtr SpeedCalibrationData::getCurrentlyUsedPoints() const {
    return std::make_shared<MsgICM>(kIcmVersion, msgCommands::CurrentCalibrationpoints,
                                    QList<int>(m_currentlyInUse.begin(), m_currentlyInUse.end()));
}

NmeaMessagePtr SpeedCalibrationData::getCalibrationPointMsg(int zone, int source, bool primaryHigh,
                                                            bool sogHighFrequency) const {
    using calibrationmath::toDisplayInt;
    if (!isZone(zone) || !isSource(source)) {
        return nullptr;
    }
    const ExtendedSpeedCalibrationPoint& ext = m_extendedCalibrationPoints[source][zone];
    const SingleSpeedCalibrationPoint& stw = ext.getSinglePoint(STW_speed, primaryHigh);
    const SingleSpeedCalibrationPoint& sog = ext.getSinglePoint(SOG_speed, sogHighFrequency);
    const float expectedSog = getMeasuredSpeed(stw.realSpeed, SOG_speed, sogHighFrequency);
    return std::make_shared<MsgICM>(
        kIcmVersion, msgCommands::CalibrationPointCommand,
        QList<int>{zone, source, toDisplayInt(stw.realSpeed, 100),
                   toDisplayInt(stw.measuredSpeed, 100), toDisplayInt(expectedSog, 100),
                   toDisplayInt(stw.angleOffset, 100),
                   m_calibrationPoints[source][zone].isSet ? 1 : 0, sog.valid() ? 1 : 0, 0});
}

// --- zones and status ----------------------------------------------------------------------

int SpeedCalibrationData::getZoneNumber(float speed) const {
    return calibrationmath::zoneNumber(speed, vesselMaxSpeed());
}

bool SpeedCalibrationData::allowWaterCurrentCalculation(bool demoActive) const {
    return demoActive || getSetPointNumber(DefaultSource) < kZones - 2;
}

// Number of zones whose source in use is the given one.
int SpeedCalibrationData::getSetPointNumber(int source) const {
    return static_cast<int>(std::count(m_currentlyInUse.begin(), m_currentlyInUse.end(), source));
}

void SpeedCalibrationData::evaluateCalibrationStatus() {
    struct Row {
        int status, reason, suggestion;
    };
    static constexpr std::array<Row, 4> kBySeaTestZones{
        {{0, 0, 0}, {2, 2, 0}, {4, 3, 1}, {5, 3, 2}}};
    const int seaTest = std::min(getSetPointNumber(SeaTestSource), 3);
    m_clibrationStatusIndex = kBySeaTestZones[seaTest].status;
    m_statusReasonIndex = kBySeaTestZones[seaTest].reason;
    m_clibrationSuggestionIndex = kBySeaTestZones[seaTest].suggestion;
}

QString SpeedCalibrationData::getCalibrationStatus() const {
    return StatusMessages::status(m_clibrationStatusIndex);
}
QString SpeedCalibrationData::getStatusReason() const {
    return StatusMessages::reason(m_statusReasonIndex);
}
QString SpeedCalibrationData::getCalibrationSuggestion() const {
    return StatusMessages::suggestion(m_clibrationSuggestionIndex);
}

void SpeedCalibrationData::setPointAcceptedStatus(int status) {
    m_pointAcceptedStatus = status;
}

// --- files ---------------------------------------------------------------------------------

void SpeedCalibrationData::keepUnreadableCopy(const QString& fileName) const {
    const QString path = SerializationController::filePath(fileName, configFolder());
    if (!QFile::exists(path)) {
        return;
    }
    QFile::remove(path + QStringLiteral(".corrupt"));
    QFile::copy(path, path + QStringLiteral(".corrupt"));
    logLine(QStringLiteral("Calibration file %1 unusable, kept as %1.corrupt").arg(path),
            Logger::LOG_WARNING);
}

bool SpeedCalibrationData::readUsedPoints() {
    QList<SpeedCalibrationPointSet> sets;
    if (!SerializationController::Deserialize(sets, kUsedFile, configFolder())) {
        return false;
    }
    bool usable = sets.size() == kZones;
    for (int z = 0; usable && z < kZones; ++z) {
        usable = isSource(sets[z].calibrationPointSet);
    }
    if (!usable) {
        keepUnreadableCopy(kUsedFile);
        return false;
    }
    for (int z = 0; z < kZones; ++z) {
        m_currentlyInUse[z] = sets[z].calibrationPointSet;
    }
    return true;
}

bool SpeedCalibrationData::writeUsedPoints() const {
    QList<SpeedCalibrationPointSet> sets;
    for (const int source : m_currentlyInUse) {
        sets.append(SpeedCalibrationPointSet{source});
    }
    return SerializationController::Serialize(sets, kUsedFile, configFolder());
}

bool SpeedCalibrationData::ReadConfiguration() {
    QList<SpeedCalibrationPoint> points;
    bool pointsRead = SerializationController::Deserialize(points, kPointsFile, configFolder());
    if (pointsRead && points.size() != kStoredPoints) {
        keepUnreadableCopy(kPointsFile);
        pointsRead = false;
    }
    for (int i = 0; pointsRead && i < points.size(); ++i) {
        pointsRead = points[i].isFinite();
    }
    if (!pointsRead) {
        getManSeaAutoDefaulValues();
    } else {
        for (int i = 0; i < kStoredPoints; ++i) {
            SpeedCalibrationPoint point = points[i];
            point.calibrationPointNumber = i % kZones;
            m_calibrationPoints[ManualSource + i / kZones][i % kZones] = point;
        }
        if (!readUsedPoints()) {
            // The points themselves are sound: only the choice of sources is lost.
            m_currentlyInUse.fill(DefaultSource);
            writeUsedPoints();
        }
    }
    setDefaultPointValues();
    adjustDefaultPointValues();
    return pointsRead;
}

bool SpeedCalibrationData::WriteConfiguration() const {
    QList<SpeedCalibrationPoint> points;
    for (int source = ManualSource; source < kSources; ++source) {
        points.append(getCalibrationPoints(source));
    }
    return SerializationController::Serialize(points, kPointsFile, configFolder());
}

QString SpeedCalibrationData::extendedText(const ExtendedTable& table) {
    QString text;
    for (const ExtendedZones& zones : table) {
        text += QLatin1Char('{');
        for (const ExtendedSpeedCalibrationPoint& point : zones) {
            text += point.toText() + QLatin1Char('!');
        }
        text += QStringLiteral("}/");
    }
    return text;
}

std::optional<SpeedCalibrationData::ExtendedTable>
SpeedCalibrationData::extendedFromText(const QString& text, const ExtendedTable& current) {
    const QStringList blocks = text.chopped(text.isEmpty() ? 0 : 1).split(QLatin1Char('/'));
    ExtendedTable parsed = current;
    bool ok = !text.isEmpty() && text.endsWith(QLatin1Char('/')) && blocks.size() == kSources;
    for (int source = 0; ok && source < kSources; ++source) {
        const QString& block = blocks[source];
        ok = block.startsWith(QLatin1Char('{')) && block.endsWith(QStringLiteral("!}"));
        const QStringList points = block.mid(1, block.size() - 3).split(QLatin1Char('!'));
        ok = ok && points.size() == kZones;
        for (int zone = 0; ok && zone < kZones; ++zone) {
            ok = parsed[source][zone].fromText(points[zone]);
        }
    }
    if (!ok) {
        return std::nullopt;
    }
    for (int source = 0; source < kSources; ++source) {
        for (int zone = 0; zone < kZones; ++zone) {
            parsed[source][zone].calibrationPointSource = source;
            parsed[source][zone].calibrationPointNumber = zone;
        }
    }
    return parsed;
}

bool SpeedCalibrationData::WriteExtendedConfiguration(const QString& fileName) const {
    return SerializationController::Serialize(extendedText(m_extendedCalibrationPoints), fileName,
                                              configFolder());
}

bool SpeedCalibrationData::ReadExtendedConfiguration(const QString& fileName) {
    const QString text = SerializationController::getSerializationString(fileName, configFolder());
    const std::optional<ExtendedTable> parsed = extendedFromText(text, m_extendedCalibrationPoints);
    if (!parsed) {
        logLine(QStringLiteral("Deserialization of extended calibration failde!!!!"),
                Logger::LOG_ERROR);
        if (!text.isEmpty()) {
            keepUnreadableCopy(fileName);
        }
        return false;
    }
    m_extendedCalibrationPoints = *parsed;
    return true;
}

// --- defaults and filling --------------------------------------------------------------------

void SpeedCalibrationData::initializeExtendedCalibrationData() {
    for (int source = 0; source < kSources; ++source) {
        for (int zone = 0; zone < kZones; ++zone) {
            ExtendedSpeedCalibrationPoint point;
            point.calibrationPointSource = source;
            point.calibrationPointNumber = zone;
            m_extendedCalibrationPoints[source][zone] = point;
        }
    }
}

void SpeedCalibrationData::populateExtendedWithBasicValues(bool sensorFactors) {
    for (int source = 0; source < kSources; ++source) {
        for (int zone = 0; zone < kZones; ++zone) {
            m_extendedCalibrationPoints[source][zone] = ExtendedSpeedCalibrationPoint(
                m_calibrationPoints[source][zone], source, sensorFactors);
        }
    }
}

void SpeedCalibrationData::setDefaultPointValues() {
    for (int zone = 0; zone < kZones; ++zone) {
        SpeedCalibrationPoint point;
        point.calibrationPointNumber = zone;
        point.realSpeed = calibrationmath::zoneCentre(zone, vesselMaxSpeed());
        if (!std::isfinite(point.realSpeed)) {
            point.realSpeed = 0.0f;
        }
        point.measuredSTW = point.realSpeed;
        point.measuredSOG = point.realSpeed;
        point.isSet = true;
        point.sogValid = true;
        m_calibrationPoints[DefaultSource][zone] = point;
        m_extendedCalibrationPoints[DefaultSource][zone] =
            ExtendedSpeedCalibrationPoint(point, DefaultSource, true);
    }
}

int SpeedCalibrationData::lowestCalibratedZone() const {
    for (int z = 0; z < kZones; ++z) {
        if (m_currentlyInUse[z] != DefaultSource) {
            return z;
        }
    }
    return -1;
}

// A is the upper reference, B the lower one; -1 is the origin. A missing neighbour is passed
// as the zone itself.
void SpeedCalibrationData::referenceZones(int upperZone, int lowerZone, int zone, int& a,
                                          int& b) const {
    const bool hasUpper = upperZone != zone;
    const bool hasLower = lowerZone != zone;
    if (hasUpper && hasLower) {
        a = upperZone;
        b = lowerZone;
    } else if (hasUpper) {
        a = upperZone;
        b = -1;
    } else {
        a = lowerZone;
        const int lowest = lowestCalibratedZone();
        b = lowest != lowerZone ? lowest : -1;
    }
}

void SpeedCalibrationData::adjustDefaultPointValues() {
    bool changed = false;
    for (int zone = 0; zone < kZones; ++zone) {
        if (m_currentlyInUse[zone] != DefaultSource) {
            continue;
        }
        int lower = zone;
        for (int z = zone - 1; z >= 0 && lower == zone; --z) {
            lower = m_currentlyInUse[z] != DefaultSource ? z : lower;
        }
        int upper = zone;
        for (int z = zone + 1; z < kZones && upper == zone; ++z) {
            upper = m_currentlyInUse[z] != DefaultSource ? z : upper;
        }
        if (lower == zone && upper == zone) {
            continue;
        }
        adjustExtendedPointValues(zone, upper, lower);
        int a = -1;
        int b = -1;
        referenceZones(upper, lower, zone, a, b);
        const auto reference = [this](int z) {
            if (z < 0) {
                return Reference{};
            }
            const SpeedCalibrationPoint& p = m_calibrationPoints[m_currentlyInUse[z]][z];
            return Reference{p.realSpeed, p.measuredSTW, p.usableSog()};
        };
        const Reference ra = reference(a);
        const Reference rb = reference(b);
        SpeedCalibrationPoint& target = m_calibrationPoints[DefaultSource][zone];
        float stw = target.measuredSTW;
        float sog = target.measuredSOG;
        if (calibrationmath::onLine(ra.real, ra.stw, rb.real, rb.stw, target.realSpeed, stw) &&
            calibrationmath::onLine(ra.real, ra.sog, rb.real, rb.sog, target.realSpeed, sog)) {
            target.measuredSTW = stw;
            target.measuredSOG = sog;
        }
        changed = true;
    }
    if (getSetPointNumber(DefaultSource) == kZones) {
        setDefaultPointValues();
        changed = true;
    }
    if (changed && m_extendedLoaded) {
        WriteExtendedConfiguration(kExtendedFile);
    }
    evaluateCalibrationStatus();
}

void SpeedCalibrationData::adjustExtendedPointValues(int zone, int upperZone, int lowerZone) {
    if (!isZone(zone) || !isZone(upperZone) || !isZone(lowerZone)) {
        return;
    }
    int a = -1;
    int b = -1;
    referenceZones(upperZone, lowerZone, zone, a, b);
    const ExtendedSpeedCalibrationPoint origin;
    const ExtendedSpeedCalibrationPoint& pa =
        a < 0 ? origin : m_extendedCalibrationPoints[m_currentlyInUse[a]][a];
    const ExtendedSpeedCalibrationPoint& pb =
        b < 0 ? origin : m_extendedCalibrationPoints[m_currentlyInUse[b]][b];
    ExtendedSpeedCalibrationPoint& target = m_extendedCalibrationPoints[DefaultSource][zone];

    // The measured speed on the line of one slot, at the true speed of the target's slot;
    // the slot keeps its value when no line can be drawn.
    const auto fill = [&](SpeedType type, bool high, float current) {
        const SingleSpeedCalibrationPoint& sa = pa.getSinglePoint(type, high);
        const SingleSpeedCalibrationPoint& sb = pb.getSinglePoint(type, high);
        float result = current;
        calibrationmath::onLine(sa.realSpeed, sa.measuredSpeed, sb.realSpeed, sb.measuredSpeed,
                                target.getSinglePoint(type, high).realSpeed, result);
        return result;
    };
    target.stwHighFrequencyPoint.measuredSpeed =
        fill(STW_speed, true, target.stwHighFrequencyPoint.measuredSpeed);
    target.stwLowFrequencyPoint.measuredSpeed =
        fill(STW_speed, false, target.stwLowFrequencyPoint.measuredSpeed);
    const float sog = fill(SOG_speed, false, target.sogLowFrequencyPoint.measuredSpeed);
    target.sogHighFrequencyPoint.measuredSpeed = sog;
    target.sogLowFrequencyPoint.measuredSpeed = sog;
}

void SpeedCalibrationData::getManSeaAutoDefaulValues() {
    for (int source = ManualSource; source < kSources; ++source) {
        for (int zone = 0; zone < kZones; ++zone) {
            SpeedCalibrationPoint point;
            point.calibrationPointNumber = zone;
            point.realSpeed = kFactorySpeeds[source - 1][zone];
            point.measuredSTW = point.realSpeed;
            point.measuredSOG = point.realSpeed;
            point.isSet = false;
            point.sogValid = true;
            m_calibrationPoints[source][zone] = point;
        }
    }
    m_currentlyInUse.fill(DefaultSource);
    WriteConfiguration();
    writeUsedPoints();
}

void SpeedCalibrationData::clearAllCalibrationData() {
    m_currentlyInUse.fill(DefaultSource);
    writeUsedPoints();
    setDefaultPointValues();
    for (const int source : {ManualSource, AutomaticSource}) {
        m_calibrationPoints[source] = m_calibrationPoints[DefaultSource];
        for (SpeedCalibrationPoint& point : m_calibrationPoints[source]) {
            point.isSet = false;
        }
    }
    WriteConfiguration();
    populateExtendedWithBasicValues(true);
    WriteExtendedConfiguration(kExtendedFile);
    evaluateCalibrationStatus();
}

void SpeedCalibrationData::slotMaxVesselSpeedChanged() {
    clearAllCalibrationData();
    emit sigSendAllCalibData();
}
