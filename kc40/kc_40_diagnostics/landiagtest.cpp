#include "landiagtest.h"

namespace {
const QString kEth0 = QStringLiteral("eth0");

constexpr quint64 kMiB = 1048576;

quint64 difference(quint64 before, quint64 after) {
    // A counter that went back belongs to an interface that was restarted: nothing to compare.
    return after >= before ? after - before : 0;
}
} // namespace

LanDiagTest::LanDiagTest(TrafficSource traffic, DiagnosticsPause pause, QObject* parent)
    : RunableDiagnosticTest(QStringLiteral("Traffic test"), parent), m_traffic(std::move(traffic)),
      m_pause(std::move(pause)) {}

int LanDiagTest::loadStatus(quint64 bytesPerSecond) {
    const double mib = double(bytesPerSecond) / kMiB;
    if (mib > 20) {
        return kOverloaded;
    }
    return mib >= 15 ? kLoaded : DiagnosticsTest::kPassed;
}

DiagnosticsTest LanDiagTest::runTest(bool) {
    DiagnosticsTest test;
    test.testName = getTestName();
    test.testStatus = DiagnosticsTest::kPassed;
    for (const QString& name : {kEth0, QStringLiteral("eth1")}) {
        const std::optional<Platform::InterfaceTraffic> before = m_traffic(name);
        if (!before) {
            continue;
        }
        m_pause(std::chrono::seconds(1));
        const Platform::InterfaceTraffic after = m_traffic(name).value_or(*before);
        const quint64 received = difference(before->received, after.received);
        const quint64 sent = difference(before->sent, after.sent);
        test.addComment(name + " Rec bytes per sec", QString::number(received));
        test.addComment(name + " Sent bytes per sec", QString::number(sent));
        test.addComment(name + " Rec total kB", QString::number(after.received / 1024));
        test.addComment(name + " Sent total kB", QString::number(after.sent / 1024));
        if (name == kEth0) {
            test.testStatus = loadStatus(received + sent);
        }
    }
    return test;
}

DiagnosticsTest LanDiagTest::getDefaultTestData() const {
    return notTested(QStringLiteral("LAN"));
}
