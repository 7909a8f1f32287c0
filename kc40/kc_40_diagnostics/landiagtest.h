#pragma once

#include "platform.h"
#include "runablediagnostictest.h"

#include <functional>
#include <optional>

// The traffic on the unit's network interfaces over one second, and their totals. A network
// that carries more than 15 MiB a second through "eth0" is reported as loaded (-13), more than
// 20 MiB as overloaded (13); the display decides what to make of it.
class LanDiagTest : public RunableDiagnosticTest {
    Q_OBJECT
public:
    static constexpr int kLoaded = -13;
    static constexpr int kOverloaded = 13;

    using TrafficSource =
        std::function<std::optional<Platform::InterfaceTraffic>(const QString& boardInterface)>;

    LanDiagTest(TrafficSource traffic, DiagnosticsPause pause, QObject* parent = nullptr);

    DiagnosticsTest runTest(bool send) override;
    DiagnosticsTest getDefaultTestData() const override;

    // The status for the bytes that passed "eth0" in one second.
    static int loadStatus(quint64 bytesPerSecond);

private:
    TrafficSource m_traffic;
    DiagnosticsPause m_pause;
};
