# Entry points: make run, make test, make bench, make fuzz, make install.
JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure

.PHONY: all deps configure build run test test-asan bench fuzz install clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake --preset debug

build: configure
	cmake --build --preset debug -j $(JOBS)

run: build
	./build/tavrin $(ARGS)

test: build
	./scripts/run-tests.sh build

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	./scripts/run-tests.sh build-asan

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target tavrin_bench
	./build-release/tavrin_bench

fuzz: deps
	./scripts/run-fuzz.sh

install: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	cmake --install build-release $(if $(PREFIX),--prefix $(PREFIX),)

clean:
	rm -rf build build-release build-asan build-fuzz
