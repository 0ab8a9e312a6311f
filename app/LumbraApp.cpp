// The one application object of the launcher.
#include "app/Lumbra.h"

CLumbra theApp;
