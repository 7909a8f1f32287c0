#pragma once

#include "absentvalues.h"
#include "nmeamessageerrortype.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

// One field of a sentence by its name; a null value stands for an absent field.
struct NamedValue {
    QString name;
    QVariant value;
};

// Base of every sentence the unit reads or writes.
//
// A sentence that came from the parser keeps its received text (m_message) and is relayed
// byte for byte; one built by the unit, or whose decimals were changed, is formatted from
// its fields: "$" + address + "," + field ... + "*hh" CR LF. Absent numbers are held as
// kAbsentInt, kAbsentFloat or kAbsentULong and written as empty fields.
class NmeaMessage {
public:
    virtual ~NmeaMessage() = default;

    // Takes the fields after the address field. On rejection sets ERR_NMEA_FORMAT, returns false.
    virtual bool setParams(const QStringList& params) = 0;
    // The complete sentence to send, "$" through CR LF.
    virtual QString getMsgBuffer() const;
    virtual std::unique_ptr<NmeaMessage> clone() const = 0;
    // Every field by its name in wire order, for inspection and logging.
    virtual QList<NamedValue> fieldValues() const { return {}; }
    // The identifier, with the command number appended where one selects the meaning ("ICM15").
    virtual QString fullType() const { return m_message_type; }

    void setMsgInfo(const QString& talker, const QString& manufacturer, const QString& checksum,
                    const QString& message, bool proprietary);

    QString talkerId() const { return m_talker_id; }
    void setTalkerID(const QString& talker) { m_talker_id = talker; }
    QString manufacturerId() const { return m_manufacturer_id; }
    QString messageType() const { return m_message_type; }
    bool isPropriatary() const { return m_propriatary; }
    QString checksum() const { return m_checksum; }
    quint32 messageTypeHash() const { return m_message_type_hash; }
    NmeaMessageErrorType errorType() const { return error_ID; }
    // The received text exactly as parsed; empty for a sentence built by the unit.
    QString receivedText() const { return m_message; }

    int number_of_decimals() const { return m_number_of_decimals; }
    // Also drops the received text, so the next getMsgBuffer formats the fields anew.
    void setNumber_of_decimals(int decimals);

    bool getFromPairedDevice() const { return fromPairedDevice; }
    void setFromPairedDevice(bool paired) { fromPairedDevice = paired; }
    void setSourceSFI(const QString& sfi) { sourceSFI = sfi; }
    QString getSourceSfi() const { return sourceSFI; }
    void setDestinationSFI(const QString& sfi) { destSFI = sfi; }
    QString getDestinationSfi() const { return destSFI; }
    void setSourceCluster(const QString& cluster) { m_source_cluster = cluster; }
    QString getSourceCluster() const { return m_source_cluster; }
    void setDestinationCluster(const QString& cluster) { m_destination_cluster = cluster; }
    QString getDestinationCluster() const { return m_destination_cluster; }

    // "$" + body + "*" + checksum + CR LF.
    static QString addCrcToMsgBuffer(const QString& body);
    // The longest sentence NMEA 0183 allows, "$" through CR LF.
    static constexpr qsizetype kMaxSentenceLength = 82;

protected:
    explicit NmeaMessage(const QString& messageType);
    NmeaMessage(const NmeaMessage&) = default;
    NmeaMessage& operator=(const NmeaMessage&) = default;

    // The fields of a sentence built by the unit, in wire order, already formatted.
    virtual QStringList buildFields() const { return {}; }
    // Talker + identifier, or "P" + "NRV" + identifier for the unit's own sentences.
    virtual QString address() const;
    // Value constructors call this: the configured source talker and speed decimals.
    void initForSending();
    // Constructors of the unit's own "P" + "NRV" sentences call this.
    void initProprietary();
    // Marks the sentence rejected; always returns false so setParams can "return reject();".
    bool reject();

    QString m_talker_id;
    QString m_manufacturer_id;
    bool m_propriatary = false;
    QString m_message_type;
    quint32 m_message_type_hash = 0;
    QString m_message;
    QString m_checksum;
    NmeaMessageErrorType error_ID = NO_ERROR;
    int m_number_of_decimals = 1;
    QString destSFI;
    QString sourceSFI;
    QString m_destination_cluster;
    QString m_source_cluster;
    bool fromPairedDevice = false;

private:
    // Appends "*", the checksum of what follows the "$" and CR LF.
    static void appendChecksumAndEnd(QString& text);
};

// Gives a sentence class its clone(); every concrete class derives through it.
template <class Derived, class Base = NmeaMessage> class ClonableMessage : public Base {
public:
    using Base::Base;
    std::unique_ptr<NmeaMessage> clone() const override {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
};

// Sentences travel between objects (and threads) as shared pointers: the last holder frees it.
using NmeaMessagePtr = std::shared_ptr<NmeaMessage>;
Q_DECLARE_METATYPE(NmeaMessagePtr)
