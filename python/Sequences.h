// The sequence classes of the Python binding: StringVector, UniqueIDVector
// and the iterators a script gets from them.
//
// Included into the generated wrapper after SWIG's runtime (it uses the
// runtime's pointer objects and item conversions); not a header of the
// client library.
//
// Every access is checked: an index, a slice or an iterator position that
// falls outside the vector is refused with a Python exception, never used.
// An iterator refers to its vector through the vector's pointer object and a
// position, not through a native iterator, so it stays valid when the vector
// grows or shrinks, and it keeps the pointer object alive. A vector freed
// explicitly (its pointer object cleared) reads as empty.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace swig {

// Thrown to end an iteration; the wrapper raises StopIteration.
struct stop_iteration {};

// The base of every iterator a script receives: four kinds per vector type
// (forward or reverse, closed or open), all with the same Python methods.
class SwigPyIterator {
public:
    virtual ~SwigPyIterator() { Py_XDECREF(owner_); }

    // The item at the current position (a new reference).
    virtual PyObject* value() const = 0;
    // Moves n steps in the iterator's direction; returns this iterator.
    virtual SwigPyIterator* incr(size_t n = 1) = 0;
    // Moves n steps against the iterator's direction; returns this iterator.
    virtual SwigPyIterator* decr(size_t n = 1) = 0;
    // Steps from this iterator to x; std::invalid_argument for another kind.
    virtual ptrdiff_t distance(const SwigPyIterator& x) const = 0;
    // Same position; std::invalid_argument for another kind.
    virtual bool equal(const SwigPyIterator& x) const = 0;
    // A new iterator of the same kind at the same position.
    virtual SwigPyIterator* copy() const = 0;
    // The item at the current position (a new reference), moving one step
    // on; null without a Python error when no item is left, null with one
    // when the item does not convert (the iterator moves on all the same).
    virtual PyObject* nextOrEnd() = 0;

    PyObject* next() {
        PyObject* item = nextOrEnd();
        if (!item && !PyErr_Occurred()) {
            throw swig::stop_iteration();
        }
        return item;
    }
    PyObject* __next__() { return next(); }
    PyObject* previous() {
        decr();
        return value();
    }
    SwigPyIterator* advance(ptrdiff_t n) { return n > 0 ? incr(magnitude(n)) : decr(magnitude(n)); }
    SwigPyIterator* retreat(ptrdiff_t n) { return n > 0 ? decr(magnitude(n)) : incr(magnitude(n)); }

    // Iterators of different kinds are simply not equal.
    bool operator==(const SwigPyIterator& x) const {
        try {
            return equal(x);
        } catch (const std::invalid_argument&) {
            return false;
        }
    }
    bool operator!=(const SwigPyIterator& x) const { return !operator==(x); }
    SwigPyIterator& operator+=(ptrdiff_t n) { return *advance(n); }
    SwigPyIterator& operator-=(ptrdiff_t n) { return *retreat(n); }
    SwigPyIterator* operator+(ptrdiff_t n) const {
        std::unique_ptr<SwigPyIterator> moved(copy());
        moved->advance(n);
        return moved.release();
    }
    SwigPyIterator* operator-(ptrdiff_t n) const {
        std::unique_ptr<SwigPyIterator> moved(copy());
        moved->retreat(n);
        return moved.release();
    }
    ptrdiff_t operator-(const SwigPyIterator& x) const { return x.distance(*this); }

protected:
    // owner: the pointer object of the vector (a counted reference is kept).
    explicit SwigPyIterator(PyObject* owner) : owner_(owner) { Py_XINCREF(owner_); }
    SwigPyIterator(const SwigPyIterator& other) : owner_(other.owner_) { Py_XINCREF(owner_); }
    SwigPyIterator& operator=(const SwigPyIterator&) = delete;

    static size_t magnitude(ptrdiff_t n) {
        return n < 0 ? size_t(0) - static_cast<size_t>(n) : static_cast<size_t>(n);
    }

    PyObject* owner_;
};

}  // namespace swig

