# The project's commands. Build outputs go to $(BUILD); executables to $(BUILD)/bin.
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
PREFIX ?= $(HOME)/.local

.PHONY: all bootstrap configure build test run bench fuzz install uninstall clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target halducnv
	$(BUILD)/bin/halducnv

bench: build
	@scripts/bench $(BUILD)

fuzz: bootstrap
	@test -f $(BUILD)/fuzz/CMakeCache.txt || CXX=clang++ cmake -S . -B $(BUILD)/fuzz $(GENERATOR) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALDEN_WITH_UI=OFF -DHALDEN_WITH_SANITIZERS=OFF \
	  -DHALDEN_WITH_BENCH=OFF -DHALDEN_WITH_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	@scripts/fuzz $(BUILD)/fuzz/bin $(FUZZ_SECONDS)

# Desktop integration: the program, its menu entry and its icon (drawn from the same 32 x 32
# picture at each theme size). DESTDIR is honoured for packaging.
ICON_SIZES := 32 48 256
BINDIR = $(DESTDIR)$(PREFIX)/bin
LIBDIR = $(DESTDIR)$(PREFIX)/lib/halducnv
APPDIR = $(DESTDIR)$(PREFIX)/share/applications
ICONDIR = $(DESTDIR)$(PREFIX)/share/icons/hicolor

install: configure
	cmake --build $(BUILD) -j $(JOBS) --target halducnv
	install -D -m 755 $(BUILD)/bin/halducnv $(BINDIR)/halducnv
	install -D -m 644 $(BUILD)/lib/halducnv/halducnv-window.so $(LIBDIR)/halducnv-window.so
	mkdir -p $(APPDIR)
	sed 's|^Exec=.*|Exec=$(PREFIX)/bin/halducnv|' resources/halducnv.desktop > $(APPDIR)/halducnv.desktop
	chmod 644 $(APPDIR)/halducnv.desktop
	@for n in $(ICON_SIZES); do \
	  mkdir -p $(ICONDIR)/$${n}x$${n}/apps && \
	  convert resources/icons/halden.xpm -filter point -resize $${n}x$${n} \
	    PNG32:$(ICONDIR)/$${n}x$${n}/apps/halducnv.png || exit 1; \
	  echo "installed $(ICONDIR)/$${n}x$${n}/apps/halducnv.png"; \
	done
	-@command -v update-desktop-database >/dev/null 2>&1 && update-desktop-database -q $(APPDIR) || true

uninstall:
	rm -f $(BINDIR)/halducnv $(APPDIR)/halducnv.desktop $(LIBDIR)/halducnv-window.so
	-rmdir $(LIBDIR) 2>/dev/null || true
	@for n in $(ICON_SIZES); do rm -f $(ICONDIR)/$${n}x$${n}/apps/halducnv.png; done
	-@command -v update-desktop-database >/dev/null 2>&1 && update-desktop-database -q $(APPDIR) || true

clean:
	rm -rf $(BUILD)
