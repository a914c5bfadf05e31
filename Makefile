# The README's commands. Each one first installs the Debian packages it needs
# when they are missing.
JOBS ?= 2
RELEASE := build/release
ASAN := build/asan

.PHONY: run test build deps clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DMAZERUSH_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) -- --no-print-directory

# Builds a release build and starts the game on the user's X display.
run: build
	@scripts/run-game $(RELEASE)/mazerush build/mazerush-screenshot.png

# A sanitizer build (address, undefined, leak) and the whole test suite on a
# virtual X server.
test: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAZERUSH_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS) -- --no-print-directory
	@scripts/with-display ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

clean:
	rm -rf build
