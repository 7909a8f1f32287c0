#include "spiextension.h"

#include "logger.h"
#include "platform.h"
#include "systemvariables.h"

#include <QDebug>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

std::optional<Vq1Answer> Vq1Answer::decode(const QByteArray& received) {
    constexpr qint32 kNoSpeed = -9999;
    if (received.size() < 27 || quint8(received[26]) != 0xaa) {
        return std::nullopt;
    }
    const auto at = [&received](int offset) {
        return qFromLittleEndian<qint32>(received.constData() + offset);
    };
    Vq1Answer answer;
    if (at(0) != kNoSpeed) {
        answer.speed = float(at(0)) / 10.0f;
    }
    answer.forwardSpeed = float(at(4)) / 10.0f;
    answer.forwardQuality = quint8(received[8]);
    answer.aftSpeed = float(at(9)) / 10.0f;
    answer.aftQuality = quint8(received[13]);
    answer.trip = at(14) / 100.0;
    answer.total = at(18) / 100.0;
    answer.temperature = float(at(22)) / 10.0f;
    return answer;
}

bool SpiExtension::init() {
    fd = SpiDevice::open();
    if (!fd) {
        qWarning() << "Error init SPI";
        return false;
    }
    const bool steps[] = {
        fd->writeMode(nSpiMode),
        fd->readMode().has_value(),
        fd->writeBitsPerWord(nSpiBitesPrWord),
        fd->readBitsPerWord().has_value(),
        fd->writeMaxSpeed(nSpiSpeed),
        fd->readMaxSpeed().has_value(),
    };
    bool all = true;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        if (!steps[i]) {
            qWarning().noquote() << QStringLiteral("Error %1 SPI_IOC_MESSAGE").arg(i + 1);
            all = false;
        }
    }
    return all;
}

bool SpiExtension::sendCommand(quint8 command, quint8 subcommand, const QByteArray& data) {
    bufRec.fill('\0');
    bufSend.fill('\0');
    if (!fd) {
        return false;
    }
    bufSend[0] = static_cast<char>(command);
    bufSend[1] = static_cast<char>(subcommand);
    bufSend.replace(2, std::min<qsizetype>(data.size(), kFrameBytes - 2),
                    data.left(kFrameBytes - 2));
    const std::optional<QByteArray> answer = fd->transfer(bufSend, nSpiSpeed, 8);
    if (!answer) {
        qWarning().noquote() << "Error SPI_IOC_MESSAGE. errno: " << std::strerror(errno);
        return false;
    }
    bufRec = answer->leftJustified(kFrameBytes, '\0', true);
    return true;
}

bool SpiExtension::getVQ1Speed(SystemVariables& store) {
    constexpr quint8 kSpeedRequest = 0x4b;
    if (!sendCommand(kSpeedRequest, 0)) {
        return false;
    }
    const std::optional<Vq1Answer> answer = Vq1Answer::decode(bufRec);
    if (!answer) {
        return false;
    }
    const auto stamp = static_cast<quint64>(Clock::currentMSecsSinceEpoch());
    if (answer->speed) {
        store.speedToWater_VQ1.setValue(*answer->speed, stamp);
    }
    store.waterDistanceSinceResetVQ1.setValue(answer->trip, stamp);
    store.totalCumulativeWaterDistanceVQ1.setValue(answer->total, stamp);
    Logger::instance()->append(
        QStringLiteral("VQ1: %1, FWD: %2, AFT: %3, TEMP: %4, Qfwd: %5, Qaft: %6")
            .arg(answer->speed ? QString::number(*answer->speed) : QStringLiteral("-"))
            .arg(answer->forwardSpeed)
            .arg(answer->aftSpeed)
            .arg(answer->temperature)
            .arg(answer->forwardQuality)
            .arg(answer->aftQuality),
        Logger::LOG_INFO);
    return true;
}

QByteArray SpiExtension::tripTotalData(float trip, float total) {
    QByteArray data;
    for (const float value : {trip, total}) {
        // 24 bits hold 167772.15 nm; a larger distance is sent as that.
        const auto hundredths =
            static_cast<quint32>(std::clamp(std::lround(double(value) * 100.0), 0L, 0xffffffL));
        data.append(static_cast<char>((hundredths >> 16) & 0xff));
        data.append(static_cast<char>((hundredths >> 8) & 0xff));
        data.append(static_cast<char>(hundredths & 0xff));
    }
    return data;
}

void SpiExtension::setTripTotal(float trip, float total) {
    constexpr quint8 kSettings = 0x21;
    constexpr quint8 kTripTotal = 2;
    qDebug() << "*****************TRIP RESET<*******************";
    sendCommand(kSettings, kTripTotal, tripTotalData(trip, total));
}
