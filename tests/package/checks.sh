# Shared by the package checks: each check is counted, and the summary fails if any failed.
passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then
    echo "ok: $1"
    passed=$((passed + 1))
  else
    echo "FAILED: $1"
    failed=$((failed + 1))
  fi
}

summary() {  # summary WHAT
  echo "$1: $failed of $((passed + failed)) checks failed"
  test "$failed" -eq 0
}
