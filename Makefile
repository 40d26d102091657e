# make run   - install what is missing, build, start the program
# make test  - install what is missing, build, run every test (display tests under Xvfb)
# make bench - build and run the benchmarks

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WINDOWS_BUILD ?= build-windows
# Libraries built for Windows from Debian's sources, kept for later builds and other checkouts.
WINDOWS_LIBRARIES ?= $(HOME)/.cache/vellumark/windows-libraries
FUZZ_SECONDS ?= 20
JOBS       ?= $(shell nproc)
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
# Rebuilds in other checkouts of the tree reuse compiled objects when ccache is there.
LAUNCHER   := $(shell command -v ccache >/dev/null 2>&1 && echo "-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
export CCACHE_BASEDIR ?= $(CURDIR)
# Debug information then names the first checkout's folder; a price worth the shared cache.
export CCACHE_NOHASHDIR ?= 1

# Tests that open windows run under a private X server when there is no display.
ifeq ($(strip $(DISPLAY)),)
# -noreset: a server that resets whenever its last client leaves refuses the next test.
WITH_DISPLAY := xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
endif
TEST_ENV := GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1

.PHONY: all deps configure build run test check-layers test-asan test-fuzz bench clean checkers \
	windows-deps windows test-windows

all: build

deps:
	@sh tools/install-deps.sh

$(BUILD)/build.ninja $(BUILD)/Makefile:
	cmake -S . -B $(BUILD) $(GENERATOR) $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(GENERATOR) $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/vellumark

# Tests side by side, but those on the shared X server one at a time (a resource lock), so their
# windows do not spoil each other's screenshots. Then the unit and GUI tests once more in random
# order, so no test leans on what another left behind.
test: check-layers build checkers test-asan test-fuzz
	cd $(BUILD) && $(TEST_ENV) $(WITH_DISPLAY) ctest -j $(JOBS) --output-on-failure
	cd $(BUILD) && $(call beside,./unit_tests --gtest_shuffle --gtest_brief=1,\
		$(TEST_ENV) $(WITH_DISPLAY) ./gui_tests --gtest_shuffle --gtest_brief=1)

# $(call beside,A,B): A in the background while B runs; fails if either fails.
beside = ($(1) & $(strip $(2)); second=$$?; wait $$! && exit $$second)

# Each layer includes only the layers below it, and GL and wx only where they belong.
check-layers:
	@sh tools/check-layers.sh

# Outside readers of the exported 3D models (glTF validator, three.js), kept out of git.
checkers: deps
	@test tests/export/node_modules/.package-lock.json -nt tests/export/package-lock.json || \
		(cd tests/export && npm ci --no-audit --no-fund)

# The unit, GL and GUI tests once more in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
# Each test program runs whole: one process per test under ASan would take many times as long.
# Leaks of other projects' libraries are suppressed by name (tests/sanitizers/lsan.supp); UBSan
# stops at its first finding so the run fails.
ASAN_ENV := LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

test-asan: deps checkers
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) $(LAUNCHER) -DCMAKE_BUILD_TYPE=Debug -DVELLUMARK_SANITIZE=ON -DVELLUMARK_UNIT_ONLY=OFF >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target unit_tests gl_tests gui_tests
	# The exact crossing check of whole exported scenes runs for minutes under the sanitizers and
	# walks the same writers the other export tests run there.
	# The unit tests need no display and run beside the GL and GUI tests.
	cd $(ASAN_BUILD) && $(call beside,$(ASAN_ENV) ./unit_tests --gtest_brief=1 --gtest_filter=-ExportedSolids.*,\
		$(ASAN_ENV) $(TEST_ENV) $(WITH_DISPLAY) ./gl_tests --gtest_brief=1 && \
		$(ASAN_ENV) $(TEST_ENV) $(WITH_DISPLAY) ./gui_tests --gtest_brief=1)

# Bounded libFuzzer runs of the two readers of outside files (clang).
test-fuzz: deps
	@test -f $(FUZZ_BUILD)/CMakeCache.txt || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUMARK_FUZZ=ON -DVELLUMARK_UNIT_ONLY=ON -DFUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	cd $(FUZZ_BUILD) && ctest -L fuzz -j $(JOBS) --output-on-failure

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $(TEST_ENV) $(WITH_DISPLAY) $$b || exit 1; done

# The Windows program, cross-built with MinGW-w64: build-windows/dist and its zip.
windows-deps:
	@sh tools/windows/install-deps.sh

windows: windows-deps
	sh tools/windows/build-libraries.sh $(WINDOWS_LIBRARIES)/prefix
	@test -f $(WINDOWS_BUILD)/CMakeCache.txt || cmake -S . -B $(WINDOWS_BUILD) $(GENERATOR) $(LAUNCHER) \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/windows/mingw-w64.cmake \
		-DVELLUMARK_WINDOWS_PREFIX=$(WINDOWS_LIBRARIES)/prefix \
		-DwxWidgets_CONFIG_EXECUTABLE=$(WINDOWS_LIBRARIES)/prefix/bin/wx-config \
		-DCMAKE_BUILD_TYPE=Release
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	sh tools/windows/make-dist.sh $(WINDOWS_BUILD) $(CURDIR) $(WINDOWS_LIBRARIES)/sources
	sh tools/windows/make-installer.sh $(WINDOWS_BUILD) $(CURDIR)

# The Windows unit tests and the program itself under Wine, on an X server of its own; the Linux
# program draws the reference picture.
test-windows: windows build
	python3 tests/windows/wine_run.py $(WINDOWS_BUILD) $(BUILD)/vellumark

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
