#pragma once

#include "serialoutput.h"
#include "shipmotion.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Plays a ship's GPS receiver and gyro compass on one output: at start and then once a second
// it moves the ship on by the time that really passed and writes RMC, VTG, HDT, ROT and ZDA
// in one burst.
class NavSimulator : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeriodMs = 1000;

    NavSimulator(const ShipState& start, SerialOutput& output, QObject* parent = nullptr);

    void start();
    const ShipState& ship() const { return m_motion.state(); }

Q_SIGNALS:
    void sent(const QByteArray& burst);

private:
    void tick();

    ShipMotion m_motion;
    SerialOutput& m_output;
    QTimer m_timer;
    QElapsedTimer m_clock;
};
