# Quick start: `make run` builds the window and saiha-calc and opens the
# window, `make calc` builds saiha-calc alone (no window needed), `make test`
# builds and runs every test.  Each installs missing Debian packages first.
BUILD ?= build
JOBS ?= $(shell nproc)
# SAIHA_WINDOW=OFF builds and tests everything but the window, without Qt
# (a server or a cluster node): `make test SAIHA_WINDOW=OFF`.
SAIHA_WINDOW ?= ON

ifeq ($(SAIHA_WINDOW),OFF)
DEPS_OPTIONS = --no-window
# Qt is not even looked up: the configure fails if anything still needs it.
CMAKE_OPTIONS = -DSAIHA_WINDOW=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
else
DEPS_OPTIONS =
CMAKE_OPTIONS = -DSAIHA_WINDOW=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=OFF
endif

.PHONY: all deps configure build run calc test bench clean

all: build

deps:
	@scripts/install-deps.sh $(DEPS_OPTIONS)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_OPTIONS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the window and the command line, so that they come sooner; `make test`
# builds the rest.
run: configure
	@if [ "$(SAIHA_WINDOW)" = OFF ]; then echo "make run: there is no window with SAIHA_WINDOW=OFF; make calc builds saiha-calc" >&2; exit 2; fi
	@cmake --build $(BUILD) --target saiha saiha-calc -j $(JOBS)
	$(BUILD)/app/saiha

# The command line alone: $(BUILD)/cli/saiha-calc.
calc: configure
	@cmake --build $(BUILD) --target saiha-calc -j $(JOBS)
	@echo "built $(BUILD)/cli/saiha-calc"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/saiha-bench

clean:
	rm -rf $(BUILD)
