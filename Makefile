# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
.PHONY: all deps build build-sanitize run test bench clean format

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

bench: build
	./bench/run.sh build

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf build build-sanitize
