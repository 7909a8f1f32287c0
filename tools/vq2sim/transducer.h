#pragma once

// What the sensor's transducer makes of the ship's true values before they reach its
// sentences. Each beam is inclined from the vertical by an angle that follows the speed of
// sound, and so the water temperature: the beam sees twice the speed along it times the sine of
// that angle, and measures depth as the slant range along it, with the small systematic error
// the unit corrects.
class Transducer {
public:
    // Beam angle from the vertical, degrees, from the transducer's data sheet.
    static double beamAngleDeg(double waterTemperatureC);
    // The Doppler speed a beam reports for a ship's speed along it.
    static double beamSpeed(double speedKn, double waterTemperatureC);
    // The slant range a beam reports for a depth below the transducer.
    static double slantRange(double depthM, double waterTemperatureC);
};
