# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The README's commands; `make` alone is `make build`. Each one first
# installs the Debian packages it needs when they are missing: deps-PURPOSE
# installs those of PURPOSE in scripts/packages (scripts/install-deps, which
# asks dpkg first). A command names the install of its whole need first, so
# that one apt-get run installs it; the installs of the targets it builds on
# then find nothing missing.
#
# Where there is no dpkg (another system than Debian and its kin), or with
# DEPS=0, nothing is installed: one line says what the build needs, and
# CMake names what it does not find.
#
# A player's build (build, run, package) prints the compiler's warnings; the
# developers' builds (asan for test, lint, coverage, bench, memcheck) turn
# them into errors (MAZERUSH_WERROR). Each configure names the option, as
# the release and autoplay builds serve both.
JOBS ?= 2
RELEASE := build/release
ASAN := build/asan
LINT := build/lint
# autoplay and the tools it drives the game with (tools/), apart from the
# game's own release build, which needs none of them.
AUTOPLAY := build/autoplay
COVERAGE := build/coverage
PACKAGE := build/package
BENCH := build/bench
MEMCHECK := build/memcheck
PLAYER := -DMAZERUSH_WERROR=OFF
DEVELOPER := -DMAZERUSH_WERROR=ON

ifeq ($(origin DEPS),undefined)
DEPS := $(if $(shell command -v dpkg-query 2>/dev/null),1,0)
endif
export DEPS

.PHONY: build run demo autoplay asan test flaky shots sounds icon package package-check dist \
	coverage bench soak memcheck lint clean FORCE no-deps

# The game's release build, build/release/mazerush: the first target, so
# that `make` alone makes it.
build: deps-build
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DMAZERUSH_TESTS=OFF $(PLAYER) >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) -- --no-print-directory

ifeq ($(DEPS),0)
deps-%: no-deps ;
else
deps-%: FORCE
	@scripts/install-deps $*
endif
FORCE:
# DEPS=0: the installs stand down, with one line said once (DEPS_SAID: by
# the make that runs this one).
no-deps:
	@$(if $(DEPS_SAID),:,echo) "Installing no packages (DEPS=0, or no dpkg):" \
		"the game needs CMake 3.18, a C++17 compiler, pkg-config and the development files of" \
		"OpenGL with GLX and GLU, freeglut, Xlib, libpng, OpenAL and SDL2; the tests XTest," \
		"GoogleTest and Xvfb as well."

# Builds a release build and starts the game on the user's X display; with
# none, plays it on a virtual one (make demo, which installs the virtual
# display's tools, headless, only then) and leaves pictures of it under
# build/.
run: build
	@scripts/run-game $(RELEASE)/mazerush || { status=$$?; [ $$status -eq 3 ] || exit $$status; \
		echo "No X display can be reached; playing mazerush for about 8 s on a virtual display (Xvfb)."; \
		$(MAKE) --no-print-directory demo DEPS_SAID=1; }

# About 8 s of play on a virtual X server, as a player would play (past the
# intro, PLAY GAME, a few turns): build/mazerush-menu.png, the last moment of
# play build/mazerush-play.png and build/mazerush-play.gif.
demo: deps-headless build autoplay
	@$(AUTOPLAY)/autoplay demo $(RELEASE)/mazerush build

# autoplay (tools/autoplay.cpp), which plays the game from outside on a
# virtual X server, with the fake clock and the frame counter beside it.
autoplay: deps-driven
	@cmake -S . -B $(AUTOPLAY) -DCMAKE_BUILD_TYPE=Release -DMAZERUSH_TESTS=OFF -DMAZERUSH_AUTOPLAY=ON \
		$(PLAYER) >/dev/null
	@cmake --build $(AUTOPLAY) -j $(JOBS) --target autoplay fakeclock swapcount -- --no-print-directory

# The sanitizer build (address, undefined, leak) that the tests run on.
asan: deps-suite
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAZERUSH_SANITIZE=ON \
		$(DEVELOPER) >/dev/null
	@cmake --build $(ASAN) -j $(JOBS) -- --no-print-directory

# The whole test suite on a virtual X server, each test run once, after the
# lint: the in-process program as one process (its cases, which ctest also
# lists one by one, labelled case, are not run again on their own) beside
# the end-to-end cases. GTEST_SHUFFLE=1 runs the program's cases in a
# random order.
test: deps-test asan lint
	@scripts/with-display ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS) -LE case

