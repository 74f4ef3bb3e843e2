#pragma once
// A holder of one array made with new[] that several holders may share. A process-wide map
// counts, per array, the holders that refer to it; the last holder to let go frees the array
// with delete[]. The asset managers keep their editor enumeration values in it, so a copy of a
// category record shares the values instead of freeing them twice.
// The count map is guarded by one mutex, so holders may be assigned and released on any thread;
// a single holder is not itself safe to share between threads.
#include "Math/Types.h"
#include <cstddef>

namespace RefCountedArrayCounts
{
// Enters the array with count 1 or raises its count by one.
void Raise(const void* array);
// Lowers the array's count by one; true when that was its last holder (its entry is erased).
// An array that is not counted answers false and is left alone.
bool Lower(const void* array);
// How many holders refer to the array; 0 when it is not counted.
u32 GetCount(const void* array);
// The number of arrays counted at the moment.
std::size_t GetArrayCount();
} // namespace RefCountedArrayCounts

template <class T> class RefCountedArray
{
public:
    RefCountedArray() = default;
    // Takes a freshly made array (or shares one already counted).
    explicit RefCountedArray(T* array) { Assign(array); }
    RefCountedArray(const RefCountedArray& other) { Assign(other.m_array); }
    RefCountedArray(RefCountedArray&& other) noexcept : m_array(other.m_array)
    {
        other.m_array = nullptr;
    }
    RefCountedArray& operator=(const RefCountedArray& other)
    {
        Assign(other.m_array);
        return *this;
    }
    RefCountedArray& operator=(RefCountedArray&& other) noexcept
    {
        if (this != &other)
        {
            Release();
            m_array = other.m_array;
            other.m_array = nullptr;
        }
        return *this;
    }
    ~RefCountedArray() { Release(); }

    // Holds `array` from now on. The new array is counted before the old one is let go, so
    // assigning an array to itself or to a holder that shares it never frees it.
    void Assign(T* array)
    {
        if (array == m_array)
            return;
        if (array != nullptr)
            RefCountedArrayCounts::Raise(array);
        T* old = m_array;
        m_array = array;
        if (old != nullptr && RefCountedArrayCounts::Lower(old))
            delete[] old;
    }
    // Lets go of the array (freeing it when this was its last holder); holds nothing after.
    void Release() { Assign(nullptr); }

    T* Get() const { return m_array; }
    T& operator[](std::size_t index) const { return m_array[index]; }
    explicit operator bool() const { return m_array != nullptr; }

    // Holders of the array this holder refers to; 0 when it holds nothing.
    u32 GetHolderCount() const { return RefCountedArrayCounts::GetCount(m_array); }

private:
    T* m_array = nullptr;
};
