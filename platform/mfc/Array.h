#pragma once
// A growable array of TYPE, passed as ARG_TYPE; indexes are zero-based.
#include "platform/mfc/Archive.h"
#include "platform/mfc/ArchiveException.h"
#include "platform/mfc/Object.h"

#include <windows.h>

#include <algorithm>
#include <vector>

// Moves array elements through an archive; the default handles trivially copyable types.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (ar.IsStoring())
        ar.Write(pElements, static_cast<UINT>(nCount * sizeof(TYPE)));
    else if (ar.Read(pElements, static_cast<UINT>(nCount * sizeof(TYPE))) != nCount * sizeof(TYPE))
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
}

// Strings are archived one by one in the archive's string form.
template <>
inline void SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // New elements are value-initialised; nGrowBy is accepted for compatibility.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[static_cast<size_t>(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[static_cast<size_t>(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[static_cast<size_t>(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    // Grows the array as needed to hold the index.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    // Inserting beyond the end grows the array first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    // Indexes outside the array are ignored; the count is clamped to the elements present.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    void Serialize(CArchive& ar) override;

private:
    std::vector<TYPE> m_data;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR)
{
    m_data.resize(static_cast<size_t>(std::max<INT_PTR>(nNewSize, 0)));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        return;
    if (nIndex >= GetSize())
        SetSize(nIndex + 1);
    m_data[static_cast<size_t>(nIndex)] = newElement;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    m_data.push_back(newElement);
    return GetUpperBound();
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    INT_PTR nOldSize = GetSize();
    if (&src == this)
    {
        std::vector<TYPE> copy = m_data;
        m_data.insert(m_data.end(), copy.begin(), copy.end());
    }
    else
    {
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    }
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (&src != this)
        m_data = src.m_data;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        return;
    TYPE value = newElement;
    if (nIndex >= GetSize())
        SetSize(nIndex);
    m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), value);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    if (pNewArray == nullptr || nStartIndex < 0 || pNewArray->IsEmpty())
        return;
    std::vector<TYPE> copy = pNewArray->m_data;
    if (nStartIndex >= GetSize())
        SetSize(nStartIndex);
    m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nIndex >= GetSize() || nCount <= 0)
        return;
    INT_PTR nEnd = std::min(GetSize(), nIndex + nCount);
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nEnd);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    }
    else
    {
        DWORD_PTR nCount = ar.ReadCount();
        // The count is not trusted: the elements are read in bounded steps and must all be there.
        constexpr DWORD_PTR kStep = 4096;
        RemoveAll();
        for (DWORD_PTR nDone = 0; nDone < nCount;)
        {
            DWORD_PTR nPart = std::min(kStep, nCount - nDone);
            INT_PTR nStart = GetSize();
            SetSize(nStart + static_cast<INT_PTR>(nPart));
            SerializeElements<TYPE>(ar, GetData() + nStart, static_cast<INT_PTR>(nPart));
            nDone += nPart;
        }
        return;
    }
    SerializeElements<TYPE>(ar, GetData(), GetSize());
}
