// The list view's input: mouse presses, clicks and double clicks with their signals, hovering, keys,
// dragging items to a drop target by mouse capture, shell file drops, and in-place renaming in a
// native edit control. Every signal may clear the list or delete it: after each one the handlers go
// on only with what a Watch says is still alive.
#include "platform/qt/QApplication.h"
#include "platform/qt/QListViewPrivate.h"

#include <algorithm>

namespace {

const wchar_t kEditProperty[] = L"QListViewEditor";

int ModifierState(int state) { return state & (Qt::ShiftButton | Qt::ControlButton); }

}  // namespace

bool QListView::OnDecoration(QListViewItem* item, int contentsX) const
{
    if (!item || !item->isExpandable() || columns() == 0)
        return false;
    if (!item->parent() && !d->rootIsDecorated)
        return false;
    const int level = item->depth() + (d->rootIsDecorated ? 1 : 0) - 1;
    const int x0 = d->header->sectionPos(0) + level * d->treeStepSize;
    return contentsX >= x0 && contentsX < x0 + d->treeStepSize && contentsX < d->header->sectionPos(0) + columnWidth(0);
}

void QListView::contentsMousePressEvent(QMouseEvent* e)
{
    Watch list(this, nullptr);
    if (d->hEdit) {
        EndRename(d->renameAction == Accept);
        if (list.ListGone())
            return;
    }
    if (focusPolicy() & ClickFocus)
        setFocus();
    const QPoint vp = contentsToViewport(e->pos());
    const QPoint global = viewport()->mapToGlobal(vp);
    QListViewItem* hit = itemAt(vp);
    if (hit && !hit->isEnabled())
        hit = nullptr;
    const int column = ColumnAt(e->x());
    Watch w(this, hit);
    d->pressedItem = hit;
    d->pressedButton = e->button();
    d->pressedColumn = column;
    d->pressPos = e->pos();
    d->dragging = false;
    d->pressedSelected = hit && hit == d->current && hit->isSelected();
    const int mods = ModifierState(e->state());

    if (hit && e->button() == LeftButton && OnDecoration(hit, e->x())) {
        d->pressedSelected = false;
        hit->setOpen(!hit->isOpen());
    } else if (hit && (e->button() == LeftButton || !hit->isSelected())) {
        switch (d->selectionMode) {
        case Single:
            if (d->current != hit)
                setCurrentItem(hit);
            else if (!hit->isSelected())
                setSelected(hit, true);
            break;
        case Extended:
            if (mods & ShiftButton) {
                QListViewItem* anchor = d->anchor ? d->anchor : (d->current ? d->current : hit);
                d->anchor = anchor;
                if (d->current != hit) {
                    d->current = hit;
                    currentChanged(hit);
                    if (list.ListGone() || !w.item)
                        break;
                }
                SelectRange(anchor, hit, true);
            } else {
                if (d->current != hit) {
                    QListViewItem* old = d->current;
                    d->current = hit;
                    if (old)
                        repaintItem(old);
                    currentChanged(hit);
                    if (list.ListGone() || !w.item)
                        break;
                }
                d->anchor = hit;
                if (mods & ControlButton) {
                    hit->setSelected(!hit->isSelected());
                    repaintItem(hit);
                    selectionChanged();
                } else {
                    SelectRange(hit, hit, true);
                }
            }
            break;
        case Multi:
            if (d->current != hit) {
                QListViewItem* old = d->current;
                d->current = hit;
                if (old)
                    repaintItem(old);
                currentChanged(hit);
                if (list.ListGone() || !w.item)
                    break;
            }
            hit->setSelected(!hit->isSelected());
            repaintItem(hit);
            selectionChanged();
            break;
        case NoSelection:
            setCurrentItem(hit);
            break;
        }
    } else if (!hit && !(mods & ControlButton)) {
        clearSelection();
    }
    if (list.ListGone())
        return;

    // The press signals, each with what is left of the item.
    const int button = e->button();
    if (button == LeftButton) {
        pressed(w.item);
        if (list.ListGone())
            return;
        pressed(w.item, global, column);
        if (list.ListGone())
            return;
    }
    mouseButtonPressed(button, w.item, global, column);
    if (list.ListGone())
        return;
    if (button == RightButton) {
        rightButtonPressed(w.item, global, column);
        if (list.ListGone())
            return;
        contextMenuRequested(w.item, global, column);
    }
}

