#include "scenario.h"

#include <QFile>
#include <QJsonDocument>

#include <algorithm>

double Ramp::at(double seconds) const {
    return std::clamp(start + rate * seconds, min, max);
}

Ramp Ramp::fromJson(const QJsonValue& value, double fallback) {
    Ramp ramp{fallback};
    if (value.isDouble()) {
        ramp.start = value.toDouble();
    } else if (value.isObject()) {
        const QJsonObject o = value.toObject();
        ramp.start = o.value(QLatin1String("start")).toDouble(fallback);
        ramp.rate = o.value(QLatin1String("rate")).toDouble(0.0);
        ramp.min = o.value(QLatin1String("min")).toDouble(ramp.min);
        ramp.max = o.value(QLatin1String("max")).toDouble(ramp.max);
    }
    return ramp;
}

bool Scenario::fromJson(const QByteArray& json, Scenario& scenario, QString* error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        if (error) {
            *error = parseError.error != QJsonParseError::NoError
                         ? parseError.errorString()
                         : QStringLiteral("a scenario is a JSON object");
        }
        return false;
    }
    const QJsonObject o = document.object();
    Scenario s;
    const struct {
        const char* key;
        Ramp Scenario::*ramp;
    } ramps[] = {{"stwLong", &Scenario::stwLong},
                 {"stwTra", &Scenario::stwTra},
                 {"sogLong", &Scenario::sogLong},
                 {"sogTra", &Scenario::sogTra},
                 {"qualityWater", &Scenario::qualityWater},
                 {"qualityGround", &Scenario::qualityGround},
                 {"temperature", &Scenario::temperature},
                 {"tiltX", &Scenario::tiltX},
                 {"tiltY", &Scenario::tiltY},
                 {"tiltZ", &Scenario::tiltZ},
                 {"depthFwd", &Scenario::depthFwd},
                 {"depthAft", &Scenario::depthAft}};
    for (const auto& entry : ramps) {
        s.*entry.ramp = Ramp::fromJson(o.value(QLatin1String(entry.key)), (s.*entry.ramp).start);
    }
    s.firmware = o.value(QLatin1String("firmware")).toInt(s.firmware);
    s.serialNumber = o.value(QLatin1String("serialNumber")).toString(s.serialNumber);
    const QJsonObject f = o.value(QLatin1String("faults")).toObject();
    s.faults.silent = f.value(QLatin1String("silent")).toBool();
    s.faults.noAnswers = f.value(QLatin1String("noAnswers")).toBool();
    s.faults.answerDelayMs = f.value(QLatin1String("answerDelayMs")).toInt();
    s.faults.badChecksumEvery = f.value(QLatin1String("badChecksumEvery")).toInt();
    s.faults.garbageEvery = f.value(QLatin1String("garbageEvery")).toInt();
    s.faults.splitWrites = f.value(QLatin1String("splitWrites")).toBool();
    s.faults.pairWrites = f.value(QLatin1String("pairWrites")).toBool();
    s.faults.stuck = f.value(QLatin1String("stuck")).toBool();
    s.faults.eraseNeverEnds = f.value(QLatin1String("eraseNeverEnds")).toBool();
    s.faults.cutEvery = f.value(QLatin1String("cutEvery")).toInt();
    s.faults.burstEvery = f.value(QLatin1String("burstEvery")).toInt();
    s.faults.silenceEverySeconds = f.value(QLatin1String("silenceEverySeconds")).toInt();
    s.faults.silenceSeconds = f.value(QLatin1String("silenceSeconds")).toInt();
    s.faults.reopenEverySeconds = f.value(QLatin1String("reopenEverySeconds")).toInt();
    scenario = s;
    return true;
}

bool Scenario::load(const QString& path, Scenario& scenario, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return fromJson(file.readAll(), scenario, error);
}

QString Scenario::help() {
    return QStringLiteral(
        "Scenario: a JSON object; every key is optional.\n"
        "  Quantities (a number, or {\"start\": x, \"rate\": per second, \"min\": a, \"max\": "
        "b}):\n"
        "    stwLong, stwTra        water-track speeds, knots (default 5.0, 0.0)\n"
        "    sogLong, sogTra        bottom-track speeds, knots (default 5.2, 0.1)\n"
        "    qualityWater, qualityGround   signal qualities 0..10 (default 8, 9)\n"
        "    temperature            water temperature, degrees C (default 12.5)\n"
        "    tiltX, tiltY, tiltZ    accelerometer offsets from level, thousandths of g (default "
        "0)\n"
        "    depthFwd, depthAft     beam depths, metres (default 25.0, 25.5);\n"
        "                           shoaling: {\"start\": 30, \"rate\": -0.5, \"min\": 2}\n"
        "  firmware      SNF firmware number: 214 sends DAT4 only, 305 or above DAT4 and DAT5\n"
        "  serialNumber  SNF serial number text\n"
        "  faults        {\"silent\": true}            send nothing\n"
        "                {\"noAnswers\": true}         never echo CFG, TST or SNF\n"
        "                {\"answerDelayMs\": 2500}     echo late\n"
        "                {\"badChecksumEvery\": 5}     every 5th DAT has a wrong checksum\n"
        "                {\"garbageEvery\": 3}         noise before every 3rd DAT\n"
        "                {\"splitWrites\": true}       each sentence in two writes\n"
        "                {\"pairWrites\": true}        DAT4 and DAT5 in one write\n"
        "                {\"stuck\": true}             identical water and ground speeds,\n"
        "                                            never changing\n"
        "                {\"eraseNeverEnds\": true}    the PROM stays busy after an erase\n"
        "                {\"cutEvery\": 11}           every 11th DAT breaks off halfway\n"
        "                {\"burstEvery\": 60}         every 60th ping cycle sends 100 DAT4\n"
        "                {\"silenceEverySeconds\": 110, \"silenceSeconds\": 30}\n"
        "                                            silent for the last 30 s of every 110 s\n"
        "                {\"reopenEverySeconds\": 50} drop the line and offer a new one\n"
        "Example: {\"stwLong\": {\"start\": 0, \"rate\": 0.2, \"max\": 12}, \"firmware\": 214}\n");
}
