#!/usr/bin/env bash
# What ./run and the driver stand-in say and exit with when asked for help,
# given a wrong command, or asked about a face.
#   run_commands_test.sh SOURCE_DIR BIN_DIR      (run under CTest, in ./run's Wine prefix)
set -u
source_dir=$1 bin=$2
failures=0 out="" err="" status=0

# Runs a command, keeping its standard output, standard error (without the
# carriage returns of Windows programs) and exit code.
capture() {
  local o e
  o=$(mktemp) e=$(mktemp)
  "$@" >"$o" 2>"$e"
  status=$?
  out=$(tr -d '\r' <"$o") err=$(tr -d '\r' <"$e")
  rm -f "$o" "$e"
}

expect() { # description, condition...
  local what=$1
  shift
  if ! "$@"; then
    printf 'FAILED: %s\n  exit %s\n  stdout: %s\n  stderr: %s\n' "$what" "$status" "$out" "$err"
    failures=$((failures + 1))
  fi
}
starts_with() { [[ ${1%%$'\n'*} == "$2"* ]]; }
contains() { [[ $1 == *"$2"* ]]; }

for asked in help --help; do
  capture "$source_dir/run" "$asked"
  expect "./run $asked exits 0 with the usage on standard output" \
    test "$status" -eq 0 -a -z "$err"
  expect "./run $asked prints the usage" starts_with "$out" "usage: ./run COMMAND"
done

capture "$source_dir/run" frobnicate
expect "./run frobnicate exits 2" test "$status" -eq 2
expect "./run frobnicate names the command first" starts_with "$err" "unknown command: frobnicate"
expect "./run frobnicate prints the usage" contains "$err" $'\nusage: ./run COMMAND\n'

driver() { (cd "$bin" && wine GlyphorDriver.exe "$@"); }
capture env GLYPHOR_DRIVER_NAME="./run driver" bash -c 'cd "$0" && wine GlyphorDriver.exe' "$bin"
expect "the driver without a command exits 2" test "$status" -eq 2
expect "the driver's usage takes the name it is run by" starts_with "$err" "usage: ./run driver query FACE"

capture driver query
expect "a query without a face exits 2" test "$status" -eq 2
expect "a query without a face says so" starts_with "$err" "query needs a face name"

capture driver query "Glyphor No Such Face"
expect "a face that is not installed is answered, and said to be missing" \
  test "$status" -eq 0 -a "$out" = 'embedding switch of "Glyphor No Such Face": on (no such face installed)'
for face in "Glyphor Test Sans Bold" "glyphor test sans bold"; do
  capture driver query "$face" --tessellation
  expect "an installed face is answered alone ($face)" \
    test "$status" -eq 0 -a "$out" = "tessellation switch of \"$face\": on"
done

echo "run_commands: $failures of the checks failed"
[[ $failures -eq 0 ]]
