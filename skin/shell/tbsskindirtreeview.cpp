#include "skin/shell/tbsskindirtreeview.h"
