# Thin wrapper over the CMake presets.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 15

.PHONY: all build test run asan-test bench fuzz package format format-check clean windows windows-test windows-package windows-check

all: build

build:
	@scripts/setup-deps.sh build
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

test: build
	@scripts/setup-deps.sh test
	@ctest --preset default -j $(JOBS)

run:
	@scripts/setup-deps.sh run
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS) --target vemo-maut
	@cd sample && LC_ALL=cs_CZ.UTF-8 LANG=cs_CZ.UTF-8 ../build/default/app/vemo-maut $(ARGS)

asan-test:
	@scripts/setup-deps.sh test
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

bench:
	@scripts/setup-deps.sh build
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/*_bench; do $$b; done

fuzz:
	@scripts/setup-deps.sh fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@scripts/fuzz.sh $(FUZZ_SECONDS)

# The Debian package, built with Debian's hardening flags: build/vemo-maut_<version>_<arch>.deb,
# the same byte for byte for the same commit (vemo_reproducible in scripts/lib.sh).
package:
	@scripts/setup-deps.sh package
	@. scripts/lib.sh; vemo_reproducible; \
	DEB_BUILD_MAINT_OPTIONS=hardening=+all; export DEB_BUILD_MAINT_OPTIONS; \
	cmake --preset package -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null && \
	cmake --build --preset package -j $(JOBS) --target package
	@cp build/package/vemo-maut_*.deb build/
	@ls build/vemo-maut_*.deb

# Windows: cross-built with mingw-w64 against a static Qt for Windows, tested under Wine.
windows:
	@scripts/windows.sh deps
	@JOBS=$(JOBS) scripts/windows.sh build

windows-test:
	@scripts/windows.sh deps
	@JOBS=$(JOBS) scripts/windows.sh test

windows-package:
	@scripts/windows.sh deps
	@JOBS=$(JOBS) scripts/windows.sh package

windows-check:
	@scripts/windows.sh deps
	@JOBS=$(JOBS) scripts/windows.sh check

format:
	@scripts/setup-deps.sh format
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

format-check:
	@scripts/setup-deps.sh format
	@clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')
	@scripts/check-layers.sh

clean:
	rm -rf build
