#pragma once
// A growable array of pointers, indexed from 0 as in MFC. It never owns what it points to.
#include "platform/mfc/CObject.h"

#include <vector>

class CPtrArray : public CObject {
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() = default;
    CPtrArray(const CPtrArray&) = delete;
    CPtrArray& operator=(const CPtrArray&) = delete;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // Out-of-range indexes read null and are ignored when written.
    void* GetAt(INT_PTR nIndex) const;
    void SetAt(INT_PTR nIndex, void* newElement);
    // Grows the array with nulls as far as needed.
    void SetAtGrow(INT_PTR nIndex, void* newElement);
    INT_PTR Add(void* newElement);
    void InsertAt(INT_PTR nIndex, void* newElement);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void RemoveAll() { m_data.clear(); }
    void SetSize(INT_PTR nNewSize) { m_data.resize(nNewSize > 0 ? static_cast<size_t>(nNewSize) : 0); }
    void Copy(const CPtrArray& src) { m_data = src.m_data; }
    void* operator[](INT_PTR nIndex) const { return GetAt(nIndex); }

private:
    std::vector<void*> m_data;
};
