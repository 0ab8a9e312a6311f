#include "toolkit/menu/MenuItemData.h"

IMPLEMENT_DYNAMIC(CVellMenuItemData, CObject)

CVellMenuItemData::~CVellMenuItemData()
{
    delete m_pIconImages;
}

CString CVellMenuItemData::Label() const
{
    const int nTab = m_strText.Find(L'\t');
    return nTab < 0 ? m_strText : m_strText.Left(nTab);
}

CString CVellMenuItemData::Accelerator() const
{
    const int nTab = m_strText.ReverseFind(L'\t');
    return nTab < 0 ? CString() : m_strText.Mid(nTab + 1);
}
