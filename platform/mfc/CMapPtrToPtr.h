#pragma once
// A hash map from pointer to pointer, iterated with POSITION values as in MFC.
#include "platform/mfc/CObject.h"

struct __POSITION {};
using POSITION = __POSITION*;

class CMapPtrToPtr : public CObject {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    // Entries are allocated nBlockSize at a time.
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10);
    ~CMapPtrToPtr() override;
    CMapPtrToPtr(const CMapPtrToPtr&) = delete;
    CMapPtrToPtr& operator=(const CMapPtrToPtr&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(void* key, void*& rValue) const;
    void*& operator[](void* key);
    void SetAt(void* key, void* newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(void* key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    // Returns the entry at rPosition and advances rPosition (null after the last entry).
    void GetNextAssoc(POSITION& rNextPosition, void*& rKey, void*& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Only before the first entry is added.
    void InitHashTable(UINT nHashSize);

private:
    struct CAssoc {
        CAssoc* pNext;
        void* key;
        void* value;
    };
    struct CBlock {
        CBlock* pNext;
    };

    UINT HashKey(void* key) const;
    CAssoc* GetAssocAt(void* key, UINT& nHash) const;
    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* pAssoc);

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CAssoc* m_pFreeList = nullptr;
    CBlock* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};
