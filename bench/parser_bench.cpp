// Parsing cost of the sentences a unit receives in one second of sea operation: the sensor's
// two DATs, a GPS, a gyro and the display's traffic.
#include "nmeaparser.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {
const std::array<QString, 10> kOneSecondOfTraffic = {
    QStringLiteral("$PNRVDAT,4,+10.5,9,-0.5,8,+21.0,0,0,0,+10.0,9,-1.5,9,45.5,46.0*56\r\n"),
    QStringLiteral("$PNRVDAT,5,+10.4,9,-0.4,9,+10.3,9,-0.6,9*57\r\n"),
    QStringLiteral("$GPRMC,120000.00,A,5930.1234,N,01030.5678,E,10.2,45.0,061226,,,A*5B\r\n"),
    QStringLiteral("$GPVTG,45.0,T,,M,10.2,N,18.9,K,A*3F\r\n"),
    QStringLiteral("$GPGGA,120000.00,5930.1234,N,01030.5678,E,1,08,0.9,12.0,M,35.0,M,,*5E\r\n"),
    QStringLiteral("$HEHDT,44.5,T*1A\r\n"),
    QStringLiteral("$HEROT,1.5,A*2F\r\n"),
    QStringLiteral("$GPZDA,120000.00,06,12,2026,00,00*66\r\n"),
    QStringLiteral("$PNRVICM,0,18,1,1*64\r\n"),
    QStringLiteral("$PNRVIDM,0,40,1*73\r\n"),
};

void BM_ParseOneSecondOfTraffic(benchmark::State& state) {
    for (auto _ : state) {
        for (const QString& sentence : kOneSecondOfTraffic) {
            auto message = NmeaParser::parse(sentence);
            benchmark::DoNotOptimize(message);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kOneSecondOfTraffic.size()));
}
BENCHMARK(BM_ParseOneSecondOfTraffic);

void BM_RebuildParsedSentence(benchmark::State& state) {
    auto message = NmeaParser::parse(kOneSecondOfTraffic[0]);
    for (auto _ : state) {
        message->setNumber_of_decimals(2);
        benchmark::DoNotOptimize(message->getMsgBuffer());
    }
}
BENCHMARK(BM_RebuildParsedSentence);
} // namespace
