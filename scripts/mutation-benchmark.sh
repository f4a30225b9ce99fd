#!/bin/bash
# What the test suite is worth: applies each one-line fault of tests/mutations.txt in turn to the
# source, rebuilds incrementally, runs the whole suite and records whether a test failed ("killed",
# with the tests that failed) or none did ("survived"), then puts the file back and checks that git
# sees it unchanged. Prints the score (killed / mutations counted) and the survivors.
#
# A benchmark, not part of CI: each mutation costs a rebuild and a run of the suite.
#
# Usage: scripts/mutation-benchmark.sh [options] [ID-PATTERN...]
#   ID-PATTERN        extended regular expressions over the ids (e.g. '^storage-' 'ui-0[1-4]');
#                     without one, every mutation is run
#   --build DIR       build folder (default build-mut: Debug, no sanitizers, warnings allowed
#                     so that a mutant still builds)
#   --jobs N          parallel compile and test jobs (default 2)
#   --timeout S       time limit of each test in seconds (default 60)
#   --list FILE       the mutations (default tests/mutations.txt)
#   --report          no runs: the score and survivors of the results recorded so far
#   --kills           no runs: each test with the mutations it killed, "*" marking those no other
#                     test killed; then the tests that killed none (candidates for lightening)
#
# Results are kept per id in DIR/mutation-results.tsv (id, result, failed tests), so the list can
# be run in parts and reported at once. Results: killed, survived, equivalent (not run, not
# counted), stale (the original text is not in the file exactly once; not counted), no-build
# (the mutant does not compile; not counted).
set -u

cd "$(dirname "$0")/.." || exit 2
build=build-mut
jobs=2
timeout=60
list=tests/mutations.txt
report_only=0
kills_only=0
patterns=()
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build=$2; shift 2 ;;
        --jobs) jobs=$2; shift 2 ;;
        --timeout) timeout=$2; shift 2 ;;
        --list) list=$2; shift 2 ;;
        --report) report_only=1; shift ;;
        --kills) kills_only=1; shift ;;
        -h | --help) sed -n '2,/^set -u/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
        -*) echo "mutation-benchmark: unknown option $1" >&2; exit 2 ;;
        *) patterns+=("$1"); shift ;;
    esac
done
results=$build/mutation-results.tsv
log_dir=$build/mutation-logs

# The mutation lines (comments and blank lines left out), as id<TAB>file<TAB>original<TAB>mutated<TAB>why.
mutations() { grep -v -e '^#' -e '^[[:space:]]*$' "$list"; }

