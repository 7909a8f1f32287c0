#include "gpio.h"

#include "platform.h"

#include <QDebug>
#include <QFile>

GPIO::GPIO(const QString& name, const QString& number, Direction pinDirection)
    : gpioName(name), gpioNumber(number), direction(pinDirection) {
    if (!QFile::exists(file("/value")) && !GpioPins::exportPin(gpioNumber, gpioName)) {
        qWarning().noquote() << "Could not open file for writing" << gpioNumber;
    }
    write("/direction", direction == kOutput ? "out" : "in");
    write("/edge", "both");
}

QString GPIO::file(const char* name) const {
    return GpioPins::folder(gpioName) + QLatin1String(name);
}

void GPIO::write(const char* name, const QByteArray& text) const {
    QFile out(file(name));
    if (!out.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << "Could not open file for writing" << out.fileName();
        return;
    }
    out.write(text);
}

void GPIO::setState(bool newState) {
    if (direction != kOutput) {
        return;
    }
    state = newState;
    write("/value", state ? "1" : "0");
}

bool GPIO::getState() const {
    if (direction == kOutput) {
        return state;
    }
    QFile in(file("/value"));
    if (!in.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "Could not open file for reading" << in.fileName();
        return false;
    }
    return in.readLine().trimmed() == "1";
}
