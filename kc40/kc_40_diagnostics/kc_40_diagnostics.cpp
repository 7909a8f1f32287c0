#include "kc_40_diagnostics.h"

#include "msgidm.h"
#include "setupmessages.h"

#include <QDebug>

namespace {
const QString kStart = QStringLiteral("Start");
const QString kSelfTest = QStringLiteral("Self test");

QString twoDigits(qsizetype n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

KC_40_Diagnostics::KC_40_Diagnostics(const QList<RunableDiagnosticTest*>& tests,
                                     DiagnosticsPause pause, QObject* parent)
    : QObject(parent), m_tests(tests), m_pause(std::move(pause)), m_status(this) {
    for (RunableDiagnosticTest* test : m_tests) {
        test->setParent(this);
    }
}

void KC_40_Diagnostics::slotDiagnosticsTest(const QString& testName, const QString& parameter) {
    if (testName == kSelfTest) {
        runSelfTest(parameter, true);
    } else {
        runTest(testName, parameter, true);
    }
}

int KC_40_Diagnostics::getRunableTestIndex(const QString& name) const {
    for (qsizetype i = 0; i < m_tests.size(); ++i) {
        if (m_tests[i]->getTestName() == name) {
            return int(i);
        }
    }
    return -1;
}

void KC_40_Diagnostics::runTest(const QString& name, const QString& parameter, bool send) {
    m_pause(std::chrono::seconds(1));
    const int index = getRunableTestIndex(name);
    if (index < 0) {
        qDebug() << "Error: No test with name " << name;
        return;
    }
    runTest(index, parameter, send);
}

void KC_40_Diagnostics::runTest(int index, const QString& parameter, bool send) {
    if (parameter != kStart || index < 0 || index >= m_tests.size()) {
        return;
    }
    RunableDiagnosticTest* runable = m_tests[index];
    const DiagnosticsTest result = runable->runTest(send);
    m_status.addTest(result);
    if (send) {
        const QList<NmeaMessagePtr> pieces = getTestMessageList(result);
        if (!pieces.isEmpty()) {
            Q_EMIT sigSendGroupOnUdpOutput(pieces);
        }
        sendFinished(runable->getTestName());
    }
}

void KC_40_Diagnostics::runSelfTest(const QString& parameter, bool send) {
    for (int i = 0; i < m_tests.size(); ++i) {
        runTest(i, parameter, send);
    }
    sendFinished(kSelfTest);
}

void KC_40_Diagnostics::getAllDefaults() {
    for (const RunableDiagnosticTest* test : m_tests) {
        Q_EMIT sigSendGroupOnUdpOutput(getTestMessageList(test->getDefaultTestData()));
    }
    sendFinished(kSelfTest);
}

QList<NmeaMessagePtr> KC_40_Diagnostics::getTestMessageList(const DiagnosticsTest& test) {
    const QString text = test.getTestDataString();
    const qsizetype count = (text.size() + kPieceLength - 1) / kPieceLength;
    if (count > TestDataMsgsSet::kMaxPieces) {
        qWarning() << "Diagnostics result too long to send:" << test.testName;
        return {};
    }
    const QString group = twoDigits(m_groupIdentifier);
    m_groupIdentifier = (m_groupIdentifier + 1) % 100;
    QList<NmeaMessagePtr> pieces;
    for (qsizetype i = 0; i < count; ++i) {
        pieces << std::make_shared<MsgIDM>(SetupMessages::kMessageVersion, kResultPieceCommand,
                                           QStringList{group + "," + twoDigits(i) + "," +
                                                       twoDigits(count) + "," +
                                                       text.mid(i * kPieceLength, kPieceLength)});
    }
    return pieces;
}

void KC_40_Diagnostics::sendFinished(const QString& name) {
    Q_EMIT sigSendSingleOnUdp(
        std::make_shared<MsgIDM>(SetupMessages::kMessageVersion, kTestCommand,
                                 QStringList{name, QStringLiteral("Finished")}));
}
