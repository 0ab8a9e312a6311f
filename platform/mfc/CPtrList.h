#pragma once
// A doubly linked list of pointers, iterated with POSITION values as in MFC.
#include "platform/mfc/CMapPtrToPtr.h"

class CPtrList : public CObject {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10);
    ~CPtrList() override;
    CPtrList(const CPtrList&) = delete;
    CPtrList& operator=(const CPtrList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    void*& GetHead() { return m_pNodeHead->data; }
    void*& GetTail() { return m_pNodeTail->data; }

    POSITION AddHead(void* newElement);
    POSITION AddTail(void* newElement);
    void* RemoveHead();
    void* RemoveTail();
    void RemoveAll();

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
    // Return the element at rPosition and move rPosition on (null at the end).
    void*& GetNext(POSITION& rPosition) const;
    void*& GetPrev(POSITION& rPosition) const;
    void*& GetAt(POSITION position) const;
    void SetAt(POSITION pos, void* newElement) { GetAt(pos) = newElement; }
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, void* newElement);
    POSITION InsertAfter(POSITION position, void* newElement);
    POSITION Find(void* searchValue, POSITION startAfter = nullptr) const;
    POSITION FindIndex(INT_PTR nIndex) const;

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        void* data;
    };
    CNode* NewNode(CNode* pPrev, CNode* pNext);

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
};
