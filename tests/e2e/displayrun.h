#pragma once

#include "boardrun.h"
#include "msgicm.h"
#include "msgidm.h"
#include "multicasttesting.h"
#include "nmeaparser.h"
#include "udpmulticastcreator.h"
#include "udpmulticastsinglemsg.h"

#include <QHostAddress>

#include <memory>

// A board run with a display unit on the ship's network. The unit is put on a multicast group
// of its own (PROP unless a run names another), which no other run uses, so that what the
// display commands reaches this unit only; the tests of one group hold one lock and run one at
// a time.
class DisplayRun : public BoardRun {
protected:
    // Group n of the ship's network: 239.192.0.n, port 60000 + n.
    struct LanGroup {
        const char* name;
        int number;
    };
    static constexpr LanGroup kMisc{"MISC", 1};
    static constexpr LanGroup kProp{"PROP", 8};
    static constexpr LanGroup kTgtd{"TGTD", 2};
    static constexpr LanGroup kSatd{"SATD", 3};
    static constexpr LanGroup kVdrd{"VDRD", 5};
    static constexpr LanGroup kRcom{"RCOM", 6};
    static constexpr const char* kUnitSfi = "VD0101";
    static constexpr const char* kDisplaySfi = "RV0001";
    static constexpr const char* kAlertManagerSfi = "CA1235";

    explicit DisplayRun(LanGroup group = kProp)
        : lan{QHostAddress(QStringLiteral("239.192.0.%1").arg(group.number)),
              quint16(60000 + group.number)} {
        root.writeFile(QStringLiteral("/opt/setup_files/kc40_setup"),
                       QByteArray(R"({ "group" : ")") + group.name + R"(" })");
    }

    void SetUp() override {
        REQUIRE_LOOPBACK_MULTICAST();
        ASSERT_TRUE(lan.opened);
    }

    // One sentence, given without "$" and checksum ("PNRVICM,1,9,1"), sent on the group to
    // the unit; without a destination only the unit's standby lets a wake-up for all in.
    void sendOnLan(const QString& body, const QString& destination = QString::fromLatin1(kUnitSfi),
                   const QString& sender = QString::fromLatin1(kDisplaySfi)) {
        lan.socket.send(lineTo(body, destination, sender).getCompletMsgArray());
    }

    // Several sentences as one datagram to the unit, each line with its group tag.
    void sendGroupOnLan(const QStringList& bodies,
                        const QString& sender = QString::fromLatin1(kDisplaySfi)) {
        QByteArray datagram = UdpMulticastCreator::getMulticastPrefixHeader();
        for (qsizetype i = 0; i < bodies.size(); ++i) {
            UdpMulticastSingleMsg line = lineTo(bodies[i], QString::fromLatin1(kUnitSfi), sender);
            line.udpGroupTag = UdpGroupTag(quint16(i + 1), quint16(bodies.size()), 1);
            datagram += line.getBuffer().toLatin1();
        }
        lan.socket.send(datagram);
    }

    // Datagrams heard on the group, from `from` on (an index into lan.heard), whose text
    // starts with `start` and holds `part`.
    qsizetype heardOnLan(const QString& part, qsizetype from = 0,
                         const QString& start = QString()) const {
        qsizetype count = 0;
        for (qsizetype i = from; i < lan.heard.size(); ++i) {
            const std::optional<QString> text = MulticastSocket::datagramText(lan.heard[i]);
            count += text && text->startsWith(start) && text->contains(part) ? 1 : 0;
        }
        return count;
    }
    bool waitForLan(const QString& part, int timeoutMs, qsizetype from = 0) {
        return listenUntil([&] { return heardOnLan(part, from) > 0; }, timeoutMs);
    }
    // A file of a board pin ("C21", "value"): the level "1" or "0", or the direction.
    QByteArray pin(const char* name, const char* file = "value") const {
        return root.readFile(QStringLiteral("/sys/class/gpio/pio%1/%2").arg(name, file)).trimmed();
    }
    // The unit is heard on the group and has had the time to read what came before it.
    bool joined() {
        const bool heard = waitForLan(QStringLiteral("s:") + QLatin1String(kUnitSfi), 10000);
        listenFor(1000);
        return heard;
    }
    // The unit's ICM sentences with this command number, from datagram `from` on, in order.
    std::vector<std::shared_ptr<MsgICM>> unitIcms(int command, qsizetype from = 0) const {
        return unitCommands<MsgICM>(command, from);
    }
    std::vector<std::shared_ptr<MsgIDM>> unitIdms(int command, qsizetype from = 0) const {
        return unitCommands<MsgIDM>(command, from);
    }

    GroupListener lan;

private:
    template <class Command>
    std::vector<std::shared_ptr<Command>> unitCommands(int command, qsizetype from) const {
        std::vector<std::shared_ptr<Command>> found;
        for (qsizetype i = from; i < lan.heard.size(); ++i) {
            const std::optional<QString> text = MulticastSocket::datagramText(lan.heard[i]);
            if (!text) {
                continue;
            }
            const auto group = UdpMulticastParser::parseUdpAsciMsg(*text);
            for (const UdpMulticastSingleMsg& line : group->msgsList) {
                const auto sentence = std::dynamic_pointer_cast<Command>(line.nmeaMessage);
                if (sentence && sentence->commandID() == command &&
                    line.udpSourceTag.getTag() == QLatin1String(kUnitSfi)) {
                    found.push_back(sentence);
                }
            }
        }
        return found;
    }

    UdpMulticastSingleMsg lineTo(const QString& body, const QString& destination,
                                 const QString& sender) {
        UdpMulticastSingleMsg line;
        line.udpSourceTag = UdpSourceTag(sender);
        if (!destination.isEmpty()) {
            line.udpDestinationTag = UdpDestinationTag(destination);
        }
        line.udpCounterTag = UdpCounterTag(++m_lineCounter);
        line.nmeaMessage = NmeaParser::parse(NmeaMessage::addCrcToMsgBuffer(body));
        return line;
    }

    quint16 m_lineCounter = 0;
};
