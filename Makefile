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
	@tools/run-sanitized.sh $(BUILD)

build:
	@tools/ensure-deps.sh build
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target kartotrix

build-for-test:
	@tools/ensure-deps.sh test
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# Removes what the builds made, but never a pad file: "make run" starts the
# program from the build folder, so its autosave and saved pads lie there.
clean:
	@rm -rf $(BUILD)-fuzz
	@if [ -d "$(BUILD)" ]; then \
	    find "$(BUILD)" -type f ! -name '*.hsc' ! -name 'autosave*.txt' -delete; \
	    find "$(BUILD)" -depth -type d -empty -delete; \
	fi
	@if [ -d "$(BUILD)" ]; then echo "Blockdateien bleiben erhalten:"; find "$(BUILD)" -type f | sed 's/^/  /'; fi
