// Displays pairing with the unit and acknowledging what it sends them, judged by what the unit
// sends on the ship's network and keeps in its files.
#include "displayrun.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr int kAnswerMs = 3000;
const QString kMac = QStringLiteral("00:11:22:33:44:55");
const QString kOtherMac = QStringLiteral("00:11:22:33:44:66");
const QString kSecondDisplay = QStringLiteral("RV0002");
constexpr int kChannelSetup = 15;
const QString kNmea1WithoutVbw = QStringLiteral("PNRVICM,1,15,0,9600,0,1,0,0,1,1,2,1");

class PairingRun : public DisplayRun {
protected:
    // The unit's answer to a connection request, "Confirm" or "Deny", or empty.
    QString askToPair(const QString& sender, const QString& version, const QString& mac) {
        const qsizetype from = lan.heard.size();
        sendOnLan(QStringLiteral("PNRVIDM,1,1,Request,%1,%2").arg(version, mac),
                  QString::fromLatin1(kUnitSfi), sender);
        const QString confirm = QStringLiteral("$PNRVIDM,1,1,Confirm,1.2.1.2,");
        const QString deny = QStringLiteral("$PNRVIDM,1,1,Deny,1.2.1.2,");
        listenUntil([&] { return heardOnLan(confirm, from) + heardOnLan(deny, from) > 0; },
                    kAnswerMs);
        return heardOnLan(confirm, from) > 0 ? QStringLiteral("Confirm")
               : heardOnLan(deny, from) > 0  ? QStringLiteral("Deny")
                                             : QString();
    }
    void acknowledge(const QString& sender, const QString& type) {
        sendOnLan(QStringLiteral("PNRVIDM,1,0,0,") + type, QString::fromLatin1(kUnitSfi), sender);
    }
    // The unit's echoes of Nmea_1's setup sent alone, from `from` on; the configuration it
    // sends the displays as one datagram holds them too.
    qsizetype echoes(qsizetype from) const {
        return heardOnLan(QStringLiteral("$PNRVICM,1,15,0,"), from,
                          QStringLiteral("\\s:VD0101,n:"));
    }
};

TEST_F(PairingRun, OnlyDisplaysOfTheSameVersionPairAndEachOneMustAcknowledge) {
    start();
    ASSERT_TRUE(joined()) << unit.log().constData();

    const QString display = QString::fromLatin1(kDisplaySfi);
    EXPECT_EQ(askToPair(display, "1.2.1.3", kMac), "Deny");
    EXPECT_EQ(askToPair(display, "1.2.1.2", kMac), "Confirm");
    EXPECT_EQ(askToPair(display, "1.2.1.2", kMac), "Confirm") << "a paired display asking again";
    EXPECT_EQ(askToPair(display, "1.2.1.2", kOtherMac), "Deny") << "its identifier, another MAC";
    EXPECT_EQ(askToPair(kSecondDisplay, "1.2.1.2", kOtherMac), "Confirm");

    // A configuration command is acknowledged at once, and its echo repeats each second until
    // both displays have acknowledged it.
    qsizetype from = lan.heard.size();
    sendOnLan(kNmea1WithoutVbw, QString::fromLatin1(kUnitSfi), display);
    EXPECT_TRUE(waitForLan(QStringLiteral("$PNRVIDM,1,0,0,ICM15*"), kAnswerMs, from));
    ASSERT_TRUE(listenUntil([&] { return echoes(from) >= 3; }, 3500)) << "the echo is repeated";
    acknowledge(display, "ICM15");
    const qsizetype afterFirst = echoes(from);
    EXPECT_TRUE(listenUntil([&] { return echoes(from) > afterFirst; }, 2000))
        << "repeats stopped before the second display acknowledged";
    acknowledge(kSecondDisplay, "ICM15");
    listenFor(300);
    const qsizetype afterBoth = echoes(from);
    listenFor(2500);
    EXPECT_EQ(echoes(from), afterBoth) << "repeats went on after both acknowledged";
    QFile channel(root.path("/opt/setup_files/Nmea_1_channel_setup"));
    ASSERT_TRUE(channel.open(QIODevice::ReadOnly));
    EXPECT_TRUE(channel.readAll().contains(R"("enabled" : false, "msgType" : "VBW")"));

    // Without acknowledgements the repeats end 5 s after the sending.
    from = lan.heard.size();
    sendOnLan(kNmea1WithoutVbw, QString::fromLatin1(kUnitSfi), display);
    listenFor(8000);
    EXPECT_GE(echoes(from), 5);
    EXPECT_LE(echoes(from), 7);

    // A datagram of several sentences, one of which needs it, is acknowledged as a whole.
    from = lan.heard.size();
    sendGroupOnLan({QStringLiteral("IIVBW,10.0,0.1,A,,,V,,V,,V"),
                    QStringLiteral("PNRVALRS,0,,0,,0,,0,,0,,0"), QStringLiteral("IIHBT,60,A,1")},
                   display);
    EXPECT_TRUE(waitForLan(QStringLiteral("$PNRVIDM,1,0,1,VBWALRSHBT*"), kAnswerMs, from))
        << unit.log().constData();
}
} // namespace
