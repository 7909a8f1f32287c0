#pragma once

#include "serialoutput.h"
#include "shipmotion.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Plays a ship's GPS receiver and gyro compass on one output: at start and then once a second
// it moves the ship on by the time that really passed and writes RMC, VTG, HDT, ROT and ZDA
// in one burst. With a ship file it also leaves there the ship's speeds for the sensor
// simulator to measure.
class NavSimulator : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeriodMs = 1000;

    NavSimulator(const ShipState& start, SerialOutput& output, QObject* parent = nullptr);

    void start();
    void sailLegs(double distance, int count) { m_motion.sailLegs(distance, count); }
    void setShipFile(const QString& path) { m_shipFile = path; }
    const ShipState& ship() const { return m_motion.state(); }

Q_SIGNALS:
    void sent(const QByteArray& burst);

private:
    void tick();

    ShipMotion m_motion;
    SerialOutput& m_output;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QString m_shipFile;
};
