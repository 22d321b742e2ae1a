#pragma once
// The PostgreSQL client library, loaded when a server store is first used rather than with every
// program: it brings a score of libraries (TLS, Kerberos, LDAP) that would cost milliseconds at each
// start of programs that never talk to a server, such as `ss Diff`.
#include <libpq-fe.h>

#define VSS_LIBPQ_FUNCTIONS(X)                                                                          \
  X(PQclear) X(PQcmdStatus) X(PQconnectdbParams) X(PQconninfoFree) X(PQconninfoParse) X(PQerrorMessage) \
  X(PQescapeIdentifier) X(PQexec) X(PQexecPrepared) X(PQfinish) X(PQfname) X(PQfreemem) X(PQftype)      \
  X(PQgetisnull) X(PQgetlength) X(PQgetvalue) X(PQnfields) X(PQntuples) X(PQprepare) X(PQreset)          \
  X(PQresultErrorField) X(PQresultErrorMessage) X(PQresultStatus) X(PQsetNoticeProcessor) X(PQstatus)    \
  X(PQtransactionStatus) X(PQunescapeBytea)

struct VSSLibpq {
#define VSS_LIBPQ_MEMBER(name) decltype(&::name) name = nullptr;
  VSS_LIBPQ_FUNCTIONS(VSS_LIBPQ_MEMBER)
#undef VSS_LIBPQ_MEMBER
};

// The library's functions, loaded at the first call; raises a clear error when it can't be loaded
// (and tries again at the next call).
const VSSLibpq& Pq();
