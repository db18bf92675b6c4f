# Quick start: `make run` builds and opens the calculator, `make test` builds
# and runs every test.  Both install missing Debian packages first.
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

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps.sh $(DEPS_OPTIONS)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_OPTIONS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only what the window needs, so that it opens sooner; `make test` builds the rest.
run: configure
	@if [ "$(SAIHA_WINDOW)" = OFF ]; then echo "make run: there is no window with SAIHA_WINDOW=OFF" >&2; exit 2; fi
	@cmake --build $(BUILD) --target saiha -j $(JOBS)
	$(BUILD)/app/saiha

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/saiha-bench

clean:
	rm -rf $(BUILD)
