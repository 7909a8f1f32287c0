#include "casename.h"
#include "pairing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using Step = Pairing::Step;

// What the unit does at a moment.
struct Answer {
    qint64 at;
    std::function<void(Pairing&, qint64)> apply;
};
const auto kConfirm = [](Pairing& p, qint64 now) { p.confirmed(now); };
const auto kDeny = [](Pairing& p, qint64 now) { p.denied(now); };
const auto kHeard = [](Pairing& p, qint64 now) { p.heard(now); };

struct Due {
    qint64 at;
    Step step;
    bool operator==(const Due&) const = default;
};
void PrintTo(const Due& d, std::ostream* os) {
    *os << d.at << ":" << static_cast<int>(d.step);
}

struct PairingCase {
    const char* name;
    std::vector<Answer> answers;
    qint64 until;
    std::vector<Due> expected;
};
void PrintTo(const PairingCase& c, std::ostream* os) {
    printCaseName(c, os);
}

// Driven as the program drives it: woken at the next due time or when the unit answers, it
// takes every step due then.
std::vector<Due> run(const PairingCase& c) {
    Pairing pairing;
    pairing.start(0);
    std::vector<Due> taken;
    auto answer = c.answers.begin();
    qint64 now = 0;
    while (now <= c.until) {
        while (answer != c.answers.end() && answer->at <= now) {
            answer->apply(pairing, now);
            ++answer;
        }
        for (Step step = pairing.take(now); step != Step::None; step = pairing.take(now)) {
            taken.push_back({now, step});
        }
        now = std::min(pairing.nextDue(), answer != c.answers.end() ? answer->at : c.until + 1);
    }
    return taken;
}

// Heartbeats every ten seconds from `first` through `last`.
std::vector<Due> heartbeats(qint64 first, qint64 last) {
    std::vector<Due> beats;
    for (qint64 at = first; at <= last; at += Pairing::kHeartbeatMs) {
        beats.push_back({at, Step::Heartbeat});
    }
    return beats;
}

// Requests every half minute from `first` through `last`.
std::vector<Due> reconfirmations(qint64 first, qint64 last) {
    std::vector<Due> requests;
    for (qint64 at = first; at <= last; at += Pairing::kReconfirmMs) {
        requests.push_back({at, Step::Request});
    }
    return requests;
}

// In time order; at the same moment in the order given.
std::vector<Due> join(std::initializer_list<std::vector<Due>> parts) {
    std::vector<Due> all;
    for (const std::vector<Due>& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Due& a, const Due& b) { return a.at < b.at; });
    return all;
}

class PairingSchedule : public ::testing::TestWithParam<PairingCase> {};

TEST_P(PairingSchedule, SendsWhatIsDueWhenItIsDue) {
    EXPECT_EQ(run(GetParam()), GetParam().expected);
}

const PairingCase kCases[] = {
    {"asks every few seconds while the unit is silent",
     {},
     7000,
     {{0, Step::Request}, {3000, Step::Request}, {6000, Step::Request}}},
    {"a confirmation brings the heartbeat at once and every ten seconds",
     {{1000, kConfirm}, {15000, kHeard}},
     21000,
     {{0, Step::Request},
      {1000, Step::Heartbeat},
      {11000, Step::Heartbeat},
      {21000, Step::Heartbeat}}},
    {"after a refusal it asks again only now and then",
     {{1000, kDeny}},
     31000,
     {{0, Step::Request}, {16000, Step::Request}, {31000, Step::Request}}},
    {"a unit silent for a minute and a half has dropped the display",
     {{1000, kConfirm}, {15500, kHeard}},
     106000,
     join({{{0, Step::Request}},
           heartbeats(1000, 101000),
           reconfirmations(31000, 91000),
           {{105500, Step::Lost}, {105500, Step::Request}}})},
    {"a paired display asks again every half minute, for a unit that restarted",
     {{1000, kConfirm}, {20000, kHeard}},
     31000,
     join({{{0, Step::Request}}, heartbeats(1000, 31000), {{31000, Step::Request}}})},
    {"a refusal ends the pairing",
     {{1000, kConfirm}, {5000, kDeny}},
     20000,
     {{0, Step::Request}, {1000, Step::Heartbeat}, {20000, Step::Request}}},
    {"asked again after a refusal, it pairs",
     {{1000, kDeny}, {16500, kConfirm}},
     17000,
     {{0, Step::Request}, {16000, Step::Request}, {16500, Step::Heartbeat}}},
};
INSTANTIATE_TEST_SUITE_P(Pairing, PairingSchedule, ::testing::ValuesIn(kCases));

} // namespace