namespace pyseq {

// A Python error is already set; the wrapper fails with it.
struct python_error {};

// Item conversions, by item type.
template <class T>
struct Item;

template <>
struct Item<std::string> {
    static PyObject* from(const std::string& item) { return SWIG_From_std_string(item); }
    // A SWIG result code; *out receives the item on success.
    static int as(PyObject* object, std::string* out) {
        // A str is taken from its UTF-8 form directly; one that has none
        // (lone surrogates) goes the runtime's way, which reports it.
        if (PyUnicode_Check(object)) {
            Py_ssize_t size = 0;
            if (const char* utf8 = PyUnicode_AsUTF8AndSize(object, &size)) {
                if (out) {
                    out->assign(utf8, static_cast<size_t>(size));
                }
                return SWIG_OK;
            }
            PyErr_Clear();
        }
        std::string* converted = nullptr;
        const int res = SWIG_AsPtr_std_string(object, &converted);
        if (!SWIG_IsOK(res) || !converted) {
            return SWIG_IsOK(res) ? SWIG_TypeError : res;
        }
        if (out) {
            *out = *converted;
        }
        if (SWIG_IsNewObj(res)) {
            delete converted;
        }
        return SWIG_OK;
    }
};

template <>
struct Item<unsigned long> {
    static PyObject* from(unsigned long item) { return SWIG_From_unsigned_SS_long(item); }
    static int as(PyObject* object, unsigned long* out) { return SWIG_AsVal_unsigned_SS_long(object, out); }
};

// The vector a pointer object addresses (null once it was freed).
template <class Vec>
Vec* vectorOf(PyObject* owner) {
    return owner ? static_cast<Vec*>(reinterpret_cast<SwigPyObject*>(owner)->ptr) : nullptr;
}

// The runtime's type of each vector.
template <class Vec>
swig_type_info* vectorType();
template <>
inline swig_type_info* vectorType<std::vector<std::string> >() {
    return SWIGTYPE_p_std__vectorT_std__string_std__allocatorT_std__string_t_t;
}
template <>
inline swig_type_info* vectorType<std::vector<unsigned long> >() {
    return SWIGTYPE_p_std__vectorT_unsigned_long_std__allocatorT_unsigned_long_t_t;
}

// The pointer object behind a vector argument (its proxy or itself): the
// member of its chain that the argument was converted through.
template <class Vec>
PyObject* ownerOf(PyObject* object) {
    return reinterpret_cast<PyObject*>(pychain::memberFor(object, vectorType<Vec>()));
}

// A position in a vector. Forward iterators count from 0 (first item) to
// size (past the end); reverse iterators from size - 1 (last item) down to
// -1 (before the first). Closed and open iterators behave alike (both are
// bounded); they are distinct kinds, as are forward and reverse.
// The runtime's type of iterator objects.
inline swig_type_info* iteratorType() {
    static swig_type_info* const type = SWIG_TypeQuery("swig::SwigPyIterator *");
    return type;
}

template <class Vec, bool Reverse, bool Closed>
class VectorIterator : public swig::SwigPyIterator {
public:
    using item_type = typename Vec::value_type;

    VectorIterator(PyObject* owner, ptrdiff_t position) : SwigPyIterator(owner), position_(position) {}

    Vec* vector() const { return vectorOf<Vec>(owner_); }
    PyObject* owner() const { return owner_; }
    ptrdiff_t position() const { return position_; }

    PyObject* value() const override {
        const Vec* items = vector();
        if (!items || position_ < 0 || position_ >= static_cast<ptrdiff_t>(items->size())) {
            throw swig::stop_iteration();
        }
        return Item<item_type>::from((*items)[static_cast<size_t>(position_)]);
    }

    PyObject* nextOrEnd() override {
        const Vec* items = vector();
        if (!items || position_ < 0 || position_ >= static_cast<ptrdiff_t>(items->size())) {
            return nullptr;
        }
        PyObject* item = Item<item_type>::from((*items)[static_cast<size_t>(position_)]);
        // from any item, one step on stays within the bounds
        position_ += Reverse ? -1 : 1;
        return item;
    }

    swig::SwigPyIterator* incr(size_t n = 1) override {
        move(n, !Reverse);
        return this;
    }
    swig::SwigPyIterator* decr(size_t n = 1) override {
        move(n, Reverse);
        return this;
    }

