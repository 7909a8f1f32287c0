#pragma once

#include "diagnosticstest.h"
#include "nmeamessage.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

// One result under reassembly: the pieces of one group of result sentences (IDM 2), each
// "group,index,count,piece". The count is fixed by the piece that opened the set.
class TestDataMsgsSet {
public:
    static constexpr int kMaxPieces = 99;

    TestDataMsgsSet(int groupIdentifier, int count);

    int messageGroupIdentifier() const { return m_groupIdentifier; }
    int count() const { return int(nmeaList.size()); }
    // Keeps the piece at its index, replacing an earlier copy; false for an index or a count
    // that does not belong to this set.
    bool add(int index, int count, const QString& piece);
    bool isComplete() const { return !received.contains(false); }
    QString text() const { return nmeaList.join(QString()); }

private:
    int m_groupIdentifier;
    QStringList nmeaList;
    QList<bool> received;
};

// The latest result of every test, one per test name, and the results arriving in pieces.
class DiagnosticsStatus : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Replaces the stored result of the same name.
    void addTest(const DiagnosticsTest& test);
    int getTestIndex(const QString& name) const;
    std::optional<DiagnosticsTest> getDiagnosticTest(const QString& name) const;
    const QList<DiagnosticsTest>& getDiagnosticTests() const { return m_tests; }

public Q_SLOTS:
    // A result piece (IDM 2). True when it completed a result, which then replaces the stored
    // one. Pieces with indexes outside 0 <= index < count <= 99, or a count other than their
    // set's, are dropped; a piece 00 starts its group afresh. A set whose last piece arrives
    // while others are missing is dropped.
    bool slotTestDataMessage(const NmeaMessagePtr& message);

private:
    QList<DiagnosticsTest> m_tests;
    QList<TestDataMsgsSet> m_sets;
};
