#include "freshunit.h"

#include <memory>

namespace {
// The processing steps read the unit's setup (averaging times, maximum speed, installation
// offsets): the whole program runs on a fresh board root, so that they see factory defaults
// and nothing is written beside the test program.
class FreshBoardRoot : public ::testing::Environment {
public:
    void SetUp() override { m_root = std::make_unique<FreshUnitRoot>(); }
    void TearDown() override { m_root.reset(); }

private:
    std::unique_ptr<FreshUnitRoot> m_root;
};

[[maybe_unused]] const ::testing::Environment* const kFreshBoardRoot =
    ::testing::AddGlobalTestEnvironment(new FreshBoardRoot);
} // namespace
