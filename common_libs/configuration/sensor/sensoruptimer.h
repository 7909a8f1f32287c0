#pragma once

#include "setuprecord.h"

#include <QObject>
#include <QString>

// Sensor running time counted in sensor messages, file "sensor_timer".
struct SensorUpTimer_S {
    Q_GADGET
    Q_PROPERTY(QString serialNumber MEMBER serialNumber)
    Q_PROPERTY(int msgCount MEMBER msgCount)
    Q_PROPERTY(int hourCount MEMBER hourCount)
public:
    QString serialNumber = QStringLiteral("150000");
    int msgCount = 0;
    int hourCount = 0;
};

// One sensor message stands for 0.56 s, so 90000 messages make 14 hours; the message count
// rolls over into the hour count there.
class SensorUpTimer : public QObject, public SetupRecord<SensorUpTimer_S> {
    Q_OBJECT
public:
    static constexpr int kMessagesPerRollover = 90000;
    static constexpr int kHoursPerRollover = 14;
    static constexpr int kMessagesPerSave = 10000;

    explicit SensorUpTimer(QObject* parent = nullptr);

    void getDefaults(int level) override;
    // "h:mm:ss", hours not padded.
    QString getUpTime() const;
    // A different sensor restarts the count.
    void setSerialNumber(const QString& serialNumber);
    int getDelta() const { return m_delta; }
    void setDelta(int delta) { m_delta = delta; }

public slots:
    void slotIncMsgCount(int messages);
    void slotClearDelta() { m_delta = 0; }

private:
    int m_delta = 0;
};
