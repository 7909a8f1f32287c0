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
//
// For a sea test the ship sails legs instead: straight over a known distance, then it turns back
// on the spot onto the reciprocal course for the next leg, and stops after the last one.
class ShipMotion {
public:
    explicit ShipMotion(const ShipState& start);

    // From now on: `count` legs of `distance` nautical miles each.
    void sailLegs(double distance, int count);
    // The leg under way, 1 for the first; 0 when not sailing legs or after the last.
    int leg() const { return m_legsLeft > 0 ? m_legCount - m_legsLeft + 1 : 0; }

    void advance(double seconds);
    const ShipState& state() const { return m_state; }

    // Near the poles a flat earth breaks down; the ship is held short of them.
    static constexpr double kMaxLatitude = 89.0;

private:
    void step(double seconds);
    // Seconds until the leg's distance is sailed; a second or more when not sailing legs.
    double secondsToLegEnd() const;
    void endLeg();

    ShipState m_state;
    double m_legDistance = 0.0;
    double m_legSailed = 0.0;
    int m_legCount = 0;
    int m_legsLeft = 0;
};
