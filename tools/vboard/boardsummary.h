#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class MsgICM;
class NmeaMessage;

// What an officer would read off the unit's outputs: fed with the sentences heard on its
// channels, it keeps the latest speeds, depth, temperature, distances, current and alerts, and
// counts per channel the sentences and bytes of each second. A sentence with a bad checksum or
// an unusable field is counted as bad and changes no value; an empty field clears its value,
// as the unit sends empty fields for values it does not have. It also keeps the unit's state:
// standby as the unit confirms it, the mute it commands on the sensor line, the output mode
// of its vessel/sensor setup and, from the simulation settings the unit confirms, what its
// outputs come from: the sensor, a simulation or a demonstration. A sensor firmware upgrade
// shows as the unit reports it to the display (RUS): the share of the image sent, the erase
// waited for, the end or why it failed.
class BoardSummary {
public:
    // Speeds from VBW, knots; the resultant is formed from the longitudinal and transverse.
    struct Speed {
        std::optional<double> longitudinal;
        std::optional<double> transverse;
        QString status;
        std::optional<double> resultant() const;
    };
    struct Distances {
        std::optional<double> waterTotal;
        std::optional<double> waterTrip;
        std::optional<double> groundTotal;
        std::optional<double> groundTrip;
    };
    struct Current {
        QString validity;
        std::optional<double> speed;
        std::optional<double> direction;
    };
    // One alert as its last ALF or ALR showed it. ALF state letters: V active unacknowledged,
    // S silenced, A acknowledged, O responsibility transferred, U rectified unacknowledged,
    // N normal. ALR: condition and acknowledge letters.
    struct Alert {
        QString state;
        QString text;
    };
    struct Traffic {
        int sentences = 0;
        qint64 bytes = 0;
        int bad = 0;
    };

    // A sentence heard on a channel ("Nmea_1", "Nmea_2", "LAN"), CR LF included or not.
    void addSentence(const QString& channel, const QString& sentence);
    // The text of an IEC 61162-450 datagram (after its header): each line, tag block dropped.
    // Counts the datagram's bytes for "LAN".
    void addDatagramText(const QString& text, qint64 datagramBytes);
    // Bytes seen on a line that is not cut into sentences here (debug).
    void addBytes(const QString& channel, qint64 bytes);
    // Bytes the unit wrote on the sensor line, in order: counted for "sensor" and searched for
    // the mute and unmute commands, which a read may cut in two.
    void addSensorBytes(const QByteArray& bytes);
    // The text of the unit's stored vessel/sensor setup file: its output mode stands until the
    // unit reports another.
    void addStoredVesselSetup(const QByteArray& fileText);
    // Ends the second: its counts become the per-second figures.
    void closeSecond();

    const Speed& water() const { return m_water; }
    const Speed& ground() const { return m_ground; }
    std::optional<double> depth() const { return m_depth; }
    std::optional<double> depthOffset() const { return m_depthOffset; }
    std::optional<double> temperature() const { return m_temperature; }
    const Distances& distances() const { return m_distances; }
    const Current& current() const { return m_current; }
    // Alerts not back to normal, keyed "identifier.instance" (ALF) or "ALR identifier".
    QMap<QString, Alert> activeAlerts() const;
    // The last complete second of a channel.
    Traffic lastSecond(const QString& channel) const { return m_lastSecond.value(channel); }

    // The screen: values, unit state, alerts and traffic, one item a line.
    QStringList render(const QStringList& channels) const;

private:
    // The unit's output cycle and these seconds are not in step: a second may miss its VBW.
    static constexpr int kVbwGraceSeconds = 2;

    // Parses one sentence and applies it; false when it is not usable. The destination is
    // that of the sentence's tag block, empty for one sent to everyone.
    bool take(const QString& sentence, const QString& destination = QString());
    void apply(const NmeaMessage& message);
    void applyCommand(const MsgICM& command);
    void takeMuteCommand(bool mute);
    QString standbyLine() const;
    QString sensorLine() const;
    QString outputModeLine() const;
    QString sourceLine() const;
    void takeUpgradeReport(const QString& sentence);
    QString upgradeLine() const;

    Speed m_water;
    Speed m_ground;
    std::optional<double> m_depth;
    std::optional<double> m_depthOffset;
    std::optional<double> m_temperature;
    Distances m_distances;
    Current m_current;
    QMap<QString, Alert> m_alerts;
    std::optional<bool> m_standby; // as the unit last confirmed it
    bool m_vbwThisSecond = false;
    int m_secondsWithoutVbw = kVbwGraceSeconds; // closed seconds since the last with a VBW
    std::optional<bool> m_muteCommanded;
    int m_muteCommands = 0;  // the last command and its repeats in a row
    QByteArray m_sensorTail; // sensor-line bytes that may begin a command
    QString m_outputMode;
    QString m_outputModeSource;
    // The simulation settings as the unit last confirmed them (ICM 7, state 2).
    std::optional<QList<int>> m_simulation;
    // The last RUS: its fields and the sentence.
    QStringList m_upgradeReport;
    QString m_upgradeSentence;
    QMap<QString, Traffic> m_thisSecond;
    QMap<QString, Traffic> m_lastSecond;
};
