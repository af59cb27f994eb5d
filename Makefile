# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
.PHONY: all deps build build-sanitize run test tsan fuzz bench soak clean format package package-check \
	windows-deps build-windows windows test-windows

all: build

deps:
	@./scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

build-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize

run: build
	./build/kelvar-raid

test: build build-sanitize
	ctest --preset default
	ctest --preset sanitize

# The threads of the window program (the loop, the audio callback, the signal watch) under the
# thread sanitizer: the window replay, the end-to-end tests and the sound tests. Any report fails.
# The Wayland test is left out: there Mesa's and pango's own threads, in libraries the sanitizer
# cannot see into, bring reports that are not the game's.
tsan: deps
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan
	ctest --preset tsan

# A Debian package of the default build, in build/package/.
package: build
	@rm -f build/package/*.deb
	cd build && cpack -G DEB
	@ls build/package/*.deb

# Installs that package into a fresh Debian 12 root (debootstrap, as root) and runs the game's
# --version there. Slow (it fetches a minimal system once and caches it in build/); not in `make test`.
package-check: package
	./packaging/check-deb.sh build/package/kelvar-raid_*.deb

# Fuzzes the options reader and the demo parser, FUZZ_SECONDS each (clang and libFuzzer).
FUZZ_SECONDS ?= 60
fuzz:
	@./scripts/install-deps fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz --target fuzz_options_reader fuzz_demo_parser
	@./tests/fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: build
	@./scripts/install-deps bench
	./bench/run.sh build

# The long soak under the sanitizers; its last line gives the ticks, the games and the highest
# level. A failing game is written to build-sanitize/ as a demo file.
SOAK_SEED ?= 1
SOAK_TICKS ?= 10000000
soak: build-sanitize
	./build-sanitize/kelvar_soak --seed $(SOAK_SEED) --ticks $(SOAK_TICKS) --pilot-share 0.01 \
		--failures build-sanitize

# The Windows build, cross-compiled with MinGW-w64, and its tests under Wine: the unit tests, and
# the recorded games' traces against the Linux program's. Its own target, not part of `make test`.
# The libraries are built from Debian's sources once, into build-windows/deps/.
WINE_ENV = WINEPREFIX=$(CURDIR)/build-windows/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

windows-deps:
	@./scripts/install-deps windows
	@./scripts/build-windows-deps

# The sound effects are synthesised at build time by a Windows program, run under Wine.
build-windows: windows-deps
	@test -d build-windows/wine || { $(WINE_ENV) wineboot --init && $(WINE_ENV) wineserver -w; }
	@cmake --preset windows >/dev/null
	@$(WINE_ENV) cmake --build --preset windows

# kelvar-raid.exe with its icon and version information, the zip a player unpacks, and with
# Debian's nsis an installer (Start-menu entry, uninstaller), all in build-windows/.
windows: build-windows
	@cmake --build --preset windows --target kelvar_windows_zip
	@ls build-windows/kelvar-raid-*-windows-x64.zip
	@if command -v makensis >/dev/null; then \
		rm -f build-windows/package/*-setup.exe; \
		(cd build-windows && cpack -G NSIS >/dev/null) && ls build-windows/package/*-setup.exe; \
	else echo "windows: no makensis (Debian's nsis): no installer"; fi

test-windows: windows deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target kelvar-raid kelvar_x11_close
	ctest --preset windows
	$(WINE_ENV) ./tests/windows/window_program.sh build-windows/kelvar-raid.exe \
		build-windows/kelvar-raid-headless.exe build/kelvar_x11_close build-windows/window-test
	./tests/windows/zip_starts.sh build-windows/kelvar-raid-*-windows-x64.zip build/kelvar_x11_close \
		build-windows/window-test
	$(WINE_ENV) ./tests/windows/same_traces.sh build/kelvar-raid build-windows/kelvar-raid-headless.exe \
		build-windows/traces

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-tsan build-fuzz
