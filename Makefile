# The project's commands. Build outputs go to $(BUILD); executables to $(BUILD)/bin.
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Most tests spend their time waiting on a display server or a window manager, not computing.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))
FUZZ_SECONDS ?= 60
PREFIX ?= $(HOME)/.local

.PHONY: all bootstrap configure build test run bench fuzz lint install uninstall package clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The tests build with warnings as errors; a plain build (make run) only warns.
test: configure
	@cmake -S . -B $(BUILD) -DHALDEN_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target halducnv
	$(BUILD)/bin/halducnv

# Style rules: clang-format (check only) over the sources, clang-tidy with .clang-tidy and the
# compiler's warnings over src/. BASE=<commit> checks only the files changed since that commit
# (make lint BASE=origin/main); without it every file is checked, as CI does.
BASE ?=
lint: bootstrap
	@scripts/lint $(BUILD) $(BASE)

bench: build
	@scripts/bench $(BUILD)

fuzz: bootstrap
	@test -f $(BUILD)/fuzz/CMakeCache.txt || CXX=clang++ cmake -S . -B $(BUILD)/fuzz $(GENERATOR) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALDEN_WITH_UI=OFF -DHALDEN_WITH_SANITIZERS=OFF \
	  -DHALDEN_WITH_BENCH=OFF -DHALDEN_WITH_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	@scripts/fuzz $(BUILD)/fuzz/bin $(FUZZ_SECONDS)

# Installing wraps the CMake install rules (cmake/HaldenInstall.cmake): the program, its desktop
# menu entry, AppStream metainfo, icon set and manual page under PREFIX; DESTDIR is honoured for
# staging. Uninstalling removes exactly what the last install from $(BUILD) put there, and the
# directories it created that are left empty.
install: configure
	cmake --build $(BUILD) -j $(JOBS) --target halducnv halden_data halden_completion
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$$(realpath -m -s -- "$(PREFIX)")"

uninstall:
	cmake -D HALDEN_BUILD_DIR="$(BUILD)" -D HALDEN_DESTDIR="$(DESTDIR)" \
	  -D HALDEN_PREFIX="$$(realpath -m -s -- "$(PREFIX)")" -P cmake/HaldenUninstall.cmake

# The Debian package build/<name>_<version>_<arch>.deb, made by CPack from the same install rules.
package: configure
	cmake --build $(BUILD) -j $(JOBS) --target halducnv halden_data halden_completion
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
