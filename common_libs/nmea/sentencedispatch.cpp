#include "sentencedispatch.h"

#include "msgcfg.h"
#include "msgdat.h"
#include "msgicm.h"
#include "msgidm.h"
#include "msgpng.h"
#include "msgsnf.h"
#include "msgsrp.h"
#include "msgtst.h"
#include "msgver.h"
#include "nmeaparser.h"

#include <QHash>

#include <initializer_list>
#include <utility>

namespace {
template <class Sentence> std::unique_ptr<NmeaMessage> make() {
    return std::make_unique<Sentence>();
}

// Key text and class. Keys shared by several identifiers (DATR and ATR) dispatch alike.
const std::initializer_list<std::pair<const char*, SentenceFactory>> kTable = {
    {"CFG", make<MsgCFG>}, {"DAT", make<MsgDAT>}, {"ICM", make<MsgICM>},
    {"IDM", make<MsgIDM>}, {"PNG", make<MsgPNG>}, {"SNF", make<MsgSNF>},
    {"SRP", make<MsgSRP>}, {"TST", make<MsgTST>}, {"VER", make<MsgVER>},
};

const QHash<quint32, SentenceFactory>& table() {
    static const QHash<quint32, SentenceFactory> hashed = [] {
        QHash<quint32, SentenceFactory> result;
        for (const auto& [key, factory] : kTable) {
            result.insert(NmeaParser::calculateMessageTypeHash(QLatin1String(key)), factory);
        }
        return result;
    }();
    return hashed;
}
} // namespace

SentenceFactory findSentenceFactory(quint32 key) {
    return table().value(key, nullptr);
}
