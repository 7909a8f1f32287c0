#include "simulationparameters.h"

#include "configurationlog.h"
#include "setupmessages.h"

void SimulationParameters::slotSimulationCommand(const QList<int>& p) {
    SimulationModeOn = p[0] != 0;
    testAlarmOutputOn = p[1] != 0;
    simulationSource = p[2];
    fixedSpeedLong = SetupMessages::fromScaled(p[3], 100);
    fixedSpeedTra = SetupMessages::fromScaled(p[4], 100);
    simulatedDepthIndex = p[7];
    const bool dat5 = p[6] != 0;
    if (dat5 != useDat5) {
        useDat5 = dat5;
        emit sigSourceDatChanged(useDat5);
    }
    changeConfirmed = p[5] == 2;
    emit sigSimulationParametersChanged();
    if (p[8] != rawMeasurementSettings) {
        rawMeasurementSettings = p[8];
        emit sigRawMeasurementSettingsChanged();
    }
}

void SimulationParameters::slotConfirmeChange(bool reply) {
    if (!reply) {
        SimulationModeOn = false;
        emit sigSimulationParametersChanged();
        return;
    }
    changeConfirmed = true;
}

std::shared_ptr<MsgICM> SimulationParameters::commandMessage(int state) const {
    return SetupMessages::icm(msgCommands::SimulatinCommand,
                              {int(SimulationModeOn), int(testAlarmOutputOn), simulationSource,
                               SetupMessages::toScaled(fixedSpeedLong, 100),
                               SetupMessages::toScaled(fixedSpeedTra, 100), state, int(useDat5),
                               simulatedDepthIndex, rawMeasurementSettings});
}

std::shared_ptr<MsgICM> SimulationParameters::simParamsChangeRequest() {
    qCInfo(lcConfiguration).noquote() << QStringLiteral("!!!! MSG ICM !!! mode On: %1, source: %2")
                                             .arg(int(SimulationModeOn))
                                             .arg(simulationSource);
    changeConfirmed = false;
    return commandMessage(1);
}

std::shared_ptr<MsgICM> SimulationParameters::simParamsChangeConfirm() {
    changeConfirmed = true;
    return commandMessage(2);
}

void SimulationParameters::startSimulation(const QString& source) {
    const int code = source.toInt();
    if (source == QLatin1String("0")) {
        qCInfo(lcConfiguration) << "Stop Sim";
        SimulationModeOn = false;
    } else if (code >= 1 && code <= 4 && source.size() == 1) {
        simulationSource = code - 1;
        emit sigSimulationParametersChanged();
        SimulationModeOn = true;
    }
    emit sigSimulationParametersChanged();
}

void SimulationParameters::startSimulation(const QString& source, float longitudinal,
                                           float transverse) {
    fixedSpeedLong = longitudinal;
    fixedSpeedTra = transverse;
    startSimulation(source);
}

void SimulationParameters::changeSourceSimulation(const QString& source) {
    if (source == QLatin1String("1") || source == QLatin1String("2") ||
        source == QLatin1String("3")) {
        simulationSource = source.toInt() - 1;
    } else {
        simulationSource = DEMO_SIMULATION;
    }
    emit sigSimulationParametersChanged();
}
