# The README's commands. Each one first installs the Debian packages it needs
# when they are missing.
JOBS ?= 2
RELEASE := build/release
ASAN := build/asan

.PHONY: run test build deps coverage bench shots soak memcheck package clean
COVERAGE := build/coverage

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DMAZERUSH_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) -- --no-print-directory

# Builds a release build and starts the game on the user's X display; with
# none, plays it on a virtual one and leaves pictures of it under build/.
run: build
	@scripts/run-game $(RELEASE)/mazerush build

# A sanitizer build (address, undefined, leak) and the whole test suite on a
# virtual X server. A test that fails is run again, up to three times in all:
# under load the software renderer's threads now and then crash the leak
# checker at exit or leave a heap count unsettled; a real fault fails every
# time.
test: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAZERUSH_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS) -- --no-print-directory
	@scripts/with-display ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS) --repeat until-pass:3

# A screenshot of each screen of the real program, saved under docs/.
shots: build
	@scripts/shots $(RELEASE)/mazerush docs

# The Debian package build/package/mazerush_<version>_amd64.deb, built by
# CPack from a release build of its own, then what lintian finds in it (an
# error fails the target).
PACKAGE := build/package
package: deps
	@scripts/make-package $(PACKAGE) $(JOBS)
	@lintian --display-info $(PACKAGE)/mazerush_*.deb

# Line and branch coverage of the program's own code by the whole suite.
coverage: deps
	@cmake -S . -B $(COVERAGE) -DCMAKE_BUILD_TYPE=Debug -DMAZERUSH_COVERAGE=ON >/dev/null
	@cmake --build $(COVERAGE) -j $(JOBS) -- --no-print-directory
	@find $(COVERAGE) -name '*.gcda' -delete
	@scripts/with-display ctest --test-dir $(COVERAGE) -j $(JOBS) >/dev/null || { \
		echo "coverage: tests that failed in the coverage build:"; \
		cat $(COVERAGE)/Testing/Temporary/LastTestsFailed.log; }
	@gcovr --root . --filter 'game/' --filter 'board/' --filter 'models/' --filter 'support/' \
		--exclude-unreachable-branches --exclude-throw-branches \
		--txt build/coverage.txt --html-details build/coverage.html --print-summary $(COVERAGE)
	@echo "Coverage report: build/coverage.txt, build/coverage.html"

# Release build with the benchmarks; runs them and the real game in play, and
# writes build/bench-report.md.
BENCH := build/bench
bench: deps
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DMAZERUSH_TESTS=OFF -DMAZERUSH_BENCH=ON >/dev/null
	@cmake --build $(BENCH) -j $(JOBS) -- --no-print-directory
	@scripts/bench-report $(BENCH)

# A million play ticks and a hundred thousand frames in one process; prints
# the resident memory at the start and at the end. The sanitizer's
# quarantine of freed blocks is turned off, as it holds memory on purpose.
soak: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAZERUSH_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS) -- --no-print-directory
	@ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=0 scripts/with-display \
		$(ASAN)/tests/mazerush_tests --gtest_also_run_disabled_tests --gtest_filter='Soak.*'

# A whole session of the real program under valgrind's memcheck, on a build
# without sanitizers.
MEMCHECK := build/memcheck
memcheck: deps
	@cmake -S . -B $(MEMCHECK) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAZERUSH_TESTS=OFF >/dev/null
	@cmake --build $(MEMCHECK) -j $(JOBS) --target mazerush -- --no-print-directory
	@MAZERUSH=$(MEMCHECK)/mazerush SOURCE_DIR=$(CURDIR) MEMCHECK_LOG=$(CURDIR)/build/memcheck.log \
		bash tests/e2e/memcheck_session.sh

clean:
	rm -rf build
