#include "sentencedispatch.h"

#include "addresssentences.h"
#include "fixedsentences.h"
#include "msgack.h"
#include "msgacn.h"
#include "msgalc.h"
#include "msgalf.h"
#include "msgalr.h"
#include "msgalrs.h"
#include "msgarc.h"
#include "msgblnk.h"
#include "msgcfg.h"
#include "msgcppc.h"
#include "msgcur.h"
#include "msgdat.h"
#include "msgdatr.h"
#include "msgddc.h"
#include "msgdlg.h"
#include "msgdli.h"
#include "msgdlm.h"
#include "msgdlr.h"
#include "msgdpt.h"
#include "msgdptr.h"
#include "msgdtl.h"
#include "msgepv.h"
#include "msgerrorcode.h"
#include "msggga.h"
#include "msggll.h"
#include "msghbt.h"
#include "msghdg.h"
#include "msghdt.h"
#include "msgicm.h"
#include "msgidm.h"
#include "msgmaca.h"
#include "msgmtw.h"
#include "msgmtwf.h"
#include "msgpng.h"
#include "msgrmc.h"
#include "msgrot.h"
#include "msgsaf.h"
#include "msgsfs.h"
#include "msgslp.h"
#include "msgsnf.h"
#include "msgsrp.h"
#include "msgstl.h"
#include "msgtam.h"
#include "msgths.h"
#include "msgtst.h"
#include "msgvbw.h"
#include "msgvbwf.h"
#include "msgvbwx.h"
#include "msgver.h"
#include "msgvhw.h"
#include "msgvlw.h"
#include "msgvmpcgter.h"
#include "msgvtg.h"
#include "msgzda.h"
#include "msgztg.h"
#include "olderlogsentence.h"

#include <QHash>

#include <initializer_list>
#include <utility>

namespace {
template <class Sentence> std::unique_ptr<NmeaMessage> make() {
    return std::make_unique<Sentence>();
}

// Key text and class. Keys shared by several identifiers (DATR and ATR) dispatch alike.
const std::initializer_list<std::pair<const char*, SentenceFactory>> kTable = {
    {"ACK", make<MsgACK>},     {"ACN", make<MsgACN>},       {"ALC", make<MsgALC>},
    {"ALF", make<MsgALF>},     {"ALR", make<MsgALR>},       {"LRS", make<MsgALRS>},
    {"ARC", make<MsgARC>},     {"LNK", make<MsgBLNK>},      {"CFG", make<MsgCFG>},
    {"PPC", make<MsgCPPC>},    {"CUR", make<MsgCUR>},       {"DAT", make<MsgDAT>},
    {"ATR", make<MsgDATR>},    {"DDC", make<MsgDDC>},       {"DLG", make<MsgDLG>},
    {"DLI", make<MsgDLI>},     {"DLM", make<MsgDLM>},       {"DLR", make<MsgDLR>},
    {"DPT", make<MsgDPT>},     {"PTR", make<MsgDPTR>},      {"DTL", make<MsgDTL>},
    {"EPV", make<MsgEPV>},     {"ODE", make<MsgERRORCODE>}, {"GCF", make<MsgGCF>},
    {"GGA", make<MsgGGA>},     {"GLL", make<MsgGLL>},       {"HBT", make<MsgHBT>},
    {"HDG", make<MsgHDG>},     {"HDT", make<MsgHDT>},       {"ICM", make<MsgICM>},
    {"IDM", make<MsgIDM>},     {"ACA", make<MsgMACA>},      {"MTW", make<MsgMTW>},
    {"TWF", make<MsgMTWF>},    {"PNG", make<MsgPNG>},       {"RCF", make<MsgRCF>},
    {"RMC", make<MsgRMC>},     {"ROT", make<MsgROT>},       {"RSH", make<MsgRSH>},
    {"STO", make<MsgRSTO>},    {"STT", make<MsgRSTT>},      {"TTG", make<MsgRSTTG>},
    {"SAF", make<MsgSAF>},     {"SCF", make<MsgSCF>},       {"SFS", make<MsgSFS>},
    {"SLP", make<MsgSLP>},     {"SNF", make<MsgSNF>},       {"SRP", make<MsgSRP>},
    {"STL", make<MsgSTL>},     {"TAM", make<MsgTAM>},       {"THS", make<MsgTHS>},
    {"TST", make<MsgTST>},     {"TER", make<MsgVMPCGTER>},  {"VBW", make<MsgVBW>},
    {"BWF", make<MsgVBWF>},    {"BWX", make<MsgVBWX>},      {"VER", make<MsgVER>},
    {"VHW", make<MsgVHW>},     {"VLW", make<MsgVLW>},       {"VTG", make<MsgVTG>},
    {"ZDA", make<MsgZDA>},     {"ZTG", make<MsgZTG>},       {"01", make<MsgAlmaSpeed>},
    {"06", make<MsgAlmaTemp>},
};

const QHash<quint32, SentenceFactory>& table() {
    static const QHash<quint32, SentenceFactory> hashed = [] {
        QHash<quint32, SentenceFactory> result;
        for (const auto& [key, factory] : kTable) {
            result.insert(sentenceKey(key), factory);
        }
        return result;
    }();
    return hashed;
}
} // namespace

SentenceFactory findSentenceFactory(quint32 key) {
    return table().value(key, nullptr);
}
