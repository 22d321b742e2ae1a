#!/bin/sh
# Gives a scenario's work folder a SourceSafe database as a team would have it: db/ with the users
# Alice and Bob, $/Demo holding the sample project, Alice working in samples/Demo (checked in,
# read-only, bound to $/Demo through vss.rvl) and Bob in bob/; the automation server registered.
# Runs in the work folder with SourceSafe's programs on PATH. With RAVELIN_E2E_POSTGRES (the
# connection string of an empty PostgreSQL database) the database is kept there.
set -e
if [ -n "${RAVELIN_E2E_POSTGRES:-}" ]; then
  ssadmin create db --postgres "$RAVELIN_E2E_POSTGRES" >/dev/null
else
  ssadmin create db >/dev/null
fi
export SSDIR="$PWD/db" SSUSER=Admin SSPWD=
ssadmin adduser Alice --password alice-pw
ssadmin adduser Bob --password bob-pw
ss Create '$/Demo' >/dev/null
ss CP '$/Demo' >/dev/null
(cd samples/Demo && ss Add Demo.bpr Demo.cpp Unit1.cpp Unit1.dfm Unit1.h Util.cpp Util.h -C"First version" >/dev/null)
mkdir -p bob
ss Workfold '$/Demo' "$PWD/samples/Demo" -YAlice,alice-pw >/dev/null
ss Workfold '$/Demo' "$PWD/bob" -YBob,bob-pw >/dev/null
ss Get '$/Demo' -YBob,bob-pw >/dev/null
printf '[Demo.bpr]\nSCPATH=$/Demo\nSCDB=%s/db/srcsafe.ini\n' "$PWD" > samples/Demo/vss.rvl
ssadmin install-server >/dev/null
