# The two commands of the README, and their parts.
#   make run   installs what is missing, builds, starts the clock under Wine
#   make test  installs what is missing, builds, runs every test
BUILD    ?= build
NATIVE   := $(BUILD)/native
MINGW    := $(BUILD)/mingw
FUZZ     := $(BUILD)/fuzz
TSAN     := $(BUILD)/tsan
BENCH    := $(BUILD)/bench
BENCH_WINE := $(BUILD)/bench-wine
BENCH_LINUX := $(BUILD)/bench-linux
LINUX    := $(BUILD)/linux
JOBS     ?= $(shell nproc)
CMAKE    := cmake -G Ninja -Wno-dev
FUZZ_SECONDS ?= 20

.PHONY: run run-linux test deps native mingw linux fuzz tsan bench test-native test-threads test-win32 test-linux test-fuzz build-bench bench-wine bench-linux bench-sound bench-dialog bench-table bench-recorder clean

run: deps mingw
	tools/run-clock $(MINGW)/win32/tockbell.exe

# The native Linux program, on the user's display or a virtual one with a tray.
run-linux: deps linux
	tools/run-linux-clock $(LINUX)/linux/app/tockbell

test: deps test-native test-threads test-win32 test-linux test-fuzz build-bench

deps:
	@tools/install-deps.sh

native:
	$(CMAKE) -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DTOCKBELL_SANITIZE=address,undefined
	cmake --build $(NATIVE) -j $(JOBS)

mingw:
	$(CMAKE) -S . -B $(MINGW) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
	cmake --build $(MINGW) -j $(JOBS)

# The Linux program and its suites (label linux), without sanitizers: Qt's own allocations would
# drown what they report.
linux:
	$(CMAKE) -S . -B $(LINUX) -DCMAKE_BUILD_TYPE=Release -DTOCKBELL_LINUX=ON
	cmake --build $(LINUX) -j $(JOBS) --target linux_suites

tsan:
	$(CMAKE) -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOCKBELL_SANITIZE=thread
	cmake --build $(TSAN) -j $(JOBS)

fuzz:
	$(CMAKE) -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
		-DTOCKBELL_FUZZ=ON -DTOCKBELL_SANITIZE=address,undefined
	cmake --build $(FUZZ) -j $(JOBS) --target $$(cd tests/fuzz && ls *_fuzz.cpp | sed 's/\.cpp$$//')

build-bench:
	$(CMAKE) -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DTOCKBELL_TESTS=OFF -DTOCKBELL_BENCH=ON
	cmake --build $(BENCH) -j $(JOBS)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# The suites that run real threads, under ThreadSanitizer.
test-threads: tsan
	cd $(TSAN) && ctest --output-on-failure -L threads

# Windows need a display under Wine: without one, the run gets a virtual X server of its own.
NEED_DISPLAY := $(if $(DISPLAY),,xvfb-run -a -s "-screen 0 1024x768x24")

test-win32: mingw
	cd $(MINGW) && $(NEED_DISPLAY) ctest --output-on-failure

test-linux: linux
	cd $(LINUX) && ctest --output-on-failure -L linux

test-fuzz: fuzz
	tools/run-fuzzers $(FUZZ) $(FUZZ_SECONDS)

bench: deps build-bench
	tools/run-benchmarks $(BENCH)

# What the clock costs while it idles under Wine, against a program that only keeps a one-second
# timer; fails when the clock uses more than 1.5 times as much. About three minutes; IDLE_SECONDS=N
# measures for N seconds (120 unless given, at most 240).
bench-wine: deps
	$(CMAKE) -S . -B $(BENCH_WINE) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DTOCKBELL_BENCH=ON
	cmake --build $(BENCH_WINE) -j $(JOBS) --target tockbell tbdriver bare_timer
	bench/idle_cpu.sh $(BENCH_WINE) $(IDLE_SECONDS)

# The native Linux program on a virtual X server with a tray and a sound server: what it costs while it
# idles against a bare Qt program with a one-second timer, its peak memory, and how soon the chime
# arrives after 12:00:00; fails when it uses more than 1.2 times as much or the median onset is 50 ms
# or more. About four minutes; IDLE_SECONDS=N measures for N seconds (120 unless given), ONSET_RUNS=N
# measures the chime N times (5 unless given). The memory of tockbell.exe under Wine is shown beside
# it when make mingw has built it.
bench-linux: deps
	$(CMAKE) -S . -B $(BENCH_LINUX) -DCMAKE_BUILD_TYPE=Release -DTOCKBELL_LINUX=ON -DTOCKBELL_BENCH=ON \
		-DTOCKBELL_TESTS=OFF
	cmake --build $(BENCH_LINUX) -j $(JOBS) --target tockbell_linux bare_qt_timer
	WINE_BUILD=$(MINGW) bench/linux_bench.sh $(BENCH_LINUX) $(IDLE_SECONDS)

# How soon the chime sounds after the full hour, and what playing a time-table sound costs, under
# Wine with the sound captured; fails when a goal is missed. About four minutes; SOUND_RUNS=N
# measures the chime N times (5 unless given).
bench-sound: deps mingw
	bench/sound_bench.sh $(MINGW) $(SOUND_RUNS)

# How long the settings dialog takes to open under Wine, median of ten; fails at 100 ms or more.
bench-dialog: deps mingw
	bench/dialog_open.sh $(MINGW)

# The Table page filled and saved with a time-table of 10,000 items, and the dialog opened on it,
# under Wine; fails when a goal is missed. About a minute.
bench-table: deps
	$(CMAKE) -S . -B $(BENCH_WINE) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DTOCKBELL_BENCH=ON
	cmake --build $(BENCH_WINE) -j $(JOBS) --target tockbell tbdriver timetable_bench
	bench/table_page.sh $(BENCH_WINE)

# What the voice recorder costs while it records for 20 s from a tone fed through ALSA, against the
# program idle with the settings dialog open, under Wine, median of three; fails at 2 % of one core
# more or when a recording kept no sound. About two and a half minutes; RECORDER_INPUT=null records
# the silence of ALSA's null device instead.
bench-recorder: deps
	$(CMAKE) -S . -B $(BENCH_WINE) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DTOCKBELL_BENCH=ON
	cmake --build $(BENCH_WINE) -j $(JOBS) --target tockbell tbdriver
	bench/recorder_cpu.sh $(BENCH_WINE) $(RECORDER_INPUT)

clean:
	rm -rf $(BUILD)
