#pragma once

#include "diagnosticstest.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

// Blocks the diagnostics thread for a while: between two readings of a counter, or before a
// test the display has just asked for.
using DiagnosticsPause = std::function<void(std::chrono::milliseconds)>;

// One self test of the unit. Tests run on the diagnostics thread and may block it.
class RunableDiagnosticTest : public QObject {
    Q_OBJECT
public:
    explicit RunableDiagnosticTest(const QString& name, QObject* parent = nullptr)
        : QObject(parent), m_name(name) {}

    QString getTestName() const { return m_name; }
    // send: the result goes to the display; a test may then report what it does as it goes.
    virtual DiagnosticsTest runTest(bool send) = 0;
    // What the display shows before the test has run.
    virtual DiagnosticsTest getDefaultTestData() const = 0;

protected:
    // A result of this test with one comment and the status "not tested".
    DiagnosticsTest notTested(const QString& commentName) const;

private:
    QString m_name;
};