    ptrdiff_t distance(const swig::SwigPyIterator& x) const override {
        const VectorIterator& other = sameKind(x);
        if (other.owner_ != owner_) {
            throw std::invalid_argument("bad iterator type");
        }
        return Reverse ? position_ - other.position_ : other.position_ - position_;
    }
    bool equal(const swig::SwigPyIterator& x) const override {
        const VectorIterator& other = sameKind(x);
        return other.owner_ == owner_ && other.position_ == position_;
    }
    swig::SwigPyIterator* copy() const override { return new VectorIterator(*this); }

private:
    static const VectorIterator& sameKind(const swig::SwigPyIterator& x) {
        const VectorIterator* other = dynamic_cast<const VectorIterator*>(&x);
        if (!other) {
            throw std::invalid_argument("bad iterator type");
        }
        return *other;
    }

    // Moves n positions up (towards size) or down (towards -1 or 0); refuses
    // a move that would leave the vector, without moving.
    void move(size_t n, bool up) {
        const Vec* items = vector();
        if (!items) {
            throw swig::stop_iteration();
        }
        const ptrdiff_t size = static_cast<ptrdiff_t>(items->size());
        const ptrdiff_t lowest = Reverse ? -1 : 0;
        const ptrdiff_t highest = Reverse ? size - 1 : size;
        if (position_ < lowest || position_ > highest) {
            throw swig::stop_iteration();
        }
        const size_t room = static_cast<size_t>(up ? highest - position_ : position_ - lowest);
        if (n > room) {
            throw swig::stop_iteration();
        }
        position_ = up ? position_ + static_cast<ptrdiff_t>(n) : position_ - static_cast<ptrdiff_t>(n);
    }

