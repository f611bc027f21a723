# The two commands of the README, and their parts.
#   make run      installs what is missing, builds, starts the clock under Wine
#   make test     installs what is missing, builds, runs every test
#   make package  installs what is missing, builds the Debian package and the Windows zip
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
PACKAGE  := $(BUILD)/package
VERSION  := $(shell sed -n 's/^project.Tockbell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
STAGES   := $(BUILD)/stages
# Builds and fuzzers fill the processors that the waiting tests leave idle, and yield them to the
# tests, whose bounds on sounds and windows are measured on the wall clock.
NICE     := nice -n 10
# Under make test a step runs as a stage: its output in its own log, its time noted (tools/stage).
# The stage's own line says what runs, so make does not echo it.
stage = $(if $(TEST_PIPELINE),@tools/stage $(STAGES) $(1))
# The same for a stage after which the pipeline goes on whatever its result; make test fails at its end.
stage_then_on = $(if $(TEST_PIPELINE),@tools/stage --then-on $(STAGES) $(1))

.PHONY: run run-linux run-windows test test-stages package deb zip test-package deps native mingw linux fuzz tsan bench test-native test-threads test-win32 test-linux test-fuzz build-bench bench-wine bench-linux bench-linux-dialog bench-linux-table bench-linux-recorder bench-sound bench-dialog bench-table bench-recorder clean

run: run-linux

# The Windows program under Wine.
run-windows: deps mingw
	tools/run-clock $(MINGW)/win32/tockbell.exe

# The native Linux program, on the user's display or a virtual one with a tray.
run-linux: deps linux
	tools/run-linux-clock $(LINUX)/linux/app/tockbell

# The stages run side by side (make -j): the builds one after another, each at low priority and in
# the order of how long their tests wait on the clock, and each suite as soon as its build is done.
# At the end, the time each stage took.
TEST_STAGES := test-win32 test-linux test-native test-threads test-package test-fuzz build-bench
test: deps
	@rm -rf $(STAGES)
	@start=$$(date +%s); $(MAKE) --no-print-directory -k -j 8 TEST_PIPELINE=1 test-stages; status=$$?; \
		tools/stage $(STAGES) --times; ! grep -qw FAILED $(STAGES)/times || status=1; \
		echo "== make test took $$(( ($$(date +%s) - start) / 60 ))m$$(( ($$(date +%s) - start) % 60 ))s"; \
		exit $$status

test-stages: $(TEST_STAGES)

ifdef TEST_PIPELINE
# One build at a time, so that each has both processors. The Wine suites run first and alone: a
# build beside them, even at a low priority, cuts gaps into the sounds that Wine plays on this kind
# of machine. The Linux suites, then the package's, run beside the builds that follow.
linux: | test-win32
native: | linux
deb: | native
tsan: | deb
fuzz: | tsan
build-bench: | fuzz
endif

deps:
	@tools/install-deps.sh

native:
	$(call stage,build-native) sh -c '$(CMAKE) -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DTOCKBELL_SANITIZE=address,undefined \
		&& $(NICE) cmake --build $(NATIVE) -j $(JOBS)'

mingw:
	$(call stage,build-mingw) sh -c '$(CMAKE) -S . -B $(MINGW) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake && $(NICE) cmake --build $(MINGW) -j $(JOBS)'

# The Linux program and its suites (label linux), without sanitizers: Qt's own allocations would
# drown what they report.
linux:
	$(call stage,build-linux) sh -c '$(CMAKE) -S . -B $(LINUX) -DCMAKE_BUILD_TYPE=Release -DTOCKBELL_LINUX=ON \
		&& $(NICE) cmake --build $(LINUX) -j $(JOBS) --target linux_suites'

# Only the suites that run real threads.
tsan:
	$(call stage,build-tsan) sh -c '$(CMAKE) -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOCKBELL_SANITIZE=thread \
		&& $(NICE) cmake --build $(TSAN) -j $(JOBS) --target thread_tests'

fuzz:
	$(call stage,build-fuzz) sh -c '$(CMAKE) -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
		-DCMAKE_CXX_COMPILER=clang++ -DTOCKBELL_FUZZ=ON -DTOCKBELL_SANITIZE=address,undefined \
		&& $(NICE) cmake --build $(FUZZ) -j $(JOBS) --target $$(cd tests/fuzz && ls *_fuzz.cpp | sed "s/\.cpp$$//")'

build-bench:
	$(call stage,build-bench) sh -c '$(CMAKE) -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DTOCKBELL_TESTS=OFF \
		-DTOCKBELL_BENCH=ON && $(NICE) cmake --build $(BENCH) -j $(JOBS)'

test-native: native
	$(call stage,test-native) ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

# The suites that run real threads, under ThreadSanitizer.
test-threads: tsan
	$(call stage,test-threads) ctest --test-dir $(TSAN) --output-on-failure -L threads

# Windows need a display under Wine: without one, the run gets a virtual X server of its own.
NEED_DISPLAY := $(if $(DISPLAY),,xvfb-run -a -s "-screen 0 1024x768x24")

# Side by side: each end-to-end test has its own X server, Wine prefix and HOME; the suites that share
# the build's prefix take turns (a resource lock), the tests that time sounds go two at a time. A test
# that fails goes once more, and the suite fails only if it fails again: on a virtual machine whose
# processors are shared, a sound now and then still comes with a gap that no program could avoid.
TEST_JOBS ?= 3
SOUND_SLOTS := $(CURDIR)/tests/sound_slots.json
SUITE := --output-on-failure -j $(TEST_JOBS) --resource-spec-file $(SOUND_SLOTS) --repeat until-pass:2
test-win32: mingw
	$(call stage_then_on,test-win32) $(NEED_DISPLAY) ctest --test-dir $(MINGW) $(SUITE)

test-linux: linux
	$(call stage,test-linux) ctest --test-dir $(LINUX) -L linux $(SUITE)

test-fuzz: fuzz
	$(call stage,test-fuzz) $(NICE) tools/run-fuzzers $(FUZZ) $(FUZZ_SECONDS)

# The Debian package of the Linux program (debian/, built by dpkg-buildpackage from a copy of the
# sources) and the Windows zip, both in build/package.
package: deps
	$(MAKE) --no-print-directory deb zip

deb:
	$(call stage,build-deb) $(NICE) tools/make-deb $(PACKAGE)

zip: mingw
	$(call stage,build-zip) tools/make-windows-zip $(MINGW)/win32/tockbell.exe $(PACKAGE)/tockbell-$(VERSION)-windows-x86_64.zip

# The package installed into a throw-away root and its program run as a user would, lintian and the
# AppStream check; the zip made twice gives the same bytes.
test-package: deb zip
	$(call stage,test-package) tests/package/package_test.sh $(PACKAGE) $(MINGW)/win32/tockbell.exe

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

# How soon the native Linux program's settings dialog shows after "Properties...", median of ten, and
# its resident memory with the dialog open and after it closed over twenty openings; fails at 100 ms
# or more, or when the memory after the closings keeps growing. Half a minute.
bench-linux-dialog: deps linux
	bench/linux_dialog.sh $(LINUX)

# The Linux Table page filled and saved with a time-table of 10,000 items in 200 sections, median of
# five each, on a screen without a display; fails when the fill takes 300 ms or more or Save 100 ms or
# more. The Windows figures come from make bench-table.
bench-linux-table: deps
	$(CMAKE) -S . -B $(BENCH_LINUX) -DCMAKE_BUILD_TYPE=Release -DTOCKBELL_LINUX=ON -DTOCKBELL_BENCH=ON \
		-DTOCKBELL_TESTS=OFF
	cmake --build $(BENCH_LINUX) -j $(JOBS) --target table_bench
	bench/linux_table.sh $(BENCH_LINUX)

# What the Linux recorder costs while it records a tone for 20 s from the sound server, against the
# program idle with the dialog open on the Table page; fails at 2 % of one core more. Half a minute.
bench-linux-recorder: deps linux
	bench/linux_recorder.sh $(LINUX)

# How soon the chime sounds after the full hour (goal: median under 50 ms), and what playing a
# time-table sound costs, under Wine with the sound captured; fails when a goal is missed. About four
# minutes; SOUND_RUNS=N measures the chime N times (5 unless given).
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