# The whole suite N times over, without retries; prints each test that
# failed and in how many of the runs.
N ?= 10
flaky: asan
	@scripts/flaky $(N) $(ASAN)

# A screenshot of each screen of the real program, saved under docs/.
shots: deps-headless build autoplay
	@$(AUTOPLAY)/autoplay shots $(RELEASE)/mazerush docs

# docs/sounds.png: every sound of the game's synthesiser, its waveform and
# its spectrogram, drawn by soundplot (tools/soundplot.cpp) of the release
# build.
sounds: deps-build
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DMAZERUSH_TESTS=OFF $(PLAYER) >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) --target soundplot -- --no-print-directory
	@$(RELEASE)/soundplot docs/sounds.png
	@echo "docs/sounds.png: every sound's waveform and spectrogram"

# The desktop icon data/mazerush.png, cropped from a frame of the real game.
icon: deps-headless build autoplay
	@$(AUTOPLAY)/autoplay icon $(RELEASE)/mazerush data/mazerush.png

# The Debian package build/package/mazerush_<version>_amd64.deb, built by
# CPack from a release build of its own, then what lintian finds in it (an
# error fails the target).
package: deps-package
	@scripts/make-package $(PACKAGE) $(JOBS)
	@lintian --display-info $(PACKAGE)/mazerush_*.deb

# Debian's own install check of that package (scripts/package-check):
# piuparts installs, removes and purges it in a fresh minimal Debian 12 and
# Debian 13 and fails on any failed step or file left behind.
package-check: deps-package-check package
	@scripts/package-check $(PACKAGE)/mazerush_*.deb build/package-check

# The source release build/mazerush-<version>.tar.gz: the committed tree of
# HEAD, written by git archive; the same commit gives the same bytes.
dist:
	@scripts/make-dist build

# Line and branch coverage of the program's own code by the whole suite.
coverage: deps-coverage
	@cmake -S . -B $(COVERAGE) -DCMAKE_BUILD_TYPE=Debug -DMAZERUSH_COVERAGE=ON $(DEVELOPER) >/dev/null
	@cmake --build $(COVERAGE) -j $(JOBS) -- --no-print-directory
	@find $(COVERAGE) -name '*.gcda' -delete
	@scripts/with-display ctest --test-dir $(COVERAGE) -j $(JOBS) -LE case >/dev/null || { \
		echo "coverage: tests that failed in the coverage build:"; \
		cat $(COVERAGE)/Testing/Temporary/LastTestsFailed.log; }
	@gcovr --root . --filter 'game/' --filter 'board/' --filter 'models/' --filter 'support/' \
		--filter 'sound/' \
		--exclude-unreachable-branches --exclude-throw-branches \
		--txt build/coverage.txt --html-details build/coverage.html --print-summary $(COVERAGE)
	@echo "Coverage report: build/coverage.txt, build/coverage.html"

# Release build with the benchmarks; runs them and the real game in play, and
# writes build/bench-report.md.
bench: deps-bench
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DMAZERUSH_TESTS=OFF -DMAZERUSH_BENCH=ON \
		$(DEVELOPER) >/dev/null
	@cmake --build $(BENCH) -j $(JOBS) -- --no-print-directory
	@scripts/bench-report $(BENCH)

# A million play ticks and a hundred thousand frames in one process; prints
# the resident memory at the start and at the end. The sanitizer's
# quarantine of freed blocks is turned off, as it holds memory on purpose.
soak: asan
	@ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=0 scripts/with-display \
		$(ASAN)/tests/mazerush_tests --gtest_also_run_disabled_tests --gtest_filter='Soak.*'

# A whole session of the real program under valgrind's memcheck, on a build
# without sanitizers.
memcheck: deps-memcheck
	@cmake -S . -B $(MEMCHECK) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(DEVELOPER) >/dev/null
	@cmake --build $(MEMCHECK) -j $(JOBS) --target mazerush mazerush_e2e -- --no-print-directory
	@MEMCHECK_LOG=$(CURDIR)/build/memcheck.log $(MEMCHECK)/tests/mazerush_e2e \
		--gtest_also_run_disabled_tests --gtest_filter='Memcheck.*'

# clang-tidy and cppcheck over the game's sources, and the license line of
# every file the project wrote (scripts/lint, which says what it checks and
# on which Debian releases a finding fails it).
lint: deps-lint
	@scripts/lint $(LINT)

clean:
	rm -rf build