void QListView::contentsMouseReleaseEvent(QMouseEvent* e)
{
    Watch list(this, nullptr);
    const QPoint vp = contentsToViewport(e->pos());
    const QPoint global = viewport()->mapToGlobal(vp);
    if (d->dragging) {
        d->dragging = false;
        d->pressedItem = nullptr;
        FinishDrag(global);
        return;
    }
    if (e->button() != d->pressedButton)
        return;  // a release without our press (the double click's own release)
    d->pressedButton = 0;
    QListViewItem* hit = itemAt(vp);
    const int column = ColumnAt(e->x());
    QListViewItem* item = hit && hit == d->pressedItem ? hit : nullptr;
    const bool renameNow = item && e->button() == LeftButton && d->pressedSelected && !ModifierState(e->state()) &&
                           item->renameEnabled(column) && column == d->pressedColumn;
    d->pressedItem = nullptr;
    Watch w(this, item);
    if (renameNow)
        StartRenameTimer(item, column);
    const int button = e->button();
    if (button == LeftButton) {
        clicked(w.item);
        if (list.ListGone())
            return;
        clicked(w.item, global, column);
        if (list.ListGone())
            return;
    }
    mouseButtonClicked(button, w.item, global, column);
    if (list.ListGone())
        return;
    if (button == RightButton)
        rightButtonClicked(w.item, global, column);
}

void QListView::contentsMouseDoubleClickEvent(QMouseEvent* e)
{
    Watch list(this, nullptr);
    if (d->renameTimer) {
        killTimer(d->renameTimer);
        d->renameTimer = 0;
        d->renamePending = nullptr;
    }
    d->pressedButton = 0;  // its release is not a click
    d->pressedItem = nullptr;
    const QPoint vp = contentsToViewport(e->pos());
    const QPoint global = viewport()->mapToGlobal(vp);
    QListViewItem* hit = itemAt(vp);
    if (hit && !hit->isEnabled())
        hit = nullptr;
    const int column = ColumnAt(e->x());
    if (e->button() != LeftButton)
        return;
    Watch w(this, hit);
    if (hit && (hit->isExpandable() || OnDecoration(hit, e->x()))) {
        hit->setOpen(!hit->isOpen());
        if (list.ListGone())
            return;
    }
    if (!w.item)
        return;
    doubleClicked(w.item);
    if (list.ListGone() || !w.item)
        return;
    doubleClicked(w.item, global, column);
}

void QListView::contentsMouseMoveEvent(QMouseEvent* e)
{
    const QPoint vp = contentsToViewport(e->pos());
    if (d->pressedItem && (e->state() & LeftButton) && !d->dragging && d->pressedItem->dragEnabled()) {
        const QPoint delta = e->pos() - d->pressPos;
        if (delta.manhattanLength() > QApplication::startDragDistance()) {
            d->dragging = true;
            if (d->renameTimer) {
                killTimer(d->renameTimer);
                d->renameTimer = 0;
            }
        }
    }
    if (d->dragging) {
        SetCursor(LoadCursorW(nullptr, IDC_UPARROW));
        return;
    }
    QListViewItem* hit = viewport()->rect().contains(vp) ? itemAt(vp) : nullptr;
    if (hit == d->hoverItem && (hit || d->hoverViewport))
        return;
    d->hoverItem = hit;
    d->hoverViewport = hit == nullptr;
    if (hit)
        onItem(hit);
    else
        onViewport();
}

