# Thin wrapper over CMake: `make run` builds and starts Kartotrix,
# `make test` builds it and runs every test (the Windows program's under Wine
# too), `make windows` builds kartotrix.exe for 64-bit and 32-bit Windows.
# All install missing Debian packages first (as root) or say which are missing.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build build-for-test windows clean

run: build
	@$(BUILD)/src/app/kartotrix

test: build-for-test
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@tools/windows-tests.sh $(BUILD)
	@tools/run-fuzzer.sh $(BUILD)

build:
	@tools/ensure-deps.sh build
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target kartotrix

build-for-test:
	@tools/ensure-deps.sh test
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# Statically linked: the programs need no DLL beyond those of Windows.
windows:
	@tools/ensure-deps.sh windows
	@for arch in x86_64:64 i686:32; do \
	    cmake -S . -B $(BUILD)-win$${arch#*:} -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-$${arch%:*}.cmake \
	          -DCMAKE_BUILD_TYPE=Release >/dev/null && \
	    cmake --build $(BUILD)-win$${arch#*:} -j$(JOBS) --target kartotrix || exit 1; \
	    echo "$(BUILD)-win$${arch#*:}/src/win32/kartotrix.exe"; \
	done

clean:
	rm -rf $(BUILD) $(BUILD)-win64 $(BUILD)-win32 $(BUILD)-fuzz
