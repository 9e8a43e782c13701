#include "model/Model.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace
{
static_assert(std::has_virtual_destructor_v<CModel>, "deleted through CModel pointers");
static_assert(sizeof(ModelTriangle) == 7 * sizeof(std::int32_t), "seven ints per record");

// The live count is what the long session relies on to see every superseded model go.
TEST(Model, LiveCountFollowsConstructionAndDeletion)
{
    const int before = CModel::LiveCount();
    {
        std::unique_ptr<CModel> first = std::make_unique<CModel>();
        const CModel second;
        EXPECT_EQ(CModel::LiveCount(), before + 2);
        first->m_vecGroups.push_back(std::make_unique<ModelGroup>());
        first.reset();
        EXPECT_EQ(CModel::LiveCount(), before + 1);
    }
    EXPECT_EQ(CModel::LiveCount(), before);
}
} // namespace