// Drops the dragged item on the list view under the mouse (this one or another), when it takes drops.
void QListView::FinishDrag(const QPoint& globalPos)
{
    POINT pt{globalPos.x(), globalPos.y()};
    QWidget* target = nullptr;
    for (HWND h = WindowFromPoint(pt); h && !target; h = GetParent(h)) {
        QWidget* w = QWidget::find(h);
        if (w && w->inherits("QListView") && w->acceptDrops())
            target = w;
    }
    if (!target)
        return;
    QDropEvent e(target->mapFromGlobal(globalPos));
    QApplication::sendEvent(target, &e);
}

void QListView::dropEvent(QDropEvent* e)
{
    // Window coordinates to contents coordinates.
    const QPoint vp = e->pos() - viewport()->pos();
    QDropEvent ce(viewportToContents(vp), e->files());
    contentsDropEvent(&ce);
    e->acceptAction(ce.isAccepted());
}

void QListView::contentsDropEvent(QDropEvent* e)
{
    Watch list(this, nullptr);
    QListViewItem* hit = itemAt(contentsToViewport(e->pos()));
    if (hit && hit->dropEnabled()) {
        Watch w(this, hit);
        hit->dropped(e);
        if (list.ListGone())
            return;
    }
    e->accept();
    dropped(e);
}

// ---- Keys -------------------------------------------------------------------------------------------------

bool QListView::MoveCurrent(QListViewItem* item, int state)
{
    if (!item)
        return false;
    Watch list(this, nullptr);
    Watch w(this, item);
    ensureItemVisible(item);
    const int mods = ModifierState(state);
    if (d->selectionMode == Single || d->selectionMode == NoSelection) {
        setCurrentItem(item);
        return !list.ListGone();
    }
    if (d->current != item) {
        QListViewItem* old = d->current;
        d->current = item;
        if (old)
            repaintItem(old);
        repaintItem(item);
        currentChanged(item);
        if (list.ListGone() || !w.item)
            return !list.ListGone();
    }
    if (d->selectionMode == Extended) {
        if (mods & ShiftButton) {
            if (!d->anchor)
                d->anchor = item;
            SelectRange(d->anchor, item, true);
        } else if (!(mods & ControlButton)) {
            d->anchor = item;
            SelectRange(item, item, true);
        }
    }
    return !list.ListGone();
}

void QListView::keyPressEvent(QKeyEvent* e)
{
    updateNow();
    if (d->rows.empty()) {
        e->ignore();
        return;
    }
    Watch list(this, nullptr);
    QListViewItem* cur = d->current;
    const int state = e->state();
    auto rowOf = [this](QListViewItem* i) { return i && i->m_nRow >= 0 && static_cast<size_t>(i->m_nRow) < d->rows.size() && d->rows[static_cast<size_t>(i->m_nRow)] == i ? i->m_nRow : -1; };
    const int last = static_cast<int>(d->rows.size()) - 1;
    int row = rowOf(cur);
    auto at = [this](int r) { return d->rows[static_cast<size_t>(r)]; };
    const int perPage = std::max(1, visibleHeight() / std::max(1, d->baseHeight) - 1);
    switch (e->key()) {
    case Key_Up:
        MoveCurrent(at(row < 0 ? 0 : std::max(0, row - 1)), state);
        break;
    case Key_Down:
        MoveCurrent(at(row < 0 ? 0 : std::min(last, row + 1)), state);
        break;
    case Key_Home:
        MoveCurrent(at(0), state);
        break;
    case Key_End:
        MoveCurrent(at(last), state);
        break;
    case Key_Prior:
        MoveCurrent(at(std::max(0, row - perPage)), state);
        break;
    case Key_Next:
        MoveCurrent(at(row < 0 ? std::min(last, perPage) : std::min(last, row + perPage)), state);
        break;
    case Key_Left:
        if (cur && cur->isOpen() && cur->isExpandable())
            cur->setOpen(false);
        else if (cur && cur->parent())
            MoveCurrent(cur->parent(), 0);
        else
            scrollBy(-16, 0);
        break;
    case Key_Right:
        if (cur && !cur->isOpen() && cur->isExpandable())
            cur->setOpen(true);
        else if (cur && cur->isOpen() && cur->m_pFirst)
            MoveCurrent(cur->firstChild(), 0);
        else
            scrollBy(16, 0);
        break;
    case Key_Return:
    case Key_Enter:
        if (cur) {
            Watch w(this, cur);
            returnPressed(cur);
            if (!list.ListGone() && w.item)
                w.item->activate();
        }
        break;
    case Key_Space:
        if (cur) {
            Watch w(this, cur);
            if (d->selectionMode == Extended || d->selectionMode == Multi) {
                if ((state & ControlButton) || d->selectionMode == Multi) {
                    cur->setSelected(!cur->isSelected());
                    repaintItem(cur);
                    selectionChanged();
                } else {
                    SelectRange(cur, cur, true);
                }
            } else if (!cur->isSelected()) {
                setSelected(cur, true);
            }
            if (!list.ListGone() && w.item)
                spacePressed(w.item);
        } else {
            MoveCurrent(at(0), state);
        }
        break;
    default:
        if (e->key() == Key_F1 + 1 && cur) {  // F2 renames the current item's first column
            cur->startRename(0);
            break;
        }
        if (e->text().length() == 1 && e->text()[0] >= 0x20 && !(state & (ControlButton | AltButton))) {
            if (e->text()[0] == L'+' && cur && cur->isExpandable()) {
                cur->setOpen(true);
            } else if (e->text()[0] == L'-' && cur && cur->isExpandable()) {
                cur->setOpen(false);
            } else {
                KeyboardSearch(e->text());
            }
            break;
        }
        e->ignore();
        return;
    }
    e->accept();
}

