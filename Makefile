# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
.PHONY: all deps build build-sanitize run test soak clean format

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

# The long soak under the sanitizers; its last line gives the ticks, the games and the highest
# level. A failing game is written to build-sanitize/ as a demo file.
SOAK_SEED ?= 1
SOAK_TICKS ?= 10000000
soak: build-sanitize
	./build-sanitize/kelvar_soak --seed $(SOAK_SEED) --ticks $(SOAK_TICKS) --pilot-share 0.01 \
		--failures build-sanitize

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf build build-sanitize
