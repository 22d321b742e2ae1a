#include "Helper.h"

int Twice(int value) { return value * 2; }
