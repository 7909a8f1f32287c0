#include "displayrun.h"

#include <QRegularExpression>

namespace {

// The fields of the last sentence of this type the unit sent on the group from `from` on.
QStringList lastSentence(const GroupListener& lan, const QString& type, qsizetype from) {
    QStringList fields;
    for (qsizetype i = from; i < lan.heard.size(); ++i) {
        const std::optional<QString> text = MulticastSocket::datagramText(lan.heard[i]);
        const qsizetype start = text ? text->indexOf("$" + type + ",") : -1;
        if (start >= 0) {
            const QString sentence = text->mid(start + 1);
            fields = sentence.left(sentence.indexOf('*')).split(',');
        }
    }
    return fields;
}

// A sensor whose echoes are weak: the unit counts bad signal quality and the service software
// reads the counts.
class WeakSignalRun : public DisplayRun {
protected:
    WeakSignalRun() : DisplayRun(kRcom) {
        m_scenario.qualityWater = Ramp{1.0};
        sensor.setScenario(m_scenario);
    }
};

TEST_F(WeakSignalRun, BadSignalQualityIsCountedAnsweredAndSaved) {
    start();
    ASSERT_TRUE(joined());
    listenFor(2000);

    qsizetype from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVVMPCGTER,1"));
    ASSERT_TRUE(waitForLan(QStringLiteral("$PNRVERRORTABLE,"), 5000, from));
    // Pairs of identity and count; bad signal quality is the eighth.
    const QStringList table = lastSentence(lan, "PNRVERRORTABLE", from);
    ASSERT_EQ(table.size(), 31);
    EXPECT_EQ(table[15], "77");
    EXPECT_GT(table[16].toInt(), 0);

    from = lan.heard.size();
    sendOnLan(QStringLiteral("PNRVVMPCGTER,0"));
    ASSERT_TRUE(waitForLan(QStringLiteral("$PNRVERRORCODE,"), 5000, from));
    const QStringList latest = lastSentence(lan, "PNRVERRORCODE", from);
    ASSERT_EQ(latest.size(), 3);
    EXPECT_EQ(latest[1], "77");
    EXPECT_GT(latest[2].toInt(), 0);

    // The counts are saved within the twenty seconds of the periodic save.
    const QRegularExpression saved(R"("badSigQuality" : [1-9])");
    EXPECT_TRUE(listenUntil(
        [&] {
            return saved.match(QString::fromLatin1(root.readFile("/opt/log_files/Error_count_log")))
                .hasMatch();
        },
        25000))
        << root.readFile("/opt/log_files/Error_count_log").constData();
}

} // namespace
