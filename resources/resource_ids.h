// Resource identifiers shared by the resource scripts and the code.
#pragma once

#define IDI_KIV_CALENDAR 1
