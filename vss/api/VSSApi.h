#pragma once
// Everything an automation client needs: interfaces, flags, errors, dates and the server factory.
#include "vss/api/CoVSSDatabase.h"
#include "vss/api/VSSDate.h"
#include "vss/api/VSSErrors.h"
#include "vss/api/VSSFlags.h"
#include "vss/api/VSSGuid.h"
#include "vss/api/VSSInterfaces.h"
#include "vss/api/VSSPtr.h"
