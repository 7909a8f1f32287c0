#pragma once

#include "channels/recordlist.h"
#include "setuprecord.h"

#include <QObject>
#include <QString>
#include <QStringList>

// One auxiliary terminal of the junction box: the pin it is wired to, whether it is an output
// (0) or an input (1), and the function it serves.
struct KC40_Aux_Setup_S {
    Q_GADGET
    Q_PROPERTY(QString auxName MEMBER auxName)
    Q_PROPERTY(QString functionName MEMBER functionName)
    Q_PROPERTY(QString pinName MEMBER pinName)
    Q_PROPERTY(int pinNumber MEMBER pinNumber)
    Q_PROPERTY(int auxDirection MEMBER auxDirection)
public:
    QString auxName;
    QString functionName;
    QString pinName;
    int pinNumber = 0;
    int auxDirection = 0;
};

// The four auxiliary terminals "Aux1" to "Aux4", file "kc40_aux_setup", in terminal order.
// The display names functions by their index in the catalogue: the output functions, then the
// input functions.
class KC40_Aux_Setup : public RecordList<KC40_Aux_Setup_S> {
public:
    static constexpr int kAuxCount = 4;
    static constexpr int kFunctionCount = 14;
    static constexpr int kValuesPerTerminal = 3;

    static const QStringList& functionNames();
    // The catalogue index of a function; the dead-man output's older names count as it.
    // -1 for a name the catalogue does not hold.
    static int functionNameToInt(const QString& function);
    // Empty for an index outside the catalogue.
    static QString intToFname(int index);
    static int directionToInt(const QString& direction);
    static QString intToDirection(int direction);
    static int auxNameToInt(const QString& auxName);
    static QString intToAuxname(int index);
    // What a terminal can be wired for: inputs on "Aux4" only, speed pulses and ping on
    // "Aux1" and "Aux2" only, relays on the first three.
    static QStringList getAllowedFunctions(const QString& auxName);

    KC40_Aux_Setup();

    void getDefaults() override;

    int getAuxCount() const { return int(m_records.size()); }
    QString getAuxName(int index) const { return m_records.value(index).auxName; }
    QString getFunctionName(int index) const { return m_records.value(index).functionName; }
    QString getPinName(int index) const { return m_records.value(index).pinName; }
    int getPinNumber(int index) const { return m_records.value(index).pinNumber; }
    int getAuxDirectionInt(int index) const { return m_records.value(index).auxDirection; }
    QString getAuxDirection(int index) const { return intToDirection(getAuxDirectionInt(index)); }

    // The display's terminal functions: one (terminal, direction, function index) triple per
    // terminal in terminal order. Taken only whole: four triples, each function in the
    // catalogue and allowed on its terminal; false leaves the setup as it was.
    bool setFunctionCodes(const QList<int>& parameters);

    bool getSetupReceivedFlag() const { return m_setupReceivedFlag; }

protected:
    bool accept(QList<KC40_Aux_Setup_S>& loaded) const override;

private:
    bool m_setupReceivedFlag = false;
};

// The speed pulse outputs' setting, file "kc40_aux_handler_setup": the pulses per nautical
// mile. The STW flag is kept for the display's setup page.
struct KC40_Aux_Handler_Setup_S {
    Q_GADGET
    Q_PROPERTY(bool speedPulseOutputSTW MEMBER speedPulseOutputSTW)
    Q_PROPERTY(int pulsesPerMile MEMBER pulsesPerMile)
public:
    bool speedPulseOutputSTW = true;
    int pulsesPerMile = 200;
};

class KC40_Aux_Handler_Setup : public SetupRecord<KC40_Aux_Handler_Setup_S> {
public:
    KC40_Aux_Handler_Setup();
    void getDefaults(int level) override;
};
