#include "platform/mfc/CMapPtrToPtr.h"

#include <cstdlib>
#include <new>

IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)

CMapPtrToPtr::CMapPtrToPtr(INT_PTR nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{
}

CMapPtrToPtr::~CMapPtrToPtr()
{
    RemoveAll();
}

UINT CMapPtrToPtr::HashKey(void* key) const
{
    const auto n = reinterpret_cast<UINT_PTR>(key);
    return static_cast<UINT>((n >> 4) ^ (n >> 36)) % m_nHashTableSize;
}

void CMapPtrToPtr::InitHashTable(UINT nHashSize)
{
    if (m_nCount == 0 && nHashSize > 0) {
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
        m_nHashTableSize = nHashSize;
    }
}

CMapPtrToPtr::CAssoc* CMapPtrToPtr::GetAssocAt(void* key, UINT& nHash) const
{
    nHash = HashKey(key);
    if (!m_pHashTable)
        return nullptr;
    for (CAssoc* p = m_pHashTable[nHash]; p; p = p->pNext) {
        if (p->key == key)
            return p;
    }
    return nullptr;
}

CMapPtrToPtr::CAssoc* CMapPtrToPtr::NewAssoc()
{
    if (!m_pFreeList) {
        // One allocation per block: a header followed by nBlockSize entries.
        auto* pRaw = static_cast<unsigned char*>(
            std::malloc(sizeof(CBlock) + sizeof(CAssoc) * static_cast<size_t>(m_nBlockSize)));
        if (!pRaw)
            throw std::bad_alloc();
        auto* pBlock = reinterpret_cast<CBlock*>(pRaw);
        pBlock->pNext = m_pBlocks;
        m_pBlocks = pBlock;
        auto* pAssoc = reinterpret_cast<CAssoc*>(pRaw + sizeof(CBlock));
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
            pAssoc[i].pNext = m_pFreeList;
            m_pFreeList = &pAssoc[i];
        }
    }
    CAssoc* p = m_pFreeList;
    m_pFreeList = p->pNext;
    ++m_nCount;
    p->pNext = nullptr;
    p->key = nullptr;
    p->value = nullptr;
    return p;
}

void CMapPtrToPtr::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    if (--m_nCount == 0)
        RemoveAll();
}

BOOL CMapPtrToPtr::Lookup(void* key, void*& rValue) const
{
    UINT nHash = 0;
    const CAssoc* p = GetAssocAt(key, nHash);
    if (!p)
        return FALSE;
    rValue = p->value;
    return TRUE;
}

void*& CMapPtrToPtr::operator[](void* key)
{
    UINT nHash = 0;
    CAssoc* p = GetAssocAt(key, nHash);
    if (!p) {
        if (!m_pHashTable) {
            m_pHashTable = new CAssoc*[m_nHashTableSize];
            for (UINT i = 0; i < m_nHashTableSize; ++i)
                m_pHashTable[i] = nullptr;
        }
        p = NewAssoc();
        p->key = key;
        p->pNext = m_pHashTable[nHash];
        m_pHashTable[nHash] = p;
    }
    return p->value;
}

BOOL CMapPtrToPtr::RemoveKey(void* key)
{
    if (!m_pHashTable)
        return FALSE;
    CAssoc** ppPrev = &m_pHashTable[HashKey(key)];
    for (CAssoc* p = *ppPrev; p; ppPrev = &p->pNext, p = p->pNext) {
        if (p->key == key) {
            *ppPrev = p->pNext;
            FreeAssoc(p);
            return TRUE;
        }
    }
    return FALSE;
}

void CMapPtrToPtr::RemoveAll()
{
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    m_nCount = 0;
    m_pFreeList = nullptr;
    while (m_pBlocks) {
        CBlock* pNext = m_pBlocks->pNext;
        std::free(m_pBlocks);
        m_pBlocks = pNext;
    }
}

POSITION CMapPtrToPtr::GetStartPosition() const
{
    if (m_nCount == 0 || !m_pHashTable)
        return nullptr;
    for (UINT i = 0; i < m_nHashTableSize; ++i) {
        if (m_pHashTable[i])
            return reinterpret_cast<POSITION>(m_pHashTable[i]);
    }
    return nullptr;
}

void CMapPtrToPtr::GetNextAssoc(POSITION& rNextPosition, void*& rKey, void*& rValue) const
{
    const CAssoc* p = reinterpret_cast<const CAssoc*>(rNextPosition);
    if (!p || !m_pHashTable) {
        rNextPosition = nullptr;
        return;
    }
    rKey = p->key;
    rValue = p->value;
    const CAssoc* pNext = p->pNext;
    if (!pNext) {
        for (UINT i = HashKey(p->key) + 1; i < m_nHashTableSize && !pNext; ++i)
            pNext = m_pHashTable[i];
    }
    rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(pNext));
}
