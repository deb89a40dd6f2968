#!/bin/bash
# Creates a fresh Orva database from db/schema.sql at the given path.
# Never touches an existing file: the database is built under a temporary
# name and moved into place only when complete.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
TARGET="$(realpath -m "$1")"
if [ -e "$TARGET" ]; then
  echo "Baza $TARGET już istnieje - pozostawiona bez zmian."
  exit 0
fi
TMP="$TARGET.new.$$"
rm -f "$TMP"
trap 'rm -f "$TMP"' EXIT
{
  echo "SET NAMES UTF8;"
  echo "SET SQL DIALECT 3;"
  echo "CREATE DATABASE '$TMP' USER 'SYSDBA' PASSWORD 'qornubixe' PAGE_SIZE 8192 DEFAULT CHARACTER SET ISO8859_2;"
  cat "$ROOT/db/schema.sql"
} | isql-fb -q -bail
mv -n "$TMP" "$TARGET"
trap - EXIT
echo "Utworzono bazę $TARGET"