// Typed letters find the next row whose first column starts with them (typed quickly, they add up).
void QListView::KeyboardSearch(const QString& text)
{
    const DWORD now = GetTickCount();
    if (now - d->searchTick > static_cast<DWORD>(QApplication::doubleClickInterval() * 2))
        d->search = QString(L"");
    d->searchTick = now;
    const bool repeat = d->search.length() == 1 && d->search == text;
    if (!repeat)
        d->search += text;
    EnsureRows();
    const size_t n = d->rows.size();
    const int cur = d->current && d->current->m_nRow >= 0 ? d->current->m_nRow : -1;
    // A new letter starts at the next row; a longer prefix may stay on the current one.
    const size_t start = static_cast<size_t>(cur < 0 ? 0 : (d->search.length() == 1 ? cur + 1 : cur));
    const QString needle = d->search.lower();
    for (size_t k = 0; k < n; ++k) {
        QListViewItem* i = d->rows[(start + k) % n];
        if (i->text(0).lower().left(needle.length()) == needle) {
            MoveCurrent(i, 0);
            return;
        }
    }
}

void QListView::focusInEvent(QFocusEvent* e)
{
    QScrollView::focusInEvent(e);
    if (d->current)
        repaintItem(d->current);
}

void QListView::focusOutEvent(QFocusEvent* e)
{
    QScrollView::focusOutEvent(e);
    if (d->current)
        repaintItem(d->current);
}

bool QListView::winEvent(MSG* msg, LRESULT* result)
{
    if (msg->message == WM_CONTEXTMENU && msg->lParam == -1) {
        // The keyboard's menu key: the menu belongs to the current item.
        Watch list(this, nullptr);
        QListViewItem* item = d->current;
        QRect r = itemRect(item);
        QPoint vp = r.isEmpty() ? QPoint(0, 0) : QPoint(r.x() + 4, r.y() + r.height() / 2);
        contextMenuRequested(item, viewport()->mapToGlobal(vp), item ? 0 : -1);
        *result = 0;
        return true;
    }
    return QScrollView::winEvent(msg, result);
}

// ---- Renaming ---------------------------------------------------------------------------------------------

void QListView::StartRenameTimer(QListViewItem* item, int column)
{
    if (d->renameTimer)
        killTimer(d->renameTimer);
    d->renamePending = item;
    d->renamePendingColumn = column;
    // Waits out a double click, which cancels it.
    d->renameTimer = startTimer(QApplication::doubleClickInterval() + 50);
}

