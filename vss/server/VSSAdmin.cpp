#include "vss/server/VSSAdmin.h"
