#pragma once

#include <QJsonObject>
#include <QString>

// One simulated quantity: a start value changing at a constant rate per second, held within
// [min, max]. A constant is a ramp with rate 0; a shoaling bottom is a depth with a negative
// rate and a floor.
struct Ramp {
    double start = 0.0;
    double rate = 0.0;
    double min = -1e9;
    double max = 1e9;

    double at(double seconds) const;
    // A number, or an object {"start", "rate", "min", "max"}.
    static Ramp fromJson(const QJsonValue& value, double fallback);
};

// Faults the simulated sensor produces on demand.
struct Faults {
    bool silent = false;         // sends nothing at all
    bool noAnswers = false;      // never echoes CFG, TST or SNF
    int answerDelayMs = 0;       // echoes this late
    int badChecksumEvery = 0;    // every n-th DAT carries a wrong checksum
    int garbageEvery = 0;        // every n-th DAT is preceded by noise
    bool splitWrites = false;    // each sentence leaves in two writes
    bool pairWrites = false;     // DAT4 and DAT5 leave in one write
    bool stuck = false;          // ground speeds equal water speeds, unchanging
    bool eraseNeverEnds = false; // the PROM stays busy after a bulk erase
    int cutEvery = 0;            // every n-th DAT breaks off halfway, the rest never comes
    int burstEvery = 0;          // every n-th ping cycle pours out a hundred DAT4 at once
    int silenceEverySeconds = 0; // the last silenceSeconds of each such period are silent
    int silenceSeconds = 0;
    int reopenEverySeconds = 0; // the line is dropped and a new one offered this often
};

// What the simulated sensor measures and how it misbehaves, read from a small JSON file.
struct Scenario {
    Ramp stwLong{5.0};
    Ramp stwTra{0.0};
    Ramp sogLong{5.2};
    Ramp sogTra{0.1};
    Ramp qualityWater{8.0};
    Ramp qualityGround{9.0};
    Ramp temperature{12.5};
    // Offsets from a level sensor, thousandths of g: a level sensor reads 0, 0, 0.
    Ramp tiltX{0.0};
    Ramp tiltY{0.0};
    Ramp tiltZ{0.0};
    Ramp depthFwd{25.0};
    Ramp depthAft{25.5};
    // 214: a sensor that sends DAT4 only; 305 and above also DAT5.
    int firmware = 305;
    QString serialNumber = QStringLiteral("2-117");
    Faults faults;

    // False with a message when the text is not a scenario.
    static bool fromJson(const QByteArray& json, Scenario& scenario, QString* error);
    static bool load(const QString& path, Scenario& scenario, QString* error);
    static QString help();
};
