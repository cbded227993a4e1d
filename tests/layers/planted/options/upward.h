// A planted upward include: the layering check must reject this tree.
#include "app/main_window_win.h"
