#pragma once

#include <QObject>

class SystemSetup;
class SystemVariables;

// The trip and total distances outlive the process: they are taken from their records when the
// unit starts, so that the log goes on counting where it stopped, and written back once a
// minute.
class DistanceKeeping : public QObject {
    Q_OBJECT
public:
    DistanceKeeping(SystemSetup& setup, SystemVariables& values, QObject* parent = nullptr);

    // The stored distances into the run-time store.
    void restore();

public Q_SLOTS:
    // The run-time distances into their records.
    void slotSave();

private:
    SystemSetup& m_setup;
    SystemVariables& m_values;
};
