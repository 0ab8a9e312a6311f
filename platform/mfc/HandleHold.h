#pragma once
// How a wrapper (a GDI object, a device context) holds its handle. Only an owner ever releases it.
//   Owner     - made the object or was given it (Create…, Attach): releases it when it goes or lets go,
//               and is the handle's permanent entry in the thread's map (one owner per handle).
//   Borrower  - holds what the system or another object keeps alive: stock objects and system colour
//               brushes (any number of wrappers may borrow one), or the DC of a paint or a window,
//               which its CPaintDC, CWindowDC or CClientDC ends the way it was obtained. Letting go
//               of a borrowed handle deletes nothing.
//   Temporary - a wrapper that FromHandle made for a handle that no object owns; the map deletes it
//               (see HandleMap.h). It never releases its handle, never takes another one, and Detach
//               leaves it bound, so the map keeps handing out a wrapper of the right handle.
enum class AfxHandleHold : unsigned char { None, Owner, Borrower, Temporary };