    ptrdiff_t position_;
};

// A new iterator object of the given kind over the vector behind `self`.
template <class Vec, bool Reverse, bool Closed>
PyObject* newIterator(PyObject* self, ptrdiff_t position) {
    swig::SwigPyIterator* iterator = new VectorIterator<Vec, Reverse, Closed>(ownerOf<Vec>(self), position);
    return SWIG_NewPointerObj(iterator, iteratorType(), SWIG_POINTER_OWN);
}

// Whether the iterator pointer object `member` may be used: it owns its
// iterator, or one behind it in its chain does (an object returned by incr
// or the one += was applied to). Once the owner freed the iterator
// explicitly, every such object is refused.
inline bool usableIterator(const SwigPyObject* member) {
    for (const SwigPyObject* behind = member; member && behind;
         behind = reinterpret_cast<const SwigPyObject*>(behind->next)) {
        if (behind->own && behind->ptr == member->ptr && behind->ty == member->ty) {
            return member->ptr != nullptr;
        }
    }
    return false;
}

// A new iterator object (a proxy), not owned, for the native iterator that
// `self` names; *original receives the pointer object of `self` it names
// it through, *made the new one's. Null with a Python error on failure.
inline PyObject* anotherObjectFor(PyObject* self, swig::SwigPyIterator* iterator, SwigPyObject** original,
                                  SwigPyObject** made) {
    *original = pychain::memberFor(self, iteratorType());
    PyObject* object = *original ? SWIG_NewPointerObj(iterator, iteratorType(), 0) : nullptr;
    *made = object ? SWIG_Python_GetSwigThis(object) : nullptr;
    if (!*made) {
        Py_XDECREF(object);
        if (!PyErr_Occurred()) {
            PyErr_SetString(PyExc_RuntimeError, "cannot make an iterator object");
        }
        return nullptr;
    }
    return object;
}

// A new iterator object, not owned, for the native iterator that `self`
// names; it keeps the pointer object it came from (and so the iterator's
// owner) alive.
inline PyObject* aliasOf(PyObject* self, swig::SwigPyIterator* iterator) {
    SwigPyObject* original = nullptr;
    SwigPyObject* alias = nullptr;
    PyObject* object = anotherObjectFor(self, iterator, &original, &alias);
    if (object) {
        Py_INCREF(original);
        alias->next = reinterpret_cast<PyObject*>(original);
    }
    return object;
}

// A new iterator object for the native iterator that `self` names, taking
// over `self`'s ownership of it; `self` keeps the new object alive (it
// follows `self` in its chain), so earlier references still reach it.
inline PyObject* handOwnershipOn(PyObject* self, swig::SwigPyIterator* iterator) {
    SwigPyObject* original = nullptr;
    SwigPyObject* moved = nullptr;
    PyObject* object = anotherObjectFor(self, iterator, &original, &moved);
    if (object) {
        moved->own = original->own;
        original->own = 0;
        moved->next = original->next;
        Py_INCREF(moved);
        original->next = reinterpret_cast<PyObject*>(moved);
    }
    return object;
}

// The position of a forward iterator of `items`, or false when `object` is
// not one (another kind, another vector type, or another vector).
template <class Vec>
bool forwardPosition(PyObject* object, const Vec* items, ptrdiff_t* position) {
    swig::SwigPyIterator* iterator = nullptr;
    const int res = SWIG_ConvertPtr(object, reinterpret_cast<void**>(&iterator), iteratorType(), 0);
    if (!SWIG_IsOK(res) || !iterator || !usableIterator(pychain::memberFor(object, iteratorType()))) {
        return false;
    }
    if (auto* closed = dynamic_cast<VectorIterator<Vec, false, true>*>(iterator)) {
        *position = closed->position();
        return closed->vector() == items;
    }
    if (auto* open = dynamic_cast<VectorIterator<Vec, false, false>*>(iterator)) {
        *position = open->position();
        return open->vector() == items;
    }
    return false;
}

// The native iterator at a forward position; false (IndexError set) when
// the vector has shrunk below it. Used by argument conversion, which must
// not throw.
template <class Vec>
bool nativeIterator(Vec* items, ptrdiff_t position, typename Vec::iterator* out) {
    if (position < 0 || position > static_cast<ptrdiff_t>(items->size())) {
        PyErr_SetString(PyExc_IndexError, "index out of range");
        return false;
    }
    *out = items->begin() + position;
    return true;
}

// Open iterators at a native position of the vector behind `self`.
template <class Vec>
PyObject* openIterator(Vec* items, PyObject* self, typename Vec::iterator at) {
    return newIterator<Vec, false, false>(self, at - items->begin());
}
template <class Vec>
PyObject* openIterator(Vec* items, PyObject* self, typename Vec::reverse_iterator at) {
    return newIterator<Vec, true, false>(self, (items->rend() - at) - 1);
}

// True for a wrapped vector of this type or any sequence (the items are
// converted later, and may still fail).
template <class Vec>
bool isVectorLike(PyObject* object, swig_type_info* type) {
    void* pointer = nullptr;
    if (object != Py_None && SWIG_IsOK(SWIG_ConvertPtr(object, &pointer, type, SWIG_POINTER_NO_NULL))) {
        return true;
    }
    return PySequence_Check(object) != 0;
}

// Converts one item and appends it to `out`; false (no Python error set)
// when it does not convert. The caller keeps its reference to the item.
template <class Vec>
bool appendItem(PyObject* item, Vec* out) {
    typename Vec::value_type converted{};
    if (!SWIG_IsOK(Item<typename Vec::value_type>::as(item, &converted))) {
        PyErr_Clear();
        return false;
    }
    out->push_back(std::move(converted));
    return true;
}

// fromSequence for an exact list or tuple: the same items in the same
// order, read without the sequence protocol (neither type has an item hook
// of its own). A list that an item's conversion shortens ends the copy as
// the protocol's IndexError would.
template <class Vec>
bool fromListOrTuple(PyObject* object, Vec* out) {
    const Py_ssize_t size = PySequence_Fast_GET_SIZE(object);
    for (Py_ssize_t i = 0; i < size; ++i) {
        if (i >= PySequence_Fast_GET_SIZE(object)) {
            return false;
        }
        PyObject* item = PySequence_Fast_GET_ITEM(object, i);
        Py_INCREF(item);
        const bool converted = appendItem(item, out);
        Py_DECREF(item);
        if (!converted) {
            return false;
        }
    }
    return true;
}

// Copies every item of a sequence into `out`; false (no Python error set)
// when `object` is not a sequence or an item does not convert.
template <class Vec>
bool fromSequence(PyObject* object, Vec* out) {
    if (PyList_CheckExact(object) || PyTuple_CheckExact(object)) {
        return fromListOrTuple(object, out);
    }
    if (!PySequence_Check(object)) {
        return false;
    }
    const Py_ssize_t size = PySequence_Size(object);
    if (size < 0) {
        PyErr_Clear();
        return false;
    }
    for (Py_ssize_t i = 0; i < size; ++i) {
        PyObject* item = PySequence_GetItem(object, i);
        if (!item) {
            PyErr_Clear();
            return false;
        }
        const bool converted = appendItem(item, out);
        Py_DECREF(item);
        if (!converted) {
            return false;
        }
    }
    return true;
}

// A new tuple of the items (a vector returned by value).
template <class Vec>
PyObject* toTuple(const Vec& items) {
    if (items.size() > static_cast<size_t>(std::numeric_limits<Py_ssize_t>::max())) {
        PyErr_SetString(PyExc_OverflowError, "sequence size not valid in python");
        return nullptr;
    }
    PyObject* tuple = PyTuple_New(static_cast<Py_ssize_t>(items.size()));
    if (!tuple) {
        return nullptr;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        PyObject* item = Item<typename Vec::value_type>::from(items[i]);
        if (!item) {
            Py_DECREF(tuple);
            return nullptr;
        }
        PyTuple_SET_ITEM(tuple, static_cast<Py_ssize_t>(i), item);
    }
    return tuple;
}

// Index rule: 0 to size-1 as is, -size to -1 counted from the end.
inline size_t checkedIndex(ptrdiff_t i, size_t size) {
    const ptrdiff_t n = static_cast<ptrdiff_t>(size);
    if (i >= 0 && i < n) {
        return static_cast<size_t>(i);
    }
    if (i < 0 && i >= -n) {
        return static_cast<size_t>(i + n);
    }
    throw std::out_of_range("index out of range");
}

template <class Vec>
typename Vec::value_type& itemAt(Vec* items, ptrdiff_t i) {
    return (*items)[checkedIndex(i, items->size())];
}

// Growing a vector to more items than a quarter of the machine's memory can
// hold fails at once with MemoryError, before anything is allocated: such a
// request can only exhaust the host application's memory.
template <class Vec>
size_t maxItems() {
    static const size_t limit = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        const size_t bytes = pages > 0 && pageSize > 0
                                 ? static_cast<size_t>(pages) * static_cast<size_t>(pageSize) / 4
                                 : (size_t(1) << 30);
        const size_t items = bytes / sizeof(typename Vec::value_type);
        return items < Vec().max_size() ? items : Vec().max_size();
    }();
    return limit;
}

