#include "junctionboxfile.h"

#include "platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

QString JunctionBoxFile::path() {
    return Platform::path(QLatin1String(kBoardPath));
}

QString JunctionBoxFile::ledsPath() {
    return Platform::path(QLatin1String(kLedsBoardPath));
}

QString JunctionBoxFile::vq1FramesPath() {
    return Platform::path(QLatin1String(kVq1FramesBoardPath));
}

namespace {
void take(const QJsonObject& object, const char* key, double& value) {
    const QJsonValue found = object.value(QLatin1String(key));
    if (found.isDouble()) {
        value = found.toDouble();
    }
}

void take(const QJsonObject& object, const char* key, int& value) {
    const QJsonValue found = object.value(QLatin1String(key));
    if (found.isDouble()) {
        value = found.toInt();
    }
}

JunctionBoxDescription::Vq1 vq1From(const QJsonObject& object) {
    JunctionBoxDescription::Vq1 vq1;
    vq1.fitted = true;
    // A speed of null is the log's "no value".
    vq1.speedValid = !object.value(QLatin1String("speed")).isNull();
    take(object, "speed", vq1.speed);
    take(object, "forward_speed", vq1.forwardSpeed);
    take(object, "forward_quality", vq1.forwardQuality);
    take(object, "aft_speed", vq1.aftSpeed);
    take(object, "aft_quality", vq1.aftQuality);
    take(object, "trip", vq1.trip);
    take(object, "total", vq1.total);
    take(object, "temperature", vq1.temperature);
    return vq1;
}

QJsonObject vq1To(const JunctionBoxDescription::Vq1& vq1) {
    return {{"speed", vq1.speedValid ? QJsonValue(vq1.speed) : QJsonValue()},
            {"forward_speed", vq1.forwardSpeed},
            {"forward_quality", vq1.forwardQuality},
            {"aft_speed", vq1.aftSpeed},
            {"aft_quality", vq1.aftQuality},
            {"trip", vq1.trip},
            {"total", vq1.total},
            {"temperature", vq1.temperature}};
}
} // namespace

JunctionBoxDescription JunctionBoxFile::read(const QString& file) {
    JunctionBoxDescription description;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return description;
    }
    const QJsonObject root = QJsonDocument::fromJson(in.readAll()).object();
    const QJsonObject adc = root.value(QLatin1String("adc")).toObject();
    for (std::size_t i = 0; i < description.adc.size(); ++i) {
        take(adc, JunctionBoxDescription::kAdcKeys[i], description.adc[i]);
    }
    take(root, "board_temperature", description.boardTemperature);
    const QJsonObject eeprom = root.value(QLatin1String("eeprom")).toObject();
    if (const QJsonValue id = eeprom.value(QLatin1String("id")); id.isDouble()) {
        description.eepromId = static_cast<quint32>(id.toInteger());
    }
    if (const QJsonValue version = eeprom.value(QLatin1String("hardware_version"));
        version.isString()) {
        description.hardwareVersion = version.toString();
    }
    if (const QJsonValue vq1 = root.value(QLatin1String("vq1")); vq1.isObject()) {
        description.vq1 = vq1From(vq1.toObject());
    }
    for (const QJsonValue part : root.value(QLatin1String("not_answering")).toArray()) {
        description.notAnswering << part.toString();
    }
    return description;
}

bool JunctionBoxFile::write(const QString& file, const JunctionBoxDescription& description) {
    QJsonObject adc;
    for (std::size_t i = 0; i < description.adc.size(); ++i) {
        adc.insert(QLatin1String(JunctionBoxDescription::kAdcKeys[i]), description.adc[i]);
    }
    QJsonObject root{{"adc", adc},
                     {"board_temperature", description.boardTemperature},
                     {"eeprom", QJsonObject{{"id", qint64(description.eepromId)},
                                            {"hardware_version", description.hardwareVersion}}},
                     {"not_answering", QJsonArray::fromStringList(description.notAnswering)}};
    if (description.vq1.fitted) {
        root.insert(QLatin1String("vq1"), vq1To(description.vq1));
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    out.write(QJsonDocument(root).toJson());
    return out.commit();
}

const JunctionBoxDescription& JunctionBoxFile::current() {
    const QFileInfo info(m_file);
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    const qint64 size = info.exists() ? info.size() : -1;
    if (!m_read || modified != m_modified || size != m_size) {
        m_description = read(m_file);
        m_modified = modified;
        m_size = size;
        m_read = true;
    }
    return m_description;
}
