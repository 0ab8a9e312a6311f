#pragma once
// The viewer's icon, drawn at run time so that it is sharp at every size the system asks for.
#include "viewer/Handles.h"

namespace tavisk {

// A rounded navy square with a white play sign, size x size pixels, with an alpha channel.
IconHandle CreateAppIcon(int size);

}  // namespace tavisk
