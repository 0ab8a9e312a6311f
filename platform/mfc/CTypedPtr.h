#pragma once
// Type-safe views of the pointer collections: CTypedPtrMap<CMapPtrToPtr, K, V> and
// CTypedPtrList<CPtrList, T>. Keys and values are stored as pointer-sized values; the map never
// owns what it points to.
#include "platform/mfc/CMapPtrToPtr.h"
#include "platform/mfc/CPtrList.h"

#include <type_traits>

namespace afx_detail {

template <class T>
void* ToPtr(T value)
{
    static_assert(sizeof(T) <= sizeof(void*), "pointer-sized keys and values only");
    if constexpr (std::is_pointer_v<T>)
        return const_cast<void*>(static_cast<const volatile void*>(value));
    else
        return reinterpret_cast<void*>(static_cast<UINT_PTR>(value));
}

template <class T>
T FromPtr(void* p)
{
    if constexpr (std::is_pointer_v<T>)
        return static_cast<T>(p);
    else
        return static_cast<T>(reinterpret_cast<UINT_PTR>(p));
}

}  // namespace afx_detail

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(KEY key, VALUE& rValue) const
    {
        void* pValue = nullptr;
        if (!BASE_CLASS::Lookup(afx_detail::ToPtr(key), pValue))
            return FALSE;
        rValue = afx_detail::FromPtr<VALUE>(pValue);
        return TRUE;
    }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(afx_detail::ToPtr(key), afx_detail::ToPtr(newValue)); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(afx_detail::ToPtr(key)); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        void* pKey = nullptr;
        void* pValue = nullptr;
        BASE_CLASS::GetNextAssoc(rPosition, pKey, pValue);
        rKey = afx_detail::FromPtr<KEY>(pKey);
        rValue = afx_detail::FromPtr<VALUE>(pValue);
    }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE GetHead() { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
    TYPE GetTail() { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
    TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
};
