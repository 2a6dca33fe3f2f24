// Containers of copyable, comparable values: the abstract container and iterator, and the
// growable array with its iterator.
//
// Defines `TContainer<T>` (the operations every container offers, with generic versions that
// walk an iterator), `TIterator<T>`, `TArrayBase<T>` (slots, growth and removal), `TArray<T>`
// (appends; finds by `==`) and `TArrayIterator<T>`. An array grows by a fixed step, doubles
// (step -1, from 10 slots), or stays fixed (step 0). Elements are plain values: an array of
// pointers neither owns nor releases what they point at.
#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <memory>
#include <utility>

#include "interfaces/ftypes.h"

namespace Quillon {

template <class T>
class TIterator;

// A container of values of `T`, owned by its creator. Operations that find no element return
// `nullElement`, the empty value of `T` (null for pointers). Never copied.
template <class T>
class TContainer {
 public:
  TContainer(int32 size, int32 delta) : capacity(size > 0 ? size : 0), delta(delta) {}
  virtual ~TContainer() = default;
  TContainer(const TContainer&) = delete;
  TContainer& operator=(const TContainer&) = delete;

  // A new empty container of the same kind; the caller owns it.
  virtual TContainer<T>* newInstance() const = 0;
  // The number of elements.
  virtual int32 total() const { return capacity; }
  virtual bool isEmpty() const { return total() == 0; }
  // The number of slots allocated.
  virtual int32 size() const { return capacity; }
  // Adds `element` where the container puts it; false when it cannot grow.
  virtual bool add(const T& element) = 0;
  // Removes the first element equal to `element`; false when there is none.
  virtual bool remove(const T& element) = 0;
  // Removes the first element equal to the iterator's current one; false when there is none.
  virtual bool remove(const TIterator<T>& iterator) = 0;
  // Removes the element at `index`; false outside the elements.
  virtual bool removeAt(int32 index) = 0;
  virtual void removeAll() = 0;
  // The element at `index`, or nullElement outside the elements.
  virtual const T& at(int32 index) const;
  // The first element equal to `element`, or nullElement.
  virtual const T& lookup(const T& element) const;
  virtual bool contains(const T& element) const;
  // The number of elements equal to `element`.
  virtual int32 occurrences(const T& element) const;
  // A new iterator at the first element; the caller owns it and destroys it before the
  // container, and does not use it across a change of the container.
  virtual TIterator<T>* newIterator() const = 0;

 protected:
  // Read-only to callers: a returned reference to it cannot change what "no element" means.
  const T nullElement{};
  int32 capacity;
  int32 delta;
};

// Walks a container forward (`next` until `done`) or backward (`last`, then `previous`).
template <class T>
class TIterator {
 public:
  virtual ~TIterator() = default;
  // True when the position is outside the elements.
  virtual bool done() const = 0;
  // The element at the position, then moves forward; nullElement without moving when done.
  virtual const T& next() = 0;
  // The element at the position, then moves back; nullElement without moving when done.
  virtual const T& previous() = 0;
  // The element at the position; nullElement when done.
  virtual const T& current() const = 0;
  virtual void first() = 0;
  virtual void last() = 0;
};

// The array behind TArray: owns `size()` slots (allocated with new[]) holding `total()`
// elements in slots 0 to total() - 1. A failed allocation throws std::bad_alloc and leaves
// the array as it was.
template <class T>
class TArrayBase : public TContainer<T> {
 public:
  // `size` slots at once (none when 0 or less); growth step `delta`: a positive step adds that
  // many slots, -1 doubles (from 10), 0 keeps the array fixed.
  TArrayBase(int32 size, int32 delta);

  int32 total() const override { return entries; }
  bool isEmpty() const override { return entries == 0; }
  // Appends, growing when full; false when a fixed array is full.
  bool add(const T& element) override { return doInsertAt(shouldGo(element), element); }
  bool remove(const T& element) override;
  bool remove(const TIterator<T>& iterator) override { return remove(iterator.current()); }
  bool removeAt(int32 index) override;
  // Empties the array; the slots stay.
  void removeAll() override;
  const T& at(int32 index) const override;
  const T& lookup(const T& element) const override;
  bool contains(const T& element) const override { return index(element) != -1; }
  int32 occurrences(const T& element) const override;
  TIterator<T>* newIterator() const override;

  // The index at which `add` inserts `element`.
  virtual int32 shouldGo(const T& element) const = 0;
  // The index of the first element equal to `element`, or -1.
  virtual int32 index(const T& element) const = 0;

  // Inserts `element` before `index` (0 to total()), growing when full. False for an index
  // outside that range or when a fixed array is full.
  bool doInsertAt(int32 index, const T& element);
  // Gives the array exactly `newSize` slots, dropping the elements beyond them; 0 frees them.
  bool resize(int32 newSize);

 protected:
  using TContainer<T>::nullElement;
  using TContainer<T>::capacity;
  using TContainer<T>::delta;

  template <class>
  friend class TArrayIterator;

  // The slow part of doInsertAt, kept apart so that appending to a free slot stays inline.
  bool growAndInsertAt(int32 index, const T& element);

  int32 entries = 0;
  std::unique_ptr<T[]> array;
};

// An array that appends and finds elements by `==`, owned by its creator.
template <class T>
class TArray : public TArrayBase<T> {
 public:
  // See TArrayBase; the registry of singletons uses (0, 10).
  explicit TArray(int32 size = 0, int32 delta = 10) : TArrayBase<T>(size, delta) {}