template <class Vec>
size_t roomFor(const Vec* items, size_t count, size_t more = 0) {
    const size_t have = items ? items->size() : 0;
    if (count > maxItems<Vec>() || more > maxItems<Vec>() - have) {
        throw std::bad_alloc();
    }
    return count;
}

// The non-empty vector's first or last item, for front, back and pop_back.
template <class Vec>
void requireItems(const Vec* items, const char* operation) {
    if (items->empty()) {
        throw std::out_of_range(std::string(operation) + " from empty container");
    }
}

// A range of a vector: every step-th position from start towards stop
// (excluded), after clamping into the vector.
struct Range {
    ptrdiff_t start;
    ptrdiff_t stop;
    ptrdiff_t step;

    Range(ptrdiff_t i, ptrdiff_t j, ptrdiff_t s, size_t size) : start(i), stop(j), step(s) {
        if (step == 0) {
            throw std::invalid_argument("slice step cannot be zero");
        }
        const ptrdiff_t n = static_cast<ptrdiff_t>(size);
        if (step > 0) {
            start = clamp(start, 0, n);
            stop = clamp(stop, 0, n);
            stop = stop < start ? start : stop;
        } else {
            start = clamp(start, -1, n - 1);
            stop = clamp(stop, -1, n - 1);
            start = start < stop ? stop : start;
        }
    }

