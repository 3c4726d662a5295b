# Thin wrapper over CMake: `make run` builds and starts Kartotrix,
# `make test` builds it and runs every test. Both install missing Debian
# packages first (as root) or say which are missing.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build build-for-test clean

run: build
	@$(BUILD)/src/app/kartotrix

test: build-for-test
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@tools/run-fuzzer.sh $(BUILD)

build:
	@tools/ensure-deps.sh build
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target kartotrix

build-for-test:
	@tools/ensure-deps.sh test
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

clean:
	rm -rf $(BUILD)
