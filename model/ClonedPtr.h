#pragma once
#include <memory>
#include <utility>

// An owning pointer whose copy owns a clone of the object (T::Clone), so that a class holding
// one can leave its copy constructor to the compiler.
template <class T>
class CClonedPtr {
public:
    CClonedPtr() = default;
    template <class U>
    CClonedPtr(std::unique_ptr<U> object) : m_object(std::move(object)) {}
    CClonedPtr(const CClonedPtr& source) : m_object(source ? source->Clone() : nullptr) {}
    CClonedPtr(CClonedPtr&&) noexcept = default;
    CClonedPtr& operator=(const CClonedPtr& source)
    {
        if (this != &source)
            m_object.reset(source ? source->Clone() : nullptr);
        return *this;
    }
    CClonedPtr& operator=(CClonedPtr&&) noexcept = default;
    template <class U>
    CClonedPtr& operator=(std::unique_ptr<U> object)
    {
        m_object = std::move(object);
        return *this;
    }

    T* get() const { return m_object.get(); }
    T* operator->() const { return m_object.get(); }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    void reset(T* object = nullptr) { m_object.reset(object); }

private:
    std::unique_ptr<T> m_object;
};
