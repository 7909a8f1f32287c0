// Formatting cost of one second of the unit's output: every output sentence rebuilt for a serial
// line, the same sentences as one LAN datagram group, and the two single datagrams that follow
// each of the sensor's two DATs.
#include "nmeaparser.h"
#include "udpmulticastcreator.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {
const std::array<QString, 13> kOutputSentences = {
    QStringLiteral("$VDVBW,15.4,0.4,A,15.8,0.5,A,0.4,A,0.5,A*6A\r\n"),
    QStringLiteral("$VDVLW,1234.5,N,12.3,N,1230.0,N,12.1,N*79\r\n"),
    QStringLiteral("$VDMTW,11.8,C*09\r\n"),
    QStringLiteral("$VDVHW,45.0,T,,M,15.4,N,28.5,K*7A\r\n"),
    QStringLiteral("$IIDPT,47.97,0.00,225.00*4A\r\n"),
    QStringLiteral("$VDROT,1.5,A*35\r\n"),
    QStringLiteral("$VDHDT,123.4,T*34\r\n"),
    QStringLiteral("$PNRVDLR,12.34,0.12,12.35,0.6,12.30,0.10,12.31,0.5,12.1,1,0*70\r\n"),
    QStringLiteral("$PNRVDLI,1234.56,12.345,1,12.3,12.4,12.5,12.6,12.4,8.5,12,30*4E\r\n"),
    QStringLiteral("$PNRVDLG,12.34,1.20,1,1*62\r\n"),
    QStringLiteral("$PNRVDLM,-3.5,123.4,0.12,0.10,0.55,45.0,1,12.3,1.5,-0.5,44.0*42\r\n"),
    QStringLiteral("$VDCUR,A,1,1,3.0,0.0,T,0.0,48.0,45.0,T,P*4B\r\n"),
    QStringLiteral("$PNRVVBWX,,,V,12.00,0.00,A,,V,0.00,A,,V*7A\r\n"),
};
const std::array<QString, 2> kPerDatSentences = {
    QStringLiteral("$PNRVICM,1,22,1540,1550,1530,1520,8,8,9,9,4797,4800,1180,0,2*00\r\n"),
    QStringLiteral("$PNRVQST,8,8,9,9,0,0,1,0*00\r\n"),
};

QList<NmeaMessagePtr> parsedAll(const auto& texts) {
    QList<NmeaMessagePtr> messages;
    for (const QString& text : texts) {
        if (NmeaMessagePtr message = NmeaParser::parse(text)) {
            messages.append(message);
        }
    }
    return messages;
}

void BM_OneSecondOfOutput(benchmark::State& state) {
    const QList<NmeaMessagePtr> outputs = parsedAll(kOutputSentences);
    const QList<NmeaMessagePtr> perDat = parsedAll(kPerDatSentences);
    if (outputs.size() != static_cast<qsizetype>(kOutputSentences.size()) ||
        perDat.size() != static_cast<qsizetype>(kPerDatSentences.size())) {
        state.SkipWithError("a sample sentence no longer parses");
        return;
    }
    for (auto _ : state) {
        for (const NmeaMessagePtr& message : outputs) {
            // A cleared text makes the sentence format itself again from its fields.
            message->setNumber_of_decimals(1);
            benchmark::DoNotOptimize(message->getMsgBuffer());
        }
        benchmark::DoNotOptimize(
            UdpMulticastCreator::createGroupMessage(outputs).getCompletMsgArray());
        for (int dat = 0; dat < 2; ++dat) {
            for (const NmeaMessagePtr& message : perDat) {
                message->setNumber_of_decimals(1);
                benchmark::DoNotOptimize(
                    UdpMulticastCreator::createSingleMsg(message).getCompletMsgArray());
            }
        }
    }
}
BENCHMARK(BM_OneSecondOfOutput);
} // namespace
