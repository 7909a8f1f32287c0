#include "vq2_handler.h"

#include "logger.h"
#include "msgcfg.h"
#include "msgdat.h"
#include "msgsnf.h"
#include "msgtst.h"
#include "systemvariables.h"

VQ2* VQ2::getInstance() {
    static VQ2 instance;
    return &instance;
}

NmeaMessagePtr VQ2_Handler::createCFGmsg(int systemId, const QString& formats, int,
                                         int powerLevel) {
    const VQ2* vq2 = VQ2::getInstance();
    return std::make_shared<MsgCFG>(systemId, vq2->mode | (2 * vq2->frequencyBand), powerLevel,
                                    vq2->nWaterTrackPulseLength,
                                    static_cast<quint32>(vq2->simulatedDepthIndex), formats);
}

NmeaMessagePtr VQ2_Handler::createCFGmsgZeroPower(int systemId, const QString& formats) {
    const VQ2* vq2 = VQ2::getInstance();
    return std::make_shared<MsgCFG>(systemId, vq2->mode | (2 * vq2->frequencyBand), 0,
                                    vq2->nWaterTrackPulseLength,
                                    static_cast<quint32>(vq2->nWaterTrackRangeOffset), formats);
}

NmeaMessagePtr VQ2_Handler::createTESTmsg(int systemId, float speed, bool on,
                                          const QString& formats) {
    return std::make_shared<MsgTST>(systemId, on ? 3 : 2, speed, QStringLiteral("00"), formats);
}

NmeaMessagePtr VQ2_Handler::createRawDataCFGmsg(int mode, int powerLevel) {
    return std::make_shared<MsgCFG>(4, mode, powerLevel, 1, 1u, QStringLiteral("1000"));
}

void VQ2_Handler::handleDatMsg(const NmeaMessagePtr& message, quint64 timestamp) {
    const auto* dat = dynamic_cast<const MsgDAT*>(message.get());
    if (!dat) {
        return;
    }
    SystemVariables* store = SystemVariables::getInstance();
    if (dat->systemID() == 4) {
        store->msgDAT4.setNmeaMessage(*dat, timestamp);
    } else if (dat->systemID() == 5) {
        store->msgDAT5.setNmeaMessage(*dat, timestamp);
    }
}

void VQ2_Handler::handleSnfMsg(const NmeaMessagePtr& message) {
    Logger::instance()->append(QStringLiteral("SNF from sensor: ") + message->getMsgBuffer(),
                               Logger::LOG_INFO);
    const auto* snf = dynamic_cast<const MsgSNF*>(message.get());
    if (snf && snf->sentenceType() == 1 && snf->firmwereRev() < 3.0f) {
        Q_EMIT sensorOnlyDAT4(true);
    }
}

void VQ2_Handler::handleCfgMsg(const NmeaMessagePtr& message) {
    Logger::instance()->append(QStringLiteral("Sensor configuration: ") + message->getMsgBuffer(),
                               Logger::LOG_DEBUG);
}
