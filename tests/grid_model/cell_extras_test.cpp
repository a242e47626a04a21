#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "grid/model/cell.h"
#include "grid/model/cell_pool.h"

namespace veltrano::grid {
namespace {

// Copies of a cell share its rarely changed values until one copy changes
// one; these catch a copy that changes its original, a record kept alive or
// freed too early, and a value equal to the held one unsharing a record.
TEST(CellExtrasTest, CopiesShareUntilOneChangesAValue) {
    Cell original;
    original.setMargin(4);
    Cell copy = original;
    EXPECT_TRUE(copy.sharesExtrasWith(original));

    copy.setMargin(4);
    EXPECT_TRUE(copy.sharesExtrasWith(original)) << "an equal value unshared the record";

    copy.setMargin(7);
    EXPECT_FALSE(copy.sharesExtrasWith(original));
    EXPECT_EQ(copy.margin(), 7);
    EXPECT_EQ(original.margin(), 4);
}

TEST(CellExtrasTest, ACellOfDefaultsReadsTheDefaultsAndSharesWithAnother) {
    const Cell plain;
    EXPECT_EQ(plain.margin(), kDefaultMargin);
    EXPECT_EQ(plain.imageIndex(), -1);
    EXPECT_EQ(plain.picture(), nullptr);
    EXPECT_TRUE(plain.sharesExtrasWith(Cell{}));

    Cell changed;
    changed.setImageIndex(-1);
    EXPECT_TRUE(changed.sharesExtrasWith(plain)) << "the default value made a record";
}

TEST(CellExtrasTest, ThePictureLivesAsLongAsTheLastCellHoldingIt) {
    auto picture = std::make_shared<Picture>();
    const std::weak_ptr<Picture> watch = picture;
    {
        Cell first;
        first.setPicture(std::move(picture));
        std::vector<Cell> copies(3, first);
        Cell moved = std::move(copies.back());
        copies.pop_back();
        copies.clear();
        EXPECT_FALSE(watch.expired());
        first = Cell{};
        EXPECT_FALSE(watch.expired()) << "the moved copy still holds it";
        EXPECT_EQ(moved.picture(), watch.lock());
    }
    EXPECT_TRUE(watch.expired());
}

TEST(CellExtrasTest, AssignmentTakesTheOtherRecordAndLetsGoOfItsOwn) {
    auto picture = std::make_shared<Picture>();
    const std::weak_ptr<Picture> watch = picture;
    Cell holder;
    holder.setPicture(std::move(picture));
    Cell other;
    other.setUserValue(5);

    holder = other;
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(holder.sharesExtrasWith(other));
    EXPECT_EQ(holder.userValue(), 5u);

    Cell& alias = holder;
    holder = alias;
    EXPECT_EQ(holder.userValue(), 5u) << "assigning a cell to itself lost its record";
    holder.shareExtrasOf(holder);
    EXPECT_EQ(holder.userValue(), 5u);
}

TEST(CellExtrasTest, APooledCellGivenBackDropsItsRecord) {
    auto picture = std::make_shared<Picture>();
    const std::weak_ptr<Picture> watch = picture;
    CellPool pool;
    Cell initial;
    initial.setPicture(std::move(picture));
    Cell* held = pool.acquire(initial);
    initial = Cell{};
    EXPECT_FALSE(watch.expired());
    pool.release(held);
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(pool.heldCount(), 0u);
}

}  // namespace
}  // namespace veltrano::grid
