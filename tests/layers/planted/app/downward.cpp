#include "options/upward.h"
