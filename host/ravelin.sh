#!/bin/sh
# Starts the IDE of this installation. On the user's first start, or when the add-in registered for
# the user is gone (a folder moved or removed), this installation's add-in and SourceSafe server are
# registered for the user first. Arguments go to ravelin-ide.
set -e
bin=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$bin")
addin="$prefix/lib/ravelin/libravelin.so"
registered=$("$bin/regtool" query 'HKCU\Software\Borland\C++Builder\3.0\Version Control' VCSManager 2>/dev/null |
             cut -f3) || true
if [ -z "$registered" ] || [ ! -e "$registered" ]; then
  "$bin/regtool" set 'HKCU\Software\Halberd\Ravelin\C++Builder\3.0' PATH --string "$prefix/lib/ravelin"
  "$bin/regtool" set 'HKCU\Software\Borland\C++Builder\3.0\Version Control' VCSManager --string "$addin"
  "$prefix/lib/sourcesafe/ssadmin" install-server >/dev/null
fi
PATH="$bin:$PATH" exec "$bin/ravelin-ide" "$@"