void QListView::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == d->renameTimer) {
        killTimer(d->renameTimer);
        d->renameTimer = 0;
        QListViewItem* item = d->renamePending;
        d->renamePending = nullptr;
        if (item && item == d->current)
            item->startRename(d->renamePendingColumn);
        return;
    }
    QScrollView::timerEvent(e);
}

void QListView::StartRename(QListViewItem* item, int column)
{
    if (!item || column < 0 || column >= columns() || item->listView() != this)
        return;
    Watch list(this, nullptr);
    Watch w(this, item);
    if (d->hEdit) {
        EndRename(d->renameAction == Accept);
        if (list.ListGone() || !w.item)
            return;
    }
    ensureItemVisible(item);
    const QRect r = itemRect(item);
    if (r.isEmpty())
        return;
    int x = d->header->sectionPos(column) - contentsX();
    int wdt = columnWidth(column);
    if (column == 0) {
        const int indent = d->treeStepSize * (item->depth() + (d->rootIsDecorated ? 1 : 0));
        x += indent;
        wdt -= indent;
    }
    if (const QPixmap* pm = item->pixmap(column)) {
        x += pm->width() + d->itemMargin;
        wdt -= pm->width() + d->itemMargin;
    }
    wdt = std::max(wdt, 20);
    HWND hEdit = CreateWindowExW(0, L"EDIT", item->text(column).ucs2(),
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, x, r.y(), wdt, r.height(),
                                 viewport()->winId(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hEdit)
        return;
    d->hEdit = hEdit;
    d->renameItem = item;
    d->renameColumn = column;
    SetPropW(hEdit, kEditProperty, this);
    d->pfnEdit = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
    SendMessageW(hEdit, WM_SETFONT, reinterpret_cast<WPARAM>(font().handle()), FALSE);
    SendMessageW(hEdit, EM_SETSEL, 0, -1);
    SetFocus(hEdit);
}

LRESULT CALLBACK QListView::EditProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* lv = static_cast<QListView*>(GetPropW(hWnd, kEditProperty));
    if (!lv)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    const WNDPROC pfn = lv->d->pfnEdit;
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | CallWindowProcW(pfn, hWnd, message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            lv->EndRename(true);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            lv->EndRename(false);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == 27)
            return 0;  // no beep for the keys handled above
        break;
    case WM_KILLFOCUS:
        if (lv->d->hEdit == hWnd && !lv->d->endingRename) {
            const LRESULT r = CallWindowProcW(pfn, hWnd, message, wParam, lParam);
            HWND hList = lv->winId();
            Watch list(lv, nullptr);
            lv->EndRename(lv->d->renameAction == Accept);
            // The list and its editor hold the focus together: when it leaves the editor for a
            // window outside the list, the list has lost it, and hears so as if it had held it.
            HWND hNew = reinterpret_cast<HWND>(wParam);
            if (!list.ListGone() && hList && IsWindow(hList) && hNew && hNew != hList && !IsChild(hList, hNew))
                SendMessageW(hList, WM_KILLFOCUS, wParam, 0);
            return r;
        }
        break;
    case WM_NCDESTROY:
        RemovePropW(hWnd, kEditProperty);
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfn));
        return CallWindowProcW(pfn, hWnd, message, wParam, lParam);
    default:
        break;
    }
    return CallWindowProcW(pfn, hWnd, message, wParam, lParam);
}

void QListView::EndRename(bool bAccept)
{
    if (!d->hEdit || d->endingRename)
        return;
    d->endingRename = true;
    HWND hEdit = d->hEdit;
    const int n = GetWindowTextLengthW(hEdit);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
    GetWindowTextW(hEdit, text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    QListViewItem* item = d->renameItem;
    const int column = d->renameColumn;
    const bool hadFocus = GetFocus() == hEdit;
    d->hEdit = nullptr;
    d->renameItem = nullptr;
    d->renameColumn = -1;
    if (hadFocus)
        setFocus();
    DestroyWindow(hEdit);
    d->endingRename = false;
    if (!item)
        return;
    if (bAccept) {
        d->renameText = QString(text);
        item->okRename(column);
    } else {
        item->cancelRename(column);
    }
}
