# The two everyday commands: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps build run test test-dev test-asan bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset dev
	cmake --build --preset dev

run: build
	scripts/run.sh build/dev

test: deps test-dev test-asan

test-dev:
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: deps
	cmake --preset release
	cmake --build --preset release
	scripts/run-benchmarks.sh build/release

clean:
	rm -rf build
