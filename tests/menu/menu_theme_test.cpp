#include "MenuTestSupport.h"
