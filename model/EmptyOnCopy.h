#pragma once
#include <utility>

// A value whose copy starts empty (default-constructed): what an object owns only for its own
// sake, such as the pixel block under a picture read from a file, which a copy of the picture
// does not need.
template <class T>
class CEmptyOnCopy : public T {
public:
    CEmptyOnCopy() = default;
    CEmptyOnCopy(const CEmptyOnCopy&) : T() {}
    CEmptyOnCopy(CEmptyOnCopy&&) = default;
    CEmptyOnCopy& operator=(const CEmptyOnCopy&)
    {
        T::operator=(T());
        return *this;
    }
    CEmptyOnCopy& operator=(CEmptyOnCopy&&) = default;
    CEmptyOnCopy& operator=(T&& value)
    {
        T::operator=(std::move(value));
        return *this;
    }
};
