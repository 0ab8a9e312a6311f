#pragma once
// Pictures an item may hold for itself: a pixmap and its mask, each either owned (deleted with the
// holder) or only borrowed.
#include "platform/qt/QPixmap.h"

template <class TPicture>
class CHeldPicture {
public:
    CHeldPicture() = default;
    ~CHeldPicture() { Reset(); }
    CHeldPicture(const CHeldPicture&) = delete;
    CHeldPicture& operator=(const CHeldPicture&) = delete;

    void Set(TPicture* pPicture, bool bOwned)
    {
        if (pPicture == m_pPicture) {
            m_bOwned = bOwned;
            return;
        }
        Reset();
        m_pPicture = pPicture;
        m_bOwned = bOwned;
    }
    void Reset()
    {
        if (m_bOwned)
            delete m_pPicture;
        m_pPicture = nullptr;
        m_bOwned = false;
    }
    TPicture* Get() const { return m_pPicture; }
    bool IsOwned() const { return m_bOwned; }

private:
    TPicture* m_pPicture = nullptr;
    bool m_bOwned = false;
};

using QPixmapData = CHeldPicture<QPixmap>;
using QBitmapData = CHeldPicture<QBitmap>;

struct QPixmapWithMask {
    QPixmapData pixmap;
    QBitmapData mask;

    // A picture counts when it is set and not null.
    bool HasPicture() const { return pixmap.Get() && !pixmap.Get()->isNull(); }
    // Takes copies of the picture and (when given) of its mask, which the copy of the picture uses.
    void SetCopy(const QPixmap& picture, const QBitmap* pMask = nullptr)
    {
        auto* pPicture = new QPixmap(picture);
        if (pMask) {
            pPicture->setMask(*pMask);
            mask.Set(new QBitmap(*pMask), true);
        } else {
            mask.Reset();
        }
        pixmap.Set(pPicture, true);
    }
    void Clear()
    {
        pixmap.Reset();
        mask.Reset();
    }
};
