#pragma once

#include "exponentialfilter.h"
#include "movingaveragewithslewratelimit.h"
#include "nmeamessage.h"
#include "nmeaparser.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

// What a varFloat with averaging returns.
enum UseOutputFrom {
    MOVING_AVERAGE = 0,
    MOVING_AVERAGE_WITH_SLEW_LIMIT = 1,
    EXPONENTIAL_FILTER = 2,
};

// Two sensor data sets a second; one sample per this many ms fills one second of window.
inline constexpr double SENSOR_DATA_FREQUENCY = 2.0;
inline constexpr double AVERAGING_TIME_CONSTANT = 2000.0 / SENSOR_DATA_FREQUENCY;

// The bookkeeping every run-time value shares: validity, status, age in one-second ticks and
// the time stamp of the last update. A value not refreshed for validityPeriod ticks expires.
class VarBase : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultValidityPeriod = 10;

    bool getValidity() const { return validity; }
    int getStatus() const { return status; }
    quint64 getTimeStamp() const { return timeStamp; }
    int getValidityPeriod() const { return validityPeriod; }
    void setValidityPeriod(int period) { validityPeriod = period; }
    int getTimeCouter() const { return timeCouter; }
    void setTimeCouter(int count) { timeCouter = count; }
    void increaseTimeCounter();

public Q_SLOTS:
    void slotIncreaseTimeCounter() { increaseTimeCounter(); }

protected:
    using QObject::QObject;
    // The common step of every update: stamp, restart the age, mark refreshed.
    void markUpdated(quint64 stamp, bool valid);
    // Called when the value has not been refreshed for validityPeriod ticks.
    virtual void expire() = 0;

    bool validity = false;
    int status = 0;
    int timeCouter = 0;
    int validityPeriod = kDefaultValidityPeriod;
    quint64 timeStamp = 0;
};

class varInt : public VarBase {
    Q_OBJECT
public:
    using VarBase::VarBase;
    int getValue() const { return value; }
    void setValue(int newValue, quint64 stamp);
    // Invalidating also makes the value absent.
    void setValidity(bool valid);

protected:
    void expire() override { setValidity(false); }

private:
    int value = kAbsentInt;
};

class varDouble : public VarBase {
    Q_OBJECT
public:
    using VarBase::VarBase;
    double getValue() const { return value; }
    // Valid exactly when the value is not the absent marker (the largest float).
    void setValue(double newValue, quint64 stamp);
    void setValidity(bool valid);

protected:
    void expire() override { setValidity(false); }

private:
    double value = 0.0;
};

class varString : public VarBase {
    Q_OBJECT
public:
    using VarBase::VarBase;
    QString getValue() const { return value; }
    void setValue(const QString& newValue, quint64 stamp);
    void setValidity(bool valid) { validity = valid; }

protected:
    void expire() override { validity = false; }

private:
    QString value;
};

// The last received sentence of one kind. Holds its own copy; the caller keeps its sentence.
class varNmeaMsg : public VarBase {
    Q_OBJECT
public:
    using VarBase::VarBase;
    const NmeaMessage* getNmeaMessage() const { return nmeaMessage.get(); }
    void setNmeaMessage(const NmeaMessage& message, quint64 stamp);
    void setValidity(bool valid) { validity = valid; }

protected:
    void expire() override { validity = false; }

private:
    std::unique_ptr<NmeaMessage> nmeaMessage;
};

// A sliding time window of samples (ms time stamps). The number of samples required for a
// valid mean grows with the window until it equals the averaging time in seconds.
class varFloatAvg {
public:
    virtual ~varFloatAvg() = default;

    void append(float value, quint64 stamp);
    // Drops the samples at least averagingTime old at `now` and adapts minCount.
    void removeOld(quint64 now);
    // False for an empty or wholly outdated window (an outdated window is emptied).
    bool checkTime(quint64 now);
    float getAverageValue(quint64 now);
    bool getAverageValidity(quint64 now);
    float getMinValue() const;
    float getMaxValue() const;
    float getLastValue() const;
    void clear();
    int count() const { return static_cast<int>(values.size()); }

    quint64 averagingTime = 10000;
    quint64 defaultAveragingTime = 10;
    int minCount = 1;

private:
    QList<float> values;
    QList<quint64> timeStamps;
};

// A measured value with validity and age, and optionally a window mean, a slew-limited
// moving average or an exponential filter behind it.
class varFloat : public VarBase {
    Q_OBJECT
public:
    explicit varFloat(QObject* parent = nullptr) : VarBase(parent) {}

    float getValue();
    float getSingleValue() const { return value; }
    // Valid exactly when the value is not the largest float; feeds the chosen filter.
    void setValue(float newValue, quint64 stamp);
    bool getValidity();
    // Invalidating makes the value absent and restarts the exponential filter.
    void setValidity(bool valid);

    float getLastValue() const;
    float getMinValue() const { return average.getMinValue(); }
    float getMaxValue() const { return average.getMaxValue(); }
    bool getUseAverage() const { return useAverage; }
    void setUseAverage(bool use) { useAverage = use; }
    quint64 getAveragingPeriodS() const;
    void setAveragingPeriodS(quint64 seconds);
    void setDefaultAveragingPeriodS(quint64 seconds);
    quint64 getDefaultAveragingPeriodS() const { return average.defaultAveragingTime; }
    void resetAveragingPeriodS() { setAveragingPeriodS(average.defaultAveragingTime); }
    void clearAverage() { average.clear(); }
    void setOutputFrom(UseOutputFrom from) { outputFrom = from; }
    UseOutputFrom getOutputFrom() const { return outputFrom; }
    bool getUseExponentialFilter() const { return useExponentialFilter; }
    bool getUseSlewLimit() const { return useSlewLimit; }

protected:
    void expire() override;

private:
    float value = kAbsentFloat;
    varFloatAvg average;
    bool useAverage = false;
    bool useExponentialFilter = true;
    bool useSlewLimit = true;
    UseOutputFrom outputFrom = MOVING_AVERAGE;
    ExponentialFilter exponentialFilter;
    MovingAverageWithSlewRateLimit slewLimit;
};

// Plain value holders for the setup properties.
template <class T> class ValueWrapper : public QObject {
public:
    explicit ValueWrapper(T value = T()) : m_value(value) {}
    ValueWrapper(const ValueWrapper& other) : QObject(), m_value(other.m_value) {}
    ValueWrapper& operator=(const ValueWrapper& other) {
        m_value = other.m_value;
        return *this;
    }
    T getValue() const { return m_value; }
    void setValue(T value) { m_value = value; }

private:
    T m_value;
};

using FloatWrapper = ValueWrapper<float>;
using IntWrapper = ValueWrapper<int>;
using BoolWrapper = ValueWrapper<bool>;
