// Resource ids shared by Tabvane.rc and the code that loads them.
#pragma once

#define TABVANE_ICON 1
