// The exports of libssapi.so: the database factory and the server's self-registration.
#include "vss/api/CoVSSDatabase.h"

extern "C" __attribute__((visibility("default"))) IVSSDatabase* VSSCreateDatabase() { return nullptr; }