  // A new empty TArray with no slots and step 10; the caller owns it.
  TContainer<T>* newInstance() const override { return new TArray<T>(0, 10); }
  int32 shouldGo(const T&) const override { return this->entries; }
  int32 index(const T& element) const override;
};

// Walks a TArrayBase by index, starting at its first element. Must not outlive the array.
template <class T>
class TArrayIterator : public TIterator<T> {
 public:
  explicit TArrayIterator(const TArrayBase<T>& array) : array(array) {}

  bool done() const override { return position < 0 || position >= array.entries; }
  const T& next() override { return step(+1); }
  const T& previous() override { return step(-1); }
  const T& current() const override {
    return done() ? array.nullElement : array.array[size_t(position)];
  }
  void first() override { position = 0; }
  void last() override { position = array.entries - 1; }

 private:
  const T& step(int32 direction) {
    if (done()) return array.nullElement;
    const T& element = array.array[size_t(position)];
    position += direction;
    return element;
  }

  const TArrayBase<T>& array;
  int32 position = 0;
};

//------------------------------------------------------------------------------------------------
// TContainer: generic operations by iteration
//------------------------------------------------------------------------------------------------

template <class T>
const T& TContainer<T>::at(int32 index) const {
  if (index < 0 || index >= total()) return nullElement;
  const std::unique_ptr<TIterator<T>> walk(newIterator());
  for (int32 i = 0; i < index; ++i) walk->next();
  return walk->done() ? nullElement : walk->current();
}

template <class T>
const T& TContainer<T>::lookup(const T& element) const {
  const std::unique_ptr<TIterator<T>> walk(newIterator());
  while (!walk->done()) {
    const T& candidate = walk->next();
    if (candidate == element) return candidate;
  }
  return nullElement;
}

template <class T>
bool TContainer<T>::contains(const T& element) const {
  return occurrences(element) > 0;
}

template <class T>
int32 TContainer<T>::occurrences(const T& element) const {
  int32 count = 0;
  const std::unique_ptr<TIterator<T>> walk(newIterator());
  while (!walk->done())
    if (walk->next() == element) ++count;
  return count;
}

//------------------------------------------------------------------------------------------------
// TArrayBase
//------------------------------------------------------------------------------------------------

template <class T>
TArrayBase<T>::TArrayBase(int32 size, int32 delta)
    : TContainer<T>(size, delta), array(size > 0 ? new T[size_t(size)]() : nullptr) {}

template <class T>
bool TArrayBase<T>::doInsertAt(int32 index, const T& element) {
  if (index < 0 || index > entries) return false;
  if (entries >= capacity) return growAndInsertAt(index, element);
  // `element` may be one of this array's own slots, which the shift overwrites.
  T value = element;
  for (int32 i = entries; i > index; --i) array[size_t(i)] = std::move(array[size_t(i - 1)]);
  array[size_t(index)] = std::move(value);
  ++entries;
  return true;
}

template <class T>
bool TArrayBase<T>::growAndInsertAt(int32 index, const T& element) {
  if (delta == 0 || capacity == INT32_MAX) return false;
  const int64 grown =
      delta < 0 ? (capacity < 1 ? 10 : int64(capacity) * 2) : int64(capacity) + delta;
  // `element` may be one of this array's own slots, which growing frees.
  const T value = element;
  if (!resize(grown > INT32_MAX ? INT32_MAX : int32(grown))) return false;
  return doInsertAt(index, value);
}

template <class T>
bool TArrayBase<T>::resize(int32 newSize) {
  if (newSize <= 0) {
    removeAll();
    array.reset();
    capacity = 0;
    return true;
  }
  // Filled completely before anything of the old array changes; each slot written once.
  std::unique_ptr<T[]> slots(new T[size_t(newSize)]);
  const int32 kept = entries < newSize ? entries : newSize;
  std::copy(array.get(), array.get() + kept, slots.get());
  std::fill(slots.get() + kept, slots.get() + newSize, nullElement);
  array = std::move(slots);
  capacity = newSize;
  entries = kept;
  return true;
}

template <class T>
bool TArrayBase<T>::remove(const T& element) {
  if (entries == 0) return false;
  const int32 found = index(element);
  return found != -1 && removeAt(found);
}

template <class T>
bool TArrayBase<T>::removeAt(int32 index) {
  if (index < 0 || index >= entries) return false;
  std::copy(&array[size_t(index) + 1], &array[size_t(entries)], &array[size_t(index)]);
  array[size_t(entries - 1)] = nullElement;
  --entries;
  return true;
}

template <class T>
void TArrayBase<T>::removeAll() {
  for (int32 i = 0; i < entries; ++i) array[size_t(i)] = nullElement;
  entries = 0;
}

template <class T>
const T& TArrayBase<T>::at(int32 index) const {
  return index < 0 || index >= entries ? nullElement : array[size_t(index)];
}

template <class T>
const T& TArrayBase<T>::lookup(const T& element) const {
  const int32 found = index(element);
  return found == -1 ? nullElement : array[size_t(found)];
}

template <class T>
int32 TArrayBase<T>::occurrences(const T& element) const {
  int32 count = 0;
  for (int32 i = 0; i < entries; ++i)
    if (array[size_t(i)] == element) ++count;
  return count;
}

template <class T>
TIterator<T>* TArrayBase<T>::newIterator() const {
  return new TArrayIterator<T>(*this);
}

//------------------------------------------------------------------------------------------------
// TArray
//------------------------------------------------------------------------------------------------

template <class T>
int32 TArray<T>::index(const T& element) const {
  for (int32 i = 0; i < this->entries; ++i)
    if (this->array[size_t(i)] == element) return i;
  return -1;
}

}  // namespace Quillon
