#include "diagnosticsstatus.h"

#include "msgidm.h"

namespace {
constexpr int kResultPieceCommand = 2;
constexpr int kMaxGroupIdentifier = 99;

std::optional<int> number(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

TestDataMsgsSet::TestDataMsgsSet(int groupIdentifier, int count)
    : m_groupIdentifier(groupIdentifier), nmeaList(count), received(count, false) {}

bool TestDataMsgsSet::add(int index, int pieceCount, const QString& piece) {
    if (pieceCount != count() || index < 0 || index >= count()) {
        return false;
    }
    nmeaList[index] = piece;
    received[index] = true;
    return true;
}

void DiagnosticsStatus::addTest(const DiagnosticsTest& test) {
    const int index = getTestIndex(test.testName);
    if (index < 0) {
        m_tests.append(test);
    } else {
        m_tests[index] = test;
    }
}

int DiagnosticsStatus::getTestIndex(const QString& name) const {
    for (qsizetype i = 0; i < m_tests.size(); ++i) {
        if (m_tests[i].testName == name) {
            return int(i);
        }
    }
    return -1;
}

std::optional<DiagnosticsTest> DiagnosticsStatus::getDiagnosticTest(const QString& name) const {
    const int index = getTestIndex(name);
    return index < 0 ? std::nullopt : std::optional<DiagnosticsTest>(m_tests[index]);
}

bool DiagnosticsStatus::slotTestDataMessage(const NmeaMessagePtr& message) {
    const auto* idm = dynamic_cast<const MsgIDM*>(message.get());
    if (!idm || idm->commandID() != kResultPieceCommand || idm->msgParameters().size() < 4) {
        return false;
    }
    const QStringList fields = idm->msgParameters();
    const std::optional<int> group = number(fields[0]);
    const std::optional<int> index = number(fields[1]);
    const std::optional<int> count = number(fields[2]);
    if (!group || !index || !count || *group < 0 || *group > kMaxGroupIdentifier || *index < 0 ||
        *index >= *count || *count > TestDataMsgsSet::kMaxPieces) {
        return false;
    }
    // The piece itself is text with commas, which the sentence splits into further fields.
    const QString piece = fields.mid(3).join(QLatin1Char(','));
    auto set = std::find_if(m_sets.begin(), m_sets.end(), [&](const TestDataMsgsSet& s) {
        return s.messageGroupIdentifier() == *group;
    });
    if (set != m_sets.end() && *index == 0) {
        m_sets.erase(set);
        set = m_sets.end();
    }
    if (set == m_sets.end()) {
        m_sets.append(TestDataMsgsSet(*group, *count));
        set = m_sets.end() - 1;
    }
    if (!set->add(*index, *count, piece) || *index != *count - 1) {
        return false;
    }
    const std::optional<DiagnosticsTest> test =
        set->isComplete() ? DiagnosticsTest::fromText(set->text()) : std::nullopt;
    m_sets.erase(set);
    if (!test) {
        return false;
    }
    addTest(*test);
    return true;
}
