#pragma once

#include "channelrecords.h"
#include "recordlist.h"

#include <QList>
#include <QStringList>

// The sentence table of one output channel, file CHANNEL + "_channel_setup": one record per
// output sentence type, in the order of the type list. A file that does not hold each type
// exactly once is not used. The network channel falls back to its older file
// "UDPM_channel_setup" before taking the defaults.
class SingleChannelSetup : public RecordList<Sing_Ch_Sing_Msg_S> {
public:
    static inline const QString kFileSuffix = QStringLiteral("_channel_setup");
    static inline const QString kLegacyLanFile = QStringLiteral("UDPM_channel_setup");

    explicit SingleChannelSetup(const QString& channelname);

    const QString& channelname() const { return m_channelname; }

    bool readSetup() override;
    void getDefaults() override;

    QStringList getMsgsTypes() const;
    QList<bool> getMsgsEnabled() const;
    QList<bool> getMsgsAllowed() const;
    // The allowed types, in type-list order, and their enabled flags.
    QStringList getAvailableMsgsTypes() const;
    QList<bool> getAvailableMsgsEnabled() const;

    // False for a type that is not in the type list.
    bool isEnabled(const QString& msgType) const;
    // Each writes the file once when a flag changed; unknown types are skipped.
    void setMsgsEnabled(const QString& msgType, bool enabled);
    void setMsgsEnabled(const QStringList& msgTypes, const QList<bool>& enabled);

protected:
    bool accept(QList<Sing_Ch_Sing_Msg_S>& loaded) const override;

private:
    bool storeEnabled(const QString& msgType, bool enabled);

    QString m_channelname;
};
