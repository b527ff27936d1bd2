# The two everyday commands: `make run` and `make test`. Both install what is missing first.
.PHONY: all deps build run test test-dev test-asan test-fuzz bench fuzz package translations-update clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset dev
	cmake --build --preset dev

run: build
	scripts/run.sh build/dev

test: deps test-dev test-asan test-fuzz

test-dev:
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# Each fuzzer briefly, from its seed corpus.
test-fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

# Each fuzzer for FUZZ_SECONDS (60 by default), with a table of executions.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/run-fuzzers.sh build/fuzz

bench: deps
	cmake --preset release
	cmake --build --preset release
	scripts/run-benchmarks.sh build/release

# A Debian package in build/release, checked by lintian: any error or warning fails.
# Install it with: sudo apt-get install ./build/release/trovanel_*.deb
package: deps
	cmake --preset release
	cmake --build --preset release
	rm -f build/release/trovanel_*.deb
	cd build/release && cpack
	lintian --allow-root --fail-on error,warning build/release/trovanel_*.deb

# Brings translations/*.ts up to date with the sources: new texts come in unfinished.
translations-update: deps
	cmake --preset dev
	cmake --build --preset dev --target translations_update

clean:
	rm -rf build
