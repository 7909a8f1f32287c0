#include "kc40_aux_setup.h"

#include <algorithm>
#include <limits>

namespace {
const QString kDisabled = QStringLiteral("Disabled");
const QStringList kOutputFunctions = {
    "StwPulseOutput",     "SogPulseOutput", "AlarmBeepOutput", "AlarmOutput", "DeadManOutput",
    "PowerFailureOutput", "SpeedLimit",     "SynchOut",        "Ping out",    kDisabled};
const QStringList kInputFunctions = {"Alarm acknowledge", "Alarm silence", "Mute in", kDisabled};
// Outputs that only the first two terminals can drive.
const QStringList kFirstTwoOnly = {"StwPulseOutput", "SogPulseOutput", "DeadManOutput", "Ping out"};
const QString kInputTerminal = QStringLiteral("Aux4");

KC40_Aux_Setup_S terminal(int index, const char* function, const char* pin, int number,
                          int direction) {
    return {KC40_Aux_Setup::intToAuxname(index), QString::fromLatin1(function),
            QString::fromLatin1(pin), number, direction};
}
} // namespace

const QStringList& KC40_Aux_Setup::functionNames() {
    static const QStringList all = kOutputFunctions + kInputFunctions;
    return all;
}

int KC40_Aux_Setup::functionNameToInt(const QString& function) {
    const QString name = function.contains(QLatin1String("FittnesOutput"))
                             ? QStringLiteral("DeadManOutput")
                             : function;
    return int(functionNames().indexOf(name));
}

QString KC40_Aux_Setup::intToFname(int index) {
    return functionNames().value(index);
}

int KC40_Aux_Setup::directionToInt(const QString& direction) {
    return direction == QLatin1String("Out") ? 0 : 1;
}

QString KC40_Aux_Setup::intToDirection(int direction) {
    return direction == 0 ? QStringLiteral("Out") : QStringLiteral("In");
}

int KC40_Aux_Setup::auxNameToInt(const QString& auxName) {
    for (int i = 0; i < kAuxCount; ++i) {
        if (intToAuxname(i) == auxName) {
            return i;
        }
    }
    return -1;
}

QString KC40_Aux_Setup::intToAuxname(int index) {
    return QStringLiteral("Aux%1").arg(index + 1);
}

QStringList KC40_Aux_Setup::getAllowedFunctions(const QString& auxName) {
    if (auxName == kInputTerminal) {
        return kInputFunctions;
    }
    const bool firstTwo = auxNameToInt(auxName) == 0 || auxNameToInt(auxName) == 1;
    QStringList allowed;
    for (const QString& function : kOutputFunctions) {
        if (firstTwo || !kFirstTwoOnly.contains(function)) {
            allowed << function;
        }
    }
    return allowed;
}

KC40_Aux_Setup::KC40_Aux_Setup() : RecordList(QStringLiteral("kc40_aux_setup")) {
    readSetup();
}

void KC40_Aux_Setup::getDefaults() {
    m_records = {terminal(0, "SogPulseOutput", "A20", 20, 0),
                 terminal(1, "StwPulseOutput", "A16", 16, 0),
                 terminal(2, "PowerFailureOutput", "A17", 17, 0),
                 terminal(3, "Alarm acknowledge", "A21", 21, 1)};
    writeSetup();
}

bool KC40_Aux_Setup::setFunctionCodes(const QList<int>& parameters) {
    // An empty field arrives as the absent value.
    if (parameters.size() != kAuxCount * kValuesPerTerminal ||
        parameters.contains(std::numeric_limits<int>::max())) {
        return false;
    }
    QList<KC40_Aux_Setup_S> changed = m_records;
    for (int i = 0; i < kAuxCount; ++i) {
        const QString function = intToFname(parameters[i * kValuesPerTerminal + 2]);
        if (function.isEmpty() || !getAllowedFunctions(intToAuxname(i)).contains(function)) {
            return false;
        }
        changed[i].functionName = function;
    }
    m_records = changed;
    m_setupReceivedFlag = true;
    writeSetup();
    return true;
}

bool KC40_Aux_Setup::accept(QList<KC40_Aux_Setup_S>& loaded) const {
    if (loaded.size() != kAuxCount) {
        return false;
    }
    std::sort(loaded.begin(), loaded.end(), [](const auto& a, const auto& b) {
        return auxNameToInt(a.auxName) < auxNameToInt(b.auxName);
    });
    for (int i = 0; i < kAuxCount; ++i) {
        if (loaded[i].auxName != intToAuxname(i) || loaded[i].pinName.isEmpty()) {
            return false;
        }
    }
    return true;
}

KC40_Aux_Handler_Setup::KC40_Aux_Handler_Setup()
    : SetupRecord(QStringLiteral("kc40_aux_handler_setup")) {
    readSetup();
}

void KC40_Aux_Handler_Setup::getDefaults(int) {
    m_s = KC40_Aux_Handler_Setup_S{};
    writeSetup();
}
