#pragma once

#include "alarmcontroller.h"
#include "platform.h"
#include "platformtimer.h"
#include "systemsetup.h"
#include "testroot.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

// A fresh board root on driven time with an alarm controller past its start reset, and
// everything it sends written down as sentence bodies ("ALF,1,1,...", "PNRVALRS,...").
// STW limits 5 and 20 kn, SOG limits 2 and 25 kn. renew() begins it all anew for the next case
// of a table.
class AlarmTest : public ::testing::Test {
protected:
    static inline const QString kTime = QStringLiteral("123456.00");
    static inline const QString kPeer = QStringLiteral("CA1235");

    AlarmTest() { renew(); }
    ~AlarmTest() override {
        controller.reset();
        SystemSetup::resetForTests();
    }

    // alr chooses the reporting scheme; escalationMinutes 0 leaves escalation off.
    void renew(bool alr = false, int escalationMinutes = 0) {
        controller.reset();
        root = std::make_unique<TestRoot>();
        Platform::configure(root->path(), QStringLiteral("lo"));
        SystemSetup::resetForTests();
        setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::useALR, alr);
        setup().AlarmIDsSetup.set(&AlarmIDs_Setup_S::escalationTime, escalationMinutes);
        setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::stwLowLimit, 5.0f);
        setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::stwHighLimit, 20.0f);
        setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::sogLowLimit, 2.0f);
        setup().AlarmLimitsSetup.set(&AlarmLimits_Setup_S::sogHighLimit, 25.0f);
        controller = std::make_unique<AlarmController>();
        controller->hooks().utcTimeStamp = [] { return kTime; };
        QObject::connect(controller.get(), &AlarmController::sigSendOnNmeaOutput,
                         [this](int channel, const NmeaMessagePtr& m) {
                             (channel == 1 ? nmea1 : nmea2) << body(m);
                         });
        QObject::connect(controller.get(), &AlarmController::sigSendSingleOnUdp,
                         [this](const NmeaMessagePtr& m) {
                             lan << body(m);
                             lanDestinations << m->getDestinationSfi();
                         });
        QObject::connect(controller.get(), &AlarmController::sigSetAlarmAuxOutput,
                         [this](bool on) { relay << on; });
        QObject::connect(controller.get(), &AlarmController::sigSetSpeedLimitAuxOutput,
                         [this](bool on) { speedRelay << on; });
        QObject::connect(controller.get(), &AlarmController::sigSilenceAlarmBeepOutput,
                         [this](bool silenced) { localBuzzerSilenced << silenced; });
        time.advance(AlarmController::kStartResetMs);
        clear();
    }

    static SystemSetup& setup() { return *SystemSetup::getInstance(); }

    // "$VDALF,1,...*hh\r\n" -> "ALF,1,..."; "$PNRVALRS,...*hh" -> "PNRVALRS,...".
    static QString body(const NmeaMessagePtr& message) {
        QString text = message->getMsgBuffer();
        text = text.mid(1, text.lastIndexOf(QLatin1Char('*')) - 1);
        return text.startsWith(QLatin1String("PNRV")) ? text : text.mid(2);
    }

    // The ALF's sequential identifier (0..9) replaced by "n".
    static QString anySequence(const QString& alf) {
        QStringList fields = alf.split(QLatin1Char(','));
        fields[3] = QStringLiteral("n");
        return fields.join(QLatin1Char(','));
    }

    // The state letters of the six alerts in the order of their sources: low and high STW,
    // low and high SOG, display, sensor ("VNNANN").
    QString states() const {
        QString letters;
        for (const AlarmInstance* a : controller->alerts()) {
            letters += alertStateLetter(a->getAlertState());
        }
        return letters;
    }

    // What went out on the LAN and begins with the prefix; "A" takes the alert sentences (ALF,
    // ALR, ALC, ARC) without the display's ones.
    QStringList lanOf(const QString& prefix) const {
        QStringList found;
        for (const QString& text : lan) {
            if (text.startsWith(prefix)) {
                found << text;
            }
        }
        return found;
    }

    void clear() {
        nmea1.clear();
        nmea2.clear();
        lan.clear();
        lanDestinations.clear();
        relay.clear();
        speedRelay.clear();
        localBuzzerSilenced.clear();
    }

    AlarmInstance& alert(AlarmSource source) const { return *controller->getAlertInstance(source); }

    VirtualTime time;
    std::unique_ptr<TestRoot> root;
    std::unique_ptr<AlarmController> controller;
    QStringList nmea1;
    QStringList nmea2;
    QStringList lan;
    QStringList lanDestinations;
    QList<bool> relay;
    QList<bool> speedRelay;
    QList<bool> localBuzzerSilenced;
};
