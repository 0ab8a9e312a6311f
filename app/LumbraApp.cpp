// The static objects of the launcher. They live in the executable's own object file, not in a
// library: the linker drops library objects that nothing refers to, and the menu hook is never
// referred to by name.
#include "app/Lumbra.h"
#include "toolkit/menu/MenuHook.h"

// Popup menus of the user-interface thread in the toolkit's look, from before InitInstance on.
CVellMenuHook theMenuHook;
CLumbra theApp;
