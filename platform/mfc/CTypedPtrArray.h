#pragma once
// CTypedPtrArray<CPtrArray, T>: a CPtrArray of pointer-sized values of type T (pointers or handles).
#include "platform/mfc/CPtrArray.h"
#include "platform/mfc/CTypedPtr.h"

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR nIndex) const { return afx_detail::FromPtr<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, afx_detail::ToPtr(ptr)); }
    void SetAtGrow(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAtGrow(nIndex, afx_detail::ToPtr(ptr)); }
    INT_PTR Add(TYPE ptr) { return BASE_CLASS::Add(afx_detail::ToPtr(ptr)); }
    void InsertAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::InsertAt(nIndex, afx_detail::ToPtr(ptr)); }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
};
