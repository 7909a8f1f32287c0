#include "navsimulator.h"

#include "navsentences.h"
#include "shipspeeds.h"

NavSimulator::NavSimulator(const ShipState& start, SerialOutput& output, QObject* parent)
    : QObject(parent), m_motion(start), m_output(output) {
    m_timer.setInterval(kPeriodMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &NavSimulator::tick);
}

void NavSimulator::start() {
    m_clock.start();
    m_timer.start();
    tick();
}

void NavSimulator::tick() {
    m_motion.advance(static_cast<double>(m_clock.restart()) / 1000.0);
    const QByteArray burst = NavSentences::all(m_motion.state()).join();
    m_output.write(burst);
    if (!m_shipFile.isEmpty()) {
        // Straight through still water: the ship makes good what it makes through the water.
        const double speed = m_motion.state().speed;
        ShipSpeeds{speed, 0.0, speed, 0.0}.write(m_shipFile);
    }
    Q_EMIT sent(burst);
}
