#pragma once

#include "diagnosticsstatus.h"
#include "nmeamessage.h"
#include "runablediagnostictest.h"

#include <QList>
#include <QObject>

// The unit's self tests as the display runs them: "Self test" runs all in order, any other
// name that test, each only on the command "Start". Each result goes to the display as a group
// of IDM 2 sentences, pieces of at most 53 characters of its text form, followed by an IDM 99
// with the test's name and "Finished". Lives on the diagnostics thread; the tests block it.
class KC_40_Diagnostics : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kPieceLength = 53;
    static constexpr int kResultPieceCommand = 2;
    static constexpr int kTestCommand = 99;

    // tests: in the order the self test runs them; they become children of this object.
    KC_40_Diagnostics(const QList<RunableDiagnosticTest*>& tests, DiagnosticsPause pause,
                      QObject* parent = nullptr);

    void runTest(int index, const QString& parameter, bool send);
    // Gives the display a second to get ready first.
    void runTest(const QString& name, const QString& parameter, bool send);
    void runSelfTest(const QString& parameter, bool send);
    // -1 for a name no test has.
    int getRunableTestIndex(const QString& name) const;
    // The result as a group of IDM 2 sentences, numbered with the next group identifier
    // (00 to 99, then 00 again). Empty for a result too long for 99 pieces.
    QList<NmeaMessagePtr> getTestMessageList(const DiagnosticsTest& test);
    const DiagnosticsStatus& status() const { return m_status; }

public Q_SLOTS:
    void slotDiagnosticsTest(const QString& testName, const QString& parameter);
    // What the display shows before any test has run.
    void getAllDefaults();

Q_SIGNALS:
    void sigSendGroupOnUdpOutput(QList<NmeaMessagePtr> messages);
    void sigSendSingleOnUdp(NmeaMessagePtr message);

private:
    void sendFinished(const QString& name);

    QList<RunableDiagnosticTest*> m_tests;
    DiagnosticsPause m_pause;
    DiagnosticsStatus m_status;
    int m_groupIdentifier = 0;
};
