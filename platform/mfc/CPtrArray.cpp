#include "platform/mfc/CPtrArray.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)

void* CPtrArray::GetAt(INT_PTR nIndex) const
{
    return nIndex >= 0 && nIndex < GetSize() ? m_data[static_cast<size_t>(nIndex)] : nullptr;
}

void CPtrArray::SetAt(INT_PTR nIndex, void* newElement)
{
    if (nIndex >= 0 && nIndex < GetSize())
        m_data[static_cast<size_t>(nIndex)] = newElement;
}

void CPtrArray::SetAtGrow(INT_PTR nIndex, void* newElement)
{
    if (nIndex < 0)
        return;
    if (nIndex >= GetSize())
        m_data.resize(static_cast<size_t>(nIndex) + 1, nullptr);
    m_data[static_cast<size_t>(nIndex)] = newElement;
}

INT_PTR CPtrArray::Add(void* newElement)
{
    m_data.push_back(newElement);
    return GetUpperBound();
}

void CPtrArray::InsertAt(INT_PTR nIndex, void* newElement)
{
    if (nIndex < 0)
        return;
    if (nIndex >= GetSize())
        SetAtGrow(nIndex, newElement);
    else
        m_data.insert(m_data.begin() + nIndex, newElement);
}

void CPtrArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0 || nIndex >= GetSize())
        return;
    const INT_PTR nEnd = nIndex + nCount < GetSize() ? nIndex + nCount : GetSize();
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nEnd);
}
