#include "acknowledgement.h"

#include <algorithm>
#include <array>

namespace {
// The configuration, calibration, standby and alarm-list sentences of the unit.
constexpr std::array<QLatin1String, 23> kRequired = {
    QLatin1String("ICM5"),  QLatin1String("ICM6"),  QLatin1String("ICM7"),  QLatin1String("ICM8"),
    QLatin1String("ICM9"),  QLatin1String("ICM10"), QLatin1String("ICM11"), QLatin1String("ICM12"),
    QLatin1String("ICM13"), QLatin1String("ICM14"), QLatin1String("ICM15"), QLatin1String("ICM16"),
    QLatin1String("ICM18"), QLatin1String("ICM21"), QLatin1String("ICM24"), QLatin1String("ICM25"),
    QLatin1String("ICM27"), QLatin1String("ICM28"), QLatin1String("IDM11"), QLatin1String("ICM33"),
    QLatin1String("ICM39"), QLatin1String("ALRS"),  QLatin1String("DDC")};

const QString kSingle = QStringLiteral("0");
const QString kDatagram = QStringLiteral("1");
} // namespace

namespace Acknowledgement {
bool required(const QString& fullType) {
    return std::find(kRequired.begin(), kRequired.end(), fullType) != kRequired.end();
}

std::shared_ptr<MsgIDM> owedFor(const UdpMulticastGroupMsg& datagram) {
    QString types;
    bool owed = false;
    for (const UdpMulticastSingleMsg& line : datagram.msgsList) {
        if (line.nmeaMessage) {
            const QString type = line.nmeaMessage->fullType();
            types += type;
            owed = owed || required(type);
        }
    }
    if (!owed) {
        return nullptr;
    }
    return std::make_shared<MsgIDM>(
        1, msgCommands::MsgAck,
        QStringList{datagram.msgsList.size() == 1 ? kSingle : kDatagram, types});
}
} // namespace Acknowledgement
