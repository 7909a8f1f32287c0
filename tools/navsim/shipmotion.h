#pragma once

#include <QDateTime>

// Where the simulated ship is and how it moves. Angles in degrees (course and heading true,
// clockwise from north), speed in knots, rate of turn in degrees per minute (negative to port).
struct ShipState {
    double latitude = 59.9;  // north positive
    double longitude = 10.7; // east positive
    double course = 45.0;
    double speed = 12.0;
    double rateOfTurn = 0.0;
    QDateTime utc;
};

// Dead reckoning of a ship on a steady speed and rate of turn: the course turns at the rate of
// turn, the position follows the course over a locally flat earth (one minute of latitude is one
// nautical mile). Long intervals are taken in one-second steps, so that a turning ship follows
// its arc. The heading is the course (no drift).
class ShipMotion {
public:
    explicit ShipMotion(const ShipState& start);

    void advance(double seconds);
    const ShipState& state() const { return m_state; }

    // Near the poles a flat earth breaks down; the ship is held short of them.
    static constexpr double kMaxLatitude = 89.0;

private:
    void step(double seconds);

    ShipState m_state;
};
