// Fuzzes the reassembly of self-test results sent in pieces (IDM 2, "group,index,count,piece"):
// each line of the input is one piece's parameters, so pieces come in any order, repeated, cut
// short or with foreign groups in between. A result that completes must be one the unit can
// give on again: its text must read back to a result with the very same text.
#include "diagnosticsstatus.h"
#include "diagnosticstest.h"
#include "fuzzinput.h"
#include "msgidm.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
constexpr int kResultPieceCommand = 2;

void checkGivenOn(const DiagnosticsTest& test) {
    const QString text = test.getTestDataString();
    const std::optional<DiagnosticsTest> again = DiagnosticsTest::fromText(text);
    if (!again || again->getTestDataString() != text) {
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    silenceLogging();
    const QString input =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    DiagnosticsStatus status;
    for (const QString& line : input.split(QLatin1Char('\n'))) {
        const auto piece =
            std::make_shared<MsgIDM>(1, kResultPieceCommand, line.split(QLatin1Char(',')));
        if (status.slotTestDataMessage(piece)) {
            for (const DiagnosticsTest& test : status.getDiagnosticTests()) {
                checkGivenOn(test);
            }
        }
    }
    return 0;
}
