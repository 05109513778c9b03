# Vexa Solitaire: `make run` builds and starts the game, `make test` builds
# and runs every test, `make install` installs into PREFIX (or DESTDIR),
# `make package` builds the Debian package, `make bench` compares the
# start-up with a bare Qt window. All install what is missing on Debian 12
# first.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# Seconds each fuzz target runs: a short smoke run in make test, longer in make fuzz.
FUZZ_SMOKE ?= 5
FUZZ_TIME ?= 600
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps build run test test-asan test-fuzz fuzz fuzz-build contact-sheet card-sheet install package bench clean

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# The program seeds the player's data folder ($XDG_DATA_HOME/vexasolit)
# from the source tree's games and plays from there, as installed.
run: build
	@"$(BUILD)/vexasolit"

install: build
	@cmake --install $(BUILD)

# The .deb installs under /usr and lands in the build folder.
package: build
	@cd $(BUILD) && cpack -G DEB

bench: build
	@./scripts/bench-startup.sh $(BUILD)

# ctest runs tests side by side, one per core: every test waits for
# conditions, never for time, so a loaded core only makes it slower.
test: build test-asan test-fuzz
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The game core and its tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, so that memory faults fail the run.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DVEXA_CORE_ONLY=ON -DVEXA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# The first deal of every bundled game in the real window, on one picture.
contact-sheet: build
	@./scripts/contact-sheet.sh $(BUILD) games $(BUILD)/contact-sheet.png

# Every card face, one by one and fanned both ways, at table size, 2x and 2.5x.
card-sheet: build
	@./scripts/card-sheet.sh $(BUILD) $(BUILD)/card-sheet

# The libFuzzer targets (INI reader and writer, value splitter, whole
# definitions), built by clang 14 under AddressSanitizer and
# UndefinedBehaviorSanitizer. Each replays the reproducers kept under
# tests/fuzz/reproducers/ and then fuzzes from a corpus seeded from games/.
fuzz-build: deps
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -G Ninja -DVEXA_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

test-fuzz: fuzz-build
	@cd $(FUZZ_BUILD) && FUZZ_SECONDS=$(FUZZ_SMOKE) ctest --output-on-failure -j $(JOBS)

fuzz: fuzz-build
	@cd $(FUZZ_BUILD) && FUZZ_SECONDS=$(FUZZ_TIME) ctest -V --timeout $$(( $(FUZZ_TIME) + 600 ))

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
