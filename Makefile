# The two commands: `make run` plays the disk on the shipped data/, `make test`
# runs every test. Both install what is missing and build first.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test clean screenshots

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/velmora

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The README's pictures of the five screens, re-made by the capture tool.
screenshots: deps configure
	cmake --build $(BUILD) -j$(JOBS) --target velmora-capture
	tools/capture/make-screenshots $(BUILD)/velmora-capture docs/screens

clean:
	rm -rf $(BUILD)
