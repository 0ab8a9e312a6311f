#include "platform/mfc/CPtrList.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)

// Nodes are allocated one by one: the block size is kept for compatibility only.
CPtrList::CPtrList(INT_PTR nBlockSize) : m_nBlockSize(nBlockSize)
{
}

CPtrList::~CPtrList()
{
    RemoveAll();
}

CPtrList::CNode* CPtrList::NewNode(CNode* pPrev, CNode* pNext)
{
    CNode* p = new CNode{pNext, pPrev, nullptr};
    ++m_nCount;
    return p;
}

POSITION CPtrList::AddHead(void* newElement)
{
    CNode* p = NewNode(nullptr, m_pNodeHead);
    p->data = newElement;
    if (m_pNodeHead)
        m_pNodeHead->pPrev = p;
    else
        m_pNodeTail = p;
    m_pNodeHead = p;
    return reinterpret_cast<POSITION>(p);
}

POSITION CPtrList::AddTail(void* newElement)
{
    CNode* p = NewNode(m_pNodeTail, nullptr);
    p->data = newElement;
    if (m_pNodeTail)
        m_pNodeTail->pNext = p;
    else
        m_pNodeHead = p;
    m_pNodeTail = p;
    return reinterpret_cast<POSITION>(p);
}

void* CPtrList::RemoveHead()
{
    if (!m_pNodeHead)
        return nullptr;
    void* data = m_pNodeHead->data;
    RemoveAt(reinterpret_cast<POSITION>(m_pNodeHead));
    return data;
}

void* CPtrList::RemoveTail()
{
    if (!m_pNodeTail)
        return nullptr;
    void* data = m_pNodeTail->data;
    RemoveAt(reinterpret_cast<POSITION>(m_pNodeTail));
    return data;
}

void CPtrList::RemoveAll()
{
    while (m_pNodeHead) {
        CNode* pNext = m_pNodeHead->pNext;
        delete m_pNodeHead;
        m_pNodeHead = pNext;
    }
    m_pNodeTail = nullptr;
    m_nCount = 0;
}

void*& CPtrList::GetNext(POSITION& rPosition) const
{
    CNode* p = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pNext);
    return p->data;
}

void*& CPtrList::GetPrev(POSITION& rPosition) const
{
    CNode* p = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pPrev);
    return p->data;
}

void*& CPtrList::GetAt(POSITION position) const
{
    return reinterpret_cast<CNode*>(position)->data;
}

void CPtrList::RemoveAt(POSITION position)
{
    CNode* p = reinterpret_cast<CNode*>(position);
    if (!p)
        return;
    (p->pPrev ? p->pPrev->pNext : m_pNodeHead) = p->pNext;
    (p->pNext ? p->pNext->pPrev : m_pNodeTail) = p->pPrev;
    delete p;
    --m_nCount;
}

POSITION CPtrList::InsertBefore(POSITION position, void* newElement)
{
    CNode* pOld = reinterpret_cast<CNode*>(position);
    if (!pOld)
        return AddHead(newElement);
    CNode* p = NewNode(pOld->pPrev, pOld);
    p->data = newElement;
    (pOld->pPrev ? pOld->pPrev->pNext : m_pNodeHead) = p;
    pOld->pPrev = p;
    return reinterpret_cast<POSITION>(p);
}

POSITION CPtrList::InsertAfter(POSITION position, void* newElement)
{
    CNode* pOld = reinterpret_cast<CNode*>(position);
    if (!pOld)
        return AddTail(newElement);
    CNode* p = NewNode(pOld, pOld->pNext);
    p->data = newElement;
    (pOld->pNext ? pOld->pNext->pPrev : m_pNodeTail) = p;
    pOld->pNext = p;
    return reinterpret_cast<POSITION>(p);
}

POSITION CPtrList::Find(void* searchValue, POSITION startAfter) const
{
    CNode* p = startAfter ? reinterpret_cast<CNode*>(startAfter)->pNext : m_pNodeHead;
    for (; p; p = p->pNext) {
        if (p->data == searchValue)
            return reinterpret_cast<POSITION>(p);
    }
    return nullptr;
}

POSITION CPtrList::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* p = m_pNodeHead;
    while (nIndex-- > 0)
        p = p->pNext;
    return reinterpret_cast<POSITION>(p);
}