selected() { # selected ID: true when no pattern was given or one matches
    [ ${#patterns[@]} -eq 0 ] && return 0
    local p
    for p in "${patterns[@]}"; do [[ $1 =~ $p ]] && return 0; done
    return 1
}

record() { # record ID RESULT DETAIL: replaces the id's earlier result
    local tmp
    tmp=$(mktemp)
    [ -f "$results" ] && awk -F'\t' -v id="$1" '$1 != id' "$results" >"$tmp"
    printf '%s\t%s\t%s\n' "$1" "$2" "$3" >>"$tmp"
    mv "$tmp" "$results"
}

report() {
    [ -f "$results" ] || { echo "no results yet in $results"; return; }
    awk -F'\t' '
        NR == FNR { known[$1] = 1; next }      # ids still in the list
        !($1 in known) { next }
        { n[$2]++ }
        $2 == "survived" { survivors = survivors "  " $1 "\n" }
        $2 == "stale" || $2 == "no-build" { other = other "  " $1 " (" $2 ")\n" }
        END {
            counted = n["killed"] + n["survived"]
            printf "killed %d, survived %d, equivalent %d, stale %d, no-build %d\n",
                n["killed"], n["survived"], n["equivalent"], n["stale"], n["no-build"]
            if (counted > 0) printf "score %d/%d = %.1f%%\n", n["killed"], counted,
                100 * n["killed"] / counted
            if (survivors != "") printf "survivors:\n%s", survivors
            if (other != "") printf "not counted:\n%s", other
        }' <(mutations | cut -f1) "$results"
}

kills() {
    [ -f "$results" ] || { echo "no results yet in $results"; return; }
    awk -F'\t' '
        $2 != "killed" { next }
        { n = split($3, tests, " "); for (i = 1; i <= n; i++) { by[tests[i]] = by[tests[i]] " " $1; count[$1] = n } }
        END {
            for (t in by) {
                line = t ":"
                m = split(by[t], ids, " ")
                for (i = 1; i <= m; i++) line = line " " ids[i] (count[ids[i]] == 1 ? "*" : "")
                print line
            }
        }' "$results" | sort
    echo "tests that killed none:"
    ctest --test-dir "$build" -N | sed -n 's/^ *Test *#[0-9]*: //p' | sort |
        comm -23 - <(awk -F'\t' '$2 == "killed" { n = split($3, t, " "); for (i = 1; i <= n; i++) print t[i] }' "$results" | sort -u) |
        sed 's/^/  /'
}

if [ "$kills_only" = 1 ]; then
    kills
    exit 0
fi
if [ "$report_only" = 1 ]; then
    report
    exit 0
fi

# The file of the mutation being run, to put back if the run is interrupted.
current_file=""
current_copy=""
restore() {
    if [ -n "$current_file" ]; then
        cp "$current_copy" "$current_file"
        current_file=""
    fi
}
trap 'restore; exit 130' INT TERM
trap 'restore' EXIT

build_now() { cmake --build "$build" -j "$jobs" </dev/null >"$1" 2>&1; }
failed_in() { sed -n '/The following tests FAILED:/,$p' "$1" | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p'; }
run_suite() { # run_suite LOG: the names of the failed tests on stdout
    ctest --test-dir "$build" -j "$jobs" --timeout "$timeout" </dev/null >"$1" 2>&1
    failed_in "$1"
}
# The failed tests once more: one that passes now failed by its timing on a busy machine, not by
# the mutation, and is left out (the second log ends in -again.log).
confirm_failures() { # confirm_failures LOG
    local again=${1%.log}-again.log
    ctest --test-dir "$build" -j "$jobs" --timeout "$timeout" --rerun-failed </dev/null >"$again" 2>&1
    failed_in "$again"
}

mkdir -p "$log_dir"
if [ ! -f "$build/CMakeCache.txt" ]; then
    # lld, where there is one, links the test programs several times faster than ld.
    linker=()
    command -v ld.lld >/dev/null &&
        linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld)
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DRVM46_SANITIZE=OFF -DRVM46_WERROR=OFF \
        "${linker[@]}" >"$log_dir/configure.log" 2>&1 || { echo "configure failed: $log_dir/configure.log"; exit 1; }
fi
echo "building the unmutated program in $build"
build_now "$log_dir/baseline-build.log" || { echo "build failed: $log_dir/baseline-build.log"; exit 1; }
start=$(date +%s)
baseline_failures=$(run_suite "$log_dir/baseline-test.log")
echo "suite: $(grep 'tests passed' "$log_dir/baseline-test.log"), $(($(date +%s) - start)) s"
if [ -n "$baseline_failures" ]; then
    echo "the unmutated suite fails; a mutation run would mean nothing:" $baseline_failures
    exit 1
fi

current_copy=$(mktemp)
while IFS=$'\t' read -r id file original mutated why; do
    selected "$id" || continue
    if [[ $why == equivalent:* ]]; then
        record "$id" equivalent ""
        continue
    fi
    if [ ! -f "$file" ]; then
        record "$id" stale "no file $file"
        echo "$id: stale (no file $file)"
        continue
    fi
    if ! git diff --quiet -- "$file"; then
        echo "mutation-benchmark: $file has changes of its own; commit or stash them first" >&2
        exit 1
    fi
    count=$(ORIGINAL=$original perl -0777 -ne 'my $n = () = /\Q$ENV{ORIGINAL}\E/g; print $n' "$file")
    if [ "$count" != 1 ]; then
        record "$id" stale "original text found $count times"
        echo "$id: stale (original text found $count times in $file)"
        continue
    fi
    cp "$file" "$current_copy"
    current_file=$file
    ORIGINAL=$original MUTATED=$mutated perl -0777 -pi -e 's/\Q$ENV{ORIGINAL}\E/$ENV{MUTATED}/' "$file"
    started=$(date +%s)
    if ! build_now "$log_dir/$id-build.log"; then
        result=no-build
        detail="see $log_dir/$id-build.log"
    else
        failed=$(run_suite "$log_dir/$id-test.log")
        [ -n "$failed" ] && failed=$(confirm_failures "$log_dir/$id-test.log")
        failed=$(echo $failed)
        if [ -n "$failed" ]; then
            result=killed
            detail=$failed
        else
            result=survived
            detail=""
        fi
    fi
    restore
    if ! git diff --quiet -- "$file"; then
        echo "mutation-benchmark: $file is not back to its committed text after $id" >&2
        exit 1
    fi
    record "$id" "$result" "$detail"
    echo "$id: $result ($(($(date +%s) - started)) s) $detail"
done < <(mutations)

# Leave the build folder built from the unmutated source.
build_now "$log_dir/final-build.log"
report
