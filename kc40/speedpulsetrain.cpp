#include "speedpulsetrain.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

qint64 SpeedPulseTrain::pulsesPerHour(float knots, int pulsesPerMile) {
    // Far beyond any ship's speed the rate is cut rather than overflow.
    const double perHour = std::min(double(pulsesPerMile) * std::fabs(double(knots)), 1e12);
    const auto whole = qint64(perHour);
    return whole > 0 ? whole : kSlowestPulsesPerHour;
}

qint64 SpeedPulseTrain::pauseMs(std::optional<float> knots, int pulsesPerMile) {
    if (!knots) {
        return kInvalidPauseMs;
    }
    return std::max<qint64>(kMsPerHour / pulsesPerHour(*knots, pulsesPerMile) - kPulseMs, 0);
}

SpeedPulseTrain::SpeedPulseTrain(Source source, QObject* parent)
    : QObject(parent), m_source(std::move(source)) {
    connect(&m_timer, &PlatformTimer::timeout, this, [this] { generate(); });
}

void SpeedPulseTrain::start(qint64 ms) {
    m_pulse = true;
    m_written = false;
    m_timer.start(ms);
}

void SpeedPulseTrain::generate() {
    if (m_source.inStandby()) {
        return;
    }
    m_written = m_pulse;
    m_source.write(m_pulse);
    if (m_pulse) {
        m_timer.start(kPulseMs);
    } else {
        const std::optional<float> knots = m_source.knots();
        const int perMile = m_source.pulsesPerMile();
        if (knots && kMsPerHour / pulsesPerHour(*knots, perMile) < kPulseMs) {
            qWarning().noquote() << "Interval negative!!!"
                                 << "Longitudinal " + m_source.name + ":"
                                 << QString::number(*knots, 'f', 1);
        }
        m_timer.start(pauseMs(knots, perMile));
    }
    m_pulse = !m_pulse;
}
