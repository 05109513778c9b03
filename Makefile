# Vexa Solitaire: `make run` builds and starts the game, `make test` builds
# and runs every test, `make install` installs into PREFIX (or DESTDIR),
# `make package` builds the Debian package, `make bench` compares the
# start-up with a bare Qt window. All install what is missing on Debian 12
# first.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps build run test test-asan install package bench clean

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

test: build test-asan
	@cd $(BUILD) && ctest --output-on-failure

# The game core and its tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, so that memory faults fail the run.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DVEXA_CORE_ONLY=ON -DVEXA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
