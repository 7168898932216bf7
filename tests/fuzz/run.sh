#!/usr/bin/env bash
# Fuzzes the configuration reader, the section key, the extension collection and
# velandrimour-check natively (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer),
# then replays the corpus through the native build and through the program's own build under
# Wine and compares the outcome of every input; under Wine velandrimour-check is compared with
# the launcher too, over the corpus and over the structure-aware generator's files.
#   tests/fuzz/run.sh --quick         about 20 s a target, 600 generated files (scripts/test.sh runs this)
#   tests/fuzz/run.sh [--seconds N]   N seconds a target and N seconds of generated files (default 600)
#   tests/fuzz/run.sh --files N       at least N generated files
#   tests/fuzz/run.sh --seed N        the generator's seed (default 1)
#   tests/fuzz/run.sh --coverage      only line coverage of the fuzzed sources over the corpus
# The corpus that the runs grow stays in build/fuzz/corpus; the committed seeds stay small.
set -uo pipefail
. "$(dirname "$0")/../../scripts/lib.sh"

SECONDS_PER_TARGET=600
COVERAGE_ONLY=0
GENERATED_FILES=600
GENERATOR_SEED=1
while [ $# -gt 0 ]; do
    case "$1" in
    --quick) SECONDS_PER_TARGET=20 ;;
    --seconds) SECONDS_PER_TARGET=$2; shift ;;
    --files) GENERATED_FILES=$2; shift ;;
    --seed) GENERATOR_SEED=$2; shift ;;
    --coverage) COVERAGE_ONLY=1 ;;
    *) echo "usage: $0 [--quick | --seconds N] [--files N] [--seed N] | --coverage" >&2; exit 2 ;;
    esac
    shift
done

FUZZ_SOURCE=$ROOT_DIR/tests/fuzz
FUZZ_BUILD=$BUILD_DIR/fuzz
NATIVE=$FUZZ_BUILD/native
CORPUS=$FUZZ_BUILD/corpus
SEEDS=$FUZZ_BUILD/seeds
ARTIFACTS=$FUZZ_BUILD/artifacts
TARGETS="entries argument collect check"
PASSED=0
FAILED=0
mkdir -p "$FUZZ_BUILD" "$ARTIFACTS"

pass() { PASSED=$((PASSED + 1)); echo "fuzz: PASS $*"; }
fail() { FAILED=$((FAILED + 1)); echo "fuzz: FAIL $*"; }
finish() {
    echo "fuzz: $PASSED passed, $FAILED failed"
    [ "$FAILED" = 0 ]
    exit $?
}

build_native() { # directory, extra cmake arguments
    local directory=$1; shift
    # A folder configured before the sources were C++ has no clang++: configure it anew.
    grep -qs '^CMAKE_CXX_COMPILER:.*clang++' "$directory/CMakeCache.txt" || rm -rf "$directory"
    if [ ! -f "$directory/build.ninja" ]; then
        cmake -S "$FUZZ_SOURCE" -B "$directory" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 "$@" >/dev/null || return 1
    fi
    cmake --build "$directory" >"$directory.log" 2>&1 || { cat "$directory.log"; return 1; }
}

# Every input file, seeds and grown corpus alike, in one stable order.
list_inputs() {
    find "$SEEDS" "$CORPUS" -type f 2>/dev/null | LC_ALL=C sort
}

