// Tests for TArray and its iterator, and the generic operations of TContainer.
#include "base/source/tarray.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace Quillon {
namespace {

int values[30];
int* const p = &values[0];
int* const q = &values[1];
int* const r = &values[2];

// The elements in the order an iterator visits them, forward or backward.
std::vector<int*> walk(const TContainer<int*>& container, bool backward = false) {
  const std::unique_ptr<TIterator<int*>> iterator(container.newIterator());
  std::vector<int*> seen;
  if (backward) iterator->last();
  while (!iterator->done()) seen.push_back(backward ? iterator->previous() : iterator->next());
  return seen;
}

TEST(TArray, GrowsByStepByDoublingOrNotAtAll) {
  // The slots after the 1st, 10th, 11th and 21st append.
  const struct {
    int32 delta;
    std::vector<int32> slots;
  } growths[] = {{10, {10, 10, 20, 30}}, {-1, {10, 10, 20, 40}}};
  for (const auto& growth : growths) {
    TArray<int*> array(0, growth.delta);
    EXPECT_EQ(array.size(), 0);
    std::vector<int32> slots;
    for (int i = 0; i < 21; ++i) {
      EXPECT_TRUE(array.add(&values[i]));
      if (i == 0 || i == 9 || i == 10 || i == 20) slots.push_back(array.size());
    }
    EXPECT_EQ(slots, growth.slots) << "step " << growth.delta;
    EXPECT_EQ(walk(array).size(), 21u);
  }

  TArray<int*> fixed(2, 0);
  EXPECT_TRUE(fixed.add(p));
  EXPECT_TRUE(fixed.add(q));
  EXPECT_FALSE(fixed.add(r));
  EXPECT_EQ(walk(fixed), (std::vector<int*>{p, q}));

  // Growing while adding one of its own elements keeps the value, not a freed slot.
  TArray<int*> full(1, 1);
  full.add(p);
  EXPECT_TRUE(full.add(full.at(0)));
  EXPECT_EQ(walk(full), (std::vector<int*>{p, p}));
}

// Shows the slots behind the elements.
class InspectedArray : public TArray<int*> {
 public:
  int* slot(int32 index) const { return array[size_t(index)]; }
};

TEST(TArray, InsertsRemovesWalksAndResizes) {
  InspectedArray array;
  array.add(p);
  array.add(r);
  EXPECT_TRUE(array.doInsertAt(1, q));
  EXPECT_FALSE(array.doInsertAt(4, q));
  EXPECT_FALSE(array.doInsertAt(-1, q));
  EXPECT_EQ(walk(array), (std::vector<int*>{p, q, r}));

  const int32 capacity = array.size();
  EXPECT_TRUE(array.removeAt(0));
  EXPECT_FALSE(array.removeAt(2));
  EXPECT_FALSE(array.removeAt(-1));
  EXPECT_EQ(walk(array), (std::vector<int*>{q, r}));
  EXPECT_EQ(array.size(), capacity);
  EXPECT_EQ(array.slot(2), nullptr);
  array.removeAll();
  EXPECT_TRUE(array.isEmpty());
  EXPECT_EQ(array.size(), capacity);

  // The iterator walks both ways and answers nothing beyond either end.
  for (int* element : {p, q, r}) array.add(element);
  EXPECT_EQ(walk(array, true), (std::vector<int*>{r, q, p}));
  TArrayIterator<int*> iterator(array);
  iterator.last();
  EXPECT_EQ(iterator.next(), r);
  EXPECT_TRUE(iterator.done());
  EXPECT_EQ(iterator.next(), nullptr);
  EXPECT_EQ(iterator.current(), nullptr);
  iterator.first();
  EXPECT_EQ(iterator.previous(), p);
  EXPECT_TRUE(iterator.done());
  EXPECT_EQ(iterator.previous(), nullptr);
  const std::unique_ptr<TContainer<int*>> empty(array.newInstance());
  EXPECT_EQ(empty->size(), 0);
  EXPECT_TRUE(walk(*empty).empty());

  // Resizing drops the elements beyond the slots.
  EXPECT_TRUE(array.resize(2));
  EXPECT_EQ(array.size(), 2);
  EXPECT_EQ(walk(array), (std::vector<int*>{p, q}));
  EXPECT_TRUE(array.resize(0));
  EXPECT_EQ(array.size(), 0);
  EXPECT_TRUE(array.isEmpty());
  EXPECT_TRUE(array.add(r));
}

// An element of the array itself, inserted anywhere, with and without growing: the value
// goes in, not whatever the shift has moved into its slot.
TEST(TArray, InsertsOneOfItsOwnElements) {
  for (int32 slots : {10, 3}) {
    for (int32 from = 0; from < 3; ++from) {
      for (int32 to = 0; to <= 3; ++to) {
        TArray<int> array(slots, 10);
        for (int value : {1, 2, 3}) array.add(value);
        std::vector<int> expected = {1, 2, 3};
        expected.insert(expected.begin() + to, expected[size_t(from)]);
        ASSERT_TRUE(array.doInsertAt(to, array.at(from)));
        std::vector<int> found;
        for (int32 i = 0; i < array.total(); ++i) found.push_back(array.at(i));
        EXPECT_EQ(found, expected) << slots << " slots, from " << from << " to " << to;
      }
    }
  }
}

TEST(TContainer, FindsByEqualityDirectlyOrByWalking) {
  TArray<int*> array;
  for (int* element : {p, q, p}) array.add(element);
  // Each of the array's own operations beside the generic one, which walks an iterator.
  using Generic = TContainer<int*>;
  EXPECT_EQ(array.occurrences(p), 2);
  EXPECT_EQ(array.Generic::occurrences(p), 2);
  EXPECT_TRUE(array.contains(q));
  EXPECT_TRUE(array.Generic::contains(p));
  EXPECT_FALSE(array.contains(r));
  EXPECT_FALSE(array.Generic::contains(r));
  EXPECT_EQ(array.lookup(q), q);
  EXPECT_EQ(array.Generic::lookup(q), q);
  EXPECT_EQ(array.lookup(r), nullptr);
  EXPECT_EQ(array.Generic::lookup(r), nullptr);
  EXPECT_EQ(array.Generic::at(1), q);
  for (int32 outside : {-1, 3, 5}) {
    EXPECT_EQ(array.at(outside), nullptr);
    EXPECT_EQ(array.Generic::at(outside), nullptr);
  }
  EXPECT_FALSE(array.Generic::isEmpty());
  EXPECT_EQ(array.index(q), 1);
  EXPECT_EQ(array.index(r), -1);

  EXPECT_TRUE(array.remove(p));
  EXPECT_EQ(walk(array), (std::vector<int*>{q, p}));
  EXPECT_FALSE(array.remove(r));
  // Removing through an iterator takes the first equal element.
  std::unique_ptr<TIterator<int*>> iterator(array.newIterator());
  iterator->next();
  EXPECT_EQ(iterator->current(), p);
  EXPECT_TRUE(array.remove(*iterator));
  EXPECT_EQ(walk(array), (std::vector<int*>{q}));
}

}  // namespace
}  // namespace Quillon
