# Thin wrapper over CMake: `make run` builds and starts Kartotrix,
# `make test` builds it and runs every test (the Windows program's under Wine
# too), `make bench` measures it and writes docs/performance.md, `make windows`
# builds kartotrix.exe for 64-bit and 32-bit Windows, `make dist` the release
# artifacts in dist/ (Windows setup, portable archive, Debian package). All install missing
# Debian packages first (as root) or say which are missing.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test bench build build-for-test windows dist clean

# Without a display the program says so in one German line and ends with
# status 1; that line is the answer, so make adds no error message after it.
run: build
	@$(BUILD)/src/app/kartotrix; status=$$?; [ $$status -eq 0 ] || [ $$status -eq 1 ] || exit $$status

test: build-for-test
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@tools/windows-tests.sh $(BUILD)
	@tools/run-sanitized.sh $(BUILD)
	@tools/dist-tests.sh $(BUILD)

bench: build-for-test
	@tools/bench.sh $(BUILD)

# The compiler's output is shown only when the build fails.
build:
	@tools/ensure-deps.sh build
	@cmake -S . -B $(BUILD) >/dev/null
	@echo "Baue Kartotrix …"
	@cmake --build $(BUILD) -j$(JOBS) --target kartotrix >$(BUILD)/build.log 2>&1 || { cat $(BUILD)/build.log; exit 1; }

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

# KARTOTRIX_SIGN_COMMAND=… signs the Windows programs and the setup (see README).
dist:
	@tools/dist.sh $(BUILD)

# Removes what the builds made, but never a pad file: "make run" starts the
# program from the build folder, so its autosave and saved pads lie there.
clean:
	@rm -rf $(BUILD)-fuzz $(BUILD)-win64 $(BUILD)-win32
	@if [ -d "$(BUILD)" ]; then \
	    find "$(BUILD)" -type f ! -name '*.hsc' ! -name 'autosave*.txt' -delete; \
	    find "$(BUILD)" -depth -type d -empty -delete; \
	fi
	@if [ -d "$(BUILD)" ]; then echo "Blockdateien bleiben erhalten:"; find "$(BUILD)" -type f | sed 's/^/  /'; fi