    // Number of positions selected.
    size_t count() const {
        const ptrdiff_t span = step > 0 ? stop - start : start - stop;
        if (span == 0) {
            return 0;
        }
        const size_t stride = step > 0 ? static_cast<size_t>(step) : size_t(0) - static_cast<size_t>(step);
        return (static_cast<size_t>(span) - 1) / stride + 1;
    }
    // The k-th selected position.
    size_t at(size_t k) const { return static_cast<size_t>(start + static_cast<ptrdiff_t>(k) * step); }

private:
    static ptrdiff_t clamp(ptrdiff_t value, ptrdiff_t low, ptrdiff_t high) {
        return value < low ? low : (value > high ? high : value);
    }
};

// Resolves a slice object against the vector's size as Python does.
template <class Vec>
Range sliceRange(PyObject* slice, const Vec* items) {
    if (!PySlice_Check(slice)) {
        PyErr_SetString(PyExc_TypeError, "Slice object expected.");
        throw python_error();
    }
    Py_ssize_t start = 0;
    Py_ssize_t stop = 0;
    Py_ssize_t step = 0;
    if (PySlice_Unpack(slice, &start, &stop, &step) < 0) {
        throw python_error();
    }
    PySlice_AdjustIndices(static_cast<Py_ssize_t>(items->size()), &start, &stop, step);
    return Range(start, stop, step, items->size());
}

template <class Vec>
Vec* getSlice(const Vec* items, const Range& range) {
    const size_t count = range.count();
    if (range.step == 1) {
        const auto first = items->begin() + range.start;
        return new Vec(first, first + static_cast<ptrdiff_t>(count));
    }
    std::unique_ptr<Vec> result(new Vec());
    result->reserve(count);
    for (size_t k = 0; k < count; ++k) {
        result->push_back((*items)[range.at(k)]);
    }
    return result.release();
}

template <class Vec>
void setSlice(Vec* items, const Range& range, const Vec& source) {
    if (&source == items) {
        const Vec copy(source);
        setSlice(items, range, copy);
        return;
    }
    const size_t count = range.count();
    if (range.step == 1) {
        const auto first = items->begin() + range.start;
        const size_t common = count < source.size() ? count : source.size();
        std::copy(source.begin(), source.begin() + static_cast<ptrdiff_t>(common), first);
        if (source.size() < count) {
            items->erase(first + static_cast<ptrdiff_t>(common), first + static_cast<ptrdiff_t>(count));
        } else {
            items->insert(first + static_cast<ptrdiff_t>(common),
                          source.begin() + static_cast<ptrdiff_t>(common), source.end());
        }
        return;
    }
    if (source.size() != count) {
        PyErr_Format(PyExc_ValueError, "attempt to assign sequence of size %lu to extended slice of size %lu",
                     static_cast<unsigned long>(source.size()), static_cast<unsigned long>(count));
        throw python_error();
    }
    for (size_t k = 0; k < count; ++k) {
        (*items)[range.at(k)] = source[k];
    }
}

template <class Vec>
void deleteSlice(Vec* items, const Range& range) {
    const size_t count = range.count();
    if (count == 0) {
        return;
    }
    if (range.step == 1) {
        items->erase(items->begin() + range.start, items->begin() + range.stop);
        return;
    }
    // Every selected position, ascending; the others are kept in order.
    const size_t lowest = range.step > 0 ? range.at(0) : range.at(count - 1);
    const size_t stride =
        range.step > 0 ? static_cast<size_t>(range.step) : size_t(0) - static_cast<size_t>(range.step);
    size_t kept = lowest;
    for (size_t i = lowest; i < items->size(); ++i) {
        const size_t offset = i - lowest;
        const bool selected = offset % stride == 0 && offset / stride < count;
        if (!selected) {
            (*items)[kept++] = std::move((*items)[i]);
        }
    }
    items->resize(kept);
}

// The explicit slice functions take i and j as given, with step 1.
template <class Vec>
Range explicitRange(ptrdiff_t i, ptrdiff_t j, const Vec* items) {
    return Range(i, j, 1, items->size());
}

}  // namespace pyseq
