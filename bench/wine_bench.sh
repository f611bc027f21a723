# The common start of the benchmarks that run the real program under Wine with the end-to-end tests'
# steps (tests/e2e/lib.sh), sourced as `source bench/wine_bench.sh BUILD NAME`: BUILD is a mingw build
# holding tockbell and tbdriver, and the run keeps its files in BUILD/NAME.
build=$(cd "$1" && pwd)
export TOCKBELL_EXE=$build/win32/tockbell.exe TOCKBELL_DRIVER=$build/tests/e2e/tbdriver.exe TOCKBELL_BUILD=$build
export TZ=UTC LC_ALL=C
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/measure.sh"
E2E_WORK=$build/$2
E2E_LOG=$E2E_WORK/wine.log
# And the sound that start_capture captures, which lib.sh put in the folder it had named.
E2E_CAPTURE=$E2E_WORK/capture.raw
E2E_CAPTURE_LOG=$E2E_WORK/capture.log
export WINEPREFIX=$E2E_WORK/wineprefix
E2E_CLOCK='2026-12-08 10:05:00'  # no chime falls due meanwhile