coverage() {
    local directory=$FUZZ_BUILD/coverage
    build_native "$directory" -DFUZZ_COVERAGE=ON || return 1
    list_inputs >"$FUZZ_BUILD/inputs.txt"
    rm -f "$directory"/*.profraw
    LLVM_PROFILE_FILE="$directory/replay-%p.profraw" \
        "$directory/replay_native" "$FUZZ_BUILD/inputs.txt" "$directory/outcomes.txt" 2>/dev/null || return 1
    llvm-profdata-14 merge -o "$directory/replay.profdata" "$directory"/*.profraw || return 1
    local sources
    sources=$(ls "$ROOT_DIR"/config/*.cpp "$ROOT_DIR"/base/text.cpp "$ROOT_DIR"/registration/collect.cpp)
    # shellcheck disable=SC2086
    llvm-cov-14 report "$directory/replay_native" -instr-profile="$directory/replay.profdata" $sources
    # shellcheck disable=SC2086
    llvm-cov-14 show "$directory/replay_native" -instr-profile="$directory/replay.profdata" \
        -show-line-counts-or-regions $sources >"$directory/coverage.txt"
    echo "fuzz: annotated sources in $directory/coverage.txt"
}

repeat() { # character count
    head -c "$2" /dev/zero | tr '\0' "$1"
}

# Inputs at the limits, made here rather than committed: they are large.
make_limit_seeds() {
    local entries=$SEEDS/entries collect=$SEEDS/collect
    { printf '\000a.txt\000[txt]\r\nT;c;'; repeat p 506; printf '\r\n'; } >"$entries/line-510"
    { printf '\000a.txt\000[txt]\r\nT;c;'; repeat p 507; printf '\r\n'; } >"$entries/line-511"
    { printf '\000a.txt\000[txt]\r\n'; repeat t 40; printf ';c;p\r\n'; } >"$entries/title-40"
    { printf '\000a.txt\000[txt]\r\n'; repeat t 41; printf ';c;p\r\n'; } >"$entries/title-41"
    { printf '\000'; repeat a 98; printf '.txt\000[txt]\r\nT;c;%%1%%1%%1%%1%%1\r\n'; } >"$entries/parameters-510"
    { printf '\000'; repeat a 98; printf '.txt\000[txt]\r\nT;c;%%1%%1%%1%%1%%1!\r\n'; } >"$entries/parameters-511"
    { printf '\000a.txt\000[txt]\r\nA;b;c\r\n'; repeat ' ' $((16383 - 14)); } >"$entries/size-16383"
    { printf '\000a.txt\000[txt]\r\nA;b;c\r\n'; repeat ' ' $((16384 - 14)); } >"$entries/size-16384"
    { printf '\000a.'; repeat x 40; printf '\000[*]\r\nA;b;c\r\n'; } >"$entries/extension-40"
    { printf '\000'; repeat a 507; printf '.txt\000[*]\r\nA;b;%%1\r\n'; } >"$entries/argument-511"
    { printf '\000a.'; repeat x 510; } >"$SEEDS/argument/argument-512"
    { printf '\000a.'; repeat x 509; } >"$SEEDS/argument/argument-511"
    { printf '[txt]\r\n'; repeat ' ' $((16383 - 7)); } >"$collect/size-16383"
    { printf '[txt]\r\n'; repeat ' ' $((16384 - 7)); } >"$collect/size-16384"
    local headers
    local level
    { printf '[txt]\r\nS;menu;0\r\n'; for level in $(seq 0 1200); do printf '{%d}\r\nS;menu;%d\r\n' $level $((level + 1)); done; } |
        head -c 16383 >"$SEEDS/check/submenu-chain"
    headers=$(for i in 1 2 3 4 5 6 7 8 9; do printf '['; repeat e 100; printf ']\r\n'; done)
    { printf '%s\n[' "$headers"; repeat f 100; printf ']\r\n[*]\r\n[log]\r\n'; } >"$collect/headers-1020"
    { printf '%s\n[' "$headers"; repeat f 101; printf ']\r\n'; } >"$collect/headers-1021"
}

# The committed seeds, and the example configuration and the tests' files in each target's form.
make_seeds() {
    rm -rf "$SEEDS"
    local target ini index=0
    for target in $TARGETS; do
        mkdir -p "$SEEDS/$target"
        cp "$FUZZ_SOURCE/seeds/$target/"* "$SEEDS/$target/" 2>/dev/null
    done
    while IFS= read -r ini; do
        index=$((index + 1))
        cp "$ini" "$SEEDS/collect/ini-$index"
        { printf '\000\\My Documents\\a.txt\000'; cat "$ini"; } >"$SEEDS/entries/ini-$index-extension"
        { printf '\001\000'; cat "$ini"; } >"$SEEDS/entries/ini-$index-no-argument"
        { printf '\002tools\000'; cat "$ini"; } >"$SEEDS/entries/ini-$index-submenu"
    done < <(find "$ROOT_DIR" -path "$ROOT_DIR/build*" -prune -o -path "$ROOT_DIR/.git" -prune -o \
        -type f -iname '*.ini' -print | LC_ALL=C sort)
    make_limit_seeds
    # The checker reads a whole file, as the collection does.
    cp "$SEEDS/collect/"* "$SEEDS/check/"
}

# No C library wide-string function may be reached: with 16-bit characters they would misread.
check_symbols() {
    local objects glibc
    # The checker's target alone has 32-bit wide characters and the C library's own functions.
    objects=$(find "$NATIVE/CMakeFiles" -name '*.o' -not -path '*/fuzz_check.dir/*')
    # shellcheck disable=SC2086
    glibc=$(nm -u $objects | awk '{print $2}' |
        grep -E '^(_?wcs|wmem|tow|isw|mbs|mbr|mbtowc|wctomb|btowc|wctob|swprintf|vswprintf|wprintf|fwprintf)' |
        sort -u)
    if [ -n "$glibc" ]; then
        echo "C library wide-string calls in the native build:" $glibc
        return 1
    fi
}

run_target() { # target
    local target=$1 log=$FUZZ_BUILD/$1.log
    mkdir -p "$CORPUS/$target"
    rm -f "$ARTIFACTS/$target"-*
    "$NATIVE/fuzz_$target" "$CORPUS/$target" "$SEEDS/$target" -dict="$FUZZ_SOURCE/fuzz.dict" \
        -max_len=17000 -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$ARTIFACTS/$target-" -print_final_stats=1 >"$log" 2>&1
    local status=$? done units speed
    done=$(grep -E '^#[0-9]+.*DONE' "$log" | tail -1 | sed -E 's/.*(cov: [0-9]+ ft: [0-9]+).*/\1/')
    units=$(grep -E 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    speed=$(grep -E 'stat::average_exec_per_sec' "$log" | awk '{print $2}')
    if [ $status = 0 ] && ! ls "$ARTIFACTS/$target"-* >/dev/null 2>&1; then
        pass "$target: ${units:-?} inputs, ${speed:-?}/s, ${done:-no figures}"
    else
        grep -E 'fuzz invariant broken|ERROR|SUMMARY|Test unit written|runtime error' "$log" | head -20
        fail "$target (exit $status; log $log)"
    fi
}

# The same outcome, input for input, from the native build and from the program's own build.
replay() {
    local exe=$BUILD_DIR/tests/fuzz/replay/fuzz_replay.exe
    if [ ! -f "$BUILD_DIR/build.ninja" ] || [ ! -f "$exe" ] || [ "$(find "$ROOT_DIR/config" "$ROOT_DIR/check" \
        "$ROOT_DIR/registration" "$FUZZ_SOURCE" -newer "$exe" -name '*.[ch]*' | head -1)" ]; then
        configure_and_build --target fuzz_replay >"$FUZZ_BUILD/replay-build.log" 2>&1 ||
            { cat "$FUZZ_BUILD/replay-build.log"; fail "replay: the Windows build failed"; return; }
    fi
    list_inputs >"$FUZZ_BUILD/inputs.txt"
    sed 's|^|Z:|' "$FUZZ_BUILD/inputs.txt" >"$FUZZ_BUILD/inputs-wine.txt"
    local inputs
    inputs=$(wc -l <"$FUZZ_BUILD/inputs.txt")
    "$NATIVE/replay_native" "$FUZZ_BUILD/inputs.txt" "$FUZZ_BUILD/outcomes-native.txt" 2>"$FUZZ_BUILD/replay-native.log" ||
        { cat "$FUZZ_BUILD/replay-native.log"; fail "replay: the native replay failed"; return; }
    "$NATIVE/replay_native" --tables "$FUZZ_BUILD/tables-native.txt" || { fail "replay: native tables"; return; }

    trap finish_wine EXIT
    prepare_wine
    "$WINE" "$exe" "Z:$FUZZ_BUILD/inputs-wine.txt" "Z:$FUZZ_BUILD/outcomes-wine.txt" </dev/null \
        >"$FUZZ_BUILD/check-agreement.txt" 2>"$FUZZ_BUILD/replay-wine.log"
    local status=$?
    "$WINE" "$exe" --tables "Z:$FUZZ_BUILD/tables-wine.txt" </dev/null
    finish_wine
    trap - EXIT
    if [ $status != 0 ]; then
        cat "$FUZZ_BUILD/replay-wine.log"
        fail "replay: the replay under Wine failed (exit $status)"
        return
    fi
    # velandrimour-check against the launcher over the same inputs (a disagreement ends the replay).
    local agreement
    agreement=$(grep '^check:' "$FUZZ_BUILD/check-agreement.txt")
    if [ -n "$agreement" ]; then
        echo "fuzz: $agreement"
        pass "check: the checker's --show and its errors agree with the launcher over the corpus"
    else
        fail "check: the replay printed no agreement figures"
    fi
    generate "$exe"
    if ! cmp -s "$FUZZ_BUILD/tables-native.txt" "$FUZZ_BUILD/tables-wine.txt"; then
        diff "$FUZZ_BUILD/tables-native.txt" "$FUZZ_BUILD/tables-wine.txt" | head -20
        fail "replay: the stand-in's code page or lower case differs from Wine's"
        return
    fi
    local total agreed
    total=$(wc -l <"$FUZZ_BUILD/outcomes-native.txt")
    agreed=$(paste -d '\n' "$FUZZ_BUILD/outcomes-native.txt" "$FUZZ_BUILD/outcomes-wine.txt" |
        awk 'NR % 2 { left = $0; next } $0 == left { n++ } END { print n + 0 }')
    echo "fuzz: replay of $inputs inputs: $agreed of $total outcomes agreed between the native build and Wine"
    if [ "$agreed" = "$total" ] && [ "$(wc -l <"$FUZZ_BUILD/outcomes-wine.txt")" = "$total" ] && [ "$total" -gt 0 ]; then
        pass "replay: $agreed outcomes of $inputs inputs agreed"
    else
        diff "$FUZZ_BUILD/outcomes-native.txt" "$FUZZ_BUILD/outcomes-wine.txt" | head -20
        fail "replay: $((total - agreed)) outcomes differ"
    fi
}

# The structure-aware generator's files, under Wine: the checker against the launcher.
generate() { # replay executable
    local failed=$FUZZ_BUILD/generated-failed.ini seconds=0
    [ "$SECONDS_PER_TARGET" -gt 20 ] && seconds=$SECONDS_PER_TARGET
    rm -f "$failed".*
    trap finish_wine EXIT
    prepare_wine
    "$WINE" "$1" --generate "$GENERATOR_SEED" "$GENERATED_FILES" "$seconds" "$(wine_path "$failed")" </dev/null \
        >"$FUZZ_BUILD/generated.txt" 2>&1
    local status=$?
    finish_wine
    trap - EXIT
    grep -E '^(generator|check):' "$FUZZ_BUILD/generated.txt" | sed 's/^/fuzz: /'
    if [ $status = 0 ] && grep -q '^generator: .* 0 disagreements' "$FUZZ_BUILD/generated.txt"; then
        pass "generator: the checker agrees with the launcher on every generated file"
    else
        grep '^kept as' "$FUZZ_BUILD/generated.txt" | sed 's/^/fuzz: /'
        ls "$failed".* >/dev/null 2>&1 && echo "fuzz: the first file of each kind of disagreement: $failed.N"
        fail "generator (exit $status; log $FUZZ_BUILD/generated.txt)"
    fi
}

if [ $COVERAGE_ONLY = 1 ]; then
    make_seeds
    if coverage; then pass "coverage"; else fail "coverage"; fi
    finish
fi

if ! build_native "$NATIVE"; then
    fail "native build"
    finish
fi
if ! check_symbols; then
    fail "native build calls the C library's wide-string functions"
    finish
fi
make_seeds
for target in $TARGETS; do
    run_target "$target"
done
replay
if [ "$SECONDS_PER_TARGET" -gt 20 ]; then
    coverage || fail "coverage"
fi
finish
