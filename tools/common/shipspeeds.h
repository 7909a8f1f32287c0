#pragma once

#include <QString>

#include <optional>

// The ship's speeds in its own axes, knots, as the navigation simulator sails it and the sensor
// simulator measures them: a small JSON file one writes once a second and the other reads,
// {"stwLong": 12.0, "stwTra": 0.0, "sogLong": 12.0, "sogTra": 0.0}.
struct ShipSpeeds {
    double stwLong = 0.0;
    double stwTra = 0.0;
    double sogLong = 0.0;
    double sogTra = 0.0;

    // Whole or not at all, so that a reader never sees half a file.
    bool write(const QString& path) const;
    // None when the file is missing or not such a file.
    static std::optional<ShipSpeeds> read(const QString& path);
};
