#pragma once

#include <QString>

// One sysfs GPIO pin of the board ("C21", number "85"). Made, it exports the pin unless its
// folder is there already and sets its direction and the edge "both". Every access opens the
// pin's file, writes or reads it and closes it again; a file that cannot be opened is logged
// and the access has no effect.
class GPIO {
public:
    enum Direction { kOutput = 0, kInput = 1 };

    GPIO(const QString& name, const QString& number, Direction direction);

    // Outputs: drives the pin and remembers the state.
    void setState(bool state);
    void set() { setState(true); }
    void reset() { setState(false); }
    // The remembered state of an output, the pin's value for an input.
    bool getState() const;
    QString getGpioName() const { return gpioName; }
    Direction getDirection() const { return direction; }

private:
    QString file(const char* name) const;
    void write(const char* name, const QByteArray& text) const;

    QString gpioName;
    QString gpioNumber;
    Direction direction;
    bool state = false;
};
