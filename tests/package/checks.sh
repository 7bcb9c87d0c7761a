# Shared by the package checks: each check says ok or FAILED, and the first failure ends the run.
check() {  # check DESCRIPTION COMMAND...
  "${@:2}" || { echo "FAILED: $1"; exit 1; }
  echo "ok: $1"
}
quietly() {  # quietly COMMAND...: its output only when it fails
  local out
  out=$("$@" 2>&1) || { echo "$out"; return 1; }
}
