# Vexa Solitaire: `make run` builds and starts the game, `make test` builds
# and runs every test. Both install what is missing on Debian 12 first.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
DATA ?= $(or $(XDG_DATA_HOME),$(HOME)/.local/share)/vexasolit

.PHONY: all deps build run test test-asan contact-sheet clean

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/seed-data.sh games "$(DATA)"
	@cd "$(DATA)" && "$(CURDIR)/$(BUILD)/vexasolit"

test: build test-asan
	@cd $(BUILD) && ctest --output-on-failure

# The game core and its tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, so that memory faults fail the run.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DVEXA_CORE_ONLY=ON -DVEXA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure

# The first deal of every bundled game in the real window, on one picture.
contact-sheet: build
	@./scripts/contact-sheet.sh $(BUILD) games $(BUILD)/contact-sheet.png

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
