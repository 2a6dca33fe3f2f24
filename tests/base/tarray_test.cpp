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

// The capacity after each of `count` appends.
std::vector<int32> capacities(TArray<int*>& array, int count) {
  std::vector<int32> seen;
  for (int i = 0; i < count; ++i) {
    EXPECT_TRUE(array.add(&values[i]));
    seen.push_back(array.size());
  }
  return seen;
}

// The elements in the order an iterator visits them, forward or backward.
std::vector<int*> walk(const TContainer<int*>& container, bool backward = false) {
  const std::unique_ptr<TIterator<int*>> iterator(container.newIterator());
  std::vector<int*> seen;
  if (backward) iterator->last();
  while (!iterator->done()) seen.push_back(backward ? iterator->previous() : iterator->next());
  return seen;
}

TEST(TArray, GrowsByStepByDoublingOrNotAtAll) {
  TArray<int*> stepped(0, 10);
  EXPECT_EQ(stepped.size(), 0);
  EXPECT_EQ(stepped.total(), 0);
  EXPECT_TRUE(stepped.isEmpty());
  const std::vector<int32> steps = capacities(stepped, 11);
  EXPECT_EQ(steps.front(), 10);
  EXPECT_EQ(steps[9], 10);
  EXPECT_EQ(steps.back(), 20);
  EXPECT_EQ(stepped.total(), 11);

  TArray<int*> doubling(0, -1);
  const std::vector<int32> doubled = capacities(doubling, 21);
  EXPECT_EQ(doubled[0], 10);
  EXPECT_EQ(doubled[10], 20);
  EXPECT_EQ(doubled[20], 40);
  EXPECT_EQ(walk(doubling).size(), 21u);

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

TEST(TArray, InsertsAndRemovesByIndex) {
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
}

TEST(TArray, ResizeDropsElementsBeyondTheSlots) {
  TArray<int*> array;
  for (int* element : {p, q, r}) array.add(element);
  EXPECT_TRUE(array.resize(2));
  EXPECT_EQ(array.size(), 2);
  EXPECT_EQ(walk(array), (std::vector<int*>{p, q}));
  EXPECT_TRUE(array.resize(0));
  EXPECT_EQ(array.size(), 0);
  EXPECT_TRUE(array.isEmpty());
  EXPECT_TRUE(array.add(r));
}

TEST(TArray, FindsByEquality) {
  TArray<int*> array;
  for (int* element : {p, q, p}) array.add(element);
  EXPECT_EQ(array.occurrences(p), 2);
  EXPECT_EQ(array.index(q), 1);
  EXPECT_EQ(array.index(r), -1);
  EXPECT_TRUE(array.contains(q));
  EXPECT_FALSE(array.contains(r));
  EXPECT_EQ(array.lookup(q), q);
  EXPECT_EQ(array.lookup(r), nullptr);
  EXPECT_EQ(array.at(5), nullptr);
  EXPECT_EQ(array.at(-1), nullptr);
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

TEST(TArrayIterator, WalksBothWays) {
  TArray<int*> array;
  for (int* element : {p, q, r}) array.add(element);
  EXPECT_EQ(walk(array), (std::vector<int*>{p, q, r}));
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
}

// A container that keeps only the abstract operations, so the generic ones walk iterators.
class Bag : public TContainer<int*> {
 public:
  Bag() : TContainer<int*>(0, 0) {}
  TContainer<int*>* newInstance() const override { return new Bag; }
  int32 total() const override { return items.total(); }
  bool add(int* const& element) override { return items.add(element); }
  bool remove(int* const& element) override { return items.remove(element); }
  bool remove(const TIterator<int*>& iterator) override { return items.remove(iterator); }
  bool removeAt(int32 index) override { return items.removeAt(index); }
  void removeAll() override { items.removeAll(); }
  TIterator<int*>* newIterator() const override { return items.newIterator(); }

 private:
  TArray<int*> items;
};

TEST(TContainer, GenericOperationsWalkAnIterator) {
  Bag bag;
  for (int* element : {p, q, p}) bag.add(element);
  EXPECT_FALSE(bag.isEmpty());
  EXPECT_EQ(bag.at(1), q);
  EXPECT_EQ(bag.at(3), nullptr);
  EXPECT_EQ(bag.at(-1), nullptr);
  EXPECT_EQ(bag.lookup(q), q);
  EXPECT_EQ(bag.lookup(r), nullptr);
  EXPECT_TRUE(bag.contains(p));
  EXPECT_FALSE(bag.contains(r));
  EXPECT_EQ(bag.occurrences(p), 2);
}

}  // namespace
}  // namespace Quillon
