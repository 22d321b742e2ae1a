#include "VSSTestDatabase.h"
